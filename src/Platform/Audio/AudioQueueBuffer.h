#pragma once

#include <cstdint>
#include <vector>

// One buffer of an audio queue: fixed capacity, allocated by the queue's
// user and owned by the queue; mAudioDataByteSize says how much of it holds
// audio (recorded into it, or to be played from it).
struct AudioQueueBuffer {
    explicit AudioQueueBuffer(std::uint32_t capacity)
        : mAudioDataBytesCapacity(capacity)
        , mAudioData(capacity)
    {
    }

    const std::uint32_t mAudioDataBytesCapacity;
    std::vector<std::uint8_t> mAudioData;
    std::uint32_t mAudioDataByteSize = 0;
};
