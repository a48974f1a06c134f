#include "wylie/syllable_parser.h"

#include <array>
#include <cstring>

#include "wylie/wylie_tables.h"

namespace revaze {

namespace {

constexpr wchar_t kGa = 0x0F42;
constexpr wchar_t kYa = 0x0F61;
constexpr wchar_t kNga = 0x0F44;
constexpr wchar_t kSa = 0x0F66;
constexpr wchar_t kAchung = 0x0F60;

bool isVowelKey(char ch) {
    return findVowel(ch) != nullptr;
}

// Collects the spelling of a stem. A character without a letter is written as 0 and the spelling
// is cut there at the end, so that one unknown key ends the syllable where its letter would stand.
class Speller {
public:
    Speller(std::string_view stem, std::uint16_t& vowelSign) : s_(stem), vowelSign_(vowelSign) {}

    void put(wchar_t unit) {
        if (size_ < units_.size()) {
            units_[size_++] = unit;
        }
    }
    void put(std::wstring_view units) {
        for (wchar_t unit : units) {
            put(unit);
        }
    }
    void letter(int i) { put(letterOf(s_[i])); }
    void letters(int from, int to) { // [from, to)
        for (int i = from; i < to; ++i) {
            letter(i);
        }
    }
    void letters() { letters(0, n()); }
    // The inherent a matches but writes nothing.
    void sign(int i) {
        const VowelEntry* vowel = findVowel(s_[i]);
        vowelSign_ = vowel != nullptr ? static_cast<std::uint16_t>(vowel->sign) : 0;
        if (vowelSign_ != 0) {
            put(static_cast<wchar_t>(vowelSign_));
        }
    }
    // Suffixes: a leading "ng" is one letter.
    void coda(int from, int to) {
        if (to - from >= 2 && s_.substr(from, 2) == "ng") {
            put(kNga);
            from += 2;
        }
        letters(from, to);
    }
    void gaYa() {
        put(kGa);
        put(kYa);
    }

    const PairEntry* pair(int i) const { return findPair(s_.substr(i, 2)); }
    const TripleEntry* triple(int i) const { return findTriple(s_.substr(i, 3)); }
    const QuadEntry* quad(int i) const { return findQuad(s_.substr(i, 4)); }
    bool is(int i, std::string_view text) const { return s_.substr(i, text.size()) == text; }
    int n() const { return static_cast<int>(s_.size()); }
    bool vowelAt(int i) const { return isVowelKey(s_[i]); }

    // Onsets: the stack before the vowel, read from position 0.
    void onset2() {
        if (const PairEntry* p = pair(0)) {
            put(p->spelling());
        } else {
            letters(0, 2);
        }
    }
    void onset3() {
        if (const TripleEntry* t = triple(0)) {
            put(t->spelling());
        } else if (const PairEntry* p = pair(1)) {
            letter(0);
            put(p->spelling());
        } else {
            letters(0, 3);
        }
    }
    // Four letters in stems of 5 or 6.
    void onset4Short() {
        if (const QuadEntry* q = quad(0)) {
            put(q->spelling());
        } else if (const TripleEntry* t = triple(1)) {
            letter(0);
            put(t->spelling());
        } else {
            letters(0, 4);
        }
    }
    // Four letters in stems of 7 or 8: the quad table is not consulted.
    void onset4Long() {
        if (const TripleEntry* t = triple(1)) {
            letter(0);
            put(t->spelling());
        } else if (const PairEntry* p = pair(2)) {
            letters(0, 2);
            put(p->spelling());
        } else {
            letters(0, 4);
        }
    }
    // The first four letters of a long onset.
    void first4() {
        if (const TripleEntry* t = triple(0)) {
            put(t->spelling());
            letter(3);
        } else if (const TripleEntry* t1 = triple(1)) {
            letter(0);
            put(t1->spelling());
        } else {
            letters(0, 4);
        }
    }

    // Where the first 0 stands, or the whole length.
    std::size_t keptLength() const {
        for (std::size_t i = 0; i < size_; ++i) {
            if (units_[i] == L'\0') {
                return i;
            }
        }
        return size_;
    }
    const wchar_t* data() const { return units_.data(); }

private:
    std::string_view s_;
    std::uint16_t& vowelSign_;
    // Eight keys spell at most eight units; the room is only a margin.
    std::array<wchar_t, 32> units_{};
    std::size_t size_ = 0;
};

// Stems of 4 to 6 letters beginning with "g.y": the ya after the dot is a root, not a subscript.
void spellGaYa(Speller& sp) {
    sp.gaYa();
    switch (sp.n()) {
    case 4:
        if (sp.vowelAt(3)) {
            sp.sign(3);
        } else {
            sp.letter(3);
        }
        break;
    case 5:
        if (sp.vowelAt(3)) {
            sp.sign(3);
            sp.letter(4);
        } else {
            sp.coda(3, 5);
        }
        break;
    case 6:
        if (sp.vowelAt(3)) {
            sp.sign(3);
            sp.coda(4, 6);
        } else if (sp.vowelAt(4)) {
            sp.letter(3);
            sp.sign(4);
            sp.letter(5);
        } else if (sp.vowelAt(5)) {
            sp.letters(3, 5);
            sp.sign(5);
        } else if (sp.is(3, "ng")) {
            sp.put(kNga);
            sp.letter(5);
        }
        break;
    default:
        break;
    }
}

// The first vowel key after position 0; for three letters the last position is looked at first
// (gei). -1 when the vowel is left implicit.
int vowelPosition(const Speller& sp) {
    const int n = sp.n();
    if (n == 3) {
        return sp.vowelAt(2) ? 2 : sp.vowelAt(1) ? 1 : -1;
    }
    for (int v = 1; v < n; ++v) {
        if (sp.vowelAt(v)) {
            return v;
        }
    }
    return -1;
}

void spellOnset(Speller& sp, int v) {
    const int n = sp.n();
    switch (v) {
    case 1:
        sp.letter(0);
        break;
    case 2:
        sp.onset2();
        break;
    case 3:
        if (n >= 7 && sp.is(0, "g.y")) {
            sp.gaYa();
        } else {
            sp.onset3();
        }
        break;
    case 4:
        if (n <= 6) {
            sp.onset4Short();
        } else {
            sp.onset4Long();
        }
        break;
    default: // 5 to 7 letters
        if ((v == 5 && n == 6) || (v == 6 && n == 7)) {
            sp.letters(0, v);
        } else {
            sp.first4();
            sp.letters(4, v);
        }
        break;
    }
}

void spellWithVowel(Speller& sp, int v) {
    const int n = sp.n();
    spellOnset(sp, v);
    sp.sign(v);
    if (n == 5 && v == 1) {
        // bangs would read "ngs" as nga and sa; any other three are letters one by one (bangd).
        if (sp.is(2, "ngs")) {
            sp.put(kNga);
            sp.put(kSa);
        } else {
            sp.letters(2, 5);
        }
    } else {
        sp.coda(v + 1, n);
    }
}

// No vowel key: the inherent a is read after the first alternative that fits.
void spellWithoutVowel(Speller& sp) {
    const int n = sp.n();
    switch (n) {
    case 2:
        if (const PairEntry* p = sp.pair(0)) {
            sp.put(p->spelling());
        } else {
            sp.letters();
        }
        break;
    case 3:
        if (const TripleEntry* t = sp.triple(0)) {
            sp.put(t->spelling());
        } else if (const PairEntry* p = sp.pair(0)) {
            sp.put(p->spelling());
            sp.letter(2);
        } else if (const PairEntry* p1 = sp.pair(1)) {
            sp.letter(0);
            sp.put(p1->spelling());
        } else {
            sp.letters();
        }
        break;
    case 4:
        if (const QuadEntry* q = sp.quad(0)) {
            sp.put(q->spelling());
        } else if (sp.is(1, "ngs")) {
            sp.letter(0);
            sp.put(kNga);
            sp.put(kSa);
        } else if (const TripleEntry* t1 = sp.triple(1)) {
            sp.letter(0);
            sp.put(t1->spelling());
        } else if (const TripleEntry* t = sp.triple(0)) {
            sp.put(t->spelling());
            sp.letter(3);
        } else if (const PairEntry* p = sp.pair(0)) {
            sp.put(p->spelling());
            sp.coda(2, 4);
        } else if (const PairEntry* p1 = sp.pair(1)) {
            sp.letter(0);
            sp.put(p1->spelling());
            sp.letter(3);
        } else {
            sp.letters();
        }
        break;
    case 5:
        if (sp.is(2, "ngs")) {
            sp.onset2();
            sp.put(kNga);
            sp.put(kSa);
        } else if (const TripleEntry* t = sp.triple(0)) {
            sp.put(t->spelling());
            sp.coda(3, 5);
        } else if (const TripleEntry* t1 = sp.triple(1)) {
            sp.letter(0);
            sp.put(t1->spelling());
            sp.letter(4);
        } else if (const PairEntry* p1 = sp.pair(1)) {
            sp.letter(0);
            sp.put(p1->spelling());
            sp.coda(3, 5);
        } else {
            sp.letters();
        }
        break;
    case 6:
        if (const TripleEntry* t = sp.triple(0)) {
            sp.put(t->spelling());
            sp.coda(3, 6);
        } else if (const TripleEntry* t1 = sp.triple(1)) {
            sp.letter(0);
            sp.put(t1->spelling());
            sp.coda(4, 6);
        } else if (const PairEntry* p1 = sp.pair(1)) {
            sp.letter(0);
            sp.put(p1->spelling());
            sp.coda(3, 6);
        } else {
            sp.letters();
        }
        break;
    case 7:
        if (sp.is(0, "g.y")) {
            sp.gaYa();
            sp.coda(3, 7);
        } else if (const TripleEntry* t1 = sp.triple(1)) {
            sp.letter(0);
            sp.put(t1->spelling());
            sp.coda(4, 7);
        } else if (const TripleEntry* t = sp.triple(0)) {
            sp.put(t->spelling());
            sp.coda(3, 7);
        } else if (const PairEntry* p1 = sp.pair(1)) {
            sp.letter(0);
            sp.put(p1->spelling());
            sp.coda(3, 7);
        } else {
            sp.letters();
        }
        break;
    case 8:
        sp.first4();
        sp.letters(4, 8);
        break;
    default:
        break;
    }
}

// The a-chung ending split off a syllable: its length in keys and the units it appends.
struct Ending {
    std::size_t keys = 0;
    wchar_t vowel = 0; // the unit after the a-chung
};

Ending findEnding(std::string_view syllable) {
    const std::size_t length = syllable.size();
    if (length > 2 && syllable[length - 2] == '\'') {
        switch (syllable[length - 1]) {
        case 'i':
            return {2, 0x0F72};
        case 'u':
            return {2, 0x0F74};
        case 'e':
            return {2, 0x0F7A};
        case 'o':
            return {2, 0x0F7C};
        case 'm':
            return {2, 0x0F58};
        default:
            break;
        }
    }
    if (length >= 4 && syllable.substr(length - 3) == "'ng") {
        return {3, kNga};
    }
    return {};
}

} // namespace

void WylieSyllableParser::Parse(const char* syllable) {
    stemLength = 0;
    outputCount = 0;
    vowelSign = 0;
    std::memset(stem, 0, sizeof stem);
    std::memset(output, 0, sizeof output);

    if (syllable == nullptr) {
        return;
    }
    // Look one past the limit only to tell an over-long syllable from one that fits.
    std::size_t length = 0;
    while (length <= static_cast<std::size_t>(kMaxSyllable) && syllable[length] != '\0') {
        ++length;
    }
    if (length > static_cast<std::size_t>(kMaxSyllable)) {
        return;
    }
    const std::string_view text(syllable, length);
    const Ending ending = findEnding(text);
    const std::size_t n = length - ending.keys;
    std::memcpy(stem, syllable, n);
    stemLength = static_cast<std::int32_t>(n);

    Speller sp(std::string_view(stem, n), vowelSign);
    if (n >= 1 && n <= static_cast<std::size_t>(kMaxStem)) {
        if (n == 1) {
            sp.letter(0); // a lone key is a letter, never a vowel sign
        } else if (n == 3 && sp.is(0, "g.y")) {
            sp.gaYa();
        } else if (n >= 4 && n <= 6 && sp.is(0, "g.y")) {
            spellGaYa(sp);
        } else if (int v = vowelPosition(sp); v >= 0) {
            spellWithVowel(sp, v);
        } else {
            spellWithoutVowel(sp);
        }
    }

    std::size_t kept = sp.keptLength();
    const std::size_t room = sizeof output / sizeof output[0] - 1;
    if (kept > room) {
        kept = room;
    }
    std::size_t count = 0;
    for (; count < kept; ++count) {
        output[count] = sp.data()[count];
    }
    if (ending.keys != 0 && count + 2 <= room) {
        output[count++] = kAchung;
        output[count++] = ending.vowel;
    }
    output[count] = L'\0';
    outputCount = static_cast<std::int32_t>(count);
}

} // namespace revaze
