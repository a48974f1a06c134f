// The process-wide objects of the input method DLL (Windows only). Created at process attach in
// a fixed order and deleted at process detach.
#pragma once

#include <windows.h>

#include "dictionary/dictionary.h"
#include "session/ime_parts.h"
#include "session/key_router.h"

namespace revaze {
class CUIFrame;
class CUIComp;
class CUIStat;
class CUISoft;

// Reads the dictionary file from the system directory into g_dictionary when constructed.
class DictionaryLoader {
public:
    DictionaryLoader();
};
} // namespace revaze

extern HINSTANCE g_hInstance;
extern revaze::CUIFrame* g_uiFrame;
extern revaze::CUIComp* g_uiComp;
extern revaze::CUIStat* g_uiStat;
extern revaze::CUISoft* g_uiSoft;
extern revaze::DictionaryLoader* g_dictionaryLoader;
extern revaze::WylieComposer* g_wylieComposer;
extern revaze::SoftKeyComposer* g_softKeyComposer;
extern revaze::LayoutComposer* g_layoutComposer;
extern revaze::Dictionary g_dictionary;

namespace revaze {
// The input state (held by the status object), the three composers and the Windows host,
// bundled for the portable key handling. Valid between process attach and detach.
ImeParts& ImeObjects();
KeyRouter& Router();
} // namespace revaze
