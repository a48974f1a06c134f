#include "session/state_actions.h"

namespace revaze {

void ResetAllComposers(ImeParts& ime) {
    ime.wylie.Reset();
    ime.soft.Reset();
    ime.layout.Reset();
}

void ToggleInputMode(ImeParts& ime) {
    ResetAllComposers(ime);
    ime.host.HideCompWindow();
    ime.state.inputMode = ime.state.inputMode == kModeTibetan ? kModeEnglish : kModeTibetan;
    ime.host.InvalidateStatusWindow();
}

void ModeButtonReleased(ImeParts& ime) {
    ResetAllComposers(ime);
    ime.host.HideCompWindow();
    ime.state.inputMode = ime.state.inputMode == kModeTibetan ? kModeEnglish : kModeTibetan;
}

void SoftKeyboardButtonReleased(ImeParts& ime) {
    ResetAllComposers(ime);
    if (ime.state.softVisible == 0) {
        ime.host.HideAndInvalidate();
        ime.state.softVisible = 1;
        ime.host.ShowSoftKeyboardWindow();
    } else {
        ime.state.softVisible = 0;
        ime.host.HideSoftKeyboardWindow();
        ime.host.HideAndInvalidate();
    }
}

bool SelectLayout(ImeParts& ime, int layoutId) {
    const LayoutInfo* layout = findLayoutById(layoutId);
    if (layout == nullptr) {
        return false;
    }
    // The compositions stay: keys typed from now on use the new layout's tables.
    ime.state.layoutIndex = layout->layoutIndex;
    ime.layout.layoutIndex = layout->layoutIndex;
    if (ime.state.softVisible != 0) {
        ime.host.SoftKeyboardLabelsChanged();
    }
    ime.state.layoutId = layoutId;
    ime.host.RefreshCompWindowNow();
    ime.host.RefreshStatusWindowNow();
    return true;
}

void ShowSoftPage(ImeParts& ime, int page) {
    if (page < 1 || page > 5) {
        return;
    }
    ime.state.softPage = page;
    ime.host.SoftKeyboardLabelsChanged();
}

} // namespace revaze
