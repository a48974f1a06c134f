#include "layouts/keyed_composer.h"

#include "common/text.h"

namespace revaze {

void KeyedComposer::Reset() {
    typedKeys.clear();
    compositionText.clear();
    displayLine.clear();
    resultText.clear();
    candidatePageText.clear();
    ClearCandidates();
}

void KeyedComposer::UpdateDisplayLine() {
    if (typedKeys.empty()) {
        return;
    }
    if (!compositionText.empty()) {
        displayLine.assign(displayIndent_);
        displayLine.append(compositionText.view());
    } else {
        displayLine.assign(widenKeys(typedKeys));
    }
}

void KeyedComposer::SelectCandidate(char digit) {
    // Assigned, not appended: after a commit that did not arrive the old choice is still here.
    resultText.clear();
    if (const std::optional<std::wstring> chosen = ChosenCandidate(digit)) {
        resultText = *chosen;
    }
}

} // namespace revaze
