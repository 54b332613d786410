#pragma once

#include "DataModel/ZRCommandList.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/System/UserDefaults.h"
#include "Platform/Time/VirtualClock.h"
#include "support/IsolatedStorage.h"
#include "support/ScriptedPopupHost.h"
#include "support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class ZRCommand;

// The world of a dialogue test: its own store and settings, a virtual clock,
// the virtual microphone and speaker, and a scripted screen. Real speech:
// one person's spoken digits, trained as contacts and as accept, repeat and
// cancel, and said again into the microphone.
class DialogueFixture : public ::testing::Test {
public:
    static constexpr const char* kSpeaker = "jackson";
    // The digits the system commands are trained with.
    static constexpr int kAcceptDigit = 7;
    static constexpr int kRepeatDigit = 8;
    static constexpr int kCancelDigit = 9;

protected:
    void SetUp() override
    {
        setVoiceGuide(true);
        setConfirmations(false);
    }

    // A command trained with takes 0 to 2 of `digit`, each with its sample
    // file, added to the store. A phone command is called "Digit D" and has
    // the number "+49 170 00D".
    std::shared_ptr<ZRCommand> trainDigit(std::int32_t type, int digit);
    void trainSystemCommands();
    // The microphone's next utterance: a take of `digit` in a quiet room
    // (take -1: the quiet room alone). The path of its file.
    std::string say(int digit, int take = 2);
    void sayNothing() { say(0, -1); }

    static void setSetting(const char* key, bool on) { UserDefaults::standardUserDefaults().setBool(on, key); }
    static void setVoiceGuide(bool on) { setSetting("VoiceGuide", on); }
    static void setConfirmations(bool on) { setSetting("Confirmations", on); }

    // What the speaker played, by name: a prompt's name, or "sample".
    std::vector<std::string> heard() const;
    // When the sound at `index` of heard() ended.
    Clock::Duration endOf(std::size_t index) const { return m_device.speaker().playedSounds().at(index).end; }

    IsolatedStorage m_storage;
    TemporaryDirectory m_utterances;
    VirtualClock m_clock;
    VirtualAudioDevice m_device {m_clock};
    ScriptedPopupHost m_screen {m_clock};
    ZRCommandList m_store;
};
