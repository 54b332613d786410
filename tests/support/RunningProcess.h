#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

// A program started beside the test and left running: what it writes (its
// output and its errors, as one stream) is read line by line as it comes,
// each line with the moment it arrived (by the wall clock, which other
// programs can write down too), so that a test can wait for it and
// time it. Ended with SIGTERM when it goes.
class RunningProcess {
public:
    using Time = std::chrono::system_clock::time_point;
    struct Line {
        Time at;
        std::string text;
    };
    using Listener = std::function<void(const Line& line)>;

    // Runs `program` with this process's environment plus `environment`;
    // `listener`, if given, hears every line on the reading thread.
    RunningProcess(const std::string& program, const std::vector<std::string>& arguments,
        const std::map<std::string, std::string>& environment = {}, Listener listener = nullptr);
    ~RunningProcess();
    RunningProcess(const RunningProcess&) = delete;
    RunningProcess& operator=(const RunningProcess&) = delete;

    bool started() const { return m_pid > 0; }
    Time startedAt() const { return m_startedAt; }

    // The `occurrence`-th line (from 1) that contains `text`; nothing if it
    // did not come within `timeout`.
    std::optional<Line> waitForLine(const std::string& text, std::chrono::milliseconds timeout, int occurrence = 1);
    // Everything it wrote so far, for messages.
    std::string output() const;

    // Stops the whole process, every thread of it, for `duration`: a phone
    // too busy to run it.
    void stall(std::chrono::milliseconds duration);
    // Asks it to end (SIGTERM) and waits up to `timeout`, then kills it; the
    // exit status, -1 when it did not exit by itself.
    int terminate(std::chrono::milliseconds timeout = std::chrono::seconds(20));

private:
    void read(int fd);

    pid_t m_pid = 0;
    Time m_startedAt;
    Listener m_listener;
    std::thread m_reader;
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<Line> m_lines;
    bool m_ended = false;
    std::optional<int> m_status;
};
