#include "ewts/ewts_composer.h"

#include "common/text.h"
#include "ewts/ewts_parser.h"

namespace revaze {

EwtsComposer::EwtsComposer(const Dictionary* dictionary) : Composer(dictionary) {
    Reset();
}

bool EwtsComposer::OnlyShads() const {
    return keys_.find_first_not_of('/') == std::string::npos;
}

void EwtsComposer::Reset() {
    afterShad = false;
    keys_.clear();
    lastDeleted_.clear();
    ClearCandidates();
}

bool EwtsComposer::AddKey(char ch) {
    if (ch < ' ' || ch > '~' || keyCount() >= kMaxKeys) {
        return false;
    }
    keys_.push_back(ch);
    refresh();
    return true;
}

void EwtsComposer::DeleteKey() {
    if (!keys_.empty()) {
        if (keys_.size() == 1) {
            lastDeleted_ = keys_;
        }
        keys_.pop_back();
        refresh();
    }
}

std::wstring EwtsComposer::ComposedText() const {
    const std::size_t end = keys_.find_last_not_of(' ');
    return end == std::string::npos ? std::wstring()
                                    : ewtsToTibetan(widenKeys(keys_.substr(0, end + 1)));
}

void EwtsComposer::refresh() {
    // Candidates follow the text Enter would commit, as in the Wylie layout.
    RefreshCandidates(ComposedText());
}

std::wstring EwtsComposer::DisplayLine() const {
    const std::string& keys = keys_.empty() ? lastDeleted_ : keys_;
    if (keys.empty()) {
        return {};
    }
    std::wstring line = widenKeys(keys);
    line += keys.back() == ' ' ? L" " : L"  ";
    line += ewtsToTibetan(widenKeys(keys));
    FixedText<kDisplayLineUnits> shown;
    shown.assign(line);
    return shown.str();
}

} // namespace revaze
