// What the service shows after a session call, the status window's and language bar's commands,
// and where the composition window goes.
#include "platform/guarded.h"
#include "platform/registry_settings.h"
#include "tsf/edit_session.h"
#include "tsf/lang_bar_menu.h"
#include "tsf/text_service.h"
#include "ui/monitors.h"

namespace revaze::tsf {

namespace {

// The composition window's top edge sits this far below the text being typed (its bottom edge
// this far above it when there is no room below).
constexpr int kBelowText = 4;

} // namespace

void TextService::apply(const Result& result) {
    if (result.beep) {
        MessageBeep(0);
    }
    const bool wasUiless = uiless_;
    followCandidates(result.view);
    if (windows_ && uiless_) {
        hideWindows();
    } else if (windows_) {
        // An application that closed the window the composition window belonged to took it
        // along: it comes back, unowned, for the next document.
        if (!IsWindow(windows_->comp.window)) {
            windows_->comp.CreateUIWindow(nullptr);
        }
        windows_->comp.Show(result.view);
        windows_->stat.Show(result.view);
        windows_->soft.Show(result.view);
        if (wasUiless) {
            // An application that draws no candidates of its own: the windows come back.
            showWindows(true);
        }
    }
    if (threadMgr_) {
        syncKeyboardOpen(result.view.mode);
    }
    updateLangBar(result.view);
}

void TextService::updateLangBar(const View& view) {
    // An update has the bar ask again for the icon (loaded from the resources), the text and the
    // tooltip: each button's depend on its one value, so most keys change neither.
    if (modeButton_ && barMode_ != view.mode) {
        barMode_ = view.mode;
        modeButton_->Update();
    }
    if (layoutButton_ && barLayout_ != view.state.layoutId) {
        barLayout_ = view.state.layoutId;
        layoutButton_->Update();
    }
}

void TextService::act(const Result& result) {
    apply(result);
    syncDocument();
}

void TextService::syncDocument() {
    if (!session_ || !writer_.needsUpdate(session_->view())) {
        return;
    }
    ComPtr<ITfContext> context(writer_.context());
    ComPtr<TextService> self(this);
    // The view is read when the session runs: a queued one writes the latest state.
    RequestEdit(context.get(), clientId_, TF_ES_ASYNCDONTCARE, [self, context](TfEditCookie ec) {
        self->writer_.Show(ec, context.get(), self->session_->view());
    });
}

void TextService::completeComposition(ITfContext* fallback) {
    if (!session_ || (!session_->view().composing && !writer_.hasInline())) {
        return;
    }
    ComPtr<ITfContext> target(writer_.context() != nullptr ? writer_.context() : fallback);
    if (!target) {
        // Nowhere to put it: the composition stays and goes into the next document.
        return;
    }
    ComPtr<TextService> self(this);
    RequestEdit(target.get(), clientId_, TF_ES_ASYNCDONTCARE,
                [self, target](TfEditCookie ec) { self->completeIn(ec, target.get()); });
}

void TextService::completeIn(TfEditCookie ec, ITfContext* context) {
    DocumentSink sink(writer_, ec, context);
    const Result result = session_->Complete(sink);
    writer_.Show(ec, context, result.view);
    apply(result);
}

void TextService::showWindows(bool show) {
    if (!windows_ || !session_) {
        return;
    }
    // A focus that comes back to a UI-less application brings none of them back.
    if (!show || uiless_) {
        hideWindows();
        return;
    }
    TipWindows& w = *windows_;
    const View& view = session_->view();
    w.stat.FollowFocusMonitor();
    w.stat.ShowNoActivate();
    if (view.state.softVisible) {
        w.soft.ShowNoActivate();
    }
    w.comp.Show(view);
}

void TextService::hideWindows() {
    if (windows_) {
        windows_->comp.HideWindow();
        windows_->stat.HideWindow();
        windows_->soft.HideWindow();
    }
}

void TextService::followDocumentWindow(HWND document) {
    if (!windows_ || !IsWindow(windows_->comp.window)) {
        return;
    }
    // Owned by the application's window, it stays above it, in the application's band (a Store
    // application's windows sit above the desktop's). Only a window of this thread may own it;
    // a document that names no window leaves it unowned and on top.
    HWND root = document != nullptr ? GetAncestor(document, GA_ROOT) : nullptr;
    if (root != nullptr && GetWindowThreadProcessId(root, nullptr) != GetCurrentThreadId()) {
        root = nullptr;
    }
    HWND comp = windows_->comp.window;
    if (GetWindow(comp, GW_OWNER) != root) {
        SetWindowLongPtrW(comp, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(root));
    }
}

void TextService::readTextExtent(TfEditCookie ec, ITfContext* context) {
    const TextExtentAnswer answer = writer_.TextExtent(ec, context);
    if (answer.rect) {
        textExtent_ = answer.rect;
    } else if (!answer.layoutPending) {
        textExtent_.reset();
    }
}

void TextService::followLayout(ITfContext* context) {
    if (layoutWatch_ && layoutWatch_->watch(context)) {
        textExtent_.reset();
    }
}

void TextService::layoutChanged(ITfContext* context) {
    if (!session_ || !windows_ || !session_->view().hasContent()) {
        return; // no composition window to move
    }
    // Read when the document allows: it may be in the middle of its own edit.
    ComPtr<ITfContext> target(context);
    ComPtr<TextService> self(this);
    RequestRead(target.get(), clientId_, TF_ES_ASYNCDONTCARE, [self, target](TfEditCookie ec) {
        self->readTextExtent(ec, target.get());
        if (self->windows_ && self->session_) {
            self->windows_->comp.Show(self->session_->view());
        }
    });
}

STDMETHODIMP TextService::OnSetThreadFocus() {
    return guarded(E_FAIL, [&] {
        followSettings();
        showWindows(true);
        return S_OK;
    });
}

STDMETHODIMP TextService::OnKillThreadFocus() {
    return guarded(E_FAIL, [&] {
        showWindows(false);
        return S_OK;
    });
}

void TextService::OnModeButton() {
    if (session_) {
        act(session_->ToggleInputMode());
    }
}

void TextService::OnSoftKeyboardButton() {
    if (session_) {
        act(session_->ToggleSoftKeyboard());
    }
}

void TextService::OnLayoutChosen(LayoutId layout) {
    if (session_) {
        act(session_->SelectLayout(layout));
        RememberLayout(ProcessSettings().Current(), layout);
    }
}

void TextService::followSettings() {
    bool changed = false;
    const Settings settings = ProcessSettings().Current(&changed);
    if (changed && session_) {
        act(session_->SetKeyPolicy(settings.Keys()));
    }
}

void TextService::OnSoftPageChosen(int page) {
    if (session_) {
        act(session_->ShowSoftPage(page));
    }
}

bool TextService::CompositionAnchor(TextAnchor& anchor) {
    if (textExtent_) {
        anchor = {toScreenRect(*textExtent_), 0, kBelowText};
        return true;
    }
    // The document did not say where its text is: the caret of the thread's focus window.
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetCurrentThreadId(), &thread) || thread.hwndCaret == nullptr) {
        return false;
    }
    POINT topLeft{thread.rcCaret.left, thread.rcCaret.top};
    POINT bottomRight{thread.rcCaret.right, thread.rcCaret.bottom};
    if (!ClientToScreen(thread.hwndCaret, &topLeft) ||
        !ClientToScreen(thread.hwndCaret, &bottomRight)) {
        return false;
    }
    anchor = {{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}, 0, kBelowText};
    return true;
}

const View& TextService::currentView() const {
    return session_->view();
}

void TextService::ToggleInputMode() {
    OnModeButton();
}

void TextService::RunMenuCommand(unsigned id) {
    const MenuAction action = ActionOfCommand(id);
    switch (action.kind) {
    case MenuAction::Kind::Layout:
        OnLayoutChosen(action.layout);
        break;
    case MenuAction::Kind::SoftKeyboard:
        OnSoftKeyboardButton();
        break;
    case MenuAction::Kind::EnglishMode:
        OnModeButton();
        break;
    case MenuAction::Kind::Settings:
        Show(MenuOwnerWindow(), 0, GUID_NULL);
        break;
    case MenuAction::Kind::None:
        break;
    }
}

HWND TextService::MenuOwnerWindow() const {
    return windows_ ? windows_->comp.window : nullptr;
}

} // namespace revaze::tsf
