// Revaze's text service: one per thread manager. It hands the keys TSF delivers to its own
// Session, writes the answers into the document through edit sessions, keeps the keyboard's
// open/close compartment and the session's mode in step, and shows the composition, status and
// soft keyboard windows the classic input method draws, plus two language bar buttons.
#pragma once

#include <msctf.h>

#include <memory>
#include <optional>

#include "session/session.h"
#include "tsf/com_object.h"
#include "tsf/com_ptr.h"
#include "tsf/document_writer.h"
#include "tsf/lang_bar_button.h"
#include "tsf/sink_advice.h"
#include "tsf/tsf_sdk.h"
#include "ui/cui_comp.h"
#include "ui/cui_soft.h"
#include "ui/cui_stat.h"
#include "ui/ui_owner.h"

namespace revaze::tsf {

// The three windows of an activated text service.
struct TipWindows {
    TipWindows(HINSTANCE instance, UiOwner& owner)
        : comp(instance, owner), stat(instance, owner), soft(instance, owner) {}
    CUIComp comp;
    CUIStat stat;
    CUISoft soft;
};

class TextService final
    : public ComObject<ITfTextInputProcessorEx, ITfThreadMgrEventSink, ITfKeyEventSink,
                       ITfCompositionSink, ITfDisplayAttributeProvider, ITfCompartmentEventSink,
                       ITfThreadFocusSink, ITfFunctionProvider, ITfFnConfigure>,
      public UiOwner,
      public LangBarOwner {
public:
    TextService();
    ~TextService() override;

    // ITfTextInputProcessor, ITfTextInputProcessorEx
    STDMETHODIMP Activate(ITfThreadMgr* threadMgr, TfClientId clientId) override;
    STDMETHODIMP ActivateEx(ITfThreadMgr* threadMgr, TfClientId clientId, DWORD flags) override;
    STDMETHODIMP Deactivate() override;
    // ITfThreadMgrEventSink
    STDMETHODIMP OnInitDocumentMgr(ITfDocumentMgr* documentMgr) override;
    STDMETHODIMP OnUninitDocumentMgr(ITfDocumentMgr* documentMgr) override;
    STDMETHODIMP OnSetFocus(ITfDocumentMgr* focus, ITfDocumentMgr* previous) override;
    STDMETHODIMP OnPushContext(ITfContext* context) override;
    STDMETHODIMP OnPopContext(ITfContext* context) override;
    // ITfKeyEventSink
    STDMETHODIMP OnSetFocus(BOOL foreground) override;
    STDMETHODIMP OnTestKeyDown(ITfContext* context, WPARAM wParam, LPARAM lParam,
                               BOOL* eaten) override;
    STDMETHODIMP OnTestKeyUp(ITfContext* context, WPARAM wParam, LPARAM lParam,
                             BOOL* eaten) override;
    STDMETHODIMP OnKeyDown(ITfContext* context, WPARAM wParam, LPARAM lParam, BOOL* eaten) override;
    STDMETHODIMP OnKeyUp(ITfContext* context, WPARAM wParam, LPARAM lParam, BOOL* eaten) override;
    STDMETHODIMP OnPreservedKey(ITfContext* context, REFGUID guid, BOOL* eaten) override;
    // ITfCompositionSink
    STDMETHODIMP OnCompositionTerminated(TfEditCookie ec, ITfComposition* composition) override;
    // ITfDisplayAttributeProvider
    STDMETHODIMP EnumDisplayAttributeInfo(IEnumTfDisplayAttributeInfo** infos) override;
    STDMETHODIMP GetDisplayAttributeInfo(REFGUID guid, ITfDisplayAttributeInfo** info) override;
    // ITfCompartmentEventSink
    STDMETHODIMP OnChange(REFGUID compartment) override;
    // ITfThreadFocusSink
    STDMETHODIMP OnSetThreadFocus() override;
    STDMETHODIMP OnKillThreadFocus() override;
    // ITfFunctionProvider: the one function is the settings window (text_service_configure.cpp).
    STDMETHODIMP GetType(GUID* type) override;
    STDMETHODIMP GetDescription(BSTR* description) override;
    STDMETHODIMP GetFunction(REFGUID group, REFIID riid, IUnknown** function) override;
    // ITfFnConfigure: the "Options" of Windows' language settings.
    STDMETHODIMP GetDisplayName(BSTR* name) override;
    STDMETHODIMP Show(HWND parent, LANGID language, REFGUID profile) override;

    // UiOwner: the status window's buttons and menu, the soft keyboard's pages.
    void OnModeButton() override;
    void OnSoftKeyboardButton() override;
    void OnLayoutChosen(LayoutId layout) override;
    void OnSoftPageChosen(int page) override;
    bool CompositionWindowOrigin(POINT& origin) override;

    // LangBarOwner
    const View& currentView() const override;
    void ToggleInputMode() override;
    void RunMenuCommand(unsigned id) override;
    HWND MenuOwnerWindow() const override;

private:
    void* interfaceFor(REFIID riid) override;

    // Activation, text_service.cpp.
    bool adviseKeySink();
    void unadviseKeySink();
    void registerAttribute();
    ComPtr<ITfCompartment> openCloseCompartment() const;
    void createWindows();
    void destroyWindows();
    void addLangBarButtons();
    void removeLangBarButtons();
    ComPtr<ITfContext> focusedContext() const;
    bool immersive() const { return (activationFlags_ & TF_TMF_IMMERSIVEMODE) != 0; }

    // Keys, text_service_keys.cpp.
    bool takes(const KeyEvent& key) const;
    void passKey(const KeyEvent& key);
    void feedPassedKey();
    void runKey(ITfContext* context, const KeyEvent& key);
    // OnTestKeyDown/Up and OnKeyDown/Up, for a press or a release.
    HRESULT testKey(WPARAM wParam, LPARAM lParam, bool released, BOOL* eaten);
    HRESULT handleKey(ITfContext* context, WPARAM wParam, LPARAM lParam, bool released,
                      BOOL* eaten);

    // Showing a session call's answer, text_service_ui.cpp.
    void apply(const Result& result);
    // For calls outside a key: the answer, then the document brought in line when it shows a
    // composition the session has changed or dropped.
    void act(const Result& result);
    void syncDocument();
    void syncKeyboardOpen(InputMode mode);
    // Redraws a language bar button whose value (the mode, the layout) has changed.
    void updateLangBar(const View& view);
    // Commits what is composed into the document it was typed in (`fallback` when the service
    // does not know which): the focus moves on, nothing is lost.
    void completeComposition(ITfContext* fallback);
    // Inside an edit session on `context`: commits what is composed there and shows the answer.
    void completeIn(TfEditCookie ec, ITfContext* context);
    void showWindows(bool show);
    // The focus came back: settings changed since take effect now.
    void followSettings();
    // The composition window belongs to the top-level window of the document being typed in.
    void followDocumentWindow(HWND document);

    ComPtr<ITfThreadMgr> threadMgr_;
    TfClientId clientId_ = TF_CLIENTID_NULL;
    DWORD activationFlags_ = 0;
    bool keySinkAdvised_ = false;
    // Made at the first activation and kept: mode and layout survive a deactivation.
    std::unique_ptr<Session> session_;
    bool functionProviderAdvised_ = false;
    DocumentWriter writer_;
    SinkAdvice threadMgrSink_;
    SinkAdvice threadFocusSink_;
    SinkAdvice compartmentSink_;
    ComPtr<ITfLangBarItemMgr> langBarMgr_;
    ComPtr<LangBarButton> modeButton_;
    ComPtr<LangBarButton> layoutButton_;
    // What the buttons last told the bar; empty for buttons the bar has yet to hear from.
    std::optional<InputMode> barMode_;
    std::optional<LayoutId> barLayout_;
    std::unique_ptr<TipWindows> windows_;
    // A key that went to the application, which the session has yet to see.
    std::optional<KeyEvent> passedKey_;
    // Where the text being typed is on the screen, as the document last said.
    std::optional<RECT> textExtent_;
};

} // namespace revaze::tsf
