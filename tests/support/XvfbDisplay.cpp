#include "support/XvfbDisplay.h"

#include "support/ProcessRun.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

bool XvfbDisplay::installed()
{
    return ProcessRun::of("sh", {"-c", "command -v Xvfb && command -v xdotool"}).status == 0;
}

XvfbDisplay::XvfbDisplay()
{
    // Xvfb picks a free display itself and writes its number to the pipe.
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return;
    fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);
    const std::string fd = std::to_string(pipeFds[1]);
    const char* argv[]
        = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "480x800x24", "-nolisten", "tcp", "-noreset", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&m_server, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
        m_server = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);

    std::string number;
    pollfd ready {pipeFds[0], POLLIN, 0};
    char buffer[16];
    while (m_server > 0 && number.find('\n') == std::string::npos && poll(&ready, 1, 10'000) > 0) {
        const ssize_t count = read(pipeFds[0], buffer, sizeof buffer);
        if (count <= 0)
            break;
        number.append(buffer, static_cast<std::size_t>(count));
    }
    close(pipeFds[0]);
    number.erase(std::remove(number.begin(), number.end(), '\n'), number.end());
    if (!number.empty())
        m_name = ":" + number;
}

XvfbDisplay::~XvfbDisplay()
{
    if (m_server <= 0)
        return;
    kill(m_server, SIGTERM);
    waitpid(m_server, nullptr, 0);
}

bool XvfbDisplay::tap(const std::string& title, double x, double y) const
{
    const std::string display = "DISPLAY=" + m_name;
    const ProcessRun found = ProcessRun::of("env",
        {display, "xdotool", "search", "--onlyvisible", "--name", "^" + title + "$", "getwindowgeometry", "--shell"});
    std::istringstream lines(found.out);
    std::string line;
    long window = 0;
    double width = 0;
    double height = 0;
    while (std::getline(lines, line)) {
        if (line.rfind("WINDOW=", 0) == 0)
            window = std::stol(line.substr(7));
        else if (line.rfind("WIDTH=", 0) == 0)
            width = std::stod(line.substr(6));
        else if (line.rfind("HEIGHT=", 0) == 0)
            height = std::stod(line.substr(7));
    }
    if (window == 0 || width <= 0 || height <= 0)
        return false;
    // The face is scaled to fit and centred, as qml/Main.qml does it.
    const double scale = std::min(width / 320, height / 480);
    const long windowX = std::lround((width - 320 * scale) / 2 + x * scale);
    const long windowY = std::lround((height - 480 * scale) / 2 + y * scale);
    return ProcessRun::of("env",
               {display, "xdotool", "mousemove", "--window", std::to_string(window), std::to_string(windowX),
                   std::to_string(windowY), "click", "1"})
               .status
        == 0;
}
