// What every entry point of the DLLs leans on: QueryInterface from the list of interfaces, the
// guard that stops exceptions at the boundary, and the key trace.
#pragma once

namespace tsfharness {

void CheckComClass();
// Before the DLL's first key: the key trace is switched on for this check alone.
void CheckGuardAndTrace();

} // namespace tsfharness
