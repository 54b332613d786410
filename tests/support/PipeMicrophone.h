#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

// Speaks into a PulseAudio pipe source (8000 Hz mono 16-bit) the way a
// microphone delivers sound: in real time, ten milliseconds at a time, and a
// faint hiss while nobody speaks, from the moment it is made.
class PipeMicrophone {
public:
    explicit PipeMicrophone(const std::filesystem::path& fifo);
    ~PipeMicrophone();
    PipeMicrophone(const PipeMicrophone&) = delete;
    PipeMicrophone& operator=(const PipeMicrophone&) = delete;

    // Said from the next ten milliseconds on, after what is still being said.
    void say(const std::vector<std::int16_t>& samples);

private:
    void speak(const std::filesystem::path& fifo);

    std::mutex m_mutex;
    std::deque<std::int16_t> m_speech;
    std::atomic<bool> m_done {false};
    std::thread m_thread;
};
