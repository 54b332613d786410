#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

class ZRVoicePrint;

// The voice-print engine from a shell: other tools call it, so its commands,
// outputs and exit statuses stay stable.
class ZarnethCli {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kUnusable = 2;  // bad arguments or unreadable files

    ZarnethCli(std::ostream& out, std::ostream& err);

    // Runs one command line (without the program name); returns the exit status.
    int run(const std::vector<std::string>& arguments);

private:
    using Arguments = std::span<const std::string>;

    int print(Arguments arguments);
    int distance(Arguments arguments);
    int usageError(const std::string& message);
    // The voice print of an audio file, or nothing after an error line.
    std::optional<ZRVoicePrint> voicePrintOf(const std::string& path, int* status = nullptr);

    std::ostream& m_out;
    std::ostream& m_err;
};
