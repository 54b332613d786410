#pragma once

#include "DataModel/CompactVoicePrint.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

// The compact, comparable form of one spoken utterance: a flat sequence of
// integers, 16 per frame of 32 ms taken every 16 ms. Element 0 and elements
// 14 and 15 of every frame are 0; elements 1 to 13 are mel-cepstral
// coefficients scaled per print so that the largest comes out at about 255.
class ZRVoicePrint {
public:
    static constexpr int kFrameSize = 16;
    // calculateVoicePrint() results.
    static constexpr int kCalculated = 0;
    static constexpr int kEmptyData = 10;

    // An empty print that can compute features: builds the spectral tables.
    ZRVoicePrint();
    // A print restored from stored values; it only compares, so it needs no tables.
    explicit ZRVoicePrint(std::vector<std::int32_t> values);

    // Replaces the print with the features of 16-bit signed big-endian mono
    // samples at 8000 Hz. Returns kEmptyData, leaving the print as it was,
    // when there are no bytes; otherwise kCalculated.
    int calculateVoicePrint(std::span<const std::uint8_t> data);

    // Dynamic-time-warping cost of this print against another; smaller is
    // closer, and 1e30 means no match (no other print, lengths more than
    // three times apart, or frames the warping path cannot align).
    double distanceFromVoicePrint(const ZRVoicePrint* other) const;
    // The same distance for a search that only wants prints nearer than
    // `bound`: exact when below it, otherwise some value at or above it
    // (the comparison may stop early).
    double distanceFromVoicePrintBelow(const ZRVoicePrint* other, double bound) const;

    // Number of integers held (16 per frame).
    std::size_t count() const { return m_voicePrint.size(); }
    // Throws std::out_of_range past the end.
    std::int32_t objectAtIndex(std::size_t index) const { return m_voicePrint.at(index); }

    const std::vector<std::int32_t>& voicePrint() const { return m_voicePrint; }
    void setVoicePrint(std::vector<std::int32_t> values);
    // The 16-bit copy that comparisons read, kept in step with voicePrint().
    const CompactVoicePrint& compactVoicePrint() const { return m_compact; }

    // Keyed archiving: the integers are stored as an array of numbers under
    // "VoicePrint". The coder types come from the platform layer; the engine
    // only names what it stores.
    static constexpr std::array<const char*, 2> kArchiveClasses = {"ZRVoicePrint", "NSObject"};
    // Longer stored prints are refused: 16 s of speech, far beyond an
    // utterance, and small enough that comparing two of them stays cheap.
    static constexpr std::size_t kMaxArchivedCount = kFrameSize * 1024;

    template <class Coder> void encodeWithCoder(Coder& coder) const
    {
        coder.encodeNumberArray(m_voicePrint, "VoicePrint");
    }

    template <class Decoder> static std::shared_ptr<ZRVoicePrint> initWithCoder(Decoder& decoder)
    {
        auto values = decoder.decodeNumberArray("VoicePrint", kMaxArchivedCount);
        return std::make_shared<ZRVoicePrint>(values ? std::move(*values) : std::vector<std::int32_t> {});
    }

private:
    std::vector<std::int32_t> m_voicePrint;
    CompactVoicePrint m_compact;
};
