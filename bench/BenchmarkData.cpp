#include "BenchmarkData.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Archive/KeyedArchiver.h"
#include "Platform/Archive/KeyedUnarchiver.h"
#include "Platform/Audio/AudioFileDecoder.h"
#include "Platform/Audio/PcmBytes.h"
#include "support/Fsdd.h"

#include <algorithm>
#include <random>

namespace {

constexpr std::size_t kTwoSeconds = 16000;
constexpr int kDim = ZRVoicePrint::kFrameSize;

std::vector<std::int16_t> samplesOf(const std::filesystem::path& recording)
{
    return AudioFileDecoder::decode(recording.string(), 8000).samples;
}

// What ZRCommandList encodes, for commands that were never added one by
// one: adding saves the whole store each time.
struct StoreImage {
    static constexpr auto kArchiveClasses = ZRCommandList::kArchiveClasses;
    std::int32_t counter = 0;
    std::vector<std::shared_ptr<ZRCommand>> system;
    std::vector<std::shared_ptr<ZRCommand>> phones;

    void encodeWithCoder(KeyedArchiver& coder) const
    {
        coder.encodeNumber(counter, "IDCounter");
        coder.encodeArray(system, "systemList");
        coder.encodeArray(phones, "commandlist");
    }
};

}  // namespace

namespace BenchmarkData {

std::vector<std::int16_t> twoSecondsOfSpeech(const char* speaker, int take)
{
    std::vector<std::int16_t> speech;
    for (int digit = 0; speech.size() < kTwoSeconds; digit = (digit + 1) % 10) {
        const auto samples = samplesOf(Fsdd::recording(digit, speaker, take));
        speech.insert(speech.end(), samples.begin(), samples.end());
    }
    speech.resize(kTwoSeconds);
    return speech;
}

std::shared_ptr<ZRVoicePrint> printOf(const std::vector<std::int16_t>& samples)
{
    auto print = std::make_shared<ZRVoicePrint>();
    print->calculateVoicePrint(PcmBytes::bigEndian(samples));
    return print;
}

const std::vector<std::shared_ptr<ZRVoicePrint>>& realSpeechPrints()
{
    static const std::vector<std::shared_ptr<ZRVoicePrint>> prints = [] {
        std::vector<std::shared_ptr<ZRVoicePrint>> made;
        for (const auto& recording : Fsdd::all())
            made.push_back(printOf(samplesOf(recording)));
        std::shuffle(made.begin(), made.end(), std::mt19937(42));
        return made;
    }();
    return prints;
}

std::shared_ptr<ZRVoicePrint> realSpeechUtterance()
{
    std::vector<std::int16_t> samples = samplesOf(Fsdd::recording(4, "theo", 2));
    std::mt19937 random(3);
    for (std::int16_t& sample : samples)
        sample = static_cast<std::int16_t>(std::clamp(sample + static_cast<int>(random() % 9) - 4, -32768, 32767));
    return printOf(samples);
}

std::shared_ptr<ZRVoicePrint> syntheticPrint(int frames, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> step(-24, 24);
    std::vector<std::int32_t> values(static_cast<std::size_t>(frames) * kDim, 0);
    for (int k = 1; k <= 13; ++k)
        values[k] = std::uniform_int_distribution<int>(-255, 255)(random);
    for (int f = 1; f < frames; ++f) {
        for (int k = 1; k <= 13; ++k) {
            const std::size_t at = static_cast<std::size_t>(f) * kDim + k;
            values[at] = std::clamp(values[at - kDim] + step(random), -255, 255);
        }
    }
    return std::make_shared<ZRVoicePrint>(std::move(values));
}

QByteArray archiveOf(const std::vector<std::shared_ptr<ZRVoicePrint>>& prints)
{
    ZRCommandList counter;
    StoreImage image;
    const auto empty = std::make_shared<ZRCommand>();
    image.system = {empty, empty, empty};
    for (std::size_t i = 0; i < prints.size(); i += 3) {
        auto command = ZRCommand::initForCommandType(ZRCommandTypePhone, counter);
        command->setName(QStringLiteral("Contact %1").arg(i / 3));
        command->setPhoneNumber(QStringLiteral("+49 170 %1").arg(1000000 + i));
        for (std::size_t s = i; s < std::min(i + 3, prints.size()); ++s) {
            auto sample = std::make_shared<ZRSample>(
                command->commandID(), QStringLiteral("/sample%1.aif").arg(1700000000 + s), prints[s]);
            command->setSample(sample);
        }
        image.phones.push_back(command);
    }
    image.counter = counter.commandIDCounter();
    return KeyedArchiver::archivedDataWithRootObject(image);
}

std::shared_ptr<ZRCommandList> storeOf(const std::vector<std::shared_ptr<ZRVoicePrint>>& prints)
{
    return KeyedUnarchiver::unarchiveObjectWithData<ZRCommandList>(archiveOf(prints));
}

}  // namespace BenchmarkData
