#pragma once

#include "support/ScopedEnvironment.h"
#include "support/TemporaryDirectory.h"

#include <filesystem>
#include <string>

// A PulseAudio server of the test's own, with no sound card: a null sink as
// the speaker and a pipe source as the microphone (whatever is written to
// fifo() is what it records, at 8000 Hz mono 16-bit). Programs started while
// it lives reach it through $PULSE_RUNTIME_PATH.
//
// The null sink runs without rewinds: with them, PulseAudio 16's null sink
// stalls a new stream for up to two seconds, which no sound card does.
class PulseAudioServer {
public:
    // Whether the pulseaudio program is installed.
    static bool installed();

    PulseAudioServer();
    ~PulseAudioServer();
    PulseAudioServer(const PulseAudioServer&) = delete;
    PulseAudioServer& operator=(const PulseAudioServer&) = delete;

    // Whether it runs and answers.
    bool running() const { return m_running; }
    std::filesystem::path fifo() const { return m_folder / "microphone"; }

private:
    TemporaryDirectory m_folder;
    ScopedEnvironment m_runtimePath {"PULSE_RUNTIME_PATH", (m_folder / "runtime").string()};
    bool m_running = false;
};
