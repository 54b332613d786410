#include "support/PulseAudioServer.h"

#include "support/ProcessRun.h"

#include <chrono>
#include <thread>

bool PulseAudioServer::installed()
{
    return ProcessRun::of("sh", {"-c", "command -v pulseaudio && command -v pactl"}).status == 0;
}

PulseAudioServer::PulseAudioServer()
{
    std::filesystem::create_directories(m_folder / "runtime");

    // The pipe source makes its FIFO itself.
    ProcessRun::of("pulseaudio",
        {"-n", "--daemonize=yes", "--exit-idle-time=-1", "--log-target=stderr", "-L", "module-native-protocol-unix",
            "-L", "module-null-sink sink_name=nullsink norewinds=1", "-L",
            "module-pipe-source source_name=pipesrc file=" + fifo().string() + " format=s16le rate=8000 channels=1"});
    for (int attempt = 0; attempt < 50 && !m_running; ++attempt) {
        m_running = ProcessRun::of("pactl", {"info"}).status == 0;
        if (!m_running)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (m_running) {
        ProcessRun::of("pactl", {"set-default-sink", "nullsink"});
        m_running = ProcessRun::of("pactl", {"set-default-source", "pipesrc"}).status == 0;
    }
}

PulseAudioServer::~PulseAudioServer()
{
    ProcessRun::of("pulseaudio", {"-k"});
}
