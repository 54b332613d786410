#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class AudioDevice;
class Clock;
class UtteranceFile;

// The engine and the command store from a shell: other tools call it, so
// its commands, outputs and exit statuses stay stable. It works on the same
// store and sample files as the application, and saves the store before it
// exits after any change, as the application does when it ends.
class ZarnethCli {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kNotRecognised = 1;
    static constexpr int kUnusable = 2;  // bad arguments or unreadable files; nothing changed
    static constexpr int kWriteFailed = 3;

    ZarnethCli(std::ostream& out, std::ostream& err);
    ~ZarnethCli();

    // Runs one command line (without the program name); returns the exit status.
    int run(const std::vector<std::string>& arguments);

private:
    using Arguments = std::span<const std::string>;

    int print(Arguments arguments);
    int distance(Arguments arguments);
    int train(Arguments arguments);
    int recognize(Arguments arguments);
    int list(Arguments arguments);
    int deleteCommands(Arguments arguments);
    int record(Arguments arguments);
    int play(Arguments arguments);

    // The audio device chosen with --audio, made on first use.
    AudioDevice& audioDevice();

    int usageError(const std::string& message);
    int failure(const std::string& message, int status);
    // The utterance in an audio file, or nothing after an error line.
    std::optional<UtteranceFile> utteranceOf(const std::string& path);

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_virtualAudio = false;
    QStringList m_microphoneFiles;
    std::unique_ptr<Clock> m_clock;
    std::unique_ptr<AudioDevice> m_device;
};
