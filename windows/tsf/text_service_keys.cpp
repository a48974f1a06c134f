// The key event sink. TSF asks first (OnTestKey...: no side effects) and hands over only the
// keys the service says it takes (OnKey...). The session decides both; a taken key runs inside
// a synchronous edit session, so that its commits reach the document before the next key.
#include "platform/guarded.h"
#include "tsf/edit_session.h"
#include "tsf/key_translation.h"
#include "tsf/text_service.h"

namespace revaze::tsf {

// The service takes the keys the session takes, and the release of a lone Shift tap, which
// switches the mode and must reach OnKeyUp. The others are the application's.
bool TextService::takes(const KeyEvent& key) const {
    const KeyTest test = session_->Test(key);
    return test.take || test.switchesMode;
}

// A key that goes on to the application: the session sees it as the classic input method's
// would, and commits nothing.
void TextService::passKey(const KeyEvent& key) {
    NoCommits none;
    const Result result = session_->Key(key, none);
    TraceKey("TextService::passKey", key, result);
    apply(result);
}

// TSF hands the service only the keys it takes; the others go to the application unseen. The
// session still has to see them (a lone Shift tap is one with no other key in between; Backspace
// and Enter with nothing composed empty the composer), so a key the service let pass is kept
// and handed to the session at the next key event, before that key is decided.
void TextService::feedPassedKey() {
    if (passedKey_ && session_) {
        const KeyEvent key = *passedKey_;
        passedKey_.reset();
        passKey(key);
    }
}

void TextService::runKey(ITfContext* context, const KeyEvent& key) {
    followLayout(context);
    const bool ran = RequestEdit(context, clientId_, TF_ES_SYNC, [&](TfEditCookie ec) {
        DocumentSink sink(writer_, ec, context);
        const Result result = session_->Key(key, sink);
        TraceKey("TextService::runKey", key, result);
        writer_.Show(ec, context, result.view);
        readTextExtent(ec, context);
        followDocumentWindow(DocumentWindow(context));
        apply(result);
    });
    if (!ran) {
        // No document to write to: the session takes the key all the same, keeps whatever it
        // could not commit, and the composition window shows it.
        passKey(key);
    }
}

HRESULT TextService::testKey(WPARAM wParam, LPARAM lParam, bool released, BOOL* eaten) {
    if (eaten == nullptr) {
        return E_INVALIDARG;
    }
    *eaten = FALSE;
    return guarded(E_FAIL, [&] {
        if (session_) {
            feedPassedKey();
            const KeyEvent key = KeyFromMessage(wParam, lParam, released);
            *eaten = takes(key) ? TRUE : FALSE;
            if (!*eaten) {
                passedKey_ = key;
            }
        }
        return S_OK;
    });
}

HRESULT TextService::handleKey(ITfContext* context, WPARAM wParam, LPARAM lParam, bool released,
                               BOOL* eaten) {
    if (eaten == nullptr) {
        return E_INVALIDARG;
    }
    *eaten = FALSE;
    return guarded(E_FAIL, [&] {
        if (!session_) {
            return S_OK;
        }
        feedPassedKey();
        const KeyEvent key = KeyFromMessage(wParam, lParam, released);
        if (takes(key)) {
            // A taken Shift release switches the mode, which drops what is composed: the
            // document's composition goes too.
            *eaten = TRUE;
            runKey(context, key);
        } else {
            // Some applications hand keys over without asking first.
            passKey(key);
        }
        return S_OK;
    });
}

STDMETHODIMP TextService::OnSetFocus(BOOL foreground) {
    return guarded(E_FAIL, [&] {
        showWindows(foreground != FALSE);
        return S_OK;
    });
}

STDMETHODIMP TextService::OnTestKeyDown(ITfContext*, WPARAM wParam, LPARAM lParam, BOOL* eaten) {
    return testKey(wParam, lParam, false, eaten);
}

STDMETHODIMP TextService::OnTestKeyUp(ITfContext*, WPARAM wParam, LPARAM lParam, BOOL* eaten) {
    return testKey(wParam, lParam, true, eaten);
}

STDMETHODIMP TextService::OnKeyDown(ITfContext* context, WPARAM wParam, LPARAM lParam,
                                    BOOL* eaten) {
    return handleKey(context, wParam, lParam, false, eaten);
}

STDMETHODIMP TextService::OnKeyUp(ITfContext* context, WPARAM wParam, LPARAM lParam, BOOL* eaten) {
    return handleKey(context, wParam, lParam, true, eaten);
}

STDMETHODIMP TextService::OnPreservedKey(ITfContext*, REFGUID, BOOL* eaten) {
    if (eaten == nullptr) {
        return E_INVALIDARG;
    }
    *eaten = FALSE;
    return S_OK;
}

} // namespace revaze::tsf
