// The one seam between the portable key handling and the world it acts on. The DLL binds it to
// the real windows and input contexts; the revaze tool and the tests bind it to a recorder. The
// same handler code runs behind all of them.
#pragma once

#include <string_view>

namespace revaze {

// Handles passed through untouched from IMM32: the input context and the message list of
// ImeToAsciiEx. The engine never looks inside them.
using ContextHandle = void*;
using MessageList = void*;

class ImeHost {
public:
    virtual ~ImeHost() = default;

    // Composition window.
    virtual void PlaceNearCaret() = 0;       // move beside the caret and show without activation
    virtual void ShowAndInvalidate() = 0;    // show without activation, invalidate without erase
    virtual void HideAndInvalidate() = 0;    // hide, invalidate without erase
    virtual void HideCompWindow() = 0;       // hide only (a switch of the input mode)
    virtual void InvalidateCompWindow() = 0; // invalidate the whole window without erasing
    virtual void RepaintCompWindow() = 0;    // invalidate the client rectangle with erasing
    // A new layout: reload the skin and repaint at once (placing or hiding the window).
    virtual void RefreshCompWindowNow() = 0;

    virtual void MessageBeep() = 0;

    // Commits `text` whole as the result string of `himc` and writes the two messages into
    // `messages`. Returns the number of messages written: 2, or 0 when there is no usable context.
    virtual unsigned CommitResultString(ContextHandle himc, MessageList messages,
                                        std::wstring_view text) = 0;

    // Status window: repaint the buttons; reload the strip so that the badge follows the layout.
    virtual void InvalidateStatusWindow() = 0;
    virtual void RefreshStatusWindowNow() = 0;

    // Soft keyboard window. Its labels are read from the input state.
    virtual void ShowSoftKeyboardWindow() = 0;
    virtual void HideSoftKeyboardWindow() = 0;
    virtual void SoftKeyboardLabelsChanged() = 0; // new page or layout: reload labels, repaint
};

} // namespace revaze
