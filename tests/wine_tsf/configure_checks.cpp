#include "tests/wine_tsf/configure_checks.h"

#include <windows.h>

#include <msctf.h>

#include "tests/wine/settings_dialog_driver.h"
#include "tests/wine_tsf/expected_ids.h"
#include "tsf/com_ptr.h"
#include "tsf/tsf_sdk.h"

namespace tsfharness {

using harness::check;
using revaze::tsf::ComPtr;

void CheckConfigure(const std::wstring& artifacts) {
    RegDeleteTreeW(HKEY_CURRENT_USER, harness::kSettingsKey);
    ComPtr<ITfFunctionProvider> provider;
    CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITfFunctionProvider,
                     provider.putVoid());
    ComPtr<ITfFnConfigure> configure;
    if (provider) {
        provider->GetFunction(GUID_NULL, __uuidof(ITfFnConfigure),
                              reinterpret_cast<IUnknown**>(configure.put()));
    }
    if (!check(static_cast<bool>(configure),
               "the text service's function provider hands out ITfFnConfigure")) {
        return;
    }
    ITfFnConfigure* raw = configure.get();
    harness::DialogDriver driver{artifacts, [raw] { raw->Show(nullptr, kTibetan, kProfile); },
                                 "ITfFnConfigure::Show", L"settings_dialog_tsf.bmp"};
    HANDLE thread = CreateThread(nullptr, 0, harness::driveSettingsDialog, &driver, 0, nullptr);
    check(SUCCEEDED(configure->Show(nullptr, kTibetan, kProfile)), "Show returns S_OK");
    WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
    harness::CheckSettingsWritten();
    RegDeleteTreeW(HKEY_CURRENT_USER, harness::kSettingsKey);
}

} // namespace tsfharness
