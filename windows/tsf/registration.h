// What regsvr32 writes and removes: the COM class (InprocServer32 naming this DLL, apartment
// threaded), the Tibetan keyboard input profile and the categories of a keyboard text service.
#pragma once

#include <windows.h>

namespace revaze::tsf {

// Registers everything; on failure removes what it wrote and returns the error.
HRESULT RegisterServer();
// Removes everything this DLL ever registered; S_OK when nothing is left.
HRESULT UnregisterServer();

} // namespace revaze::tsf
