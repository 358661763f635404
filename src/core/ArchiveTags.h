#pragma once

#include <cstdint>

// Markers of the archive encoding.
namespace ArchiveTags {
inline constexpr std::uint16_t kNullTag = 0x0000;
inline constexpr std::uint16_t kNewClassTag = 0xFFFF;
inline constexpr std::uint16_t kClassTag = 0x8000;
inline constexpr std::uint16_t kBigObjectTag = 0x7FFF;
inline constexpr std::uint32_t kBigClassTag = 0x80000000;

// String lengths below this fit the one-byte prefix.
inline constexpr std::uint64_t kByteLengthLimit = 0xFF;
// After the 0xFF byte, this 16-bit value marks a UTF-16 string rather than a length, so 16-bit
// lengths stop just below it.
inline constexpr std::uint16_t kUnicodeMarker = 0xFFFE;
} // namespace ArchiveTags
