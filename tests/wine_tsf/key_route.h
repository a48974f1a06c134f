// The harness's stand-in for TSF's key manager, which Wine does not have: keyboard messages the
// harness's thread takes from its queue go to the text service's key sink first (OnTestKey...,
// then OnKey... when the service says it takes the key) and reach the application only when
// the service lets them through. Keys are typed with SendInput, so that they arrive as real
// messages with the thread's keyboard state, just as the service sees them on Windows.
#pragma once

#include <windows.h>

#include <msctf.h>

#include "tsf/com_ptr.h"

namespace tsfharness {

class KeyRoute {
public:
    // The service's key sink and the context the keys go to (a document's top context).
    void connect(ITfKeyEventSink* sink) { sink_ = revaze::tsf::ComPtr<ITfKeyEventSink>(sink); }
    void disconnect() { sink_.reset(); }
    void setContext(ITfContext* context) { context_ = context; }

    // Runs the thread's messages for `milliseconds`, keys through the sink.
    void pump(DWORD milliseconds);
    // Presses and releases the keys of `text` (printable ASCII, '\r' Enter, '\b' Backspace,
    // '\x1b' Escape; capitals with Shift held), then lets the messages run.
    void type(const char* text);
    void tapKey(WORD vk);
    // One half of a key stroke, for chords.
    void press(WORD vk);
    void release(WORD vk);
    // A lone Shift tap.
    void tapShift();

    int passedToApplication() const { return passed_; }

private:
    // True when the service ate the message.
    bool route(const MSG& message);

    revaze::tsf::ComPtr<ITfKeyEventSink> sink_;
    ITfContext* context_ = nullptr;
    int passed_ = 0;
};

} // namespace tsfharness
