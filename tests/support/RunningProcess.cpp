#include "support/RunningProcess.h"

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

RunningProcess::RunningProcess(const std::string& program, const std::vector<std::string>& arguments,
    const std::map<std::string, std::string>& environment, Listener listener)
    : m_listener(std::move(listener))
{
    // env adds `environment` to this process's own and becomes the program.
    std::vector<std::string> words {"env"};
    for (const auto& [name, value] : environment)
        words.push_back(name + "=" + value);
    words.push_back(program);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
    m_startedAt = std::chrono::system_clock::now();
    if (posix_spawnp(&m_pid, "env", &actions, nullptr, argv.data(), environ) != 0)
        m_pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    m_reader = std::thread([this, fd = pipeFds[0]] { read(fd); });
}

RunningProcess::~RunningProcess()
{
    terminate();
    if (m_reader.joinable())
        m_reader.join();
}

void RunningProcess::read(int fd)
{
    std::string pending;
    char buffer[4096];
    for (ssize_t count; (count = ::read(fd, buffer, sizeof buffer)) > 0 || (count < 0 && errno == EINTR);) {
        const auto at = std::chrono::system_clock::now();
        pending.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
        for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            const Line line {at, pending.substr(0, end)};
            pending.erase(0, end + 1);
            if (m_listener)
                m_listener(line);
            const std::lock_guard lock(m_mutex);
            m_lines.push_back(line);
            m_arrived.notify_all();
        }
    }
    close(fd);
    const std::lock_guard lock(m_mutex);
    m_ended = true;
    m_arrived.notify_all();
}

std::optional<RunningProcess::Line> RunningProcess::waitForLine(
    const std::string& text, std::chrono::milliseconds timeout, int occurrence)
{
    std::unique_lock lock(m_mutex);
    std::optional<Line> found;
    m_arrived.wait_for(lock, timeout, [&] {
        int seen = 0;
        for (const Line& line : m_lines) {
            if (line.text.find(text) != std::string::npos && ++seen == occurrence) {
                found = line;
                break;
            }
        }
        return found.has_value() || m_ended;
    });
    return found;
}

std::string RunningProcess::output() const
{
    const std::lock_guard lock(m_mutex);
    std::string text;
    for (const Line& line : m_lines)
        text += line.text + "\n";
    return text;
}

void RunningProcess::stall(std::chrono::milliseconds duration)
{
    if (m_pid <= 0 || m_status)
        return;
    kill(m_pid, SIGSTOP);
    std::this_thread::sleep_for(duration);
    kill(m_pid, SIGCONT);
}

int RunningProcess::terminate(std::chrono::milliseconds timeout)
{
    if (m_pid <= 0)
        return -1;
    if (!m_status) {
        kill(m_pid, SIGTERM);
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (waitpid(m_pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return *m_status;
}
