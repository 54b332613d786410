// How quickly the application answers, timed from outside as a person meets
// it: the real zarneth process in a real window (Xvfb) on the real clock,
// two names trained, launched with "Dialing" NO so that it listens at once.
//
//   cold start   process start → the microphone on (after the speak-now
//                prompt), and process start → the prompt's first sound
//   dial         end of the utterance (microphone off) → the dialler called,
//                beside what the dialogue plays meanwhile: "you said", the
//                half-second pause, the matched sample
//
// Medians of ten runs, on the virtual device in real time and through a
// PulseAudio server of the benchmark's own whose microphone is fed in real
// time. The audio events come from the application's own diagnostics
// (QT_LOGGING_RULES="zarneth.audio.debug=true"); the dialler writes down
// when it was called.

#include "Platform/Audio/AudioFile.h"
#include "Platform/System/BundleResources.h"
#include "Platform/System/UserDefaults.h"
#include "support/PipeMicrophone.h"
#include "support/PulseAudioServer.h"
#include "support/RunningProcess.h"
#include "support/TestData.h"
#include "support/VoiceScene.h"
#include "support/XvfbDisplay.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <iostream>

namespace {

using namespace std::chrono_literals;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kRuns = 10;
constexpr int kSaidDigit = 6;

struct Run {
    double toPrompt = 0;
    double toMicrophone = 0;
    double toDialler = 0;
    double played = 0;  // "you said", the pause and the sample, by the speaker's own events
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.size() % 2 ? values[values.size() / 2]
                             : (values[values.size() / 2 - 1] + values[values.size() / 2]) / 2;
}

double promptMilliseconds(const char* name)
{
    const auto prompt = AudioFile::open(BundleResources::pathForResource(name, "caf").toStdString());
    return prompt ? 1000.0 * static_cast<double>(prompt->packetCount()) / prompt->dataFormat().mSampleRate : 0;
}

double since(RunningProcess::Time from, RunningProcess::Time to)
{
    return Milliseconds(to - from).count();
}

// One launch that listens and dials; nothing when it did not.
std::optional<Run> launchOnce(const VoiceScene& scene, const XvfbDisplay& display, PipeMicrophone* microphone)
{
    UserDefaults defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(false, "Dialing");
    defaults.synchronize();
    const std::size_t dialledBefore = scene.opened().size();
    const std::string said = scene.utterance(kSaidDigit, 2);
    std::vector<std::string> arguments {"--audio", microphone ? "system" : "virtual"};
    if (!microphone) {
        arguments.push_back("--mic");
        arguments.push_back(said);
    }
    RunningProcess app(ZARNETH_APP, arguments, scene.applicationEnvironment(display.name()),
        [microphone, &said](const RunningProcess::Line& line) {
            if (microphone && line.text == "zarneth.audio: microphone on")
                microphone->say(TestData::samplesOf(said));
        });
    const auto prompt = app.waitForLine("speaker on", 20s);
    const auto on = app.waitForLine("microphone on", 20s);
    const auto off = app.waitForLine("microphone off", 20s);
    const auto youSaid = app.waitForLine("speaker on", 20s, 2);
    const auto sampleEnd = app.waitForLine("speaker off", 20s, 3);
    for (int wait = 0; wait < 200 && scene.opened().size() == dialledBefore; ++wait)
        std::this_thread::sleep_for(10ms);
    app.terminate();
    if (!prompt || !on || !off || !youSaid || !sampleEnd || scene.opened().size() == dialledBefore)
        return std::nullopt;
    return Run {since(app.startedAt(), prompt->at), since(app.startedAt(), on->at),
        since(off->at, scene.openedAt().back()), since(youSaid->at, sampleEnd->at)};
}

void measure(const char* device, const XvfbDisplay& display, PipeMicrophone* microphone)
{
    VoiceScene scene(ZARNETH_CLI);
    scene.useUrlOpener(0);
    scene.trainContact(3);
    scene.trainContact(kSaidDigit);
    std::vector<Run> runs;
    for (int run = 0; run < kRuns; ++run) {
        if (const auto timed = launchOnce(scene, display, microphone))
            runs.push_back(*timed);
    }
    const auto column = [&runs](double Run::*field) {
        std::vector<double> values;
        for (const Run& run : runs)
            values.push_back(run.*field);
        return values.empty() ? 0.0 : median(values);
    };
    const double speakNow = promptMilliseconds("speak-now");
    const double youSaid = promptMilliseconds("you-said");
    std::printf("%s: %zu of %d runs dialled\n", device, runs.size(), kRuns);
    std::printf("  start → prompt sounds       %7.0f ms\n", column(&Run::toPrompt));
    std::printf("  start → microphone on       %7.0f ms  (of which the speak-now prompt: %.0f ms)\n",
        column(&Run::toMicrophone), speakNow);
    std::printf("  microphone off → dialler    %7.0f ms  (you-said %.0f ms + pause 500 ms + sample, played: %.0f ms)\n",
        column(&Run::toDialler), youSaid, column(&Run::played));
    std::printf("  beyond what is played       %7.0f ms\n", column(&Run::toDialler) - column(&Run::played));
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (!XvfbDisplay::installed()) {
        std::cerr << "needs Xvfb and xdotool\n";
        return 1;
    }
    const XvfbDisplay display;
    measure("virtual device", display, nullptr);
    if (PulseAudioServer::installed()) {
        const PulseAudioServer server;
        PipeMicrophone microphone(server.fifo());
        measure("PulseAudio", display, &microphone);
    }
    return 0;
}
