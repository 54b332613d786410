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
class TerminalPopupHost;
class UtteranceFile;
class ZRCommand;

// The engine and the command store from a shell: other tools call it, so
// its commands, outputs and exit statuses stay stable. It works on the same
// store and sample files as the application, and saves the store before it
// exits after any change, as the application does when it ends.
class ZarnethCli {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kNotRecognised = 1;  // also: a training that kept nothing
    static constexpr int kUnusable = 2;       // bad arguments or unreadable files; nothing changed
    static constexpr int kWriteFailed = 3;

    ZarnethCli(std::ostream& out, std::ostream& err);
    ~ZarnethCli();

    // Runs one command line (without the program name); returns the exit status.
    int run(const std::vector<std::string>& arguments);

private:
    using Arguments = std::span<const std::string>;

    // What train and train-voice are asked to train.
    struct Training {
        QString name;
        QString number;
        std::optional<std::int32_t> systemType;
        std::vector<std::string> files;  // train
        bool keep = false;               // train-voice
    };

    int print(Arguments arguments);
    int distance(Arguments arguments);
    int train(Arguments arguments);
    int recognize(Arguments arguments);
    int list(Arguments arguments);
    int deleteCommands(Arguments arguments);
    int record(Arguments arguments);
    int play(Arguments arguments);
    int listen(Arguments arguments);
    int trainVoice(Arguments arguments);
    int settings(Arguments arguments);

    // The arguments of train (with files) or train-voice (with --keep), or
    // nothing after an error line.
    std::optional<Training> trainingIn(Arguments arguments, const std::string& command);
    void writeTrained(const ZRCommand& command);
    // A recognised phone command, as recognize and listen print it.
    void writeRecognized(const ZRCommand& command, std::optional<double> distance);
    // Hands the command's "tel:" URL to the dialler, as the application does.
    int dial(const ZRCommand& command);
    // Lets typed keys press the dialogue's buttons when someone sits at a
    // terminal and the dialogue runs in real time; false when nobody can.
    bool answerFromTheKeyboard(TerminalPopupHost& host) const;

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
