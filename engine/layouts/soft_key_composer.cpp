#include "layouts/soft_key_composer.h"

namespace revaze {

void SoftKeyComposer::AddKey(char ch, wchar_t wch) {
    // Keys and characters go one for one, so both limits are reached together.
    if (wch == L'\0' || !hasRoom()) {
        return;
    }
    typedKeys.push_back(ch);
    compositionText.push_back(wch);
    RefreshCandidates(compositionText.view());
}

void SoftKeyComposer::DeleteKey() {
    if (keyCount() == 0) {
        return;
    }
    if (keyCount() == 1) {
        Reset();
        return;
    }
    typedKeys.pop_back();
    compositionText.pop_back();
    RefreshCandidates(compositionText.view());
}

} // namespace revaze
