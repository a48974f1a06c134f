#include "ewts/ewts_parser.h"

#include <vector>

#include "ewts/ewts_tables.h"

namespace revaze {

namespace {

// One unit of the input: a key of the tables (its ASCII spelling in `key`), an escape, or one
// code unit that is none of them (then `key` is empty unless the unit is ASCII).
struct Token {
    std::string key;
    std::wstring_view text;
};

bool isAscii(wchar_t unit) {
    return unit > 0 && unit < 0x80;
}

std::string narrow(std::wstring_view text) {
    std::string out;
    for (wchar_t unit : text) {
        if (!isAscii(unit)) {
            return {};
        }
        out.push_back(static_cast<char>(unit));
    }
    return out;
}

bool isSpace(wchar_t unit) {
    return unit == L' ' || (unit >= L'\t' && unit <= L'\r') || unit == 0xA0;
}

bool isDigit(wchar_t unit) {
    return unit >= L'0' && unit <= L'9';
}

// The forgiving spellings that typed and pasted text holds: typographic apostrophes, capitals
// for letters that have none (G, C, B, L, P, Z), a space before a digit or "(" and after a shad,
// "_" or ")" (a real space there, not a tsheg), and leading white space (dropped).
std::wstring normalize(std::wstring_view in) {
    std::wstring s;
    for (wchar_t unit : in) {
        switch (unit) {
        case 0x2018:
        case 0x2019:
        case 0x02BC:
        case 0x02B9:
        case 0x02BE:
            unit = L'\'';
            break;
        case L'G':
        case L'C':
        case L'B':
        case L'L':
        case L'P':
        case L'Z':
            unit = static_cast<wchar_t>(unit - L'A' + L'a');
            break;
        default:
            break;
        }
        s.push_back(unit);
    }
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] == L' ' && (s[i + 1] == L'(' || isDigit(s[i + 1]))) {
            s[i] = L'_';
        }
    }
    const std::wstring before = s;
    for (std::size_t i = 0; i + 1 < before.size(); ++i) {
        if ((before[i] == L'_' || before[i] == L')' || before[i] == L'/') &&
            before[i + 1] == L' ') {
            s[i + 1] = L'_';
        }
    }
    std::size_t start = 0;
    while (start < s.size() && isSpace(s[start])) {
        ++start;
    }
    return s.substr(start);
}

// Splits into tokens: the longest key of the tables first, then escapes, then single units.
std::vector<Token> tokenize(std::wstring_view s) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t length = 1;
        if (s[i] == L'\\' && i + 1 < s.size()) {
            length = s[i + 1] == L'u' && i + 6 <= s.size()    ? 6
                     : s[i + 1] == L'U' && i + 10 <= s.size() ? 10
                                                              : 2;
        } else if (s.substr(i, 2) == L"\r\n") {
            length = 2;
        } else {
            for (std::size_t n = kEwtsLongestKey; n > 1; --n) {
                if (i + n <= s.size() && isEwtsKey(narrow(s.substr(i, n)))) {
                    length = n;
                    break;
                }
            }
        }
        const std::wstring_view text = s.substr(i, length);
        tokens.push_back({narrow(text), text});
        i += length;
    }
    return tokens;
}

// The character of a \uXXXX or \UXXXXXXXX token, as code units; false when it is none.
bool unicodeEscape(std::wstring_view token, std::wstring& out) {
    if (token.size() < 3 || (token[1] != L'u' && token[1] != L'U')) {
        return false;
    }
    unsigned long value = 0;
    for (wchar_t unit : token.substr(2)) {
        const int digit = isDigit(unit)                  ? unit - L'0'
                          : unit >= L'a' && unit <= L'f' ? unit - L'a' + 10
                          : unit >= L'A' && unit <= L'F' ? unit - L'A' + 10
                                                         : -1;
        if (digit < 0) {
            return true; // a bad escape writes nothing
        }
        value = value * 16 + static_cast<unsigned long>(digit);
    }
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) {
        return true; // a NUL or half a surrogate pair would reach the application as it is
    }
    if (value >= 0x10000 && value <= 0x10FFFF) {
        value -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (value >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (value & 0x3FF)));
    } else if (value < 0x10000) {
        out.push_back(static_cast<wchar_t>(value));
    }
    return true;
}

class Reader {
public:
    explicit Reader(const std::vector<Token>& tokens) : tokens_(tokens) {}

    std::wstring run();

private:
    std::string_view key(std::size_t i) const {
        return i < tokens_.size() ? std::string_view(tokens_[i].key) : std::string_view();
    }
    bool startsSyllable(std::size_t i) const {
        return findEwtsVowel(key(i)) != nullptr || findEwtsConsonant(key(i)) != nullptr;
    }
    void syllable();
    bool stack();
    void skipCarets(int& carets);
    void bracketed();

    const std::vector<Token>& tokens_;
    std::size_t i_ = 0;
    std::wstring out_;
};

std::wstring Reader::run() {
    while (i_ < tokens_.size()) {
        const Token& t = tokens_[i_];
        if (t.key == "[") {
            bracketed();
        } else if (const EwtsSymbol* symbol = findEwtsSymbol(t.key)) {
            out_ += symbol->text;
            ++i_;
            while (t.key == " " && key(i_) == " ") {
                ++i_; // a run of spaces is one tsheg
            }
        } else if (startsSyllable(i_)) {
            syllable();
        } else if (t.text == L"\r\n" || t.text == L"\n" || t.text == L"\r") {
            out_ += t.text;
            ++i_;
            while (key(i_) == " ") {
                ++i_;
            }
        } else if (t.text == L"\uFEFF" || t.text == L"\u200B") {
            ++i_;
        } else if (t.text.size() >= 2 && t.text[0] == L'\\') {
            if (!unicodeEscape(t.text, out_)) {
                out_ += t.text.substr(1);
            }
            ++i_;
        } else {
            out_ += t.text;
            ++i_;
        }
    }
    return out_;
}

// [text] passes through as it is, brackets nesting, escapes read.
void Reader::bracketed() {
    int nesting = 1;
    ++i_;
    while (i_ < tokens_.size()) {
        const Token& t = tokens_[i_++];
        nesting += t.key == "[" ? 1 : t.key == "]" ? -1 : 0;
        if (nesting == 0) {
            return;
        }
        if (t.text.size() >= 2 && t.text[0] == L'\\') {
            if (!unicodeEscape(t.text, out_)) {
                out_ += t.text.substr(1);
            }
        } else {
            out_ += t.text;
        }
    }
}

// A tsheg-bar: stacks up to a key that starts none, or after a visarga.
void Reader::syllable() {
    while (i_ < tokens_.size() && startsSyllable(i_)) {
        if (stack()) {
            return;
        }
    }
}

void Reader::skipCarets(int& carets) {
    while (key(i_) == "^") {
        ++carets;
        ++i_;
    }
}

// One stack from i_: a superscript, the root, up to two subscripts, "+" and whatever it joins,
// the vowel, the marks and a "." after them. Letters that stack without a vowel or a "+" are not
// a stack: then only the first letter is read. Returns true after a visarga.
bool Reader::stack() {
    const std::size_t start = i_;
    std::wstring out;
    int consonants = 0;
    int carets = 0;
    bool vowel = false;
    bool plus = false;
    bool caret = false;
    if (ewtsSuperscriptOver(key(i_), key(i_ + 1))) {
        out += findEwtsConsonant(key(i_))->root;
        ++consonants;
        ++i_;
        skipCarets(carets);
    }
    for (;;) {
        const std::string_view k = key(i_);
        const EwtsConsonant* letter = findEwtsConsonant(k);
        const bool below = !out.empty();
        if (below && k == "a") {
            out += kEwtsSubjoinedAchen;
            vowel = true;
            ++i_;
            skipCarets(carets);
        } else if (letter != nullptr && (!below || !letter->subjoined.empty())) {
            out += below ? letter->subjoined : letter->root;
            ++consonants;
            ++i_;
            skipCarets(carets);
            for (int n = 0; n < 2 && isEwtsSubscript(key(i_)); ++n) {
                if (key(i_) == "l" && consonants > 1) {
                    break; // brla is b.r+la: la is never under two letters
                }
                out += findEwtsConsonant(key(i_))->subjoined;
                ++consonants;
                ++i_;
                skipCarets(carets);
            }
        }
        if (carets > 0) {
            out += L'\u0F39'; // written once, after the letters and before the vowel
            carets = 0;
            caret = true;
        }
        if (const EwtsVowel* v = findEwtsVowel(key(i_))) {
            if (out.empty()) {
                out += kEwtsAchen; // a vowel that starts a stack is written on a-chen
            }
            out += v->sign;
            vowel = true;
            ++i_;
        }
        if (key(i_) != "+") {
            break;
        }
        ++i_;
        plus = true;
        const EwtsConsonant* next = findEwtsConsonant(key(i_));
        if (findEwtsVowel(key(i_)) == nullptr && (next == nullptr || next->subjoined.empty())) {
            break;
        }
    }
    std::string classes = caret ? "^" : "";
    bool visarga = false;
    while (const EwtsMark* mark = findEwtsMark(key(i_))) {
        if (classes.find(mark->markClass) == std::string::npos) {
            classes.push_back(mark->markClass);
            out += mark->sign;
        }
        visarga = visarga || mark->markClass == 'H';
        ++i_;
    }
    if (key(i_) == ".") {
        ++i_;
    }
    if (consonants > 1 && !vowel && !plus) {
        i_ = start + 1;
        out = findEwtsConsonant(key(start))->root;
    }
    out_ += out;
    return visarga;
}

} // namespace

std::wstring ewtsToTibetan(std::wstring_view ewts) {
    const std::wstring text = normalize(ewts);
    const std::vector<Token> tokens = tokenize(text);
    return Reader(tokens).run();
}

} // namespace revaze
