#pragma once

#include <cstdint>
#include <string_view>

// The layout of a binary property list, version 00, named once for its
// reader, its writer and the keyed unarchiver: the magic header, the marker
// byte that begins each object (its type in the high four bits, a size or
// count in the low four) and the 32-byte trailer at the end of the file.
namespace BinaryPropertyListFormat {

inline constexpr std::string_view kMagic = "bplist00";

// The high four bits of a marker.
enum MarkerType : std::uint8_t {
    Simple = 0x0,  // null, false or true, told apart by the low four bits
    Integer = 0x1,
    Real = 0x2,
    Date = 0x3,
    Data = 0x4,
    AsciiString = 0x5,
    Utf16String = 0x6,
    Uid = 0x8,
    Array = 0xA,
    Dictionary = 0xD,
};

// The low four bits of a simple object's marker.
inline constexpr std::uint8_t kNull = 0x0;
inline constexpr std::uint8_t kFalse = 0x8;
inline constexpr std::uint8_t kTrue = 0x9;
// In the low four bits of a sized object's marker: the count does not fit
// here and follows as an integer object.
inline constexpr std::uint8_t kCountFollows = 0xF;

constexpr std::uint8_t marker(MarkerType type, std::uint64_t low)
{
    return static_cast<std::uint8_t>(type << 4 | low);
}

// Where the trailer keeps each field, counted from its first byte. The
// bytes before the offset size are unused.
namespace Trailer {
    inline constexpr std::uint64_t kSize = 32;
    inline constexpr std::uint64_t kOffsetSize = 6;     // 1 byte: bytes per offset-table entry
    inline constexpr std::uint64_t kReferenceSize = 7;  // 1 byte: bytes per object reference
    inline constexpr std::uint64_t kObjectCount = 8;    // 8 bytes
    inline constexpr std::uint64_t kTopObject = 16;     // 8 bytes
    inline constexpr std::uint64_t kOffsetTable = 24;   // 8 bytes: where the offset table starts
}  // namespace Trailer

}  // namespace BinaryPropertyListFormat
