#include "ui/system_dictionary.h"

#include <windows.h>

#include <array>
#include <iostream>
#include <new>
#include <sstream>

#include "common/text.h"
#include "ui/dictionary_path.h"
#include "ui/index_worker.h"

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

std::shared_ptr<const Dictionary> OpenSharedDictionary(const std::wstring& path) {
    try {
        std::ostringstream diagnostics;
        IndexOptions options;
        options.deferBuild = true;
        std::shared_ptr<Dictionary> dictionary =
            openDictionary(std::filesystem::path(path), diagnostics, options);
        if (!diagnostics.str().empty()) {
            reportLoadFailure(diagnostics.str());
        }
        if (dictionary != nullptr &&
            dictionary->indexSource() == Dictionary::IndexSource::Pending &&
            !StartIndexWorker(dictionary)) {
            try {
                dictionary->buildIndex();
            } catch (const std::bad_alloc&) {
                reportLoadFailure("the dictionary's index could not be built in memory: searches "
                                  "keep reading the whole dictionary\n");
            }
        }
        return dictionary;
    } catch (...) {
        reportLoadFailure("the dictionary could not be loaded\n");
        return nullptr;
    }
}

std::shared_ptr<const Dictionary> LoadSystemDictionary() {
    try {
        const std::wstring path = DictionaryPath();
        if (path.empty()) {
            reportLoadFailure("the system directory is unknown: no dictionary is read\n");
            return nullptr;
        }
        return OpenSharedDictionary(path);
    } catch (...) {
        return nullptr;
    }
}

} // namespace revaze
