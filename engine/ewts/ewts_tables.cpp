#include "ewts/ewts_tables.h"

#include <algorithm>

namespace revaze {

namespace {

template <typename Table> auto findKey(const Table& table, std::string_view key) {
    const auto it =
        std::find_if(table.begin(), table.end(), [key](const auto& row) { return row.key == key; });
    return it != table.end() ? &*it : nullptr;
}

} // namespace

const EwtsConsonant* findEwtsConsonant(std::string_view key) {
    return findKey(EwtsConsonantTable, key);
}

const EwtsVowel* findEwtsVowel(std::string_view key) {
    return findKey(EwtsVowelTable, key);
}

const EwtsMark* findEwtsMark(std::string_view key) {
    return findKey(EwtsMarkTable, key);
}

const EwtsSymbol* findEwtsSymbol(std::string_view key) {
    return findKey(EwtsSymbolTable, key);
}

bool ewtsSuperscriptOver(std::string_view key, std::string_view below) {
    const EwtsSuperscript* superscript = findKey(EwtsSuperscriptTable, key);
    if (superscript == nullptr || below.empty() || below.find(' ') != std::string_view::npos) {
        return false;
    }
    const std::string_view over = superscript->over;
    for (std::size_t at = over.find(below); at != std::string_view::npos;
         at = over.find(below, at + 1)) {
        if (over[at - 1] == ' ' && over[at + below.size()] == ' ') {
            return true;
        }
    }
    return false;
}

bool isEwtsSubscript(std::string_view key) {
    return std::find(EwtsSubscripts.begin(), EwtsSubscripts.end(), key) != EwtsSubscripts.end();
}

bool isEwtsKey(std::string_view key) {
    return findEwtsConsonant(key) != nullptr || findEwtsVowel(key) != nullptr ||
           findEwtsMark(key) != nullptr || findEwtsSymbol(key) != nullptr;
}

} // namespace revaze
