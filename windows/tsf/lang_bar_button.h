// Revaze's two language bar items: the input mode button (the system's input mode item, which
// the taskbar's input indicator shows: a click switches Tibetan and English, a right click
// opens the menu) and the layout menu button of the classic language bar.
#pragma once

#include <msctf.h>

#include "session/view.h"
#include "tsf/com_object.h"
#include "tsf/com_ptr.h"
#include "tsf/tsf_sdk.h"

namespace revaze::tsf {

// What the buttons ask of the text service that shows them.
class LangBarOwner {
public:
    virtual ~LangBarOwner() = default;
    virtual const View& currentView() const = 0;
    virtual void ToggleInputMode() = 0;
    // A command of LanguageBarMenu.
    virtual void RunMenuCommand(unsigned id) = 0;
    // A window of the text service's thread that can own a popup menu.
    virtual HWND MenuOwnerWindow() const = 0;
};

enum class LangBarKind { Mode, Layout };

class LangBarButton final
    : public ComObject<Chain<ITfLangBarItemButton, ITfLangBarItem>, ITfSource> {
public:
    LangBarButton(LangBarKind kind, LangBarOwner* owner) : kind_(kind), owner_(owner) {}

    // The owner goes away: the button, which the bar may still hold, answers nothing more.
    void detach() { owner_ = nullptr; }
    // The view changed: the bar redraws the button.
    void Update();

    // ITfLangBarItem
    STDMETHODIMP GetInfo(TF_LANGBARITEMINFO* info) override;
    STDMETHODIMP GetStatus(DWORD* status) override;
    STDMETHODIMP Show(BOOL show) override;
    STDMETHODIMP GetTooltipString(BSTR* tooltip) override;
    // ITfLangBarItemButton
    STDMETHODIMP OnClick(TfLBIClick click, POINT point, const RECT* area) override;
    STDMETHODIMP InitMenu(ITfMenu* menu) override;
    STDMETHODIMP OnMenuSelect(UINT id) override;
    STDMETHODIMP GetIcon(HICON* icon) override;
    STDMETHODIMP GetText(BSTR* text) override;
    // ITfSource
    STDMETHODIMP AdviseSink(REFIID riid, IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP UnadviseSink(DWORD cookie) override;

private:
    std::wstring text() const;
    void showPopupMenu(POINT point);

    LangBarKind kind_;
    LangBarOwner* owner_;
    ComPtr<ITfLangBarItemSink> sink_;
};

} // namespace revaze::tsf
