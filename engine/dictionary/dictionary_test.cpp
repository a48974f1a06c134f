#include "dictionary/dictionary.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace revaze {
namespace {

// Bytes of a UTF-16LE file holding `text`, with or without the FF FE mark.
std::string utf16le(std::wstring_view text, bool mark = true) {
    std::string bytes = mark ? "\xFF\xFE" : "";
    for (wchar_t c : text) {
        unsigned u = static_cast<unsigned>(c) & 0xFFFFu;
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

Dictionary fromLines(std::initializer_list<std::wstring_view> lines) {
    Dictionary d;
    for (std::wstring_view line : lines) {
        d.lines.emplace_back(line);
        d.lines.back() += L"\r\n";
    }
    return d;
}

const std::wstring ka = {0x0F40};
const std::wstring kha = {0x0F41};

TEST(DictionaryLoading, ByteOrderMarkIsSkippedAndLinesKeepTheirTerminator) {
    Dictionary d;
    d.loadBytes(utf16le(ka + L"\r\n" + kha + L"\r\n"));
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d.lines[0], ka + L"\r\n");
    EXPECT_EQ(d.lines[1], kha + L"\r\n");
}

TEST(DictionaryLoading, WithoutMarkReadingStartsAtByteZero) {
    Dictionary d;
    d.loadBytes(utf16le(ka + L"\r\n", false));
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d.lines[0], ka + L"\r\n");
    // FE FF is no mark of ours: it is the first code unit.
    Dictionary swapped;
    swapped.loadBytes(std::string("\xFE\xFF", 2) + utf16le(ka, false));
    ASSERT_EQ(swapped.size(), 1u);
    EXPECT_EQ(static_cast<unsigned>(swapped.lines[0][0]), 0xFFFEu);
}

TEST(DictionaryLoading, EmptyOneByteAndMarkOnlyFilesHoldNoEntries) {
    for (std::string bytes : {std::string(), std::string("\xFF"), std::string("\xFF\xFE")}) {
        Dictionary d;
        d.loadBytes(bytes);
        EXPECT_TRUE(d.empty()) << bytes.size();
    }
}

TEST(DictionaryLoading, OddTrailingByteIsDroppedAndLastLineKeptWithoutTerminator) {
    Dictionary d;
    d.loadBytes(utf16le(ka + L"\r\n" + kha) + "\x41");
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d.lines[1], kha);
}

TEST(DictionaryLoading, LongLinesAreStoredInPiecesOf2047Units) {
    std::wstring huge(5000, static_cast<wchar_t>(0x0F40));
    Dictionary d;
    d.loadBytes(utf16le(huge + L"\r\n" + ka + L"\r\n"));
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d.lines[0].size(), 2047u);
    EXPECT_EQ(d.lines[1].size(), 2047u);
    EXPECT_EQ(d.lines[2], std::wstring(5000 - 2 * 2047, static_cast<wchar_t>(0x0F40)) + L"\r\n");
    EXPECT_EQ(d.lines[3], ka + L"\r\n");
}

TEST(DictionaryLoading, MissingFileReportsTheExactMessage) {
    Dictionary d;
    std::ostringstream out;
    EXPECT_FALSE(d.loadFile("/nonexistent/ZovovUvoz2.dat", out));
    EXPECT_EQ(out.str(), "open file /nonexistent/ZovovUvoz2.datfailed. error code: 2\n");
    EXPECT_TRUE(d.empty());
}

TEST(DictionaryLoading, FileOnDiskLoadsLikeItsBytes) {
    auto path = std::filesystem::temp_directory_path() / "revaze_dictionary_test.dat";
    std::string bytes = utf16le(ka + L"\r\n" + kha + L"\r\n");
    {
        std::ofstream f(path, std::ios::binary);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    Dictionary fromFile;
    std::ostringstream out;
    EXPECT_TRUE(fromFile.loadFile(path, out));
    EXPECT_EQ(out.str(), "");
    Dictionary fromBytes;
    fromBytes.loadBytes(bytes);
    EXPECT_EQ(fromFile.lines, fromBytes.lines);
    std::filesystem::remove(path);
}

TEST(Candidates, LineTerminatorIsRemovedOnce) {
    struct Row {
        std::wstring line;
        std::wstring candidate;
    };
    const Row rows[] = {
        {L"ab\r\n", L"ab"}, {L"ab\n", L"ab"},   {L"ab", L"ab"},           {L"a", L"a"},
        {L"\r\n", L""},     {L"ab\r", L"ab\r"}, {L"a\r\n\r\n", L"a\r\n"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(candidateOfLine(row.line), row.candidate);
    }
}

TEST(Lookup, FirstHundredMatchesInFileOrderWithDuplicates) {
    Dictionary d;
    for (int i = 0; i < 150; ++i) {
        d.lines.push_back(ka + std::to_wstring(i) + L"\r\n");
        d.lines.push_back(kha + L"\r\n");
    }
    auto found = LookupCandidates(d, ka);
    ASSERT_EQ(found.size(), 100u);
    EXPECT_EQ(found.front(), ka + L"0");
    EXPECT_EQ(found.back(), ka + L"99");
    auto twice = LookupCandidates(fromLines({kha, ka, kha}), kha);
    EXPECT_EQ(twice, (std::vector<std::wstring>{kha, kha}));
}

TEST(Lookup, EmptyTextGivesNothing) {
    Dictionary d = fromLines({ka, L"(", L"a+b"});
    EXPECT_TRUE(LookupCandidates(d, L"").empty());
    EXPECT_TRUE(ReferenceLookupCandidates(d, L"").empty());
}

TEST(Lookup, TypedTextIsLiteralText) {
    using Words = std::vector<std::wstring>;
    Dictionary d = fromLines({L"abc", L"axc", L"ab", L"a.c", L"zz", L"(x)", L"a+b", L".?.?,"});
    EXPECT_EQ(LookupCandidates(d, L"a.c"), Words{L"a.c"});
    EXPECT_EQ(LookupCandidates(d, L"a[bx]c"), Words{});
    EXPECT_EQ(LookupCandidates(d, L"z*"), Words{});
    EXPECT_EQ(LookupCandidates(d, L"ab."), Words{});
    EXPECT_EQ(LookupCandidates(d, L"("), Words{L"(x)"});
    EXPECT_EQ(LookupCandidates(d, L"a+"), Words{L"a+b"});
    // Fourteen optional wildcards in a row once took the regex engine seconds a line.
    std::wstring runaway;
    for (int i = 0; i < 14; ++i) {
        runaway += L".?";
    }
    for (const std::wstring& text :
         {L".?.?" + std::wstring(), runaway + L",", std::wstring(L"[")}) {
        EXPECT_EQ(ReferenceLookupCandidates(d, text), LookupCandidates(d, text));
    }
    EXPECT_EQ(LookupCandidates(d, L".?.?"), Words{L".?.?,"});
}

TEST(Lookup, ProductionSearchEqualsTheReference) {
    Dictionary d = fromLines({ka, kha, ka + kha, L"abc", L"a.c", L"(x)", L"a\\b", L"[q]", L"*s"});
    d.lines.push_back(ka); // a last line without its terminator
    const std::wstring texts[] = {ka,     kha,      ka + kha, L"a",    L"a.",   L"\\(x",
                                  L"(x)", L"a\\\\", L"\\[",   L"[qa]", L"\\*s", L"abcd"};
    for (const std::wstring& text : texts) {
        EXPECT_EQ(LookupCandidates(d, text), ReferenceLookupCandidates(d, text));
    }
}

} // namespace
} // namespace revaze
