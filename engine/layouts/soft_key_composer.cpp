#include "layouts/soft_key_composer.h"

#include "common/text.h"

namespace revaze {

SoftKeyComposer::SoftKeyComposer(const Dictionary* dictionary) : CandidatePaging(dictionary) {}

void SoftKeyComposer::Reset() {
    keyCount = 0;
    charCount = 0;
    typedKeys.clear();
    compositionText.clear();
    displayLine.clear();
    resultText.clear();
    candidatePageText.clear();
    ClearCandidates();
}

void SoftKeyComposer::AddKey(char ch, wchar_t wch) {
    // A full composition takes nothing more, so keys and characters stay one for one.
    if (wch == L'\0' || keyCount >= kMaxSoftKeys || charCount >= kMaxSoftUnits) {
        return;
    }
    typedKeys.push_back(ch);
    ++keyCount;
    compositionText.push_back(wch);
    ++charCount;
    RefreshCandidates(compositionText.view());
}

void SoftKeyComposer::DeleteKey() {
    if (keyCount == 0) {
        return;
    }
    if (keyCount == 1) {
        Reset();
        return;
    }
    typedKeys.pop_back();
    --keyCount;
    if (charCount > 0) {
        compositionText.pop_back();
        --charCount;
    }
    RefreshCandidates(compositionText.view());
}

void SoftKeyComposer::UpdateDisplayLine() {
    if (typedKeys.empty()) {
        return;
    }
    if (!compositionText.empty()) {
        displayLine.assign(L"  ");
        displayLine.append(compositionText.view());
    } else {
        displayLine.assign(widenKeys(typedKeys));
    }
}

void SoftKeyComposer::SelectCandidate(char digit) {
    if (const std::wstring* chosen = ChosenCandidate(digit)) {
        resultText.append(*chosen);
    }
}

} // namespace revaze
