#include "dictionary/checksum.h"

#include <cstring>

namespace revaze {

namespace {

constexpr std::uint64_t kMultiplier1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t kMultiplier2 = 0xC2B2AE3D27D4EB4Full;
constexpr std::uint64_t kMultiplier3 = 0x165667B19E3779F9ull;

std::uint64_t rotateLeft(std::uint64_t x, int bits) {
    return (x << bits) | (x >> (64 - bits));
}

// Little-endian, as the index file format says (the engine runs on little-endian hosts only).
std::uint64_t load64(const unsigned char* p) {
    std::uint64_t x;
    std::memcpy(&x, p, sizeof x);
    return x;
}

std::uint64_t mixLane(std::uint64_t lane, std::uint64_t word) {
    return rotateLeft(lane + word * kMultiplier2, 31) * kMultiplier1;
}

std::uint64_t avalanche(std::uint64_t x) {
    x ^= x >> 33;
    x *= kMultiplier2;
    x ^= x >> 29;
    x *= kMultiplier3;
    x ^= x >> 32;
    return x;
}

} // namespace

std::uint64_t checksum64(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    // Eight lanes, each its own register: their multiplies run side by side.
    std::uint64_t a = kMultiplier1, b = kMultiplier2, c = kMultiplier3, d = kMultiplier1 + 1,
                  e = kMultiplier2 + 1, f = kMultiplier3 + 1, g = 0, k = 0 - kMultiplier1;
    std::size_t i = 0;
    for (; i + 64 <= size; i += 64) {
        a = mixLane(a, load64(p + i));
        b = mixLane(b, load64(p + i + 8));
        c = mixLane(c, load64(p + i + 16));
        d = mixLane(d, load64(p + i + 24));
        e = mixLane(e, load64(p + i + 32));
        f = mixLane(f, load64(p + i + 40));
        g = mixLane(g, load64(p + i + 48));
        k = mixLane(k, load64(p + i + 56));
    }
    std::uint64_t h = rotateLeft(a, 1) + rotateLeft(b, 7) + rotateLeft(c, 12) + rotateLeft(d, 18) +
                      rotateLeft(e, 23) + rotateLeft(f, 29) + rotateLeft(g, 37) + rotateLeft(k, 43);
    h ^= static_cast<std::uint64_t>(size) * kMultiplier3;
    for (; i + 8 <= size; i += 8) {
        h = rotateLeft(h ^ mixLane(0, load64(p + i)), 27) * kMultiplier1 + kMultiplier3;
    }
    for (; i < size; ++i) {
        h = rotateLeft(h ^ (p[i] * kMultiplier3), 11) * kMultiplier1;
    }
    return avalanche(h);
}

} // namespace revaze
