// The part the keyboard-layout and soft-keyboard composers share: typed keys, the composed code
// units and the display line. Both hold at most 60 keys and 60 code units.
#pragma once

#include <string>
#include <string_view>

#include "common/fixed_text.h"
#include "dictionary/composer.h"

namespace revaze {

inline constexpr int kMaxComposedKeys = 60;
inline constexpr int kMaxComposedUnits = 60;

class KeyedComposer : public Composer {
public:
    // `displayIndent` goes before the composed text on the display line.
    KeyedComposer(const Dictionary* dictionary, std::wstring_view displayIndent)
        : Composer(dictionary), displayIndent_(displayIndent) {}

    std::string typedKeys;         // the typed key characters, at most 60
    FixedText<64> compositionText; // at most 60 code units; committed by Enter

    int keyCount() const override { return static_cast<int>(typedKeys.size()); }
    int charCount() const { return static_cast<int>(compositionText.size()); }

    void Reset() override;
    std::wstring ComposedText() const override { return compositionText.str(); }
    // The indent and compositionText, or the typed keys while nothing has been composed; empty
    // while nothing is typed.
    std::wstring DisplayLine() const override;

protected:
    // True while another key and code unit fit.
    bool hasRoom() const {
        return keyCount() < kMaxComposedKeys && charCount() < kMaxComposedUnits;
    }

private:
    std::wstring_view displayIndent_;
};

} // namespace revaze
