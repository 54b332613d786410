#pragma once

#include "Platform/Audio/AudioStreamBasicDescription.h"

#include <cstdint>
#include <memory>
#include <string>

// libsndfile's handle type, declared as sndfile.h does so that users of this
// class need not see libsndfile.
typedef struct sf_private_tag SNDFILE;

// The platform's audio file services on libsndfile: a CAF sample file is
// created and written packet by packet while recording, and sample files and
// prompt sounds are opened and read packet by packet for playing. A packet is
// always one frame of 16-bit samples.
class AudioFile {
public:
    // Creates a CAF file at path, erasing any file there, for linear PCM of
    // 16-bit signed samples in `format` (any channel count, either byte
    // order, one frame per packet). nullptr when the format is not that or
    // the file cannot be created. Such a file is written, never read.
    static std::unique_ptr<AudioFile> create(const std::string& path, const AudioStreamBasicDescription& format);
    // Opens any audio file libsndfile reads (CAF above all). Its packets are
    // handed out as 16-bit signed, packed, native-endian interleaved frames,
    // one frame per packet, whatever the file holds; dataFormat() describes
    // exactly that. nullptr when it cannot be opened. Such a file is read,
    // never written.
    static std::unique_ptr<AudioFile> open(const std::string& path);

    ~AudioFile();
    AudioFile(const AudioFile&) = delete;
    AudioFile& operator=(const AudioFile&) = delete;

    const AudioStreamBasicDescription& dataFormat() const { return m_dataFormat; }
    // Packets in a file opened for reading, as its header tells.
    std::int64_t packetCount() const { return m_packetCount; }
    // Bytes of the largest packet: every packet is one frame.
    std::uint32_t packetSizeUpperBound() const { return m_dataFormat.mBytesPerPacket; }

    // Writes `count` packets from `data`, laid out in dataFormat() (byte
    // order included), at packet index `start`. Writing where packets already
    // are overwrites them; writing past the end leaves silence in between.
    // Returns the packets written (0 on failure or after close()).
    std::uint32_t writePackets(std::int64_t start, std::uint32_t count, const void* data);
    // Reads up to `count` packets from packet index `start` into `data`.
    // Returns the packets read, 0 at the end of the file or after close();
    // *bytesRead (if not null) gets the byte count.
    std::uint32_t readPackets(std::int64_t start, std::uint32_t count, void* data, std::uint32_t* bytesRead = nullptr);

    // Finishes the file, so that its header holds the true length. Safe to
    // call twice; afterwards reads and writes do nothing.
    void close();
    bool isOpen() const { return m_file != nullptr; }

private:
    struct SndfileCloser {
        void operator()(SNDFILE*) const;
    };
    using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

    enum class Access { Write, Read };

    AudioFile(SndfileHandle, Access, const AudioStreamBasicDescription&, bool samplesAreShorts);

    bool moveTo(std::int64_t packet);
    std::uint32_t readShorts(std::uint32_t count, std::int16_t* samples);

    SndfileHandle m_file;
    Access m_access;
    AudioStreamBasicDescription m_dataFormat;
    // Whether libsndfile can hand out the file's samples as 16-bit values
    // untouched; other encodings go through normalised floats.
    bool m_samplesAreShorts;
    // The packet index libsndfile reads or writes next.
    std::int64_t m_position = 0;
    std::int64_t m_packetCount = 0;
};
