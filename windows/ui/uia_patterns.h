// The UI Automation pattern interfaces and identifiers the windows' elements use that
// mingw-w64's headers leave out (its uiautomationcore.h declares the provider interfaces only,
// and its uiautomationcoreapi.h does not compile as C++: a parameter is named `new`).
#pragma once

#include <windows.h>

#include <uiautomationcore.h>

#ifndef __ISelectionProvider_INTERFACE_DEFINED__
#define __ISelectionProvider_INTERFACE_DEFINED__
MIDL_INTERFACE("fb8b03af-3bdf-48d4-bd36-1a65793be168")
ISelectionProvider : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetSelection(SAFEARRAY * *pRetVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CanSelectMultiple(BOOL * pRetVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsSelectionRequired(BOOL * pRetVal) = 0;
};
__CRT_UUID_DECL(ISelectionProvider, 0xfb8b03af, 0x3bdf, 0x48d4, 0xbd, 0x36, 0x1a, 0x65, 0x79, 0x3b,
                0xe1, 0x68)
#endif

#ifndef __ISelectionItemProvider_INTERFACE_DEFINED__
#define __ISelectionItemProvider_INTERFACE_DEFINED__
MIDL_INTERFACE("2acad808-b2d4-452d-a407-91ff1ad167b2")
ISelectionItemProvider : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Select() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddToSelection() = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveFromSelection() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsSelected(BOOL * pRetVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SelectionContainer(IRawElementProviderSimple *
                                                             *pRetVal) = 0;
};
__CRT_UUID_DECL(ISelectionItemProvider, 0x2acad808, 0xb2d4, 0x452d, 0xa4, 0x07, 0x91, 0xff, 0x1a,
                0xd1, 0x67, 0xb2)
#endif

#ifndef __IInvokeProvider_INTERFACE_DEFINED__
#define __IInvokeProvider_INTERFACE_DEFINED__
MIDL_INTERFACE("54fcb24b-e18e-47a2-b4d3-eccbe77599a2")
IInvokeProvider : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke() = 0;
};
__CRT_UUID_DECL(IInvokeProvider, 0x54fcb24b, 0xe18e, 0x47a2, 0xb4, 0xd3, 0xec, 0xcb, 0xe7, 0x75,
                0x99, 0xa2)
#endif

namespace revaze {

inline constexpr LONG kUiaRootObjectId = -25;
inline constexpr int kUiaAppendRuntimeId = 3;
inline constexpr HRESULT kUiaElementNotAvailable = HRESULT(0x80040201);
inline constexpr HRESULT kUiaInvalidOperation = HRESULT(0x80131509);
inline constexpr int kUiaButtonControlType = 50000;
inline constexpr int kUiaListItemControlType = 50007;
inline constexpr int kUiaListControlType = 50008;
inline constexpr int kUiaToolBarControlType = 50021;
inline constexpr int kUiaElementSelectedEvent = 20012; // SelectionItem_ElementSelected

} // namespace revaze
