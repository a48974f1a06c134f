// Composes the text of the table-driven layouts one code unit at a time: a key joins the last
// code unit while the longer key sequence is in the layout's tables, else it starts a new one.
#pragma once

#include <string>
#include <vector>

#include "layouts/keyed_composer.h"

namespace revaze {

class LayoutComposer : public KeyedComposer {
public:
    explicit LayoutComposer(const Dictionary* dictionary) : KeyedComposer(dictionary, L" ") {}

    // One element per code unit of compositionText: the one to four keys that made it.
    std::vector<std::string> keyGroups;

    // Every key is looked up in the tables of `layout` (a layoutIndex of layout_tables.h), the
    // current layout's: a layout switch keeps the composition, and the next key uses the new one.
    void Reset() override;
    // The code unit `ch` commits at once while nothing is composed.
    bool DirectCharacter(int layout, char ch, wchar_t& out) const;
    // True when `ch` is a composing key of the layout. NUL never is.
    bool IsInputKey(int layout, char ch) const;
    // At either limit, and for a key the tables cannot compose, the key is dropped whole, so
    // that keys, groups and text stay in step.
    void AddKey(int layout, char ch);
    void DeleteKey(int layout);
};

} // namespace revaze
