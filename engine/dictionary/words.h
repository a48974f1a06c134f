// Arrays of little-endian 32-bit words read in place from an index image (mapped from a file or
// built in memory), at any alignment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace revaze {

class Words {
public:
    Words() = default;
    Words(const char* data, std::size_t size) : data_(data), size_(size) {}

    std::uint32_t operator[](std::size_t i) const {
        std::uint32_t w;
        std::memcpy(&w, data_ + 4 * i, sizeof w);
        return w;
    }
    std::size_t size() const { return size_; }
    // Copies words [from, from + count) to `out` (the host is little-endian, like the data).
    void copyTo(std::uint32_t* out, std::size_t from, std::size_t count) const {
        std::memcpy(out, data_ + 4 * from, 4 * count);
    }
    // Words [from, from + count) of this array.
    Words slice(std::size_t from, std::size_t count) const { return {data_ + 4 * from, count}; }

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace revaze
