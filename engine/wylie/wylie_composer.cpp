#include "wylie/wylie_composer.h"

#include <algorithm>

#include "common/text.h"
#include "wylie/wylie_tables.h"

namespace revaze {

namespace {

std::string_view latinOf(const SyllableRecord& syllable) {
    const char* end = std::find(std::begin(syllable.latin), std::end(syllable.latin), '\0');
    return {syllable.latin, static_cast<std::size_t>(end - syllable.latin)};
}

std::wstring_view tibetanOf(const SyllableRecord& syllable) {
    const wchar_t* end = std::find(std::begin(syllable.tibetan), std::end(syllable.tibetan), L'\0');
    return {syllable.tibetan, static_cast<std::size_t>(end - syllable.tibetan)};
}

} // namespace

WylieComposer::WylieComposer(const Dictionary* dictionary) : Composer(dictionary) {
    Reset();
}

int WylieComposer::keyCount() const {
    return syllables[0].keyCount;
}

int WylieComposer::keysInSyllable(int i) const {
    return i >= 0 && i < kMaxSyllables ? syllables[static_cast<std::size_t>(i)].keyCount : 0;
}

int WylieComposer::lastSyllable() const {
    return std::clamp(syllableIndex_, 0, kMaxSyllables - 1);
}

void WylieComposer::Reset() {
    for (SyllableRecord& syllable : syllables) {
        syllable = SyllableRecord{};
    }
    syllableIndex_ = 0;
    spaceCount_ = 1;
    ClearCandidates();
}

bool WylieComposer::DirectCharacter(char ch, wchar_t& out) const {
    return findDirectKey(ch, out);
}

bool WylieComposer::IsInputKey(char ch) const {
    return isWylieKey(ch);
}

bool WylieComposer::AddKey(char ch) {
    // A NUL would end the syllable's Latin text short of its key count.
    if (ch == '\0' || syllableIndex_ < 0 || syllableIndex_ >= kMaxSyllables) {
        return false;
    }
    int index = syllableIndex_;
    if (syllables[static_cast<std::size_t>(index)].keyCount >= kMaxKeysPerSyllable) {
        if (index + 1 >= kMaxSyllables) {
            return false; // nine full syllables: there is no tenth
        }
        ++index;
    }
    SyllableRecord& syllable = syllables[static_cast<std::size_t>(index)];
    if (syllable.keyCount < 0 || syllable.keyCount >= kMaxKeysPerSyllable) {
        return false;
    }
    syllableIndex_ = index;
    syllable.latin[syllable.keyCount++] = ch;
    syllable.latin[syllable.keyCount] = '\0';
    respell(syllable);
    CloseSyllable();
    spaceCount_ = 0;
    return true;
}

bool WylieComposer::Space() {
    ++spaceCount_;
    if (spaceCount_ >= 2 || syllableIndex_ >= kMaxSyllables - 1) {
        return true;
    }
    CloseSyllable();
    ++syllableIndex_;
    return false;
}

void WylieComposer::DeleteKey() {
    if (syllableIndex_ >= 0 && syllableIndex_ < kMaxSyllables) {
        SyllableRecord& syllable = syllables[static_cast<std::size_t>(syllableIndex_)];
        if (syllable.keyCount > 0 && syllable.keyCount <= kMaxKeysPerSyllable) {
            syllable.latin[--syllable.keyCount] = '\0';
            respell(syllable);
            CloseSyllable();
            return;
        }
    }
    // The previous syllable keeps its keys: the next Backspace takes its last one.
    if (syllableIndex_ > 0) {
        --syllableIndex_;
    }
}

void WylieComposer::respell(SyllableRecord& syllable) {
    parser.Parse(syllable.latin);
    const std::wstring_view spelling = parser.Output();
    const std::size_t n = std::min(spelling.size(), std::size(syllable.tibetan) - 1);
    std::copy_n(spelling.begin(), n, syllable.tibetan);
    std::fill(syllable.tibetan + n, std::end(syllable.tibetan), L'\0');
}

void WylieComposer::CloseSyllable() {
    RefreshCandidates(ComposedText());
}

std::wstring WylieComposer::ComposedText() const {
    std::wstring text(tibetanOf(syllables[0]));
    if (text.empty()) {
        return text;
    }
    // A syllable that spells nothing ends the text there.
    for (int i = 1; i <= lastSyllable(); ++i) {
        const std::wstring_view tibetan = tibetanOf(syllables[static_cast<std::size_t>(i)]);
        if (tibetan.empty()) {
            break;
        }
        text += kTsheg;
        text += tibetan;
    }
    return text;
}

std::wstring WylieComposer::DisplayLine() const {
    if (latinOf(syllables[0]).empty()) {
        return {};
    }
    std::wstring latin;
    for (int i = 0; i <= lastSyllable(); ++i) {
        const std::string_view keys = latinOf(syllables[static_cast<std::size_t>(i)]);
        if (keys.empty()) {
            break;
        }
        latin += widenKeys(keys);
        latin += L' ';
    }
    std::wstring tibetan;
    for (int i = 0; i <= lastSyllable(); ++i) {
        const std::wstring_view spelling = tibetanOf(syllables[static_cast<std::size_t>(i)]);
        if (spelling.empty()) {
            break;
        }
        tibetan += spelling;
        tibetan += kTsheg;
    }
    FixedText<kDisplayLineUnits> line;
    line.assign(latin);
    if (!tibetan.empty()) {
        line.push_back(L' ');
        line.append(tibetan);
    }
    return line.str();
}

} // namespace revaze
