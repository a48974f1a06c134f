#include "layouts/layout_tables.h"

#include "layouts/layouts.h"
#include "wylie/wylie_tables.h"

#include <array>
#include <iterator>

namespace revaze {
namespace {

// Rows are kept in the order the layouts were designed in; where a key or sequence repeats,
// the first row wins and the later one is kept only so the tables stay as they were drawn up.

// Himalaya, layoutIndex 0.
constexpr std::string_view kHimalayaKeySet = "1234567890'\"~!@#$%^&*()_+QWEUIOP{}|'SFGHJKL:ZVB>?`-="
                                             "qwertyuiop[]\\asdfghjkl;zxcvbnm,./ARTYDXCN<M";

// The later ' and j rows repeat keys already listed; the first rows win.
constexpr DirectRow kHimalayaDirect[] = {
    {'0', 0x0F20}, {'1', 0x0F21}, {'2', 0x0F22}, {'3', 0x0F23}, {'4', 0x0F24},  {'5', 0x0F25},
    {'6', 0x0F26}, {'7', 0x0F27}, {'8', 0x0F28}, {'9', 0x0F29}, {'\'', 0x0F0D}, {'"', 0x0F38},
    {'j', 0x0F0B}, {'!', 0x0F2A}, {'@', 0x0F2B}, {'#', 0x0F2C}, {'$', 0x0F2D},  {'%', 0x0F2E},
    {'^', 0x0F2F}, {'&', 0x0F30}, {'*', 0x0F31}, {'(', 0x0F32}, {')', 0x0F33},  {'_', 0x0F3C},
    {'+', 0x0F3D}, {'Q', 0x0F15}, {'W', 0x0F16}, {'E', 0x0F17}, {'U', 0x0F18},  {'I', 0x0F19},
    {'O', 0x0F1A}, {'P', 0x0F1B}, {'{', 0x0F1C}, {'}', 0x0F1D}, {'|', 0x0F1E},  {'S', 0x0F1F},
    {'F', 0x0F3E}, {'G', 0x0F3F}, {'H', 0x0FCF}, {'J', 0x0F02}, {'K', 0x0F03},  {'L', 0x0F06},
    {':', 0x0F07}, {'Z', 0x0F34}, {'V', 0x0F87}, {'B', 0x0F86}, {'>', 0x0F3A},  {'?', 0x0F3B},
    {'`', 0x0F68}, {'M', 0x004D}, {'A', 0x0F71}, {'R', 0x0FBC}, {'T', 0x0F4A},  {'Y', 0x0FBB},
    {'D', 0x0F4C}, {'X', 0x0F65}, {'N', 0x0F4E}, {'<', 0x0F4B}, {'C', 0x0F69},  {'\'', 0x0F38},
    {'j', 0x0F0B},
};
static_assert(std::size(kHimalayaDirect) <= kDirectCapacity);

// The later ' and " rows repeat keys already listed.
constexpr KeyRow kHimalayaOneKey[] = {
    {"0", 0x0F20}, {"1", 0x0F21}, {"2", 0x0F22}, {"3", 0x0F23}, {"4", 0x0F24},  {"5", 0x0F25},
    {"6", 0x0F26}, {"7", 0x0F27}, {"8", 0x0F28}, {"9", 0x0F29}, {"'", 0x0F0D},  {"\"", 0x0F38},
    {"~", 0x0F01}, {"!", 0x0F2A}, {"@", 0x0F2B}, {"#", 0x0F2C}, {"$", 0x0F2D},  {"%", 0x0F2E},
    {"^", 0x0F2F}, {"&", 0x0F30}, {"*", 0x0F31}, {"(", 0x0F32}, {")", 0x0F33},  {"_", 0x0F3C},
    {"+", 0x0F3D}, {"Q", 0x0F15}, {"W", 0x0F16}, {"E", 0x0F17}, {"U", 0x0F18},  {"I", 0x0F19},
    {"O", 0x0F1A}, {"P", 0x0F1B}, {"{", 0x0F1C}, {"}", 0x0F1D}, {"|", 0x0F1E},  {"S", 0x0F1F},
    {"F", 0x0F3E}, {"G", 0x0F3F}, {"H", 0x0FCF}, {"J", 0x0F02}, {"K", 0x0F03},  {"L", 0x0F06},
    {":", 0x0F07}, {"Z", 0x0F34}, {"V", 0x0F87}, {"B", 0x0F86}, {">", 0x0F3A},  {"?", 0x0F3B},
    {"j", 0x0F0B}, {"`", 0x0F68}, {"-", 0x0F67}, {"=", 0x0F5D}, {"q", 0x0F45},  {"w", 0x0F46},
    {"e", 0x0F7A}, {"r", 0x0F62}, {"t", 0x0F4F}, {"y", 0x0F61}, {"u", 0x0F74},  {"i", 0x0F72},
    {"o", 0x0F7C}, {"p", 0x0F55}, {"[", 0x0F59}, {"]", 0x0F5A}, {"\\", 0x0F5B}, {"a", 0x0F60},
    {"s", 0x0F66}, {"d", 0x0F51}, {"f", 0x0F56}, {"g", 0x0F44}, {"h", 0x0F58},  {"k", 0x0F42},
    {"l", 0x0F63}, {";", 0x0F5E}, {"z", 0x0F5F}, {"x", 0x0F64}, {"c", 0x0F40},  {"v", 0x0F41},
    {"b", 0x0F54}, {"n", 0x0F53}, {"m", 0x006D}, {",", 0x0F50}, {".", 0x0F47},  {"/", 0x0F49},
    {"M", 0x004D}, {"A", 0x0F71}, {"R", 0x0FBC}, {"T", 0x0F4A}, {"Y", 0x0FBB},  {"D", 0x0F4C},
    {"X", 0x0F65}, {"N", 0x0F4E}, {"<", 0x0F4B}, {"C", 0x0F69}, {"'", 0x0F0D},  {"\"", 0x0F38},
};
static_assert(std::size(kHimalayaOneKey) <= kOneKeyCapacity);

// Prefix m, then prefix M. m { is stored twice (the first row wins) and m @ has none.
constexpr KeyRow kHimalayaTwoKey[] = {
    {"m`", 0x0FB8},  {"m1", 0x0F04}, {"m2", 0x0F05}, {"m3", 0x0F7E},  {"m4", 0x0F83},
    {"m5", 0x0F37},  {"m6", 0x0F35}, {"m7", 0x0F7F}, {"m8", 0x0F14},  {"m9", 0x0F11},
    {"m0", 0x0F08},  {"m-", 0x0FB7}, {"m=", 0x0FBA}, {"mq", 0x0F95},  {"mw", 0x0F96},
    {"me", 0x0F7B},  {"mr", 0x0FB2}, {"mt", 0x0F9F}, {"my", 0x0FB1},  {"mu", 0x0FAD},
    {"mi", 0x0F80},  {"mo", 0x0F7D}, {"mp", 0x0FA5}, {"m[", 0x0FA9},  {"m]", 0x0FAA},
    {"m\\", 0x0FAB}, {"ma", 0x0FB0}, {"ms", 0x0FB6}, {"md", 0x0FA1},  {"mf", 0x0FA6},
    {"mg", 0x0F94},  {"mh", 0x0FA8}, {"mj", 0x0F84}, {"mk", 0x0F92},  {"ml", 0x0FB3},
    {"m;", 0x0FAE},  {"m'", 0x0F0E}, {"mz", 0x0FAF}, {"mx", 0x0FB4},  {"mc", 0x0F90},
    {"mv", 0x0F91},  {"mb", 0x0FA4}, {"mn", 0x0FA3}, {"mm", 0x0F85},  {"m,", 0x0FA0},
    {"m.", 0x0F97},  {"m/", 0x0F99}, {"m~", 0x0F00}, {"m!", 0x0F76},  {"m{", 0x0F77},
    {"m#", 0x0F78},  {"m$", 0x0F79}, {"m%", 0x0F81}, {"m^", 0x0F09},  {"m&", 0x0F0A},
    {"m*", 0x0F0F},  {"m(", 0x0F10}, {"m)", 0x0F12}, {"m_", 0x0F0B},  {"m+", 0x0F13},
    {"mQ", 0x0F89},  {"mW", 0x0F88}, {"mE", 0x0FBE}, {"mR", 0x0F6A},  {"mT", 0x0F9A},
    {"mY", 0x0FBF},  {"mU", 0x0F75}, {"mI", 0x0F73}, {"mO", 0x0FC0},  {"mP", 0x0FC1},
    {"m{", 0x0FC2},  {"m}", 0x0FC3}, {"m|", 0x0F5C}, {"mA", 0x0FC4},  {"mS", 0x0FC5},
    {"mD", 0x0F9C},  {"mF", 0x0F57}, {"mG", 0x0FC6}, {"mH", 0x0FC7},  {"mJ", 0x0FC8},
    {"mK", 0x0F43},  {"mL", 0x0FC9}, {"m:", 0x0FCA}, {"m\"", 0x0FCB}, {"mZ", 0x0FCC},
    {"mX", 0x0FB5},  {"mC", 0x0FB9}, {"mV", 0x0F36}, {"mB", 0x0F82},  {"mN", 0x0F9E},
    {"mM", 0x0F52},  {"m<", 0x0F9B}, {"m>", 0x0F8B}, {"m?", 0x0F8A},  {"Mt", 0x0F9D},
    {"Md", 0x0F4D},  {"Mk", 0x0F93}, {"Mm", 0x0FA2}, {"Mf", 0x0FA7},  {"M\\", 0x0FAC},
};
static_assert(std::size(kHimalayaTwoKey) <= kTwoKeyCapacity);

// Wylie-F, layoutIndex 1.
constexpr std::string_view kWylieFKeySet = "abcd eghifjklmno,prstu'wyzADEINMOTUSH";

// Wylie-F's direct keys are the Wylie layout's, in the same order.
constexpr std::size_t kWylieDirectCount = [] {
    std::size_t n = 0;
    while (n < DirectKeyTable.size() && DirectKeyTable[n].key != '\0') {
        ++n;
    }
    return n;
}();
constexpr auto kWylieFDirect = [] {
    std::array<DirectRow, kWylieDirectCount> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = {DirectKeyTable[i].key, DirectKeyTable[i].unit};
    }
    return rows;
}();
static_assert(std::size(kWylieFDirect) <= kDirectCapacity);

// The last H row repeats one already listed. R has a row but is not a key.
constexpr KeyRow kWylieFOneKey[] = {
    {" ", 0x0F0B}, {",", 0x0F0B}, {"k", 0x0F40}, {"g", 0x0F42}, {"c", 0x0F45}, {"j", 0x0F47},
    {"T", 0x0F4A}, {"D", 0x0F4C}, {"N", 0x0F4E}, {"H", 0x0F7F}, {"t", 0x0F4F}, {"d", 0x0F51},
    {"n", 0x0F53}, {"p", 0x0F54}, {"b", 0x0F56}, {"m", 0x0F58}, {"w", 0x0F5D}, {"z", 0x0F5F},
    {"'", 0x0F60}, {"f", 0x2198}, {"y", 0x0F61}, {"r", 0x0F62}, {"l", 0x0F63}, {"s", 0x0F66},
    {"S", 0x0F65}, {"h", 0x0F67}, {"a", 0x0F68}, {"R", 0x0F6A}, {"A", 0x0F71}, {"i", 0x0F72},
    {"u", 0x0F74}, {"e", 0x0F7A}, {"o", 0x0F7C}, {"I", 0x0F80}, {"U", 0x0F83}, {"E", 0x0F7B},
    {"O", 0x0F7D}, {"M", 0x0F7E}, {"H", 0x0F7F},
};
static_assert(std::size(kWylieFOneKey) <= kOneKeyCapacity);

// Prefix f gives the subjoined letters; the other pairs spell consonants.
constexpr KeyRow kWylieFTwoKey[] = {
    {"fk", 0x0F90}, {"fg", 0x0F92}, {"fc", 0x0F95}, {"fj", 0x0F97}, {"fT", 0x0F9A}, {"fD", 0x0F9C},
    {"fN", 0x0F9E}, {"ft", 0x0F9F}, {"fd", 0x0FA1}, {"fn", 0x0FA3}, {"fp", 0x0FA4}, {"fb", 0x0FA6},
    {"fm", 0x0FA8}, {"fw", 0x0FAD}, {"fz", 0x0FAF}, {"f'", 0x0FB0}, {"fy", 0x0FB1}, {"fr", 0x0FB2},
    {"fl", 0x0FB3}, {"fs", 0x0FB6}, {"fS", 0x0FB5}, {"fh", 0x0FB7}, {"fa", 0x0FB8}, {"fR", 0x0FBA},
    {"ka", 0x0F40}, {"kh", 0x0F41}, {"ga", 0x0F42}, {"ca", 0x0F45}, {"ch", 0x0F46}, {"ja", 0x0F47},
    {"Ta", 0x0F4A}, {"Th", 0x0F4B}, {"Da", 0x0F4C}, {"Na", 0x0F4E}, {"ta", 0x0F4F}, {"th", 0x0F50},
    {"ts", 0x0F59}, {"da", 0x0F51}, {"dz", 0x0F5B}, {"na", 0x0F53}, {"ng", 0x0F44}, {"ny", 0x0F49},
    {"pa", 0x0F54}, {"ph", 0x0F55}, {"ba", 0x0F56}, {"ma", 0x0F58}, {"wa", 0x0F5D}, {"za", 0x0F5F},
    {"zh", 0x0F5E}, {"'a", 0x0F60}, {"ya", 0x0F61}, {"ra", 0x0F62}, {"la", 0x0F63}, {"sa", 0x0F66},
    {"sh", 0x0F64}, {"Sa", 0x0F65}, {"Sh", 0x0F65}, {"ha", 0x0F67}, {"aa", 0x0F68}, {"Ra", 0x0F6A},
};
static_assert(std::size(kWylieFTwoKey) <= kTwoKeyCapacity);

constexpr KeyRow kWylieFThreeKey[] = {
    {"fkh", 0x0F91}, {"fng", 0x0F94}, {"fch", 0x0F96}, {"fny", 0x0F99}, {"fth", 0x0FA0},
    {"fph", 0x0FA5}, {"fts", 0x0FA9}, {"fdz", 0x0FAB}, {"fzh", 0x0FAE}, {"fsh", 0x0FB4},
    {"fTh", 0x0F9B}, {"fSh", 0x0FB5}, {"kha", 0x0F41}, {"nga", 0x0F44}, {"cha", 0x0F46},
    {"nya", 0x0F49}, {"tha", 0x0F50}, {"pha", 0x0F55}, {"tsa", 0x0F59}, {"dza", 0x0F5B},
    {"zha", 0x0F5E}, {"sha", 0x0F64}, {"Tha", 0x0F4B}, {"Sha", 0x0F65}, {"tsh", 0x0F5A},
};
static_assert(std::size(kWylieFThreeKey) <= kThreeKeyCapacity);

constexpr KeyRow kWylieFFourKey[] = {
    {"ftsh", 0x0FAA},
    {"tsha", 0x0F5A},
};
static_assert(std::size(kWylieFFourKey) <= kFourKeyCapacity);

// Dzongkha, layoutIndex 2.
constexpr std::string_view kDzongkhaKeySet =
    "` qwert yuiop[]\\asdfghjkl;'zxcvbnm,./QWERTYUIOP{}|ASDFGHJKL:\"ZXCVBNM<>?";

// $ is stored with code 0, which commits nothing.
constexpr DirectRow kDzongkhaDirect[] = {
    {' ', 0x0F0B}, {'0', 0x0F20}, {'1', 0x0F21}, {'2', 0x0F22}, {'3', 0x0F23}, {'4', 0x0F24},
    {'5', 0x0F25}, {'6', 0x0F26}, {'7', 0x0F27}, {'8', 0x0F28}, {'9', 0x0F29}, {'-', 0x0F14},
    {'=', 0x0F0D}, {'~', 0x0F0A}, {'!', 0x0F04}, {'@', 0x0F05}, {'#', 0x0F06}, {'$', 0x0000},
    {'%', 0x0F0E}, {'^', 0x0F08}, {'&', 0x0F38}, {'*', 0x0F34}, {'(', 0x0F3C}, {')', 0x0F3D},
    {'_', 0x0F7F}, {'+', 0x0F11},
};
static_assert(std::size(kDzongkhaDirect) <= kDirectCapacity);

constexpr KeyRow kDzongkhaOneKey[] = {
    {"`", 0x2198}, {" ", 0x0F0B}, {"q", 0x0F40},  {"w", 0x0F41}, {"e", 0x0F42}, {"r", 0x0F44},
    {"t", 0x0F72}, {"y", 0x0F74}, {"u", 0x0F7A},  {"i", 0x0F7C}, {"o", 0x0F45}, {"p", 0x0F46},
    {"[", 0x0F47}, {"]", 0x0F49}, {"\\", 0x0F5D}, {"a", 0x0F4F}, {"s", 0x0F50}, {"d", 0x0F51},
    {"f", 0x0F53}, {"g", 0x0F54}, {"h", 0x0F55},  {"j", 0x0F56}, {"k", 0x0F58}, {"l", 0x0F59},
    {";", 0x0F5A}, {"'", 0x0F5B}, {"z", 0x0F5E},  {"x", 0x0F5F}, {"c", 0x0F60}, {"v", 0x0F61},
    {"b", 0x0F62}, {"n", 0x0F63}, {"m", 0x0F64},  {",", 0x0F66}, {".", 0x0F67}, {"/", 0x0F68},
    {"Q", 0x0F90}, {"W", 0x0F91}, {"E", 0x0F92},  {"R", 0x0F94}, {"T", 0x0F80}, {"Y", 0x0F84},
    {"U", 0x0F7B}, {"I", 0x0F7D}, {"O", 0x0F95},  {"P", 0x0F96}, {"{", 0x0F97}, {"}", 0x0F99},
    {"|", 0x0FAD}, {"A", 0x0F9F}, {"S", 0x0FA0},  {"D", 0x0FA1}, {"F", 0x0FA3}, {"G", 0x0FA4},
    {"H", 0x0FA5}, {"J", 0x0FA6}, {"K", 0x0FA8},  {"L", 0x0FA9}, {":", 0x0FAA}, {"\"", 0x0FAB},
    {"Z", 0x0FAE}, {"X", 0x0FAF}, {"C", 0x0F71},  {"V", 0x0FB1}, {"B", 0x0FB2}, {"N", 0x0FB3},
    {"M", 0x0FB4}, {"<", 0x0FB6}, {">", 0x0FB7},  {"?", 0x0FB8},
};
static_assert(std::size(kDzongkhaOneKey) <= kOneKeyCapacity);

// Prefix backtick. The row holding the double quote alone is never matched by a two-key search.
constexpr KeyRow kDzongkhaTwoKey[] = {
    {"`1", 0x0031},  {"`2", 0x0032}, {"`3", 0x0033}, {"`4", 0x0034}, {"`5", 0x0035}, {"`6", 0x0036},
    {"`7", 0x0037},  {"`8", 0x0038}, {"`9", 0x0039}, {"`0", 0x0030}, {"`-", 0x002D}, {"`=", 0x003D},
    {"`\\", 0x005C}, {"`q", 0x0F88}, {"`w", 0x0F89}, {"`e", 0x0F8C}, {"`r", 0x0F83}, {"`t", 0x0F1A},
    {"`y", 0x0F1B},  {"`u", 0x0F1C}, {"`i", 0x0F1D}, {"`o", 0x0F1E}, {"`p", 0x0F1F}, {"`[", 0x0028},
    {"`]", 0x0029},  {"`a", 0x0F4A}, {"`s", 0x0F4B}, {"`d", 0x0F4C}, {"`f", 0x0F4E}, {"`g", 0x0F09},
    {"`h", 0x0F0A},  {"`j", 0x0F37}, {"`k", 0x0F7E}, {"`l", 0x0F39}, {"`;", 0x003B}, {"`'", 0x0027},
    {"`z", 0x0F13},  {"`x", 0x0FBE}, {"`c", 0x0F03}, {"`v", 0x0F0F}, {"`b", 0x0F6A}, {"`n", 0x0F12},
    {"`m", 0x0F65},  {"`,", 0x002C}, {"`.", 0x002E}, {"`/", 0x002F}, {"`!", 0x0FD3}, {"`@", 0x0FD4},
    {"`#", 0x0F3A},  {"`$", 0x0F3B}, {"`%", 0x0F85}, {"`^", 0x0F01}, {"`&", 0x0F8A}, {"`*", 0x002A},
    {"`_", 0x0FD2},  {"`+", 0x002B}, {"`Q", 0x0F8D}, {"`W", 0x0F8E}, {"`E", 0x0F8F}, {"`R", 0x0F82},
    {"`I", 0x0F17},  {"`O", 0x0F18}, {"`P", 0x0F19}, {"`{", 0x0F3F}, {"`}", 0x0F3E}, {"`|", 0x0FBA},
    {"`A", 0x0F9A},  {"`S", 0x0F9B}, {"`D", 0x0F9C}, {"`F", 0x0F9E}, {"`G", 0x0FD1}, {"`H", 0x0FD0},
    {"`J", 0x0F35},  {"`K", 0x0F87}, {"`L", 0x0F86}, {"`:", 0x003A}, {"\"", 0x0022}, {"`Z", 0x0F36},
    {"`X", 0x0FBF},  {"`C", 0x0FB0}, {"`V", 0x0FBB}, {"`B", 0x0FBC}, {"`M", 0x0FB5}, {"`<", 0x0FD9},
    {"`>", 0x0FDA},  {"`?", 0x003F},
};
static_assert(std::size(kDzongkhaTwoKey) <= kTwoKeyCapacity);

// Sambhota-1, layoutIndex 3.
constexpr std::string_view kSambhota1KeySet = "qwer tyuiop'sdfghjklzxcvbnmBDXCQETIOPASKZGXVBN";

constexpr DirectRow kSambhota1Direct[] = {
    {' ', 0x0F0B}, {'0', 0x0F20}, {'1', 0x0F21}, {'2', 0x0F22}, {'3', 0x0F23}, {'4', 0x0F24},
    {'5', 0x0F25}, {'6', 0x0F26}, {'7', 0x0F27}, {'8', 0x0F28}, {'9', 0x0F29}, {'<', 0x0F00},
    {';', 0x0F14}, {':', 0x0F7F}, {'/', 0x0F34}, {'?', 0x0F08}, {'|', 0x0F85}, {',', 0x0F0D},
    {'-', 0x0F11}, {'%', 0x0F83}, {'&', 0x0F7E},
};
static_assert(std::size(kSambhota1Direct) <= kDirectCapacity);

// C has no row: it composes only after the prefix f. The last X and B rows repeat earlier ones.
constexpr KeyRow kSambhota1OneKey[] = {
    {" ", 0x0F0B}, {"q", 0x0F4A}, {"w", 0x0F5D}, {"e", 0x0F7A}, {"r", 0x0F62}, {"t", 0x0F4F},
    {"y", 0x0F61}, {"u", 0x0F74}, {"i", 0x0F72}, {"o", 0x0F7C}, {"p", 0x0F54}, {"'", 0x0F60},
    {"s", 0x0F66}, {"d", 0x0F51}, {"f", 0x2198}, {"g", 0x0F42}, {"h", 0x0F67}, {"j", 0x0F47},
    {"k", 0x0F40}, {"l", 0x0F63}, {"z", 0x0F5F}, {"x", 0x0F59}, {"c", 0x0F45}, {"v", 0x0F4C},
    {"b", 0x0F56}, {"n", 0x0F53}, {"m", 0x0F58}, {"B", 0x0F65}, {"D", 0x0F5B}, {"X", 0x0F5A},
    {"Q", 0x0F4B}, {"E", 0x0F7B}, {"T", 0x0F50}, {"I", 0x0F80}, {"O", 0x0F7D}, {"P", 0x0F55},
    {"A", 0x0F68}, {"S", 0x0F64}, {"K", 0x0F41}, {"Z", 0x0F5E}, {"G", 0x0F44}, {"V", 0x0F4E},
    {"N", 0x0F49}, {"X", 0x0F5A}, {"B", 0x0F65},
};
static_assert(std::size(kSambhota1OneKey) <= kOneKeyCapacity);

// Prefix f.
constexpr KeyRow kSambhota1TwoKey[] = {
    {"fk", 0x0F90}, {"fK", 0x0F91}, {"fg", 0x0F92}, {"fG", 0x0F94}, {"fc", 0x0F95}, {"fC", 0x0F96},
    {"fj", 0x0F97}, {"fN", 0x0F99}, {"ft", 0x0F9F}, {"fT", 0x0FA0}, {"fd", 0x0FA1}, {"fn", 0x0FA3},
    {"fp", 0x0FA4}, {"fb", 0x0FA6}, {"fm", 0x0FA8}, {"fx", 0x0FA9}, {"fX", 0x0FAA}, {"fw", 0x0FAD},
    {"fZ", 0x0FAE}, {"fz", 0x0FAF}, {"f'", 0x0F71}, {"fy", 0x0FB1}, {"fr", 0x0FB2}, {"fl", 0x0FB3},
    {"fS", 0x0FB5}, {"fs", 0x0FB6}, {"fh", 0x0FB7}, {"fA", 0x0FB8}, {"fq", 0x0F9A}, {"fQ", 0x0F9B},
    {"fv", 0x0F9C}, {"fV", 0x0F9E}, {"fB", 0x0FB5}, {"fP", 0x0FA5}, {"fD", 0x0FAB},
};
static_assert(std::size(kSambhota1TwoKey) <= kTwoKeyCapacity);

// Sambhota-2, layoutIndex 4.
constexpr std::string_view kSambhota2KeySet = "qwer tyuiop][ asdfkl;'zxcvm,./>?gjbnGBNQWERTh";

constexpr DirectRow kSambhota2Direct[] = {
    {' ', 0x0F0B}, {'0', 0x0F20}, {'1', 0x0F21}, {'2', 0x0F22}, {'3', 0x0F23},
    {'4', 0x0F24}, {'5', 0x0F25}, {'6', 0x0F26}, {'7', 0x0F27}, {'8', 0x0F28},
    {'9', 0x0F29}, {'V', 0x0F00}, {'K', 0x0F14}, {':', 0x0F7F}, {'\\', 0x0F34},
    {'&', 0x0F08}, {'|', 0x0F85}, {'C', 0x0F0D}, {'{', 0x0F11}, {'%', 0x0F83},
};
static_assert(std::size(kSambhota2Direct) <= kDirectCapacity);

constexpr KeyRow kSambhota2OneKey[] = {
    {"q", 0x0F40}, {"w", 0x0F41}, {"e", 0x0F42}, {"r", 0x0F44}, {"t", 0x0F45}, {"y", 0x0F46},
    {"u", 0x0F47}, {"i", 0x0F49}, {"o", 0x0F4F}, {"p", 0x0F50}, {"[", 0x0F51}, {"]", 0x0F53},
    {"a", 0x0F54}, {"s", 0x0F55}, {"d", 0x0F56}, {"f", 0x0F58}, {"k", 0x0F59}, {"l", 0x0F5A},
    {";", 0x0F5B}, {"'", 0x0F5D}, {"z", 0x0F5E}, {"x", 0x0F5F}, {"c", 0x0F60}, {"v", 0x0F61},
    {"m", 0x0F62}, {",", 0x0F63}, {".", 0x0F64}, {"/", 0x0F66}, {">", 0x0F67}, {"?", 0x0F68},
    {"g", 0x0F72}, {"j", 0x0F74}, {"b", 0x0F7A}, {"n", 0x0F7C}, {"G", 0x0F80}, {"B", 0x0F7B},
    {"N", 0x0F7D}, {"Q", 0x0F4A}, {"W", 0x0F4B}, {"E", 0x0F4C}, {"R", 0x0F4E}, {"T", 0x0F65},
    {"h", 0x2198}, {" ", 0x0F0B},
};
static_assert(std::size(kSambhota2OneKey) <= kOneKeyCapacity);

// Prefix h.
constexpr KeyRow kSambhota2TwoKey[] = {
    {"hq", 0x0F90}, {"hw", 0x0F91}, {"he", 0x0F92}, {"hr", 0x0F94}, {"ht", 0x0F95}, {"hy", 0x0F96},
    {"hu", 0x0F97}, {"hi", 0x0F99}, {"ho", 0x0F9F}, {"hp", 0x0FA0}, {"h[", 0x0FA1}, {"h]", 0x0FA3},
    {"ha", 0x0FA4}, {"hs", 0x0FA5}, {"hd", 0x0FA6}, {"hf", 0x0FA8}, {"hk", 0x0FA9}, {"hl", 0x0FAA},
    {"h;", 0x0FAB}, {"h'", 0x0FAD}, {"hz", 0x0FAE}, {"hx", 0x0FAF}, {"hc", 0x0F71}, {"hv", 0x0FB1},
    {"hm", 0x0FB2}, {"h,", 0x0FB3}, {"h.", 0x0FB5}, {"h/", 0x0FB6}, {"h>", 0x0FB7}, {"h?", 0x0FB8},
    {"hQ", 0x0F9A}, {"hW", 0x0F9B}, {"hE", 0x0F9C}, {"hR", 0x0F9E}, {"hT", 0x0FB5},
};
static_assert(std::size(kSambhota2TwoKey) <= kTwoKeyCapacity);

// Monlam, layoutIndex 5.
constexpr std::string_view kMonlamKeySet =
    "abcdegfh ijklmnopqrstvuwxyzQWERTYUIOPASDFGHJKLZXCVBNM?;',.:>\\";

constexpr DirectRow kMonlamDirect[] = {
    {' ', 0x0F0B}, {'0', 0x0F20}, {'1', 0x0F21}, {'2', 0x0F22}, {'3', 0x0F23},  {'4', 0x0F24},
    {'5', 0x0F25}, {'6', 0x0F26}, {'7', 0x0F27}, {'8', 0x0F28}, {'9', 0x0F29},  {'-', 0x0F80},
    {'=', 0x0F83}, {'`', 0x002E}, {'~', 0x0F8B}, {'!', 0x0F11}, {'@', 0x0F04},  {'#', 0x0F01},
    {'$', 0x0F7E}, {'%', 0x0F82}, {'^', 0x0F08}, {'&', 0x0F3C}, {'*', 0x0F3D},  {'(', 0x0028},
    {')', 0x0029}, {'_', 0x0F81}, {'[', 0x0F37}, {']', 0x0F84}, {'+', 0x0F7E},  {'{', 0x0F82},
    {'}', 0x0F35}, {'|', 0x0F1D}, {':', 0x0F7F}, {'/', 0x0F0D}, {'\\', 0x0F14}, {'<', 0x002C},
};
static_assert(std::size(kMonlamDirect) <= kDirectCapacity);

// Colon and backslash have no row; the double quote has one but is not a key.
constexpr KeyRow kMonlamOneKey[] = {
    {"q", 0x0F4A}, {"w", 0x0F5D}, {"e", 0x0F7A}, {"r", 0x0F62}, {"t", 0x0F4F}, {"y", 0x0F61},
    {"u", 0x0F74}, {"i", 0x0F72}, {"o", 0x0F7C}, {"p", 0x0F54}, {"a", 0x2198}, {" ", 0x0F0B},
    {"s", 0x0F66}, {"d", 0x0F51}, {"f", 0x0F44}, {"g", 0x0F42}, {"h", 0x0F67}, {"j", 0x0F47},
    {"k", 0x0F40}, {"l", 0x0FB3}, {";", 0x0F4D}, {"'", 0x0F60}, {"z", 0x0F5F}, {"x", 0x0F59},
    {"c", 0x0F45}, {"v", 0x0F4C}, {"b", 0x0F56}, {"n", 0x0F53}, {"m", 0x0F58}, {",", 0x0FB1},
    {".", 0x0FB2}, {"Y", 0x0FB1}, {"D", 0x0F5B}, {"Q", 0x0F4B}, {"W", 0x0FAD}, {"E", 0x0F7B},
    {"R", 0x0FB2}, {"T", 0x0F50}, {"U", 0x0F75}, {"I", 0x0F80}, {"O", 0x0F7D}, {"P", 0x0F55},
    {"A", 0x0F68}, {"S", 0x0F64}, {"F", 0x0F52}, {"G", 0x0F43}, {"H", 0x0FB7}, {"J", 0x0F5C},
    {"K", 0x0F41}, {"L", 0x0F63}, {"Z", 0x0F5E}, {"X", 0x0F5A}, {"C", 0x0F46}, {"V", 0x0F4E},
    {"B", 0x0F57}, {"N", 0x0F49}, {"M", 0x0F65}, {"?", 0x0F40}, {">", 0x0FB3}, {"\"", 0x0F71},
};
static_assert(std::size(kMonlamOneKey) <= kOneKeyCapacity);

// Prefix a. The last a T and a S rows repeat earlier ones.
constexpr KeyRow kMonlamTwoKey[] = {
    {"ak", 0x0F90}, {"ag", 0x0F92}, {"ac", 0x0F95}, {"aj", 0x0F97}, {"aT", 0x0FA0}, {"av", 0x0F84},
    {"aV", 0x0F84}, {"at", 0x0F9F}, {"ad", 0x0FA1}, {"an", 0x0FA3}, {"ap", 0x0FA4}, {"ab", 0x0FA6},
    {"am", 0x0FA8}, {"aw", 0x0FAD}, {"az", 0x0FAF}, {"ay", 0x0FB1}, {"ar", 0x0FB2}, {"al", 0x0FB3},
    {"as", 0x0FB6}, {"aS", 0x0FB4}, {"ah", 0x0FB7}, {"a'", 0x0F71}, {"aR", 0x0FBC}, {"aK", 0x0F91},
    {"af", 0x0F94}, {"aC", 0x0F96}, {"aN", 0x0F99}, {"aP", 0x0FA5}, {"ax", 0x0FA9}, {"aD", 0x0FAB},
    {"aQ", 0x0F9B}, {"aM", 0x0FB5}, {"aX", 0x0FAA}, {"aT", 0x0FA0}, {"aS", 0x0FB4},
};
static_assert(std::size(kMonlamTwoKey) <= kTwoKeyCapacity);

// BZD, layoutIndex 6.
constexpr std::string_view kBzdKeySet =
    "qwer tyuiop[]\\asdfghjkl;'zxcvbnm,./QWERTYUIOP|ADFKL:XCVBNM<";

constexpr DirectRow kBzdDirect[] = {
    {' ', 0x0F0B}, {'0', 0x0F20}, {'1', 0x0F21}, {'2', 0x0F22}, {'3', 0x0F23}, {'4', 0x0F24},
    {'5', 0x0F25}, {'6', 0x0F26}, {'7', 0x0F27}, {'8', 0x0F28}, {'9', 0x0F29}, {'`', 0x0F04},
    {'-', 0x0F83}, {'=', 0x0F7F}, {'+', 0x0F14}, {'_', 0x0F7E}, {'(', 0x0F3C}, {')', 0x0F3D},
    {'*', 0x0F11}, {'&', 0x0F10}, {'^', 0x0F08}, {'%', 0x0F07}, {'$', 0x0F06}, {'#', 0x0F3B},
    {'@', 0x0F3A}, {'!', 0x0F39}, {'~', 0x0F38}, {'"', 0x0F8B}, {'Z', 0x0F34}, {'>', 0x0F85},
    {'?', 0x0F0D}, {'G', 0x0F3F}, {'S', 0x0F1F}, {'J', 0x0F02}, {'H', 0x0FCF}, {'{', 0x0F1C},
    {'}', 0x0F1D},
};
static_assert(std::size(kBzdDirect) <= kDirectCapacity);

constexpr KeyRow kBzdOneKey[] = {
    {" ", 0x0F0B}, {"q", 0x0F47},  {"w", 0x0F50}, {"e", 0x0F7A}, {"r", 0x0F62}, {"t", 0x0F4F},
    {"y", 0x0F61}, {"u", 0x0F74},  {"i", 0x0F72}, {"o", 0x0F7C}, {"p", 0x0F56}, {"[", 0x0F68},
    {"]", 0x0F59}, {"\\", 0x0F5A}, {"a", 0x0F60}, {"s", 0x0F66}, {"d", 0x0F51}, {"f", 0x0066},
    {"g", 0x0F44}, {"h", 0x0F58},  {"j", 0x0F0B}, {"k", 0x0F42}, {"l", 0x0F63}, {";", 0x0F5A},
    {"'", 0x0F56}, {"z", 0x0F5F},  {"x", 0x0F64}, {"c", 0x0F41}, {"v", 0x0F40}, {"b", 0x0F54},
    {"n", 0x0F53}, {"m", 0x0F46},  {",", 0x0F45}, {".", 0x0F49}, {"/", 0x0F68}, {"Q", 0x0F67},
    {"W", 0x0F4B}, {"E", 0x0F7B},  {"R", 0x0FB2}, {"T", 0x0F4A}, {"Y", 0x0FB1}, {"U", 0x0F5D},
    {"I", 0x0F80}, {"O", 0x0F7D},  {"P", 0x0F55}, {"|", 0x0F5B}, {"A", 0x0F71}, {"D", 0x0F4C},
    {"F", 0x0F57}, {"K", 0x0F43},  {"L", 0x0FB3}, {":", 0x0FB2}, {"X", 0x0F65}, {"C", 0x0F69},
    {"V", 0x0F87}, {"B", 0x0F57},  {"N", 0x0F4E}, {"M", 0x0F52}, {"<", 0x0F4B},
};
static_assert(std::size(kBzdOneKey) <= kOneKeyCapacity);

// Prefix f.
constexpr KeyRow kBzdTwoKey[] = {
    {"fq", 0x0F97}, {"fw", 0x0FA0}, {"fr", 0x0FB2},  {"ft", 0x0F9F}, {"fy", 0x0FB1}, {"fp", 0x0FA6},
    {"f[", 0x0FB8}, {"f]", 0x0FA9}, {"f\\", 0x0FAA}, {"fa", 0x0F71}, {"fs", 0x0FB6}, {"fd", 0x0FA1},
    {"fg", 0x0F94}, {"fh", 0x0FA8}, {"fk", 0x0F92},  {"fl", 0x0FB3}, {"f;", 0x0FAA}, {"fz", 0x0FAF},
    {"fx", 0x0FB4}, {"fc", 0x0F91}, {"fv", 0x0F90},  {"fb", 0x0FA4}, {"fn", 0x0FA3}, {"fm", 0x0F96},
    {"f,", 0x0F95}, {"f.", 0x0F99}, {"f/", 0x0FB8},  {"fQ", 0x0FB7}, {"fW", 0x0F9B}, {"fT", 0x0F9A},
    {"fU", 0x0FAD}, {"fP", 0x0FA5}, {"f|", 0x0FAB},  {"fD", 0x0F9C}, {"fX", 0x0FB4}, {"fN", 0x0F9E},
    {"f<", 0x0F9B},
};
static_assert(std::size(kBzdTwoKey) <= kTwoKeyCapacity);

// In the order of the layout menu. The brackets of the menu texts are U+3010 and U+3011.
constexpr Layout kLayoutRows[] = {
    {LayoutId::Wylie,
     kWylie,
     "Wylie",
     L"Wylie\u3010威利\u3011",
     {},
     0,
     // Wylie is composed syllable by syllable elsewhere; only its key set is kept here.
     {kWylieFKeySet, {}, {}, {}, {}, {}}},
    {LayoutId::WylieF,
     kWylieF,
     "Wylie-F",
     L"Wylie-F\u3010威利-F\u3011",
     {},
     1,
     {kWylieFKeySet, kWylieFDirect, kWylieFOneKey, kWylieFTwoKey, kWylieFThreeKey, kWylieFFourKey}},
    {LayoutId::Himalaya,
     kHimalaya,
     "Himalaya",
     L"Himalaya\u3010喜马拉雅 \u0F67\u0F72\u0F0B\u0F58\u0F0B\u0F63\u0F0B\u0F61\u0F0D\u3011",
     {},
     2,
     {kHimalayaKeySet, kHimalayaDirect, kHimalayaOneKey, kHimalayaTwoKey, {}, {}}},
    {LayoutId::Dzongkha,
     kDzongkha,
     "Dzongkha",
     L"Dzongkha\u3010宗卡 \u0F62\u0FAB\u0F7C\u0F44\u0F0B\u0F41\u0F0D\u3011",
     {},
     3,
     {kDzongkhaKeySet, kDzongkhaDirect, kDzongkhaOneKey, kDzongkhaTwoKey, {}, {}}},
    {LayoutId::Sambhota1,
     kSambhota1,
     "Sambhota-1",
     L"Sambhota-1\u3010桑布札-1 \u0F66\u0F58\u0F0B\u0F56\u0FB7\u0F7C\u0F0B\u0F4A-1\u3011",
     {},
     4,
     {kSambhota1KeySet, kSambhota1Direct, kSambhota1OneKey, kSambhota1TwoKey, {}, {}}},
    {LayoutId::Sambhota2,
     kSambhota2,
     "Sambhota-2",
     L"Sambhota-2\u3010桑布札-2 \u0F66\u0F58\u0F0B\u0F56\u0FB7\u0F7C\u0F0B\u0F4A-2\u3011",
     {},
     5,
     {kSambhota2KeySet, kSambhota2Direct, kSambhota2OneKey, kSambhota2TwoKey, {}, {}}},
    {LayoutId::Monlam,
     kMonlam,
     "Monlam",
     L"Monlam\u3010莫兰 \u0F66\u0FA8\u0F7C\u0F53\u0F0B\u0F63\u0F58\u0F0D\u3011",
     {},
     6,
     {kMonlamKeySet, kMonlamDirect, kMonlamOneKey, kMonlamTwoKey, {}, {}}},
    {LayoutId::Bzd,
     kBzd,
     "BZD",
     L"BZD\u3010 班智达 \u0F54\u0F4E\u0F9A\u0F72\u0F0B\u0F4F\u0F0D\u3011",
     L"BZD\u3010班智达 \u0F54\u0F4E\u0F9A\u0F72\u0F0B\u0F4F\u0F0D\u3011",
     7,
     {kBzdKeySet, kBzdDirect, kBzdOneKey, kBzdTwoKey, {}, {}}},
    {LayoutId::Ewts,
     kWylie,
     "EWTS",
     L"EWTS\u3010扩展威利\u3011",
     {},
     8,
     // EWTS is converted as whole strings elsewhere; it shares Wylie's key set and soft pages.
     {kWylieFKeySet, {}, {}, {}, {}, {}}},
};
// Every table index has its layout; EWTS shares Wylie's.
static_assert(std::size(kLayoutRows) == kLayoutCount + 1);

constexpr LayoutTables kNoLayout = {{}, {}, {}, {}, {}, {}};

// An empty sequence ends a table, as does its capacity.
const KeyRow* findRow(std::span<const KeyRow> rows, std::size_t capacity, std::string_view keys) {
    for (std::size_t i = 0; i < rows.size() && i < capacity; ++i) {
        if (rows[i].keys.empty()) {
            break;
        }
        if (rows[i].keys == keys) {
            return &rows[i];
        }
    }
    return nullptr;
}

} // namespace

const LayoutTables& layoutTables(int layoutIndex) {
    const Layout* layout = findLayoutByIndex(layoutIndex);
    return layout != nullptr ? layout->tables : kNoLayout;
}

std::span<const Layout> allLayouts() {
    return kLayoutRows;
}

const Layout* findLayout(LayoutId id) {
    for (const Layout& layout : kLayoutRows) {
        if (layout.id == id) {
            return &layout;
        }
    }
    return nullptr;
}

const Layout* findLayoutById(int id) {
    for (const Layout& layout : kLayoutRows) {
        if (static_cast<int>(layout.id) == id) {
            return &layout;
        }
    }
    return nullptr;
}

const Layout* findLayoutByName(std::string_view name) {
    for (const Layout& layout : kLayoutRows) {
        if (layout.name == name) {
            return &layout;
        }
    }
    return nullptr;
}

const Layout* findLayoutByIndex(int index) {
    for (const Layout& layout : kLayoutRows) {
        if (layout.index == index) {
            return &layout;
        }
    }
    return nullptr;
}

std::wstring_view layoutMenuText(const Layout& layout, LayoutId current) {
    if (current == LayoutId::Wylie && !layout.menuTextUnderWylie.empty()) {
        return layout.menuTextUnderWylie;
    }
    return layout.menuText;
}

const DirectRow* findDirectRow(const LayoutTables& tables, char key) {
    for (std::size_t i = 0; i < tables.direct.size() && i < kDirectCapacity; ++i) {
        if (tables.direct[i].key == '\0') {
            break;
        }
        if (tables.direct[i].key == key) {
            return &tables.direct[i];
        }
    }
    return nullptr;
}

wchar_t oneKeyCode(const LayoutTables& tables, char key) {
    for (std::size_t i = 0; i < tables.oneKey.size() && i < kOneKeyCapacity; ++i) {
        const KeyRow& row = tables.oneKey[i];
        if (row.keys.empty()) {
            break;
        }
        if (row.keys.front() == key) {
            return row.code;
        }
    }
    return L'\0';
}

wchar_t multiKeyCode(const LayoutTables& tables, std::string_view keys) {
    const KeyRow* row = nullptr;
    switch (keys.size()) {
    case 2:
        row = findRow(tables.twoKey, kTwoKeyCapacity, keys);
        break;
    case 3:
        row = findRow(tables.threeKey, kThreeKeyCapacity, keys);
        break;
    case 4:
        row = findRow(tables.fourKey, kFourKeyCapacity, keys);
        break;
    default:
        break;
    }
    return row != nullptr ? row->code : L'\0';
}

bool isLayoutKey(const LayoutTables& tables, char key) {
    return key != '\0' && tables.keySet.find(key) != std::string_view::npos;
}

} // namespace revaze
