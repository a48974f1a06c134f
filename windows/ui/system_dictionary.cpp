#include "ui/system_dictionary.h"

#include <windows.h>

#include <array>
#include <iostream>
#include <sstream>

#include "common/text.h"
#include "ui/dictionary_path.h"

namespace revaze {

namespace {

// Where a developer or a debugger sees it: no GUI process has a console.
void reportLoadFailure(const std::string& message) {
    OutputDebugStringW((L"Revaze: " + utf8ToUnits(message)).c_str());
    std::cout << message << std::flush;
}

} // namespace

std::wstring DictionaryPath() {
    std::array<wchar_t, MAX_PATH> system{};
    const UINT n = GetSystemDirectoryW(system.data(), static_cast<UINT>(system.size()));
    return dictionaryPathIn(system.data(), system.size(), n);
}

std::unique_ptr<Dictionary> LoadSystemDictionary() {
    try {
        std::unique_ptr<Dictionary> dictionary;
        const std::wstring path = DictionaryPath();
        std::ostringstream diagnostics;
        if (path.empty()) {
            diagnostics << "the system directory is unknown: no dictionary is read\n";
        } else {
            dictionary = openDictionary(std::filesystem::path(path), diagnostics);
        }
        if (!diagnostics.str().empty()) {
            reportLoadFailure(diagnostics.str());
        }
        return dictionary;
    } catch (...) {
        reportLoadFailure("the dictionary could not be loaded\n");
        return nullptr;
    }
}

} // namespace revaze
