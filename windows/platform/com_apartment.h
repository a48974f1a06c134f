// COM and GUID helpers shared by the text service's registration and the installer's helper.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <string>

namespace revaze {

// Holds a single-threaded COM apartment for the calls of one function; the caller may have
// initialised COM already (regsvr32 may or may not have), and then this changes nothing.
class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ok_;
};

// A GUID as the registry writes it: "{0530BC3B-B775-...}".
inline std::wstring guidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

} // namespace revaze
