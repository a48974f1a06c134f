// The dictionary both Windows front ends read: ZovovUvoz2.dat in the system directory.
#pragma once

#include <memory>
#include <string>

#include "dictionary/dictionary.h"

namespace revaze {

// The dictionary's path: ZovovUvoz2.dat in the system directory; empty when that is unknown.
std::wstring DictionaryPath();

// Opens the dictionary, mapped with its prepared index (openDictionary). What went wrong goes to
// the debugger's output and to standard output. Null when the file is refused (missing,
// unreadable, not a regular file, over 256 MiB), when there is no system directory, or when
// memory ran out building the index: the input method then types without candidates rather
// than not at all.
std::unique_ptr<Dictionary> LoadSystemDictionary();

} // namespace revaze
