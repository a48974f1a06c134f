// The mapping the engine declares, for Windows: a read-only section of the file, which every
// process that maps the same file shares. The C runtime opens the file, so that a failure carries
// the runtime's error number, as the input method has always reported it.
#include "dictionary/mapped_file.h"

#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <share.h>

namespace revaze {

namespace {

class WindowsMappedFile final : public MappedFile {
public:
    WindowsMappedFile(const void* view, std::size_t size) : view_(view), size_(size) {}
    ~WindowsMappedFile() override {
        if (view_ != nullptr) {
            UnmapViewOfFile(view_);
        }
    }
    WindowsMappedFile(const WindowsMappedFile&) = delete;
    WindowsMappedFile& operator=(const WindowsMappedFile&) = delete;

    std::string_view bytes() const override { return {static_cast<const char*>(view_), size_}; }

private:
    const void* view_;
    std::size_t size_;
};

// Closes the runtime's descriptor, and with it the file handle; a mapped view outlives both.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            _close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Closes a section handle; the view taken from it stays valid.
class Section {
public:
    explicit Section(HANDLE handle) : handle_(handle) {}
    ~Section() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace

std::unique_ptr<MappedFile> mapFile(const std::filesystem::path& path, std::uint64_t maxBytes,
                                    std::ostream& diagnostics) {
    // The runtime refuses to open a directory with an access error; say what it is instead.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        reportNotRegularFile(diagnostics, path);
        return nullptr;
    }
    Descriptor fd(_wsopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO));
    if (fd.get() < 0) {
        reportOpenFailure(diagnostics, path, errno);
        return nullptr;
    }
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(fd.get()));
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        reportNotRegularFile(diagnostics, path);
        return nullptr;
    }
    const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (size > maxBytes) {
        reportTooLarge(diagnostics, path, size, maxBytes);
        return nullptr;
    }
    if (size == 0) {
        // A section of an empty file cannot be made: there is nothing to map.
        return std::make_unique<WindowsMappedFile>(nullptr, 0);
    }
    Section section(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (section.get() == nullptr) {
        reportMapFailure(diagnostics, path, static_cast<long>(GetLastError()));
        return nullptr;
    }
    const void* view = MapViewOfFile(section.get(), FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(size));
    if (view == nullptr) {
        reportMapFailure(diagnostics, path, static_cast<long>(GetLastError()));
        return nullptr;
    }
    return std::make_unique<WindowsMappedFile>(view, static_cast<std::size_t>(size));
}

} // namespace revaze
