#include "support/DialogueFixture.h"

#include "AudioManagers/AudioPlayer.h"
#include "DataModel/ZRCommand.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Audio/AudioFile.h"
#include "Platform/Audio/AudioFileDecoder.h"
#include "Platform/Audio/PcmBytes.h"
#include "Platform/System/BundleResources.h"
#include "support/TestData.h"

namespace {

// Two seconds as the microphone gives them: a quarter second of room,
// the speech, room again.
std::vector<std::int16_t> utteranceOf(const std::vector<std::int16_t>& speech)
{
    std::vector<std::int16_t> utterance = TestData::inQuietRoom(speech, 2000, 16000);
    utterance.resize(16000);
    return utterance;
}

}  // namespace

std::shared_ptr<ZRCommand> DialogueFixture::trainDigit(std::int32_t type, int digit)
{
    auto command = ZRCommand::initForCommandType(type, m_store);
    if (type == ZRCommandTypePhone) {
        command->setName(QStringLiteral("Digit %1").arg(digit));
        command->setPhoneNumber(QStringLiteral("+49 170 00%1").arg(digit));
    }
    for (int take = 0; take < 3; ++take) {
        const std::string recording = Fsdd::recording(digit, kSpeaker, take).string();
        auto sample = ZRSample::initForCommand(*command);
        sample->setVoicePrint(
            std::make_shared<ZRVoicePrint>(TestData::voicePrintOf(utteranceOf(TestData::samplesOf(recording)))));
        const auto samples = AudioFileDecoder::decode(recording, 44100).samples;
        auto file = AudioFile::create(
            sample->filePath().toStdString(), linearPCM16(44100, 1, std::endian::little, PCMPacking::Packed));
        file->writePackets(0, static_cast<std::uint32_t>(samples.size()), PcmBytes::littleEndian(samples).data());
        command->setSample(sample);
    }
    m_store.addCommand(command);
    return command;
}

void DialogueFixture::trainSystemCommands()
{
    trainDigit(ZRCommandTypeAccept, kAcceptDigit);
    trainDigit(ZRCommandTypeRepeat, kRepeatDigit);
    trainDigit(ZRCommandTypeCancel, kCancelDigit);
}

std::string DialogueFixture::say(int digit, int take)
{
    const std::string path = (m_utterances / (std::to_string(digit) + "-" + std::to_string(take) + ".wav")).string();
    TestData::writeWav(path,
        utteranceOf(
            take < 0 ? std::vector<std::int16_t> {} : TestData::samplesOf(Fsdd::recording(digit, kSpeaker, take))));
    m_device.microphone().addUtterance(QString::fromStdString(path));
    return path;
}

std::vector<std::string> DialogueFixture::heard() const
{
    // A prompt is known by its samples (it may have been cut off); samples
    // of commands play at 44100 Hz.
    std::vector<std::string> names;
    for (const VirtualSpeaker::Sound& sound : m_device.speaker().playedSounds()) {
        names.emplace_back(sound.sampleRate == 44100 ? "sample" : "?");
        for (const char* prompt : AudioPlayer::kSystemSamples) {
            const std::string path = BundleResources::pathForResource(prompt, "caf").toStdString();
            const std::vector<std::int16_t> samples = AudioFileDecoder::decode(path, 22050).samples;
            if (sound.sampleRate == 22050 && sound.samples.size() <= samples.size()
                && std::equal(sound.samples.begin(), sound.samples.end(), samples.begin()))
                names.back() = prompt;
        }
    }
    return names;
}
