// Collects the characters picked on the soft keyboard: one key is one code unit, with no tables
// and no stacking.
#pragma once

#include "layouts/keyed_composer.h"

namespace revaze {

class SoftKeyComposer : public KeyedComposer {
public:
    explicit SoftKeyComposer(const Dictionary* dictionary) : KeyedComposer(dictionary, L"  ") {}

    // `ch` is the typed key, `wch` the soft keyboard's character for it (never 0). A full
    // composition takes nothing more.
    void AddKey(char ch, wchar_t wch);
    void DeleteKey();
};

} // namespace revaze
