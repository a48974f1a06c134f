// The dictionary both Windows front ends read: ZovovUvoz2.dat in the system directory.
#pragma once

#include <memory>
#include <string>

#include "dictionary/dictionary.h"

namespace revaze {

// The dictionary's path: ZovovUvoz2.dat in the system directory; empty when that is unknown.
std::wstring DictionaryPath();

// Opens the dictionary at `path` mapped with its prepared index (openDictionary). When no prepared
// index fits, the dictionary comes back at once and answers by scanning its lines while a worker
// thread builds the index (StartIndexWorker); when no thread can be started, the index is built
// before this returns. The worker shares the dictionary: whoever lets go of it last frees it.
// What went wrong goes to the debugger's output and to standard output. Null when the file is
// refused (missing, unreadable, not a regular file, over 256 MiB) or memory ran out: the input
// method then types without candidates rather than not at all. Call it on first use, never
// under the loader lock.
std::shared_ptr<const Dictionary> OpenSharedDictionary(const std::wstring& path);

// OpenSharedDictionary(DictionaryPath()); null when there is no system directory.
std::shared_ptr<const Dictionary> LoadSystemDictionary();

} // namespace revaze
