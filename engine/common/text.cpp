#include "common/text.h"

#include <cstdint>
#include <cstdio>

namespace revaze {

std::wstring utf8ToUnits(std::string_view s) {
    std::wstring out;
    std::size_t i = 0;
    auto cont = [&](std::size_t k) {
        return k < s.size() && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80;
    };
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::uint32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0 && cont(i + 1)) {
            cp = ((c & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu);
            len = 2;
            if (cp < 0x80) {
                cp = 0xFFFD;
            }
        } else if ((c & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
            cp = ((c & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu);
            len = 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) {
                cp = 0xFFFD;
            }
        } else if ((c & 0xF8) == 0xF0 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            cp = ((c & 0x07u) << 18) | ((s[i + 1] & 0x3Fu) << 12) | ((s[i + 2] & 0x3Fu) << 6) |
                 (s[i + 3] & 0x3Fu);
            len = 4;
            if (cp < 0x10000 || cp > 0x10FFFF) {
                cp = 0xFFFD;
            }
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(cp));
        }
    }
    return out;
}

std::string unitsToUtf8(std::wstring_view u) {
    std::string out;
    for (std::size_t i = 0; i < u.size(); ++i) {
        std::uint32_t cp = static_cast<std::uint32_t>(u[i]) & 0xFFFFu;
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < u.size()) {
            std::uint32_t lo = static_cast<std::uint32_t>(u[i + 1]) & 0xFFFFu;
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::string codepointList(std::wstring_view u) {
    std::string out;
    char buf[16];
    for (wchar_t c : u) {
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c) & 0xFFFFu);
        if (!out.empty()) {
            out.push_back(' ');
        }
        out += buf;
    }
    return out;
}

std::wstring widenKeys(std::string_view keys) {
    std::wstring out;
    out.reserve(keys.size());
    for (char k : keys) {
        out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(k)));
    }
    return out;
}

} // namespace revaze
