#pragma once

#include "AudioManagers/AudioPlayer.h"
#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Audio/AudioFileDecoder.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/Audio/PcmBytes.h"
#include "Platform/Popups/Popup.h"
#include "Platform/Popups/PopupHost.h"
#include "Platform/Popups/ProgressView.h"
#include "Platform/System/BundleResources.h"
#include "Platform/System/UserDefaults.h"
#include "Platform/Time/VirtualClock.h"
#include "support/IsolatedStorage.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <deque>

// The screen of a dialogue test: popups are presented at once, through the
// clock; buttons are pressed by the test, or by answers given in advance.
// Everything that happens is written down.
class ScriptedPopupHost : public PopupHost {
public:
    explicit ScriptedPopupHost(Clock& clock)
        : m_clock(clock)
    {
    }

    void present(std::shared_ptr<Popup> popup) override
    {
        m_onScreen.push_back(popup);
        m_clock.schedule(Clock::Duration(0), [this, popup] {
            if (std::ranges::find(m_onScreen, popup) == m_onScreen.end())
                return;
            m_presented.push_back(
                (popup->kind() == Popup::Kind::ActionSheet ? "sheet " : "alert ") + std::to_string(popup->tag()));
            // A bar may be added before the popup shows or when it has shown.
            watchProgress(popup->progressView());
            popup->presented();
            watchProgress(popup->progressView());
            std::deque<int>& answers = m_answers[{popup->kind(), popup->tag()}];
            if (!answers.empty() && onScreen() == popup.get()) {
                const int index = answers.front();
                answers.pop_front();
                press(index);
            }
        });
    }
    void dismiss(Popup& popup, int) override
    {
        std::erase_if(m_onScreen, [&popup](const auto& shown) { return shown.get() == &popup; });
    }

    // The popup on screen (the latest shown), or nullptr.
    Popup* onScreen() const { return m_onScreen.empty() ? nullptr : m_onScreen.back().get(); }
    // Presses a button of the popup on screen.
    void press(int index)
    {
        if (m_onScreen.empty())
            return;
        const std::shared_ptr<Popup> popup = m_onScreen.back();
        m_onScreen.pop_back();
        popup->clicked(index);
    }
    // Presses button `index` when a popup of this kind and tag is presented
    // next; answers given for the same popup are used one per presentation.
    void answer(Popup::Kind kind, int tag, int index) { m_answers[{kind, tag}].push_back(index); }
    void forgetAnswers() { m_answers.clear(); }

    // "sheet 0", "alert 3": every popup presented, in order.
    const std::vector<std::string>& presented() const { return m_presented; }
    // Every value the progress bars of the popups took, in order (a test
    // may clear them between dialogues).
    std::vector<float>& progress() { return m_progress; }

private:
    void watchProgress(ProgressView* bar)
    {
        if (bar)
            bar->setObserver([this, bar] {
                if (m_progress.empty() || m_progress.back() != bar->progress())
                    m_progress.push_back(bar->progress());
            });
    }

    Clock& m_clock;
    std::vector<std::shared_ptr<Popup>> m_onScreen;
    std::map<std::pair<Popup::Kind, int>, std::deque<int>> m_answers;
    std::vector<std::string> m_presented;
    std::vector<float> m_progress;
};

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
