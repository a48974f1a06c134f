#include "dictionary/dictionary.h"

#include <sstream>
#include <stdexcept>
#include <utility>

#include "dictionary/checksum.h"

namespace revaze {

namespace {

// What a prepared index must name to be this dictionary's: its size and checksum.
DictionaryIdentity identityOf(std::string_view bytes) {
    return DictionaryIdentity{bytes.size(), checksum64(bytes)};
}

} // namespace

std::filesystem::path indexPathFor(const std::filesystem::path& dictionary) {
    std::filesystem::path index = dictionary;
    index.replace_extension(".idx");
    return index;
}

Dictionary::Dictionary() : file_(std::make_unique<HeldBytes>(std::string())) {
    buildIndex();
}

Dictionary::~Dictionary() {
    delete index_.load(std::memory_order_acquire);
}

Dictionary::Dictionary(Dictionary&& other) noexcept
    : file_(std::move(other.file_)), text_(std::exchange(other.text_, DictionaryText())),
      options_(other.options_), identity_(other.identity_),
      index_(other.index_.exchange(nullptr, std::memory_order_acq_rel)),
      building_(other.building_.exchange(false, std::memory_order_acq_rel)) {}

Dictionary& Dictionary::operator=(Dictionary&& other) noexcept {
    if (this != &other) {
        delete index_.exchange(other.index_.exchange(nullptr, std::memory_order_acq_rel),
                               std::memory_order_acq_rel);
        file_ = std::move(other.file_);
        text_ = std::exchange(other.text_, DictionaryText());
        options_ = other.options_;
        identity_ = other.identity_;
        building_.store(other.building_.exchange(false, std::memory_order_acq_rel),
                        std::memory_order_release);
    }
    return *this;
}

Dictionary::Dictionary(std::unique_ptr<MappedFile> file, std::unique_ptr<MappedFile> prepared,
                       const IndexOptions& options, std::string& note)
    : file_(std::move(file)), text_(file_->bytes()), options_(options) {
    if (prepared != nullptr) {
        identity_ = identityOf(file_->bytes());
        std::string why;
        if (auto index = LineIndex::open(prepared->bytes(), text_, *identity_, why)) {
            index_.store(new Index{std::move(prepared), *index, IndexSource::Prepared},
                         std::memory_order_release);
            return;
        }
        note = why;
    }
    if (!options.deferBuild) {
        buildIndex();
    }
}

void Dictionary::buildIndex() {
    if (file_ == nullptr || index_.load(std::memory_order_acquire) != nullptr ||
        building_.exchange(true, std::memory_order_acq_rel)) {
        return;
    }
    // A build that fails gives up its claim, so that a later call may try again.
    struct Claim {
        std::atomic<bool>& building;
        bool kept = false;
        ~Claim() {
            if (!kept) {
                building.store(false, std::memory_order_release);
            }
        }
    } claim{building_};
    // The checksum runs with the build rather than when the dictionary is opened: without a
    // prepared index nothing needs it before, and the first search should not wait for it.
    auto image =
        std::make_unique<HeldBytes>(identity_ ? buildIndexImage(text_, *identity_, options_)
                                              : buildIndexImage(text_, file_->bytes(), options_));
#ifndef NDEBUG
    // Debug builds (the sanitizer tests run one) check the builder's work as they check a file's;
    // builds with NDEBUG, the DLLs among them, trust it.
    std::string why;
    if (!LineIndex::open(image->bytes(), text_, identity_ ? *identity_ : identityOf(file_->bytes()),
                         why)) {
        throw std::logic_error("the index built in memory does not read back: " + why);
    }
#endif
    const LineIndex built = LineIndex::fromBuilt(image->bytes(), text_);
    index_.store(new Index{std::move(image), built, IndexSource::Built}, std::memory_order_release);
    claim.kept = true;
}

Dictionary Dictionary::fromBytes(std::string bytes, const IndexOptions& options) {
    if (bytes.size() > kMaxDictionaryBytes) {
        return Dictionary();
    }
    std::string note;
    return Dictionary(std::make_unique<HeldBytes>(std::move(bytes)), nullptr, options, note);
}

std::size_t Dictionary::size() const {
    if (const Index* index = index_.load(std::memory_order_acquire)) {
        return index->lines.pieceCount();
    }
    return text_.pieceBoundaries().size() - 1;
}

Dictionary::IndexSource Dictionary::indexSource() const {
    const Index* index = index_.load(std::memory_order_acquire);
    return index != nullptr ? index->source : IndexSource::Pending;
}

const LineIndex& Dictionary::index() const {
    static const LineIndex none;
    const Index* index = index_.load(std::memory_order_acquire);
    return index != nullptr ? index->lines : none;
}

std::string_view Dictionary::indexImage() const {
    const Index* index = index_.load(std::memory_order_acquire);
    return index != nullptr ? index->image->bytes() : std::string_view();
}

std::size_t Dictionary::privateBytes() const {
    std::size_t bytes = sizeof *this;
    const Index* index = index_.load(std::memory_order_acquire);
    if (index != nullptr) {
        bytes += sizeof *index;
    }
    for (const MappedFile* f : {file_.get(), index != nullptr ? index->image.get() : nullptr}) {
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
