// What the whole DLL shares: its module handle, the count of its live COM objects and server
// locks (DllCanUnloadNow), and the dictionary every text service of the process reads.
#pragma once

#include <windows.h>

namespace revaze {
class Dictionary;
}

namespace revaze::tsf {

void SetModuleInstance(HINSTANCE instance);
HINSTANCE ModuleInstance();

// Every COM object of the DLL counts itself from construction to destruction.
void ObjectCreated();
void ObjectDestroyed();
// IClassFactory::LockServer.
void LockModule(bool lock);
// No live object and no lock: the DLL may be unloaded.
bool ModuleCanUnload();
// What ModuleCanUnload weighs: live objects plus server locks.
long LiveObjectCount();

// The dictionary in the system directory, read on first use (never under the loader lock) and
// shared read-only by every session of the process; null when it could not be loaded. Without a
// prepared index it answers by scanning while a thread of its own builds the index.
const Dictionary* SharedDictionary();
// At unload: lets go of the dictionary. Only when no session remains (DllCanUnloadNow said so);
// the thread that builds its index holds the DLL loaded, so it has let go of its share already.
void FreeSharedDictionary();

} // namespace revaze::tsf
