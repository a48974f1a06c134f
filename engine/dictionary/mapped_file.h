// A whole file seen read-only in memory. A dictionary and its index are mapped, not read: every
// process that maps the same file shares its pages, and nothing is copied. The engine declares the
// mapping; mapped_file_posix.cpp implements it here and windows/platform/ for Windows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "common/text.h"

namespace revaze {

class MappedFile {
public:
    virtual ~MappedFile() = default;
    // Every byte of the file, valid as long as this object lives.
    virtual std::string_view bytes() const = 0;
};

// Bytes held in memory behind the same interface: dictionaries made by tests and tools, and
// indexes built in memory.
class HeldBytes final : public MappedFile {
public:
    explicit HeldBytes(std::string bytes) : bytes_(std::move(bytes)) {}
    std::string_view bytes() const override { return bytes_; }

private:
    std::string bytes_;
};

// Maps `path` read-only. A file that cannot be opened, a path that is no regular file (a
// directory, a FIFO, a device) and a file larger than `maxBytes` are refused at once: one line
// on `diagnostics` (see the report functions below) and nothing returned. Opening never waits
// for a writer. An empty file maps to no bytes.
std::unique_ptr<MappedFile> mapFile(const std::filesystem::path& path, std::uint64_t maxBytes,
                                    std::ostream& diagnostics);

// A path as the messages print it (UTF-8; the native narrow form on Linux).
inline std::string displayPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return unitsToUtf8(path.wstring());
#else
    return path.string();
#endif
}

// The refusals, worded alike on every platform. The first is the loader's historical message:
// "open file <path>failed. error code: <errno>" (no space before "failed").
inline void reportOpenFailure(std::ostream& diagnostics, const std::filesystem::path& path,
                              int error) {
    diagnostics << "open file " << displayPath(path) << "failed. error code: " << error << '\n';
    diagnostics.flush();
}

inline void reportNotRegularFile(std::ostream& diagnostics, const std::filesystem::path& path) {
    diagnostics << "the file " << displayPath(path)
                << " is not a regular file (a directory, pipe or device): it is not read\n";
    diagnostics.flush();
}

inline void reportTooLarge(std::ostream& diagnostics, const std::filesystem::path& path,
                           std::uint64_t bytes, std::uint64_t maxBytes) {
    diagnostics << "the file " << displayPath(path) << " holds " << bytes
                << " bytes, more than the " << (maxBytes >> 20)
                << " MiB an input method may map: it is not read\n";
    diagnostics.flush();
}

inline void reportMapFailure(std::ostream& diagnostics, const std::filesystem::path& path,
                             long error) {
    diagnostics << "the file " << displayPath(path)
                << " could not be mapped into memory. error code: " << error << '\n';
    diagnostics.flush();
}

} // namespace revaze
