#include "fuzz/session_invariants.h"

#include <cstring>

#include "common/text.h"
#include "ewts/ewts_parser.h"
#include "fuzz/fuzz_check.h"

namespace revaze::fuzz {

namespace {

template <std::size_t N> void checkFixedText(const FixedText<N>& text) {
    FUZZ_CHECK(text.size() <= FixedText<N>::maxLength);
    FUZZ_CHECK(text.c_str()[text.size()] == L'\0');
}

void checkPaging(const Composer& composer, const std::unordered_set<std::wstring>& offered) {
    FUZZ_CHECK(composer.candidateList.size() <= kMaxCandidates);
    FUZZ_CHECK(composer.pageFirst >= 1);
    FUZZ_CHECK((composer.pageFirst - 1) % kCandidatesPerPage == 0);
    FUZZ_CHECK(composer.pageFirst == 1 ||
               static_cast<std::size_t>(composer.pageFirst) <= composer.candidateList.size());
    for (const std::wstring& candidate : composer.candidateList.strings()) {
        FUZZ_CHECK(offered.count(candidate) == 1);
    }
    // Nothing composed, nothing offered.
    FUZZ_CHECK(composer.keyCount() != 0 || composer.candidateList.empty());
    FUZZ_CHECK(composer.DisplayLine().size() < kDisplayLineUnits);
    FUZZ_CHECK(composer.CandidatePageText().size() < kCandidatePageUnits);
}

void checkWylie(const WylieComposer& w) {
    FUZZ_CHECK(w.syllableIndex() >= 0 && w.syllableIndex() < WylieComposer::kMaxSyllables);
    FUZZ_CHECK(w.keyCount() == w.syllables[0].keyCount);
    int index = 0;
    for (const SyllableRecord& syllable : w.syllables) {
        FUZZ_CHECK(syllable.keyCount >= 0 &&
                   syllable.keyCount <= WylieComposer::kMaxKeysPerSyllable);
        FUZZ_CHECK(strnlen(syllable.latin, sizeof syllable.latin) ==
                   static_cast<std::size_t>(syllable.keyCount));
        const std::size_t spelled = wcsnlen(syllable.tibetan, std::size(syllable.tibetan));
        FUZZ_CHECK(spelled < std::size(syllable.tibetan));
        // The spelling is derived from the keys: a fresh parser gives the same.
        WylieSyllableParser fresh;
        fresh.Parse(syllable.latin);
        FUZZ_CHECK(fresh.Output() == std::wstring_view(syllable.tibetan, spelled));
        // Syllables past the one being typed hold nothing.
        FUZZ_CHECK(index <= w.syllableIndex() || syllable.keyCount == 0);
        ++index;
    }
    FUZZ_CHECK(w.parser.outputCount >= 0 &&
               w.parser.outputCount <= WylieSyllableParser::kMaxSyllable);
    FUZZ_CHECK(w.parser.stemLength >= 0 &&
               w.parser.stemLength <= WylieSyllableParser::kMaxSyllable);
    FUZZ_CHECK(w.spaceCount() >= 0);
}

void checkKeyed(const KeyedComposer& c) {
    FUZZ_CHECK(c.keyCount() == static_cast<int>(c.typedKeys.size()));
    FUZZ_CHECK(c.typedKeys.size() <= static_cast<std::size_t>(kMaxComposedKeys));
    FUZZ_CHECK(c.compositionText.size() <= static_cast<std::size_t>(kMaxComposedUnits));
    FUZZ_CHECK(c.typedKeys.find('\0') == std::string::npos);
    checkFixedText(c.compositionText);
    // Keys and text come and go together.
    FUZZ_CHECK((c.keyCount() == 0) == c.compositionText.empty());
}

void checkLayout(const LayoutComposer& l) {
    checkKeyed(l);
    FUZZ_CHECK(l.keyGroups.size() == l.compositionText.size());
    std::string keys;
    for (const std::string& group : l.keyGroups) {
        FUZZ_CHECK(!group.empty() && group.size() <= 4);
        keys += group;
    }
    FUZZ_CHECK(keys == l.typedKeys);
}

void checkSoft(const SoftKeyComposer& s) {
    checkKeyed(s);
    // One key, one unit.
    FUZZ_CHECK(s.typedKeys.size() == s.compositionText.size());
    FUZZ_CHECK(s.compositionText.view().find(L'\0') == std::wstring_view::npos);
}

// At most 60 printable keys, and the composed text is the keys' Tibetan.
void checkEwts(const EwtsComposer& e) {
    FUZZ_CHECK(e.keyCount() >= 0 && e.keyCount() <= EwtsComposer::kMaxKeys);
    for (char key : e.keys()) {
        FUZZ_CHECK(key >= ' ' && key <= '~');
    }
}

const Composer& activeComposer(const Session& session) {
    switch (session.state().activeComposer()) {
    case ActiveComposer::Ewts:
        return session.ewts();
    case ActiveComposer::SoftKey:
        return session.soft();
    case ActiveComposer::Layout:
        return session.layout();
    case ActiveComposer::Wylie:
    default:
        return session.wylie();
    }
}

std::wstring composedText(const Session& session) {
    switch (session.state().activeComposer()) {
    case ActiveComposer::Ewts: {
        const std::string& keys = session.ewts().keys();
        const std::size_t end = keys.find_last_not_of(' ');
        return end == std::string::npos ? std::wstring()
                                        : ewtsToTibetan(widenKeys(keys.substr(0, end + 1)));
    }
    case ActiveComposer::SoftKey:
        return session.soft().compositionText.str();
    case ActiveComposer::Layout:
        return session.layout().compositionText.str();
    case ActiveComposer::Wylie:
    default:
        return wylieComposedText(session.wylie());
    }
}

void checkView(const Session& session) {
    const View& v = session.view();
    const InputState& state = session.state();
    FUZZ_CHECK(state.inputMode == InputMode::Tibetan || state.inputMode == InputMode::English);
    FUZZ_CHECK(findLayout(state.layoutId) != nullptr);
    FUZZ_CHECK(state.softPage >= kFirstSoftPage && state.softPage <= kLastSoftPage);

    FUZZ_CHECK(v.mode == state.inputMode && v.state == state);
    const Composer& composer = activeComposer(session);
    const bool tibetan = state.inputMode == InputMode::Tibetan;
    FUZZ_CHECK(v.displayLine == composer.DisplayLine());
    FUZZ_CHECK(v.composing == (composer.keyCount() != 0));
    FUZZ_CHECK(v.composedText == (v.composing ? composedText(session) : std::wstring()));
    FUZZ_CHECK(v.candidateCount == composer.candidateList.size());
    FUZZ_CHECK(v.pageFirst == composer.pageFirst);
    FUZZ_CHECK(v.candidates.size() <= static_cast<std::size_t>(kCandidatesPerPage));
    if (tibetan && !composer.candidateList.empty()) {
        FUZZ_CHECK(v.candidates == composer.ShownPage());
        FUZZ_CHECK(v.candidatePageText == composer.CandidatePageText());
    } else {
        FUZZ_CHECK(v.candidates.empty() && v.candidatePageText.empty());
    }
    // The candidates are those of the composed text, taken literally.
    if (v.composing) {
        for (const std::wstring& candidate : composer.candidateList.strings()) {
            FUZZ_CHECK(candidate.starts_with(v.composedText));
        }
    }
    // The page text lists the shown candidates, one numbered line each, unless it was cut at its
    // capacity. (A candidate holds no LF: the dictionary ends its lines there.)
    std::size_t lines = 0;
    for (wchar_t c : v.candidatePageText) {
        lines += c == L'\n';
    }
    FUZZ_CHECK(lines <= v.candidates.size());
    FUZZ_CHECK(v.candidatePageText.size() == kCandidatePageUnits - 1 ||
               lines == v.candidates.size());
}

} // namespace

std::wstring wylieComposedText(const WylieComposer& w) {
    std::wstring text;
    for (int i = 0; i <= w.syllableIndex() && i < WylieComposer::kMaxSyllables; ++i) {
        const wchar_t* spelling = w.syllables[static_cast<std::size_t>(i)].tibetan;
        if (spelling[0] == L'\0') {
            break;
        }
        if (i > 0) {
            text += WylieComposer::kTsheg;
        }
        text += spelling;
    }
    return text;
}

void checkSession(const Session& session, const std::unordered_set<std::wstring>& offered) {
    checkWylie(session.wylie());
    checkEwts(session.ewts());
    checkLayout(session.layout());
    checkSoft(session.soft());
    checkPaging(session.wylie(), offered);
    checkPaging(session.ewts(), offered);
    checkPaging(session.layout(), offered);
    checkPaging(session.soft(), offered);
    checkView(session);
}

} // namespace revaze::fuzz
