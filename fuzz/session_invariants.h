// What must hold of a session after every call, whatever came before: the composers' buffers
// within their capacities and terminated, their counts in step with the keys they hold, the
// candidates taken from the dictionary and paged correctly, and the view drawn from the active
// composer and the input state. Each check aborts through FUZZ_CHECK.
#pragma once

#include <string>
#include <unordered_set>

#include "session/session.h"

namespace revaze::fuzz {

void checkSession(const Session& session, const std::unordered_set<std::wstring>& offered);

// The text Enter would commit in the Wylie layout, worked out again from the syllable records.
std::wstring wylieComposedText(const WylieComposer& wylie);

} // namespace revaze::fuzz
