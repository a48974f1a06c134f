// The dictionary as the Windows builds open it: mapped from the system directory with the
// prepared index the native tool wrote beside it (scripts/wine-tests.sh), the same index built in
// memory by this bitness byte for byte, a dictionary without an index answered at once while a
// worker thread builds it, and the files an input method must refuse.
//
//     dictionary_harness.exe <Revaze.ime> <artifacts folder>
#include "tests/wine/harness.h"

#include <sstream>
#include <vector>

#include "dictionary/dictionary.h"
#include "dictionary/test_dictionary.h"
#include "ui/system_dictionary.h"

using namespace harness;
using revaze::Dictionary;

namespace {

// What openDictionary says about a path it must refuse, or "opened" when it did not refuse.
std::string refusal(const std::wstring& path) {
    std::ostringstream diagnostics;
    return revaze::openDictionary(path, diagnostics) == nullptr ? diagnostics.str() : "opened";
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

void checkSystemDictionary() {
    const std::wstring path = revaze::DictionaryPath();
    std::ostringstream diagnostics;
    auto dictionary = revaze::openDictionary(path, diagnostics);
    if (!check(dictionary != nullptr, "the test dictionary opens: %s", diagnostics.str().c_str())) {
        return;
    }
    check(dictionary->size() == 9, "it holds its 9 words (%u)", unsigned(dictionary->size()));
    const auto found = revaze::LookupCandidates(*dictionary, L"\u0F56\u0F40\u0FB2");
    check(found.size() == 6 && found[0] == longCandidate() &&
              found[1] == L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B",
          "bkra finds its six words in file order, the 136-unit one first (%u)",
          unsigned(found.size()));
    check(revaze::LookupCandidates(*dictionary, L"\u0F56\u0F40.").empty(),
          "a full stop is a full stop, not a wildcard");

    const std::wstring indexPath = revaze::indexPathFor(path).wstring();
    const bool prepared = GetFileAttributesW(indexPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    check(dictionary->indexSource() ==
              (prepared ? Dictionary::IndexSource::Prepared : Dictionary::IndexSource::Built),
          prepared ? "the prepared index beside it is used"
                   : "without a prepared index one is built in memory");
    check(diagnostics.str().empty(), "and nothing is reported");
    const Dictionary built = Dictionary::fromBytes(revaze::test::readFile(path));
    if (prepared) {
        check(built.indexImage() == std::string_view(revaze::test::readFile(indexPath)),
              "this build makes the prepared index byte for byte (%u bytes)",
              unsigned(built.indexImage().size()));
    }
    check(built.find(L"\u0F56\u0F40\u0FB2") == dictionary->find(L"\u0F56\u0F40\u0FB2"),
          "an index built in memory finds the same lines");
}

// The default dictionary, when scripts/wine-tests.sh could copy it: an index with stored answers
// and range-minimum tables, written on Linux, read and rebuilt here.
void checkDefaultDictionary() {
    const std::wstring path = L"C:\\revaze\\ZovovUvoz2.dat";
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("NOTE: no copy of the default dictionary: its checks are left out\n");
        return;
    }
    std::ostringstream diagnostics;
    auto dictionary = revaze::openDictionary(path, diagnostics);
    if (!check(dictionary != nullptr &&
                   dictionary->indexSource() == Dictionary::IndexSource::Prepared,
               "the default dictionary opens with its prepared index: %s",
               diagnostics.str().c_str())) {
        return;
    }
    const Dictionary built = Dictionary::fromBytes(revaze::test::readFile(path));
    check(built.indexImage() == dictionary->indexImage(),
          "this build makes its index byte for byte (%u bytes, %u stored answers)",
          unsigned(built.indexImage().size()), unsigned(built.index().answerCount()));
    revaze::IndexOptions oneThread;
    oneThread.secondThread = false;
    check(Dictionary::fromBytes(revaze::test::readFile(path), oneThread).indexImage() ==
              built.indexImage(),
          "and the same on one thread as with its helper thread");
    const wchar_t* texts[] = {L"\u0F40", L"\u0F66", L"\u0F56\u0F40\u0FB2",
                              L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72", L"\u0F40\u0F40\u0F40\u0F40"};
    std::size_t agree = 0;
    std::size_t full = 0;
    for (const wchar_t* text : texts) {
        const revaze::Matches matches = dictionary->find(text);
        agree += matches == built.find(text) ? 1 : 0;
        full += matches.count == revaze::kMaxCandidates ? 1 : 0;
    }
    check(agree == std::size(texts) && full == 4,
          "the prepared and the built index find the same lines (%u of %u texts, %u full pages)",
          unsigned(agree), unsigned(std::size(texts)), unsigned(full));
}

// Half a million words of one to four syllables in no order, so that building their index takes
// a while (a tenth of a second or more) and the worker is surely still at it when the first
// searches come.
std::string unsortedDictionary() {
    const wchar_t letters[] = L"\u0F40\u0F41\u0F42\u0F44\u0F45\u0F51\u0F53\u0F54\u0F56\u0F58\u0F66";
    const wchar_t vowels[] = L"\u0F72\u0F74\u0F7A\u0F7C";
    std::uint32_t random = 12345;
    const auto next = [&random](std::uint32_t n) {
        random = random * 1103515245u + 12345u;
        return (random >> 16) % n;
    };
    std::wstring text;
    for (int word = 0; word < 500000; ++word) {
        const std::uint32_t syllables = 1 + next(4);
        for (std::uint32_t s = 0; s < syllables; ++s) {
            if (s > 0) {
                text += L'\u0F0B';
            }
            text += letters[next(std::size(letters) - 1)];
            if (next(2) == 0) {
                text += vowels[next(std::size(vowels) - 1)];
            }
        }
        text += L"\r\n";
    }
    return "\xFF\xFE" + revaze::test::utf16le(text);
}

bool writeAll(const std::wstring& path, const std::string& bytes) {
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

// The loader both front ends call, on a dictionary without an index: it returns at once, the
// searches scan while its worker thread builds the index, then go through the index; every
// answer along the way is the one the index gives.
void checkIndexBuiltByAWorker(const std::wstring& artifacts) {
    const std::wstring path = artifacts + L"\\unindexed.dat";
    const std::string bytes = unsortedDictionary();
    if (!check(writeAll(path, bytes), "a dictionary of half a million words without an index is "
                                      "written")) {
        return;
    }
    const Dictionary indexed = Dictionary::fromBytes(bytes);
    std::vector<std::wstring> texts = {L"\u0F40",
                                       L"\u0F56\u0F72",
                                       L"\u0F66\u0F0B\u0F40",
                                       L"\u0F40\u0F40\u0F40",
                                       L"\u0F58\u0F74\u0F0B\u0F53\u0F7C",
                                       L"x"};
    std::vector<revaze::Matches> expected;
    for (const std::wstring& text : texts) {
        expected.push_back(indexed.find(text));
    }

    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER opened;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    std::shared_ptr<const Dictionary> dictionary = revaze::OpenSharedDictionary(path);
    const revaze::Matches first =
        dictionary != nullptr ? dictionary->find(texts[1]) : revaze::Matches();
    QueryPerformanceCounter(&opened);
    const auto millis = [&](const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
        return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
    };
    if (!check(dictionary != nullptr, "the loader opens it")) {
        return;
    }
    check(dictionary->indexSource() == Dictionary::IndexSource::Pending && first == expected[1],
          "it answers at once by its scan, before the index is built (%.1f ms to open and search)",
          millis(start, opened));

    // Searching without pause meanwhile, until the worker is done (at most twenty seconds).
    std::size_t rounds = 0;
    std::size_t wrong = 0;
    while (dictionary->indexSource() != Dictionary::IndexSource::Built) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            wrong += dictionary->find(texts[i]) == expected[i] ? 0 : 1;
        }
        ++rounds;
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        if (millis(start, now) > 20000) {
            break;
        }
    }
    LARGE_INTEGER built;
    QueryPerformanceCounter(&built);
    if (!check(dictionary->indexSource() == Dictionary::IndexSource::Built,
               "the worker builds the index (%.0f ms, %u rounds of searches meanwhile)",
               millis(start, built), unsigned(rounds))) {
        return;
    }
    check(wrong == 0, "every search while it built found what the index finds (%u wrong)",
          unsigned(wrong));
    std::size_t agree = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        agree += dictionary->find(texts[i]) == expected[i] ? 1 : 0;
    }
    check(agree == texts.size() && dictionary->indexImage() == indexed.indexImage(),
          "then searches go through the index, the one this build makes at once (%u of %u)",
          unsigned(agree), unsigned(texts.size()));
    // The worker lets go of its share of the dictionary as it ends.
    for (int wait = 0; wait < 2000 && dictionary.use_count() > 1; ++wait) {
        Sleep(10);
    }
    check(dictionary.use_count() == 1, "and the worker has let go of the dictionary");
}

void checkRefusals(const std::wstring& artifacts) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    check(contains(refusal(system), "is not a regular file"), "a directory is refused");
    check(contains(refusal(L"NUL"), "is not a regular file"), "a device is refused");
    const std::string missing = refusal(artifacts + L"\\missing.dat");
    check(contains(missing, "missing.datfailed. error code: 2\n"),
          "a missing file gives the loader's message: %s", missing.c_str());

    // A sparse file just over the cap: refused from its size, never read.
    const std::wstring huge = artifacts + L"\\huge.dat";
    HANDLE file = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = LONGLONG(revaze::kMaxDictionaryBytes + 2);
    const bool made = file != INVALID_HANDLE_VALUE &&
                      SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    if (check(made, "a file over 256 MiB is made")) {
        const std::string message = refusal(huge);
        check(contains(message, "more than the 256 MiB"), "and refused: %s", message.c_str());
    }
    DeleteFileW(huge.c_str());
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: dictionary_harness <Revaze.ime> <artifacts folder>\n");
        return 2;
    }
    checkSystemDictionary();
    checkDefaultDictionary();
    checkIndexBuiltByAWorker(argv[2]);
    checkRefusals(argv[2]);
    return finish("dictionary_harness");
}
