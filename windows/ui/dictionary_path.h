// Where both front ends read the dictionary: ZovovUvoz2.dat in the system directory. Pure, so
// that the rule for a failed lookup is tested natively.
#pragma once

#include <cstddef>
#include <string>

#include "dictionary/dictionary.h"

namespace revaze {

// `answered` is what GetSystemDirectoryW returned for a buffer of `capacity` units: 0 when it
// failed, the size it needs when the buffer is too small. Then the system directory is unknown
// and the path is empty: no dictionary is read, rather than one from the root of the current
// drive.
inline std::wstring dictionaryPathIn(const wchar_t* buffer, std::size_t capacity,
                                     std::size_t answered) {
    if (buffer == nullptr || answered == 0 || answered >= capacity) {
        return {};
    }
    return std::wstring(buffer, answered) + L"\\" + kDictionaryFileName;
}

} // namespace revaze
