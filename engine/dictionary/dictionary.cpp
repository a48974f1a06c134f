#include "dictionary/dictionary.h"

#include <sstream>
#include <stdexcept>

#include "dictionary/checksum.h"

namespace revaze {

std::filesystem::path indexPathFor(const std::filesystem::path& dictionary) {
    std::filesystem::path index = dictionary;
    index.replace_extension(".idx");
    return index;
}

Dictionary::Dictionary() {
    std::string why;
    file_ = std::make_unique<HeldBytes>(std::string());
    indexFile_ = std::make_unique<HeldBytes>(buildIndexImage(text_, identity_));
    index_ = *LineIndex::open(indexFile_->bytes(), text_, identity_, why);
}

Dictionary::~Dictionary() = default;
Dictionary::Dictionary(Dictionary&&) noexcept = default;
Dictionary& Dictionary::operator=(Dictionary&&) noexcept = default;

Dictionary::Dictionary(std::unique_ptr<MappedFile> file, std::unique_ptr<MappedFile> prepared,
                       const IndexOptions& options, std::string& note)
    : file_(std::move(file)),
      text_(file_->bytes()), identity_{file_->bytes().size(), checksum64(file_->bytes())} {
    std::string why;
    if (prepared != nullptr) {
        if (auto index = LineIndex::open(prepared->bytes(), text_, identity_, why)) {
            index_ = *index;
            indexFile_ = std::move(prepared);
            source_ = IndexSource::Prepared;
            return;
        }
        note = why;
    }
    indexFile_ = std::make_unique<HeldBytes>(buildIndexImage(text_, identity_, options));
    auto built = LineIndex::open(indexFile_->bytes(), text_, identity_, why);
    if (!built) {
        throw std::logic_error("the index built in memory does not read back: " + why);
    }
    index_ = *built;
    source_ = IndexSource::Built;
}

Dictionary Dictionary::fromBytes(std::string bytes, const IndexOptions& options) {
    if (bytes.size() > kMaxDictionaryBytes) {
        return Dictionary();
    }
    std::string note;
    return Dictionary(std::make_unique<HeldBytes>(std::move(bytes)), nullptr, options, note);
}

std::string_view Dictionary::indexImage() const {
    return indexFile_->bytes();
}

std::size_t Dictionary::privateBytes() const {
    std::size_t bytes = sizeof *this;
    for (const MappedFile* f : {file_.get(), indexFile_.get()}) {
        if (dynamic_cast<const HeldBytes*>(f) != nullptr) {
            bytes += f->bytes().size();
        }
    }
    return bytes;
}

std::unique_ptr<Dictionary> openDictionary(const std::filesystem::path& path,
                                           std::ostream& diagnostics, const IndexOptions& options) {
    std::unique_ptr<MappedFile> file = mapFile(path, kMaxDictionaryBytes, diagnostics);
    if (file == nullptr) {
        return nullptr;
    }
    const std::filesystem::path indexPath = indexPathFor(path);
    std::unique_ptr<MappedFile> prepared;
    std::string note;
    std::error_code error;
    if (indexPath != path && std::filesystem::exists(indexPath, error)) {
        std::ostringstream refusal;
        prepared = mapFile(indexPath, kMaxIndexBytes, refusal);
        note = refusal.str();
        if (!note.empty() && note.back() == '\n') {
            note.pop_back();
        }
    }
    auto dictionary = std::unique_ptr<Dictionary>(
        new Dictionary(std::move(file), std::move(prepared), options, note));
    if (!note.empty()) {
        diagnostics << "the prepared index " << displayPath(indexPath) << " is not used (" << note
                    << "): the index is built in memory\n";
        diagnostics.flush();
    }
    return dictionary;
}

std::vector<std::wstring> LookupCandidates(const Dictionary& dictionary, std::wstring_view text) {
    std::vector<std::wstring> candidates;
    const Matches matches = dictionary.find(text);
    candidates.reserve(matches.count);
    for (std::uint32_t line : matches) {
        candidates.push_back(dictionary.candidate(line));
    }
    return candidates;
}

} // namespace revaze
