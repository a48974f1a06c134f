#include "layouts/keyed_composer.h"

#include "common/text.h"

namespace revaze {

void KeyedComposer::Reset() {
    typedKeys.clear();
    compositionText.clear();
    ClearCandidates();
}

std::wstring KeyedComposer::DisplayLine() const {
    FixedText<kDisplayLineUnits> line;
    if (typedKeys.empty()) {
        return {};
    }
    if (!compositionText.empty()) {
        line.assign(displayIndent_);
        line.append(compositionText.view());
    } else {
        line.assign(widenKeys(typedKeys));
    }
    return line.str();
}

} // namespace revaze
