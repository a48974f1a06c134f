// What regsvr32 leaves in the registry for RevazeTip.dll, read back key by key and through the
// real msctf's own enumerations.
#pragma once

#include <string>

namespace tsfharness {

// Runs regsvr32 /s (with /u to unregister) on `dll`; its exit code, -1 when it did not start.
int RunRegsvr32(const std::wstring& dll, bool unregister);

void CheckRegistered(const std::wstring& dll);
void CheckUnregistered();

// The language profile as the real msctf lists it for Tibetan.
bool ProfileListed();

} // namespace tsfharness
