#include "tsf/lang_bar_button.h"

#include <olectl.h>

#include <cwchar>

#include "platform/guarded.h"
#include "tsf/guids.h"
#include "tsf/lang_bar_menu.h"
#include "ui/theme.h"

namespace revaze::tsf {

namespace {

// The one sink a button takes is known by this cookie.
constexpr DWORD kSinkCookie = 1;

HRESULT giveString(const std::wstring& text, BSTR* out) {
    if (out == nullptr) {
        return E_INVALIDARG;
    }
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

} // namespace

void LangBarButton::Update() {
    if (sink_) {
        sink_->OnUpdate(TF_LBI_ICON | TF_LBI_TEXT | TF_LBI_TOOLTIP | TF_LBI_STATUS);
    }
}

std::wstring LangBarButton::text() const {
    if (owner_ == nullptr) {
        return L"Revaze";
    }
    const View& view = owner_->currentView();
    if (kind_ == LangBarKind::Mode) {
        return ModeButtonText(view.mode);
    }
    const Layout* layout = findLayout(view.state.layoutId);
    return layout != nullptr ? std::wstring(layout->name.begin(), layout->name.end()) : L"Revaze";
}

STDMETHODIMP LangBarButton::GetInfo(TF_LANGBARITEMINFO* info) {
    if (info == nullptr) {
        return E_INVALIDARG;
    }
    *info = {};
    info->clsidService = kTextServiceClsid;
    const wchar_t* description = nullptr;
    if (kind_ == LangBarKind::Mode) {
        info->guidItem = kLangBarInputModeItem;
        info->dwStyle = TF_LBI_STYLE_BTN_BUTTON | TF_LBI_STYLE_SHOWNINTRAY;
        info->ulSort = 0;
        description = L"Revaze input mode";
    } else {
        info->guidItem = kLayoutButtonGuid;
        info->dwStyle = TF_LBI_STYLE_BTN_MENU | TF_LBI_STYLE_SHOWNINTRAY;
        info->ulSort = 1;
        description = L"Revaze layout";
    }
    std::wcsncpy(info->szDescription, description, TF_LBI_DESC_MAXLEN - 1);
    return S_OK;
}

STDMETHODIMP LangBarButton::GetStatus(DWORD* status) {
    if (status == nullptr) {
        return E_INVALIDARG;
    }
    *status = owner_ == nullptr ? TF_LBI_STATUS_DISABLED : 0;
    return S_OK;
}

STDMETHODIMP LangBarButton::Show(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP LangBarButton::GetTooltipString(BSTR* tooltip) {
    return guarded(E_FAIL, [&] { return giveString(text(), tooltip); });
}

STDMETHODIMP LangBarButton::OnClick(TfLBIClick click, POINT point, const RECT*) {
    if (owner_ == nullptr || kind_ != LangBarKind::Mode) {
        return S_OK;
    }
    return guarded(E_FAIL, [&] {
        if (click == TF_LBI_CLK_LEFT) {
            owner_->ToggleInputMode();
        } else if (click == TF_LBI_CLK_RIGHT) {
            showPopupMenu(point);
        }
        return S_OK;
    });
}

void LangBarButton::showPopupMenu(POINT point) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    for (const MenuEntry& entry : LanguageBarMenu(owner_->currentView())) {
        if (entry.separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED), entry.id,
                        entry.text.c_str());
        }
    }
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_BOTTOMALIGN,
                         point.x, point.y, owner_->MenuOwnerWindow(), nullptr));
    DestroyMenu(menu);
    if (chosen != 0 && owner_ != nullptr) {
        owner_->RunMenuCommand(chosen);
    }
}

STDMETHODIMP LangBarButton::InitMenu(ITfMenu* menu) {
    if (menu == nullptr) {
        return E_INVALIDARG;
    }
    if (owner_ == nullptr) {
        return S_OK;
    }
    return guarded(E_FAIL, [&] {
        for (const MenuEntry& entry : LanguageBarMenu(owner_->currentView())) {
            DWORD flags = 0;
            if (entry.separator) {
                flags = TF_LBMENUF_SEPARATOR;
            } else if (entry.checked) {
                flags = entry.radio ? TF_LBMENUF_RADIOCHECKED : TF_LBMENUF_CHECKED;
            }
            menu->AddMenuItem(entry.id, flags, nullptr, nullptr, entry.text.c_str(),
                              static_cast<ULONG>(entry.text.size()), nullptr);
        }
        return S_OK;
    });
}

STDMETHODIMP LangBarButton::OnMenuSelect(UINT id) {
    if (owner_ == nullptr) {
        return S_OK;
    }
    return guarded(E_FAIL, [&] {
        owner_->RunMenuCommand(id);
        return S_OK;
    });
}

STDMETHODIMP LangBarButton::GetIcon(HICON* icon) {
    if (icon == nullptr) {
        return E_INVALIDARG;
    }
    const bool english = owner_ != nullptr && kind_ == LangBarKind::Mode &&
                         owner_->currentView().mode == InputMode::English;
    const bool dark = TaskbarIsDark();
    const int id = english ? (dark ? kEnglishDarkIconId : kEnglishIconId)
                           : (dark ? kTibetanDarkIconId : kTibetanIconId);
    // Not shared: the bar destroys the icon it is given. The small icon size follows the DPI.
    *icon = static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0));
    return *icon != nullptr ? S_OK : E_FAIL;
}

STDMETHODIMP LangBarButton::GetText(BSTR* text) {
    return guarded(E_FAIL, [&] { return giveString(this->text(), text); });
}

STDMETHODIMP LangBarButton::AdviseSink(REFIID riid, IUnknown* sink, DWORD* cookie) {
    if (sink == nullptr || cookie == nullptr) {
        return E_INVALIDARG;
    }
    if (riid != IID_ITfLangBarItemSink) {
        return CONNECT_E_CANNOTCONNECT;
    }
    if (sink_) {
        return CONNECT_E_ADVISELIMIT;
    }
    if (FAILED(sink->QueryInterface(IID_ITfLangBarItemSink, sink_.putVoid()))) {
        return E_NOINTERFACE;
    }
    *cookie = kSinkCookie;
    return S_OK;
}

STDMETHODIMP LangBarButton::UnadviseSink(DWORD cookie) {
    if (cookie != kSinkCookie || !sink_) {
        return CONNECT_E_NOCONNECTION;
    }
    sink_.reset();
    return S_OK;
}

} // namespace revaze::tsf
