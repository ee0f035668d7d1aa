#pragma once
// The memory image: a byte-for-byte copy of a radio's programmable memory.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace vel {

using Byte = std::uint8_t;
using Image = std::vector<Byte>;

/// Reads a big-endian 16-bit word at `addr`.
inline unsigned ReadBE16(const Image& img, std::size_t addr) {
    return (static_cast<unsigned>(img.at(addr)) << 8) | img.at(addr + 1);
}

/// Writes the low 16 bits of `value` big-endian at `addr`.
inline void WriteBE16(Image& img, std::size_t addr, unsigned value) {
    img.at(addr) = static_cast<Byte>((value >> 8) & 0xFF);
    img.at(addr + 1) = static_cast<Byte>(value & 0xFF);
}

}  // namespace vel
