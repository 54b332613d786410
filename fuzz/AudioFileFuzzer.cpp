// Any bytes as an audio file, read the two ways the project reads one:
// as zarneth-cli reads an utterance (UtteranceFile: AudioFileDecoder at
// 8000 Hz for the voice print and at 44100 Hz for the sample file, then the
// print), and as the player reads a sample file or prompt (AudioFile, a
// buffer's worth of packets at a time, with the player's buffer sizes).
// Where neither converts anything the two must agree. The readers take
// paths, so the bytes go to a file in a folder of the fuzzer's own in the
// temporary folder (TMPDIR; fuzz/run.sh points it at a tmpfs).

#include "AudioManagers/AudioPlayer.h"
#include "AudioManagers/UtteranceFile.h"
#include "Platform/Audio/AudioFile.h"
#include "Platform/Audio/AudioFileDecoder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

[[noreturn]] void broken(const char* what)
{
    std::fprintf(stderr, "AudioFileFuzzer: %s\n", what);
    std::abort();
}

std::string makeFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zarneth-audio-fuzzer-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        broken("no temporary folder");
    return pattern;
}

// The folder goes when the fuzzer ends.
struct Folder {
    std::string path = makeFolder();
    ~Folder() { std::filesystem::remove_all(path); }
};

const std::string& inputPath()
{
    static const Folder folder;
    static const std::string path = folder.path + "/input";
    return path;
}

void write(const std::uint8_t* data, std::size_t size)
{
    std::ofstream file(inputPath(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file.flush())
        broken("cannot write the input file");
}

void readAsUtterance()
{
    std::string error;
    const std::optional<UtteranceFile> utterance = UtteranceFile::read(inputPath(), &error);
    if (!utterance && error.empty())
        broken("an unreadable utterance without a reason");
}

// The player's refill: buffers of the player's size, each filled with the
// packets that fit, until the file ends. Returns the samples played.
std::vector<std::int16_t> readAsPlayer(AudioFile& file)
{
    const std::uint32_t packetSize = file.packetSizeUpperBound();
    const AudioPlayer::BufferSizes sizes
        = AudioPlayer::sizesFor(file.dataFormat(), packetSize, AudioPlayer::kSecondsPerBuffer);
    std::vector<std::uint8_t> buffer(sizes.bufferByteSize);
    std::vector<std::int16_t> played;
    std::int64_t start = 0;
    std::uint32_t bytes = 0;
    while (sizes.numPacketsToRead > 0) {
        const std::uint32_t packets = file.readPackets(start, sizes.numPacketsToRead, buffer.data(), &bytes);
        if (packets == 0)
            break;
        if (packets > sizes.numPacketsToRead || bytes != packets * packetSize)
            broken("readPackets handed out more than was asked for, or miscounted its bytes");
        const auto* samples = reinterpret_cast<const std::int16_t*>(buffer.data());
        played.insert(played.end(), samples, samples + bytes / 2);
        start += packets;
    }
    return played;
}

// A mono file at a rate the decoder keeps reaches the player and the
// decoder sample for sample alike: both take 16-bit PCM as it is and
// scale anything else the same way.
void comparePlayerWithDecoder(const AudioFile& file, const std::vector<std::int16_t>& played)
{
    const AudioStreamBasicDescription& format = file.dataFormat();
    const bool kept
        = format.mSampleRate == UtteranceFile::kVoicePrintRate || format.mSampleRate == UtteranceFile::kSampleFileRate;
    if (format.mChannelsPerFrame != 1 || !kept)
        return;
    const AudioFileDecoder::Result decoded
        = AudioFileDecoder::decode(inputPath(), static_cast<int>(format.mSampleRate));
    if (!decoded.ok() || decoded.samples != played)
        broken("the player and the decoder read a mono file differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    write(data, size);
    readAsUtterance();
    if (const std::unique_ptr<AudioFile> file = AudioFile::open(inputPath()))
        comparePlayerWithDecoder(*file, readAsPlayer(*file));
    return 0;
}
