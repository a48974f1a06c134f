// The COM objects of the text service: every one counts itself in the module from construction to
// destruction, so that DllCanUnloadNow knows when none is left.
#pragma once

#include "platform/com_class.h"
#include "tsf/dll_module.h"

namespace revaze::tsf {

struct ModuleObjects {
    static void Created() { ObjectCreated(); }
    static void Destroyed() { ObjectDestroyed(); }
};

// A class of the DLL implementing `Entries` (interfaces, or Chain<Interface, Bases...>).
template <typename... Entries> using ComObject = ComClass<ModuleObjects, Entries...>;

} // namespace revaze::tsf
