// The mapping on POSIX systems: open without waiting (a FIFO would block a plain open until a
// writer comes), look at what the path is, then mmap it shared and read-only.
#include "dictionary/mapped_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace revaze {

namespace {

class PosixMappedFile final : public MappedFile {
public:
    PosixMappedFile(void* address, std::size_t size) : address_(address), size_(size) {}
    ~PosixMappedFile() override {
        if (address_ != nullptr) {
            munmap(address_, size_);
        }
    }
    PosixMappedFile(const PosixMappedFile&) = delete;
    PosixMappedFile& operator=(const PosixMappedFile&) = delete;

    std::string_view bytes() const override { return {static_cast<const char*>(address_), size_}; }

private:
    void* address_;
    std::size_t size_;
};

// Closes the descriptor on every path out; the mapping outlives it.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::unique_ptr<MappedFile> mapFile(const std::filesystem::path& path, std::uint64_t maxBytes,
                                    std::ostream& diagnostics) {
    Descriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        reportOpenFailure(diagnostics, path, errno);
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) {
        reportOpenFailure(diagnostics, path, errno);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        reportNotRegularFile(diagnostics, path);
        return nullptr;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes) {
        reportTooLarge(diagnostics, path, size, maxBytes);
        return nullptr;
    }
    if (size == 0) {
        return std::make_unique<PosixMappedFile>(nullptr, 0);
    }
    void* address =
        mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_SHARED, fd.get(), 0);
    if (address == MAP_FAILED) {
        reportMapFailure(diagnostics, path, errno);
        return nullptr;
    }
    return std::make_unique<PosixMappedFile>(address, static_cast<std::size_t>(size));
}

} // namespace revaze
