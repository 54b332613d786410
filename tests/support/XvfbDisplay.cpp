#include "support/XvfbDisplay.h"

#include "support/ProcessRun.h"

#include <cmath>
#include <sstream>

bool XvfbDisplay::installed()
{
    return ProcessRun::of("sh", {"-c", "command -v Xvfb && command -v xdotool"}).status == 0;
}

// Xvfb picks a free display itself and writes its number, alone, on a line.
XvfbDisplay::XvfbDisplay()
    : m_server("sh", {"-c", "exec Xvfb -displayfd 1 -screen 0 480x800x24 -nolisten tcp -noreset 2>/dev/null"})
{
    if (const auto number = m_server.waitForLine("", std::chrono::seconds(10)))
        m_name = ":" + number->text;
}

bool XvfbDisplay::tap(const std::string& title, double x, double y) const
{
    const std::string display = "DISPLAY=" + m_name;
    std::istringstream lines(ProcessRun::of("env",
        {display, "xdotool", "search", "--onlyvisible", "--name", "^" + title + "$", "getwindowgeometry", "--shell"})
                                 .out);
    std::map<std::string, double> geometry;  // WINDOW, X, Y, WIDTH, HEIGHT, SCREEN
    for (std::string line; std::getline(lines, line);)
        if (const auto equals = line.find('='); equals != std::string::npos)
            geometry[line.substr(0, equals)] = std::stod(line.substr(equals + 1));
    const double width = geometry["WIDTH"];
    const double height = geometry["HEIGHT"];
    if (geometry["WINDOW"] == 0 || width <= 0 || height <= 0)
        return false;
    // The face is scaled to fit and centred, as qml/Main.qml does it.
    const double scale = std::min(width / 320, height / 480);
    const auto at = [scale](double size, double face, double point) {
        return std::to_string(std::lround((size - face * scale) / 2 + point * scale));
    };
    return ProcessRun::of("env",
               {display, "xdotool", "mousemove", "--window", std::to_string(std::lround(geometry["WINDOW"])),
                   at(width, 320, x), at(height, 480, y), "click", "1"})
               .status
        == 0;
}
