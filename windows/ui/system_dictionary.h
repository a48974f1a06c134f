// The dictionary both Windows front ends read: ZovovUvoz2.dat in the system directory.
#pragma once

#include <memory>
#include <string>

#include "dictionary/dictionary.h"

namespace revaze {

// The dictionary's path: ZovovUvoz2.dat in the system directory; empty when that is unknown.
std::wstring DictionaryPath();

// Reads the dictionary. What went wrong (no file, no system directory) goes to the debugger's
// output and to standard output, and the dictionary then holds what could be read. Null only
// when memory ran out: the input method then types without candidates rather than not at all.
std::unique_ptr<Dictionary> LoadSystemDictionary();

} // namespace revaze
