#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace fcw {

static_assert(std::endian::native == std::endian::little,
              "the file codecs copy little-endian values directly");

// Appends a value's bytes, little-endian.
template <typename T> void putBytes(std::vector<std::uint8_t>& out, T value) {
    std::uint8_t raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    out.insert(out.end(), raw, raw + sizeof(T));
}

// Reads a value from sizeof(T) bytes that the caller has checked are there.
template <typename T> T getBytes(const std::uint8_t* p) {
    T value;
    std::memcpy(&value, p, sizeof(T));
    return value;
}

} // namespace fcw
