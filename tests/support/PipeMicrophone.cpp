#include "support/PipeMicrophone.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <unistd.h>

PipeMicrophone::PipeMicrophone(const std::filesystem::path& fifo)
    : m_thread([this, fifo] { speak(fifo); })
{
}

PipeMicrophone::~PipeMicrophone()
{
    m_done = true;
    m_thread.join();
}

void PipeMicrophone::say(const std::vector<std::int16_t>& samples)
{
    const std::lock_guard lock(m_mutex);
    m_speech.insert(m_speech.end(), samples.begin(), samples.end());
}

void PipeMicrophone::speak(const std::filesystem::path& fifo)
{
    // The server reads the pipe from its start, so opening it does not wait;
    // what the server does not take in time is lost, as with a microphone.
    const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    // The server reads the pipe only while something records: the smallest
    // pipe keeps what waits meanwhile, which a recording would hear first,
    // to a quarter of a second.
    fcntl(fd, F_SETPIPE_SZ, 4096);
    std::uint32_t noise = 1;
    auto due = std::chrono::steady_clock::now();
    std::vector<std::int16_t> chunk(80);  // ten milliseconds at 8000 Hz
    while (!m_done) {
        {
            const std::lock_guard lock(m_mutex);
            for (std::int16_t& sample : chunk) {
                noise = noise * 1664525u + 1013904223u;
                sample = static_cast<std::int16_t>(static_cast<int>(noise >> 28) - 8);  // within ±8
                if (!m_speech.empty()) {
                    sample = m_speech.front();
                    m_speech.pop_front();
                }
            }
        }
        if (write(fd, chunk.data(), chunk.size() * sizeof(std::int16_t)) < 0 && errno != EAGAIN)
            break;
        std::this_thread::sleep_until(due += std::chrono::milliseconds(10));
    }
    close(fd);
}
