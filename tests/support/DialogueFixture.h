#pragma once

#include "AudioManagers/AudioPlayer.h"
#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Audio/AudioFileDecoder.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/Audio/PcmBytes.h"
#include "Platform/System/BundleResources.h"
#include "Platform/System/UserDefaults.h"
#include "Platform/Time/VirtualClock.h"
#include "support/IsolatedStorage.h"
#include "support/ScriptedPopupHost.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

// The world of a dialogue test: its own store and settings, a virtual clock,
// the virtual microphone and speaker, and a scripted screen. Real speech:
// one person's spoken digits, trained as contacts and as accept, repeat and
// cancel, and said again into the microphone.
class DialogueFixture : public ::testing::Test {
public:
    // The digits the system commands are trained with.
    static constexpr int kAcceptDigit = 7, kRepeatDigit = 8, kCancelDigit = 9;

protected:
    void SetUp() override
    {
        setVoiceGuide(true);
        setConfirmations(false);
    }

    // A command trained with takes 0 to 2 of `digit`, each with its sample
    // file, added to the store. A phone command is called "Digit D" and has
    // the number "+49 170 00D".
    std::shared_ptr<ZRCommand> trainDigit(std::int32_t type, int digit)
    {
        auto command = ZRCommand::initForCommandType(type, m_store);
        if (type == ZRCommandTypePhone) {
            command->setName(QStringLiteral("Digit %1").arg(digit));
            command->setPhoneNumber(QStringLiteral("+49 170 00%1").arg(digit));
        }
        for (int take = 0; take < 3; ++take) {
            auto sample = ZRSample::initForCommand(*command);
            sample->setVoicePrint(std::make_shared<ZRVoicePrint>(TestData::voicePrintOf(utterance(digit, take))));
            const auto samples = AudioFileDecoder::decode(recording(digit, take), 44100).samples;
            AudioFile::create(
                sample->filePath().toStdString(), linearPCM16(44100, 1, std::endian::little, PCMPacking::Packed))
                ->writePackets(0, static_cast<std::uint32_t>(samples.size()), PcmBytes::littleEndian(samples).data());
            command->setSample(sample);
        }
        m_store.addCommand(command);
        return command;
    }
    void trainSystemCommands()
    {
        for (const auto& [type, digit] : {std::pair(ZRCommandTypeAccept, kAcceptDigit),
                 {ZRCommandTypeRepeat, kRepeatDigit}, {ZRCommandTypeCancel, kCancelDigit}})
            trainDigit(type, digit);
    }
    // The microphone's next utterance: a take of `digit` in a quiet room
    // (take -1: the quiet room alone). The path of its file.
    std::string say(int digit, int take = 2)
    {
        const std::string path
            = (m_utterances / (std::to_string(digit) + "-" + std::to_string(take) + ".wav")).string();
        TestData::writeWav(path, utterance(digit, take));
        m_device.microphone().addUtterance(QString::fromStdString(path));
        return path;
    }
    void sayNothing() { say(0, -1); }

    static void setSetting(const char* key, bool on) { UserDefaults::standardUserDefaults().setBool(on, key); }
    static void setVoiceGuide(bool on) { setSetting("VoiceGuide", on); }
    static void setConfirmations(bool on) { setSetting("Confirmations", on); }

    // What the speaker played, by name: a prompt's name, "(cut)" after one
    // not played to its end, "sample" (commands' samples play at 44100 Hz), or
    // "nothing" for a sound stopped before it played.
    std::string heard() const
    {
        std::string names;
        for (const VirtualSpeaker::Sound& sound : m_device.speaker().playedSounds()) {
            std::string name = sound.samples.empty() ? "nothing" : sound.sampleRate == 44100 ? "sample" : "?";
            for (const char* prompt : AudioPlayer::kSystemSamples) {
                const std::string path = BundleResources::pathForResource(prompt, "caf").toStdString();
                const std::vector<std::int16_t> whole = AudioFileDecoder::decode(path, 22050).samples;
                if (sound.sampleRate == 22050 && !sound.samples.empty() && sound.samples.size() <= whole.size()
                    && std::equal(sound.samples.begin(), sound.samples.end(), whole.begin()))
                    name = prompt + std::string(sound.samples.size() < whole.size() ? "(cut)" : "");
            }
            names += (names.empty() ? "" : " ") + name;
        }
        return names;
    }
    // When the sound at `index` of the speaker's played sounds ended.
    Clock::Duration endOf(std::size_t index) const { return m_device.speaker().playedSounds().at(index).end; }

    IsolatedStorage m_storage;
    TemporaryDirectory m_utterances;
    VirtualClock m_clock;
    VirtualAudioDevice m_device {m_clock};
    ScriptedPopupHost m_screen {m_clock};
    ZRCommandList m_store;

private:
    static std::string recording(int digit, int take) { return Fsdd::recording(digit, "jackson", take).string(); }
    // Two seconds as the microphone gives them: a quarter second of room,
    // the speech (none for take -1), room again.
    static std::vector<std::int16_t> utterance(int digit, int take)
    {
        std::vector<std::int16_t> samples = TestData::inQuietRoom(
            take < 0 ? std::vector<std::int16_t> {} : TestData::samplesOf(recording(digit, take)), 2000, 16000);
        samples.resize(16000);
        return samples;
    }
};
