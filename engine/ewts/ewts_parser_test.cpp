#include "ewts/ewts_parser.h"

#include <gtest/gtest.h>

#include "common/text.h"

namespace revaze {
namespace {

struct Case {
    const char* ewts;
    const wchar_t* tibetan;
};

template <std::size_t N> void expectConversions(const Case (&cases)[N]) {
    for (const Case& c : cases) {
        const std::wstring got = ewtsToTibetan(utf8ToUnits(c.ewts));
        EXPECT_EQ(codepointList(got), codepointList(c.tibetan)) << "EWTS \"" << c.ewts << '"';
    }
}

TEST(EwtsParser, ConsonantsAndStacks) {
    const Case cases[] = {
        {"ka kha ga nga", L"ཀ་ཁ་ག་ང"},
        {"ca cha ja nya", L"ཅ་ཆ་ཇ་ཉ"},
        {"ta tha da na", L"ཏ་ཐ་ད་ན"},
        {"pa pha ba ma", L"པ་ཕ་བ་མ"},
        {"tsa tsha dza wa", L"ཙ་ཚ་ཛ་ཝ"},
        {"zha za 'a ya", L"ཞ་ཟ་འ་ཡ"},
        {"ra la sha sa ha", L"ར་ལ་ཤ་ས་ཧ"},
        {"Ta Tha Da Na Sha", L"ཊ་ཋ་ཌ་ཎ་ཥ"},
        {"-ta -tha -da -na -sha", L"ཊ་ཋ་ཌ་ཎ་ཥ"},
        // The aspirated Sanskrit letters are decomposed: gh is ga with a subjoined ha.
        {"gha", L"\u0F42\u0FB7"},
        {"Dha", L"\u0F4C\u0FB7"},
        {"dha", L"\u0F51\u0FB7"},
        {"bha", L"\u0F56\u0FB7"},
        {"dzha", L"\u0F5B\u0FB7"},
        {"kSha", L"\u0F40\u0FB5"},
        {"Wa Ya Ra", L"ཝ་ཡ་ཪ"},
        {"fa va", L"ཕ༹་བ༹"},
        {"rgya", L"རྒྱ"},
        {"sgrwa", L"སྒྲྭ"},
        {"rtswa", L"རྩྭ"},
        {"lha lnga snga", L"ལྷ་ལྔ་སྔ"},
        {"bsgrubs", L"བསྒྲུབས"},
        {"rya", L"རྱ"},
        {"shrI", L"ཤྲཱི"},
        {"drwa", L"དྲྭ"},
    };
    expectConversions(cases);
}

TEST(EwtsParser, PrefixReadingsAndTheDot) {
    const Case cases[] = {
        {"gyag", L"གྱག"},         {"g.yag", L"གཡག"},  {"brod", L"བྲོད"},    {"b.rod", L"བརོད"},
        {"dga", L"དག"},          {"dgas", L"དགས"},   {"bsgra", L"བསྒྲ"},   {"brla", L"བརླ"},
        {"'khrul", L"འཁྲུལ"},      {"mkhyen", L"མཁྱེན"}, {"dbang", L"དབང"},  {"tgra", L"ཏགྲ"},
        {"g....yag", L"ག...ཡག"}, {"bla", L"བླ"},      {"brgyad", L"བརྒྱད"},
    };
    expectConversions(cases);
}

TEST(EwtsParser, PlusStacksAnyConsonants) {
    const Case cases[] = {
        {"pad+ma", L"པདྨ"},
        {"badz+ra", L"བཛྲ"},
        {"sat+twa", L"སཏྟྭ"},
        {"g+ha", L"\u0F42\u0FB7"},
        {"b+ha", L"\u0F56\u0FB7"},
        {"k+Sha", L"\u0F40\u0FB5"},
        {"m+Na", L"མྞ"},
        {"s+Wa", L"སྺ"},
        {"a+yo", L"ཨྱོ"},
        {"g+m+ra", L"གྨྲ"},
        {"ba+a", L"བྸ"},
        {"sid+dhi", L"སིདྡྷི"},
    };
    expectConversions(cases);
}

TEST(EwtsParser, VowelsAndAchen) {
    const Case cases[] = {
        {"ka kA ki kI", L"ཀ་ཀཱ་ཀི་ཀཱི"},
        {"ku kU ke kai", L"ཀུ་ཀཱུ་ཀེ་ཀཻ"},
        {"ko kau k-i k-I", L"ཀོ་ཀཽ་ཀྀ་ཀཱྀ"},
        {"a A i I u U", L"ཨ་ཨཱ་ཨི་ཨཱི་ཨུ་ཨཱུ"},
        {"e ai o au", L"ཨེ་ཨཻ་ཨོ་ཨཽ"},
        {"oM A hUM", L"ཨོཾ་ཨཱ་ཧཱུཾ"},
        {"r-i r-I l-i l-I", L"རྀ་རཱྀ་ལྀ་ལཱྀ"},
        {"kr-i", L"ཀྲྀ"},
        {"maNi", L"མཎི"},
        {"karma", L"ཀརྨ"},
        {"gate", L"གཏེ"},
    };
    expectConversions(cases);
}

TEST(EwtsParser, Endings) {
    const Case cases[] = {
        {"ba'i", L"བའི"}, {"pa'am", L"པའམ"}, {"pa'ang", L"པའང"},
        {"ma'o", L"མའོ"}, {"sa'u", L"སའུ"},   {"bla ma'i", L"བླ་མའི"},
    };
    expectConversions(cases);
}

TEST(EwtsParser, Marks) {
    const Case cases[] = {
        {"kaM", L"ཀཾ"},      {"ka~M`", L"ཀྂ"}, {"ka~M", L"ཀྃ"}, {"hoH", L"ཧོཿ"},
        {"duHkha", L"དུཿཁ"}, {"k?", L"ཀ྄"},    {"kaX", L"ཀ༷"},  {"ka~X", L"ཀ༵"},
        {"ka^", L"ཀ༹"},      {"g^ra", L"གྲ༹"},  {"saM", L"སཾ"},  {"oMM", L"ཨོཾ"},
    };
    expectConversions(cases);
}

TEST(EwtsParser, PunctuationAndSpacing) {
    const Case cases[] = {
        {"ka/", L"ཀ།"},
        {"ka//", L"ཀ༎"},
        {"ka;", L"ཀ༏"},
        {"ka|", L"ཀ༑"},
        {"ka!", L"ཀ༈"},
        {"oM:", L"ཨོཾ༔"},
        {"ba_la", L"བ ལ"},
        {"ba=la", L"བ༴ལ"},
        {"<ba>", L"༺བ༻"},
        {"(ba)", L"༼བ༽"},
        {"@#$%&", L"༄༅༆༇྅"},
        {"ka*kha", L"ཀ༌ཁ"},
        // After a shad a space is a real space; a run of spaces is one tsheg.
        {"ka/ kha", L"ཀ། ཁ"},
        {"ka   kha", L"ཀ་ཁ"},
        {"  ka", L"ཀ"},
        {"ka (kha)", L"ཀ ༼ཁ༽"},
        {"[abc]ka", L"abcཀ"},
        {"\\u0f40\\u0F72", L"ཀི"},
        {"xq", L"xq"},
        {"a\\u0000\\ud800a", L"ཨཨ"}, // no escape writes a NUL or half a surrogate pair
    };
    expectConversions(cases);
}

TEST(EwtsParser, Numerals) {
    const Case cases[] = {
        {"0123456789", L"༠༡༢༣༤༥༦༧༨༩"},
        {"ka 12", L"ཀ ༡༢"}, // a space before a digit is a real space
        {"12 ka", L"༡༢་ཀ"},
    };
    expectConversions(cases);
}

} // namespace
} // namespace revaze
