#pragma once

#include <cstdint>
#include <string_view>

namespace tolvane {

// FNV-1a, 64 bits: a short fingerprint of bytes for names and checksums,
// the same on every platform. Not for anything an attacker chooses.
constexpr std::uint64_t byteHash(std::string_view bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    return hash;
}

} // namespace tolvane
