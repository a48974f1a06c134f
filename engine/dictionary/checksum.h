// A 64-bit checksum of a file's bytes, quick enough to run over a whole dictionary each time an
// input method starts (four independent multiply-rotate lanes over 32-byte blocks). It tells a
// prepared index that its dictionary or itself changed; it is no defence against a forger.
#pragma once

#include <cstdint>
#include <string_view>

namespace revaze {

std::uint64_t checksum64(std::string_view bytes);

} // namespace revaze
