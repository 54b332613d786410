// How soon the end of a sound is reported: a prompt played through the
// system device into a PulseAudio null sink (a server of the benchmark's
// own), from the nominal end of the sound to the player's stop
// notification. The dialogues move on at that notification.

#include "AudioManagers/AudioPlayer.h"
#include "Platform/Audio/AudioFile.h"
#include "Platform/Audio/Backends/SystemAudioDevice.h"
#include "Platform/System/BundleResources.h"
#include "Platform/Time/SystemClock.h"
#include "support/PulseAudioServer.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
#include <memory>

namespace {

using namespace std::chrono_literals;

// One server for the whole run: Qt stays connected to the first it finds.
PulseAudioServer* server = nullptr;

void BM_PromptStopNotification(benchmark::State& state)
{
    if (!server || !server->running()) {
        state.SkipWithError("no PulseAudio server (is pulseaudio installed?)");
        return;
    }
    const char* name = AudioPlayer::kSystemSamples[state.range(0)];
    const auto prompt = AudioFile::open(BundleResources::pathForResource(name, "caf").toStdString());
    const auto length = std::chrono::duration<double>(prompt->packetCount() / prompt->dataFormat().mSampleRate);

    SystemClock clock;
    SystemAudioDevice device(clock);
    double gaps = 0;
    for (auto _ : state) {
        AudioPlayer player(device);
        bool ended = false;
        player.setStopEvent([&ended] { ended = true; });
        const auto start = clock.now();
        player.playSystemSample(static_cast<int>(state.range(0)));
        clock.runUntil([&ended] { return ended; }, 10s);
        const std::chrono::duration<double> took = clock.now() - start;
        state.SetIterationTime(took.count());
        gaps += std::chrono::duration<double, std::milli>(took - length).count();
    }
    state.SetLabel(name);
    state.counters["gap_ms"] = gaps / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PromptStopNotification)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    std::unique_ptr<PulseAudioServer> ownServer;
    if (PulseAudioServer::installed()) {
        ownServer = std::make_unique<PulseAudioServer>();
        server = ownServer.get();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
