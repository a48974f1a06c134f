#include "layouts/layout_composer.h"

#include "layouts/layout_tables.h"

namespace revaze {

void LayoutComposer::Reset() {
    KeyedComposer::Reset();
    keyGroups.clear();
}

bool LayoutComposer::DirectCharacter(int layout, char ch, wchar_t& out) const {
    const DirectRow* row = findDirectRow(layoutTables(layout), ch);
    // A row stored with code 0 would commit nothing: treat it as no row.
    if (row == nullptr || row->code == L'\0') {
        return false;
    }
    out = row->code;
    return true;
}

bool LayoutComposer::IsInputKey(int layout, char ch) const {
    return isLayoutKey(layoutTables(layout), ch);
}

void LayoutComposer::AddKey(int layout, char ch) {
    if (ch == '\0' || !hasRoom()) {
        return;
    }
    const LayoutTables& tables = layoutTables(layout);
    std::size_t last = keyGroups.empty() ? 0 : keyGroups.back().size();
    if (last >= 1 && last <= 3) {
        std::string longer = keyGroups.back() + ch;
        wchar_t code = multiKeyCode(tables, longer);
        if (code != L'\0') {
            compositionText.set_back(code);
            keyGroups.back() = std::move(longer);
            typedKeys.push_back(ch);
            RefreshCandidates(compositionText.view());
            return;
        }
    } else if (last > 4) {
        return; // cannot arise: groups only grow through table hits
    }
    // A key without a one-key row would end the text with a NUL; it composes nothing.
    wchar_t code = oneKeyCode(tables, ch);
    if (code == L'\0') {
        return;
    }
    compositionText.push_back(code);
    keyGroups.emplace_back(1, ch);
    typedKeys.push_back(ch);
    RefreshCandidates(compositionText.view());
}

void LayoutComposer::DeleteKey(int layout) {
    if (charCount() == 0 || keyCount() == 1) {
        Reset();
        return;
    }
    typedKeys.pop_back();
    if (!keyGroups.empty()) {
        std::string& group = keyGroups.back();
        if (group.size() <= 1) {
            compositionText.pop_back();
            keyGroups.pop_back();
        } else {
            // The group falls back to its shorter sequence. The shorter code is in the tables
            // unless the layout changed since the group was built; then the code unit stays.
            group.pop_back();
            const LayoutTables& tables = layoutTables(layout);
            wchar_t code =
                group.size() == 1 ? oneKeyCode(tables, group.front()) : multiKeyCode(tables, group);
            if (code != L'\0') {
                compositionText.set_back(code);
            }
        }
    }
    RefreshCandidates(compositionText.view());
}

} // namespace revaze
