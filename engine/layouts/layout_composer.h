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
    // The layout whose tables the next key is looked up in; a layout switch sets it and keeps
    // the composition.
    int layoutIndex = 0;

    // Empties the composition; leaves layoutIndex alone.
    void Reset() override;
    // The code unit `ch` commits at once while nothing is composed.
    bool DirectCharacter(char ch, wchar_t& out) const;
    // True when `ch` is a composing key of the current layout. NUL never is.
    bool IsInputKey(char ch) const;
    // At either limit, and for a key the tables cannot compose, the key is dropped whole, so
    // that keys, groups and text stay in step.
    void AddKey(char ch);
    void DeleteKey() override;
};

} // namespace revaze
