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
    displayLine.clear();
    candidatePageText.clear();
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
        keys_.pop_back();
        refresh();
    }
}

std::wstring EwtsComposer::ComposedText() {
    const std::size_t end = keys_.find_last_not_of(' ');
    return end == std::string::npos ? std::wstring()
                                    : ewtsToTibetan(widenKeys(keys_.substr(0, end + 1)));
}

std::wstring EwtsComposer::CandidateText(char digit) const {
    const std::optional<std::wstring> candidate = ChosenCandidate(digit);
    return candidate ? *candidate : std::wstring();
}

void EwtsComposer::refresh() {
    // Candidates follow the text Enter would commit, as in the Wylie layout.
    RefreshCandidates(ComposedText());
}

void EwtsComposer::UpdateDisplayLine() {
    if (keys_.empty()) {
        return;
    }
    std::wstring line = widenKeys(keys_);
    line += EndsInSpace() ? L" " : L"  ";
    line += ewtsToTibetan(widenKeys(keys_));
    displayLine.assign(line);
}

} // namespace revaze
