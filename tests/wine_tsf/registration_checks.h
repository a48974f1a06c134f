// What regsvr32 leaves in the registry for RevazeTip.dll, read back key by key and through the
// real msctf's own enumerations.
#pragma once

#include <string>

#include "expected_ids.h"

namespace tsfharness {

// RevazeTip.dll in the folder of `ime` (the harnesses are handed Revaze.ime's path).
std::wstring TipBeside(const std::wstring& ime);

// Runs regsvr32 /s (with /u to unregister) on `dll`; its exit code, -1 when it did not start.
int RunRegsvr32(const std::wstring& dll, bool unregister);

void CheckRegistered(const std::wstring& dll);
void CheckUnregistered();

// A language profile as the real msctf lists it: Tibetan's, or the one under `language`.
bool ProfileListed(LANGID language = kTibetan, const GUID& profile = kProfile);

} // namespace tsfharness
