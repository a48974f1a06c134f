// The parts of the Text Services Framework headers that mingw-w64 10 does not ship: five
// interfaces of the Windows SDK's msctf.h, two of its ctfutb.h, two of its ctffunc.h, their flags,
// and the category and language bar GUIDs. Each is declared only when the toolchain's headers lack
// it; method order and identifiers are those of the Windows SDK.
#pragma once

#include <windows.h>

#include <msctf.h>

#ifndef __ITfTextInputProcessorEx_INTERFACE_DEFINED__
#define __ITfTextInputProcessorEx_INTERFACE_DEFINED__
MIDL_INTERFACE("6e4e2102-f9cd-433d-b496-303ce03a6507")
ITfTextInputProcessorEx : public ITfTextInputProcessor {
    virtual HRESULT STDMETHODCALLTYPE ActivateEx(ITfThreadMgr * threadMgr, TfClientId clientId,
                                                 DWORD flags) = 0;
};
__CRT_UUID_DECL(ITfTextInputProcessorEx, 0x6e4e2102, 0xf9cd, 0x433d, 0xb4, 0x96, 0x30, 0x3c, 0xe0,
                0x3a, 0x65, 0x07)
#endif

#ifndef __ITfDisplayAttributeProvider_INTERFACE_DEFINED__
#define __ITfDisplayAttributeProvider_INTERFACE_DEFINED__
MIDL_INTERFACE("fee47777-163c-4769-996a-6e9c50ad8f54")
ITfDisplayAttributeProvider : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE EnumDisplayAttributeInfo(IEnumTfDisplayAttributeInfo *
                                                               *infos) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDisplayAttributeInfo(REFGUID guid,
                                                              ITfDisplayAttributeInfo * *info) = 0;
};
__CRT_UUID_DECL(ITfDisplayAttributeProvider, 0xfee47777, 0x163c, 0x4769, 0x99, 0x6a, 0x6e, 0x9c,
                0x50, 0xad, 0x8f, 0x54)
#endif

#ifndef __ITfCandidateListUIElement_INTERFACE_DEFINED__
#define __ITfCandidateListUIElement_INTERFACE_DEFINED__
MIDL_INTERFACE("ea1ea138-19df-11d7-a6d2-00065b84435c")
ITfCandidateListUIElement : public ITfUIElement {
    virtual HRESULT STDMETHODCALLTYPE GetUpdatedFlags(DWORD * flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDocumentMgr(ITfDocumentMgr * *documentMgr) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCount(UINT * count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSelection(UINT * index) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetString(UINT index, BSTR * text) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPageIndex(UINT * starts, UINT size, UINT * pageCount) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPageIndex(UINT * starts, UINT pageCount) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPage(UINT * page) = 0;
};
__CRT_UUID_DECL(ITfCandidateListUIElement, 0xea1ea138, 0x19df, 0x11d7, 0xa6, 0xd2, 0x00, 0x06, 0x5b,
                0x84, 0x43, 0x5c)
#endif

#ifndef __ITfCandidateListUIElementBehavior_INTERFACE_DEFINED__
#define __ITfCandidateListUIElementBehavior_INTERFACE_DEFINED__
MIDL_INTERFACE("85fad185-58ce-497a-9460-355366b64b9a")
ITfCandidateListUIElementBehavior : public ITfCandidateListUIElement {
    virtual HRESULT STDMETHODCALLTYPE SetSelection(UINT index) = 0;
    virtual HRESULT STDMETHODCALLTYPE Finalize() = 0;
    virtual HRESULT STDMETHODCALLTYPE Abort() = 0;
};
__CRT_UUID_DECL(ITfCandidateListUIElementBehavior, 0x85fad185, 0x58ce, 0x497a, 0x94, 0x60, 0x35,
                0x53, 0x66, 0xb6, 0x4b, 0x9a)
#endif

// What a candidate list UI element reports changed (GetUpdatedFlags).
#ifndef TF_CLUIE_DOCUMENTMGR
#define TF_CLUIE_DOCUMENTMGR 0x00000001
#define TF_CLUIE_COUNT 0x00000002
#define TF_CLUIE_SELECTION 0x00000004
#define TF_CLUIE_STRING 0x00000008
#define TF_CLUIE_PAGEINDEX 0x00000010
#define TF_CLUIE_CURRENTPAGE 0x00000020
#endif
#ifndef TF_INVALID_UIELEMENTID
#define TF_INVALID_UIELEMENTID DWORD(-1)
#endif

#ifndef __ITfTextLayoutSink_INTERFACE_DEFINED__
#define __ITfTextLayoutSink_INTERFACE_DEFINED__
typedef enum { TF_LC_CREATE = 0, TF_LC_CHANGE = 1, TF_LC_DESTROY = 2 } TfLayoutCode;
MIDL_INTERFACE("2af2d06a-dd5b-4927-a0b4-54f19c91fade")
ITfTextLayoutSink : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE OnLayoutChange(ITfContext * context, TfLayoutCode code,
                                                     ITfContextView * view) = 0;
};
__CRT_UUID_DECL(ITfTextLayoutSink, 0x2af2d06a, 0xdd5b, 0x4927, 0xa0, 0xb4, 0x54, 0xf1, 0x9c, 0x91,
                0xfa, 0xde)
#endif

#ifndef __ITfMenu_INTERFACE_DEFINED__
#define __ITfMenu_INTERFACE_DEFINED__
MIDL_INTERFACE("6f8a98e4-aaa0-4f15-8c5b-07e0df0a3dd8")
ITfMenu : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE AddMenuItem(UINT id, DWORD flags, HBITMAP bitmap,
                                                  HBITMAP mask, const WCHAR* text, ULONG length,
                                                  ITfMenu** submenu) = 0;
};
__CRT_UUID_DECL(ITfMenu, 0x6f8a98e4, 0xaaa0, 0x4f15, 0x8c, 0x5b, 0x07, 0xe0, 0xdf, 0x0a, 0x3d, 0xd8)
#endif

#ifndef __ITfLangBarItemButton_INTERFACE_DEFINED__
#define __ITfLangBarItemButton_INTERFACE_DEFINED__
typedef enum { TF_LBI_CLK_RIGHT = 1, TF_LBI_CLK_LEFT = 2 } TfLBIClick;
MIDL_INTERFACE("28c7f1d0-de25-11d2-afdd-00105a2799b5")
ITfLangBarItemButton : public ITfLangBarItem {
    virtual HRESULT STDMETHODCALLTYPE OnClick(TfLBIClick click, POINT point, const RECT* area) = 0;
    virtual HRESULT STDMETHODCALLTYPE InitMenu(ITfMenu * menu) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnMenuSelect(UINT id) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetIcon(HICON * icon) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetText(BSTR * text) = 0;
};
__CRT_UUID_DECL(ITfLangBarItemButton, 0x28c7f1d0, 0xde25, 0x11d2, 0xaf, 0xdd, 0x00, 0x10, 0x5a,
                0x27, 0x99, 0xb5)
#endif

// Language bar item styles and states, menu item flags (ctfutb.h).
#ifndef TF_LBI_STYLE_BTN_BUTTON
#define TF_LBI_ICON 0x00000001
#define TF_LBI_TEXT 0x00000002
#define TF_LBI_TOOLTIP 0x00000004
#define TF_LBI_STATUS 0x00010000
#define TF_LBI_STYLE_SHOWNINTRAY 0x00000002
#define TF_LBI_STYLE_BTN_BUTTON 0x00010000
#define TF_LBI_STYLE_BTN_MENU 0x00020000
#define TF_LBI_STATUS_DISABLED 0x00000002
#define TF_LBMENUF_CHECKED 0x00000001
#define TF_LBMENUF_SEPARATOR 0x00000004
#define TF_LBMENUF_RADIOCHECKED 0x00000008
#endif

// ActivateEx's flag for a text service activated in an immersive (Store) application.
#ifndef TF_TMF_IMMERSIVEMODE
#define TF_TMF_IMMERSIVEMODE 0x40000000
#endif

#ifndef TF_CLIENTID_NULL
#define TF_CLIENTID_NULL 0
#endif
#ifndef TF_INVALID_GUIDATOM
#define TF_INVALID_GUIDATOM 0
#endif
#ifndef TF_S_ASYNC
#define TF_S_ASYNC TS_S_ASYNC
#endif
#ifndef TF_E_SYNCHRONOUS
#define TF_E_SYNCHRONOUS TS_E_SYNCHRONOUS
#endif

#ifndef __ITfFunction_INTERFACE_DEFINED__
#define __ITfFunction_INTERFACE_DEFINED__
MIDL_INTERFACE("db593490-098f-11d3-8df0-00105a2799b5")
ITfFunction : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetDisplayName(BSTR * name) = 0;
};
__CRT_UUID_DECL(ITfFunction, 0xdb593490, 0x098f, 0x11d3, 0x8d, 0xf0, 0x00, 0x10, 0x5a, 0x27, 0x99,
                0xb5)
#endif

#ifndef __ITfFnConfigure_INTERFACE_DEFINED__
#define __ITfFnConfigure_INTERFACE_DEFINED__
MIDL_INTERFACE("88f567c6-1757-49f8-a1b2-89234c1eeff9")
ITfFnConfigure : public ITfFunction {
    virtual HRESULT STDMETHODCALLTYPE Show(HWND parent, LANGID language, REFGUID profile) = 0;
};
__CRT_UUID_DECL(ITfFnConfigure, 0x88f567c6, 0x1757, 0x49f8, 0xa1, 0xb2, 0x89, 0x23, 0x4c, 0x1e,
                0xef, 0xf9)
#endif

namespace revaze::tsf {

// Categories a keyboard text service declares beyond GUID_TFCAT_TIP_KEYBOARD and
// GUID_TFCAT_DISPLAYATTRIBUTEPROVIDER, which libuuid has.
inline constexpr GUID kCategoryUiElementEnabled = {
    0x49d2f9cf, 0x1f5e, 0x11d7, {0xa6, 0xd3, 0x00, 0x06, 0x5b, 0x84, 0x43, 0x5c}};
inline constexpr GUID kCategoryImmersiveSupport = {
    0x13a016df, 0x560b, 0x46cd, {0x94, 0x7a, 0x4c, 0x3a, 0xf1, 0xe0, 0xe3, 0x5d}};
inline constexpr GUID kCategorySystraySupport = {
    0x25504fb4, 0x7bab, 0x4bc1, {0x9c, 0x69, 0xcf, 0x81, 0x89, 0x0f, 0x0e, 0xf5}};

// The language bar item the taskbar's input indicator shows for the active keyboard service.
inline constexpr GUID kLangBarInputModeItem = {
    0x2c77a81e, 0x41cc, 0x4178, {0xa3, 0xa7, 0x5f, 0x8a, 0x98, 0x75, 0x68, 0xe6}};

} // namespace revaze::tsf
