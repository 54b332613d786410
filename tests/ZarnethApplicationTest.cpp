// The application as people use it: the real zarneth process in a real X
// window (Xvfb) on the system clock, names trained beforehand with
// zarneth-cli, taps made with the mouse, and the dialler replaced by a
// program that writes down what it is handed. Every flow runs on the
// virtual device in real time and through a PulseAudio server of the
// test's own, whose microphone is fed in real time.

#include "support/PipeMicrophone.h"
#include "support/PulseAudioServer.h"
#include "support/RunningProcess.h"
#include "support/TestData.h"
#include "support/VoiceScene.h"
#include "support/XvfbDisplay.h"

#include <gtest/gtest.h>

#include <QFile>
#include <deque>
#include <mutex>

namespace {

using namespace std::chrono_literals;
using Urls = std::vector<std::string>;

enum class Device { Virtual, PulseAudio };

// Places on the 320 × 480 point face, as the screens lay them out.
struct Point {
    double x;
    double y;
};
constexpr Point kScreenMiddle {160, 240};
constexpr Point kInfoButton {280, 442};
constexpr Point kDialTab {32, 457};
constexpr Point kMenuContactsRow {160, 66};
constexpr Point kFirstContactRow {160, 148};
constexpr Point kFirstNumberRow {160, 104};
constexpr Point kSheetFirstOfTwoButtons {160, 394};
constexpr Point kTipOkButton {160, 294};

class ZarnethApplicationTest : public ::testing::TestWithParam<Device> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(XvfbDisplay::installed())
            << "Xvfb or xdotool is not installed (scripts/install-deps.sh installs them)";
        ASSERT_TRUE(m_display.running()) << "Xvfb did not start";
        if (GetParam() == Device::PulseAudio) {
            m_server = std::make_unique<PulseAudioServer>();
            ASSERT_TRUE(m_server->running()) << "no PulseAudio server (scripts/install-deps.sh installs pulseaudio)";
            m_microphone = std::make_unique<PipeMicrophone>(m_server->fifo());
        }
        m_scene.useUrlOpener(0);
    }

    void TearDown() override
    {
        if (m_app && HasFailure())
            std::cerr << "zarneth said:\n" << m_app->output() << "The store:\n" << m_scene.cli({"list"}).out;
        m_app.reset();
    }

    // A digit as the microphone gives it; take 2 is not trained.
    std::string said(int digit, int take = 2) const { return m_scene.utterance(digit, take); }

    // Starts zarneth as a person does; its microphone says `files`, one per
    // recording.
    void launch(const std::vector<std::string>& files)
    {
        m_app.reset();
        std::vector<std::string> arguments {"--audio", GetParam() == Device::Virtual ? "virtual" : "system"};
        RunningProcess::Listener listener;
        if (GetParam() == Device::Virtual) {
            for (const std::string& file : files)
                arguments.insert(arguments.end(), {"--mic", file});
        } else {
            const std::lock_guard lock(m_mutex);
            m_said.assign(files.begin(), files.end());
            listener = [this](const RunningProcess::Line& line) {
                if (line.text.find("microphone on") != std::string::npos)
                    speak(line.at);
            };
        }
        m_app = std::make_unique<RunningProcess>(
            ZARNETH_APP, arguments, m_scene.applicationEnvironment(m_display.name()), listener);
        ASSERT_TRUE(m_app->started());
    }

    // The next utterance, when a recording starts. A training records with
    // two queues at once, which hear the same utterance.
    void speak(RunningProcess::Time at)
    {
        const std::lock_guard lock(m_mutex);
        if (m_said.empty() || at < m_speakingUntil)
            return;
        m_microphone->say(TestData::samplesOf(m_said.front()));
        m_said.pop_front();
        m_speakingUntil = at + 2s;
    }

    // The URLs handed to the dialler, once there are `count` of them or
    // `timeout` has passed.
    Urls waitForDial(std::size_t count, std::chrono::seconds timeout = 30s) const
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (m_scene.opened().size() < count && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(50ms);
        return m_scene.opened();
    }

    // A tap on the window, once it is there.
    void tap(Point point) const
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        bool tapped = false;
        while (!(tapped = m_display.tap("Zarneth", point.x, point.y)) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(100ms);
        ASSERT_TRUE(tapped) << "no window to tap";
        std::this_thread::sleep_for(150ms);
    }

    // Taps the dial screen until the application records for the
    // `occurrence`-th time: a tap that comes while it is still busy (the
    // pause after a cancel, the flip back) goes nowhere.
    void tapToListen(int occurrence)
    {
        for (int attempt = 0; attempt < 10; ++attempt) {
            tap(kScreenMiddle);
            if (m_app->waitForLine("zarneth.audio: microphone on", 3s, occurrence))
                return;
        }
        FAIL() << "no tap started a recording";
    }

    // Waits for the `occurrence`-th audio event ("microphone on", "speaker off"...).
    void waitFor(const std::string& event, int occurrence, std::chrono::seconds timeout = 20s) const
    {
        ASSERT_TRUE(m_app->waitForLine("zarneth.audio: " + event, timeout, occurrence))
            << event << " #" << occurrence << " did not come";
    }

    VoiceScene m_scene {ZARNETH_CLI};
    XvfbDisplay m_display;
    std::unique_ptr<PulseAudioServer> m_server;
    std::unique_ptr<PipeMicrophone> m_microphone;
    std::mutex m_mutex;
    std::deque<std::string> m_said;
    RunningProcess::Time m_speakingUntil;
    std::unique_ptr<RunningProcess> m_app;
};

// Held up in the middle of its recording for longer than many ticks, with
// every core busy beside it, it still dials.
TEST_P(ZarnethApplicationTest, OnABusyMachineItListensAtLaunchDialsAndAfterADialWaitsForATap)
{
    m_scene.trainContact(3);
    m_scene.trainContact(6);
    {
        std::vector<std::unique_ptr<RunningProcess>> load;
        for (unsigned core = 0; core < 2 * std::max(1u, std::thread::hardware_concurrency()); ++core)
            load.push_back(
                std::make_unique<RunningProcess>("sh", std::vector<std::string> {"-c", "while :; do :; done"}));
        launch({said(6)});
        waitFor("microphone on", 1, 30s);
        std::this_thread::sleep_for(500ms);
        m_app->stall(400ms);
        EXPECT_EQ(waitForDial(1, 60s), Urls {"tel:+49170006"});
    }
    EXPECT_EQ(m_app->terminate(), 0) << "ended as the system ends it, it records that it dialled";

    launch({said(3)});
    EXPECT_FALSE(m_app->waitForLine("microphone on", 3s)) << "the last run dialled: it waits for a tap";
    tapToListen(1);
    EXPECT_EQ(waitForDial(2), (Urls {"tel:+49170006", "tel:+49170003"}));
}

TEST_P(ZarnethApplicationTest, WithConfirmationsAcceptDialsAndCancelDoesNot)
{
    m_scene.trainContact(3);
    m_scene.trainContact(6);
    m_scene.trainSystemCommand("accept", 7);
    m_scene.trainSystemCommand("repeat", 8);
    m_scene.trainSystemCommand("cancel", 9);
    ASSERT_EQ(m_scene.cli({"settings", "Confirmations", "on"}).status, 0);

    launch({said(6), said(9), said(3), said(7)});
    waitFor("microphone off", 2);
    // Cancelled: a second's pause, and the dial screen waits for a tap.
    std::this_thread::sleep_for(2500ms);
    EXPECT_TRUE(m_scene.opened().empty()) << "cancel dials nothing";
    tapToListen(3);
    EXPECT_EQ(waitForDial(1), Urls {"tel:+49170003"});
}

TEST_P(ZarnethApplicationTest, ANameTrainedByTapsOnTheContactsScreenIsDialledByVoice)
{
    IsolatedStorage::touch(m_scene.storage().contacts() + "/people.vcf",
        "BEGIN:VCARD\nVERSION:3.0\nN:Berg;Cleo;;;\nFN:Cleo Berg\nTEL;TYPE=cell:+49 170 005\nEND:VCARD\n");
    launch({said(5, 0), said(5)});
    EXPECT_FALSE(m_app->waitForLine("microphone on", 2s)) << "nothing trained: nothing to listen for";

    tap(kInfoButton);
    std::this_thread::sleep_for(1500ms);  // the flip to the tabs
    tap(kMenuContactsRow);
    tap(kFirstContactRow);
    tap(kFirstNumberRow);
    tap(kSheetFirstOfTwoButtons);  // Record
    waitFor("speaker off", 3);     // speak-now, you-said, the new sample
    std::this_thread::sleep_for(300ms);
    tap(kSheetFirstOfTwoButtons);  // Keep
    tap(kTipOkButton);
    ASSERT_TRUE(QFile::exists(m_scene.storage().documentsFile("/samcomandlist"))) << "the sample was not kept";

    tap(kDialTab);
    std::this_thread::sleep_for(1500ms);  // the flip back
    tapToListen(3);                       // the training recorded twice at once
    EXPECT_EQ(waitForDial(1), Urls {"tel:+49170005"});
}

INSTANTIATE_TEST_SUITE_P(Devices, ZarnethApplicationTest, ::testing::Values(Device::Virtual, Device::PulseAudio),
    [](const auto& info) { return std::string(info.param == Device::Virtual ? "VirtualDevice" : "PulseAudio"); });

}  // namespace
