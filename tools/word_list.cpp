#include "tools/word_list.h"

#include <algorithm>
#include <set>

#include "common/text.h"

namespace revaze {

namespace {

bool isTsheg(wchar_t c) {
    return c == 0x0F0B || c == 0x0F0C;
}

} // namespace

std::size_t syllableCount(std::wstring_view word) {
    std::size_t count = 0;
    bool inSyllable = false;
    for (wchar_t c : word) {
        if (isTsheg(c)) {
            inSyllable = false;
        } else if (!inSyllable) {
            inSyllable = true;
            ++count;
        }
    }
    return count;
}

std::vector<std::wstring> orderedWords(std::string_view list) {
    struct Entry {
        std::size_t syllables;
        std::string utf8; // UTF-8 byte order is code-point order
        std::wstring units;
    };
    std::set<std::string> seen;
    std::vector<Entry> entries;
    std::size_t pos = 0;
    while (pos < list.size()) {
        std::size_t end = list.find('\n', pos);
        if (end == std::string_view::npos) {
            end = list.size();
        }
        std::string_view line = list.substr(pos, end - pos);
        pos = end + 1;
        while (!line.empty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        if (line.empty() || !seen.insert(std::string(line)).second) {
            continue;
        }
        std::wstring units = utf8ToUnits(line);
        entries.push_back({syllableCount(units), std::string(line), std::move(units)});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.syllables != b.syllables) {
            return a.syllables < b.syllables;
        }
        return a.utf8 < b.utf8;
    });
    std::vector<std::wstring> words;
    words.reserve(entries.size());
    for (Entry& e : entries) {
        words.push_back(std::move(e.units));
    }
    return words;
}

std::string dictionaryFileBytes(const std::vector<std::wstring>& words) {
    std::string bytes = "\xFF\xFE";
    auto put = [&bytes](wchar_t c) {
        unsigned u = static_cast<unsigned>(c) & 0xFFFFu;
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    };
    for (const std::wstring& word : words) {
        for (wchar_t c : word) {
            put(c);
        }
        put(L'\r');
        put(L'\n');
    }
    return bytes;
}

} // namespace revaze
