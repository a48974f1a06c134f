// The dictionary as the Windows builds open it: mapped from the system directory with the
// prepared index the native tool wrote beside it (scripts/wine-tests.sh), the same index built in
// memory by this bitness byte for byte, and the files an input method must refuse.
//
//     dictionary_harness.exe <Revaze.ime> <artifacts folder>
#include "tests/wine/harness.h"

#include <sstream>

#include "dictionary/dictionary.h"

using namespace harness;
using revaze::Dictionary;

namespace {

std::wstring systemDictionaryPath() {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\" + revaze::kDictionaryFileName;
}

std::string readAll(const std::wstring& path) {
    std::string bytes;
    FILE* in = _wfopen(path.c_str(), L"rb");
    if (in == nullptr) {
        return bytes;
    }
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        bytes.append(chunk, n);
    }
    std::fclose(in);
    return bytes;
}

// What openDictionary says about a path it must refuse, or "opened" when it did not refuse.
std::string refusal(const std::wstring& path) {
    std::ostringstream diagnostics;
    return revaze::openDictionary(path, diagnostics) == nullptr ? diagnostics.str() : "opened";
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

void checkSystemDictionary() {
    const std::wstring path = systemDictionaryPath();
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
    const Dictionary built = Dictionary::fromBytes(readAll(path));
    if (prepared) {
        check(built.indexImage() == std::string_view(readAll(indexPath)),
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
    const Dictionary built = Dictionary::fromBytes(readAll(path));
    check(built.indexImage() == dictionary->indexImage(),
          "this build makes its index byte for byte (%u bytes, %u stored answers)",
          unsigned(built.indexImage().size()), unsigned(built.index().answerCount()));
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
    checkRefusals(argv[2]);
    return finish("dictionary_harness");
}
