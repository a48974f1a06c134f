#include "common/keys.h"

namespace revaze {

unsigned virtualKeyOf(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned>(c - 'a' + 'A');
    }
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') {
        return static_cast<unsigned>(c);
    }
    switch (c) {
    case ';':
    case ':':
        return kVkOem1;
    case '=':
    case '+':
        return kVkOemPlus;
    case ',':
    case '<':
        return kVkOemComma;
    case '-':
    case '_':
        return kVkOemMinus;
    case '.':
    case '>':
        return kVkOemPeriod;
    case '/':
    case '?':
        return kVkOem2;
    case '`':
    case '~':
        return kVkOem3;
    case '[':
    case '{':
        return kVkOem4;
    case '\\':
    case '|':
        return kVkOem5;
    case ']':
    case '}':
        return kVkOem6;
    case '\'':
    case '"':
        return kVkOem7;
    case ')':
        return '0';
    case '!':
        return '1';
    case '@':
        return '2';
    case '#':
        return '3';
    case '$':
        return '4';
    case '%':
        return '5';
    case '^':
        return '6';
    case '&':
        return '7';
    case '*':
        return '8';
    case '(':
        return '9';
    default:
        return 0;
    }
}

} // namespace revaze
