// Writes 8-bit RGB PNG files without a compression library: the image data goes into stored
// deflate blocks. Screenshots of a few small windows stay well under a megabyte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace revaze::test {

// `rgb` holds width x height pixels, top row first, three bytes each. False if the file could not
// be written.
bool WritePng(const std::wstring& path, int width, int height,
              const std::vector<std::uint8_t>& rgb);

// The CRC-32 of PNG chunks (polynomial 0xEDB88320), exposed for its test.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);

} // namespace revaze::test
