#pragma once

#include <bit>
#include <cstdint>

// The platform's description of an audio stream's layout: the same fields,
// names and zero defaults, so that code setting them up reads as it would on
// the phone. Only uncompressed linear PCM is ever described here.
struct AudioStreamBasicDescription {
    double mSampleRate = 0;
    std::uint32_t mFormatID = 0;
    std::uint32_t mFormatFlags = 0;
    std::uint32_t mBytesPerPacket = 0;
    std::uint32_t mFramesPerPacket = 0;
    std::uint32_t mBytesPerFrame = 0;
    std::uint32_t mChannelsPerFrame = 0;
    std::uint32_t mBitsPerChannel = 0;
    std::uint32_t mReserved = 0;

    bool operator==(const AudioStreamBasicDescription&) const = default;
};

inline constexpr std::uint32_t kAudioFormatLinearPCM = 0x6c70636d;  // 'lpcm'

inline constexpr std::uint32_t kAudioFormatFlagIsFloat = 1;
inline constexpr std::uint32_t kAudioFormatFlagIsBigEndian = 2;
inline constexpr std::uint32_t kAudioFormatFlagIsSignedInteger = 4;
inline constexpr std::uint32_t kAudioFormatFlagIsPacked = 8;

// Whether a description sets kAudioFormatFlagIsPacked. For 16-bit samples in
// 16-bit slots the layout is the same either way, but the flag is part of the
// description and the in-memory recording format leaves it out.
enum class PCMPacking { Packed, Unpacked };

// 16-bit signed interleaved linear PCM, one frame per packet, in the given
// byte order: linearPCM16(44100, 1, std::endian::little, PCMPacking::Packed)
// is a sample file's format.
constexpr AudioStreamBasicDescription linearPCM16(
    double sampleRate, std::uint32_t channels, std::endian byteOrder, PCMPacking packing)
{
    AudioStreamBasicDescription format;
    format.mSampleRate = sampleRate;
    format.mFormatID = kAudioFormatLinearPCM;
    format.mFormatFlags = kAudioFormatFlagIsSignedInteger;
    if (byteOrder == std::endian::big)
        format.mFormatFlags |= kAudioFormatFlagIsBigEndian;
    if (packing == PCMPacking::Packed)
        format.mFormatFlags |= kAudioFormatFlagIsPacked;
    format.mBytesPerPacket = 2 * channels;
    format.mFramesPerPacket = 1;
    format.mBytesPerFrame = 2 * channels;
    format.mChannelsPerFrame = channels;
    format.mBitsPerChannel = 16;
    return format;
}
