#include "wylie/wylie_tables.h"

namespace revaze {

namespace {

// Linear scan up to the first empty key; the first match wins.
template <typename Table> auto findCluster(const Table& table, std::string_view key) {
    for (const auto& entry : table) {
        if (entry.key.empty()) {
            break;
        }
        if (entry.key == key) {
            return &entry;
        }
    }
    return static_cast<decltype(&table[0])>(nullptr);
}

} // namespace

bool isWylieKey(char ch) {
    // The alphabet is a wide string: compare the key as the unsigned byte it was typed as.
    return ch != '\0' && WylieAlphabet.find(static_cast<wchar_t>(static_cast<unsigned char>(ch))) !=
                             std::wstring_view::npos;
}

bool findDirectKey(char ch, wchar_t& unit) {
    for (const DirectKey& entry : DirectKeyTable) {
        if (entry.key == '\0') {
            return false;
        }
        if (entry.key == ch) {
            unit = entry.unit;
            return true;
        }
    }
    return false;
}

const VowelEntry* findVowel(char ch) {
    for (const VowelEntry& entry : VowelTable) {
        if (entry.key == ch) {
            return &entry;
        }
    }
    return nullptr;
}

wchar_t letterOf(char ch) {
    const LetterEntry* entry = findCluster(LetterTable, std::string_view(&ch, 1));
    return entry != nullptr ? entry->unit : L'\0';
}

const PairEntry* findPair(std::string_view key) {
    return findCluster(PairTable, key);
}
const TripleEntry* findTriple(std::string_view key) {
    return findCluster(TripleTable, key);
}
const QuadEntry* findQuad(std::string_view key) {
    return findCluster(QuadTable, key);
}

} // namespace revaze
