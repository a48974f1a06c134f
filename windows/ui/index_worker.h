// The thread that builds a dictionary's index when no prepared one fitted, while the front end's
// first keys are answered by the dictionary's scan.
#pragma once

#include <memory>

#include "dictionary/dictionary.h"

namespace revaze {

// Starts a thread that runs dictionary->buildIndex() and ends. It shares the dictionary (so the
// front end may let go of it first) and holds a reference to the module its code lives in (so
// the DLL stays loaded until the thread has ended); a build that fails is reported to the
// debugger and leaves the searches scanning. Never call it under the loader lock (from
// DllMain): it is meant for the first use. Returns false when no thread could be started: the
// caller then builds the index itself.
bool StartIndexWorker(const std::shared_ptr<Dictionary>& dictionary);

} // namespace revaze
