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
class VirtualAudioDevice;
class VirtualSpeaker;
class ZRCommand;
class ZRCommandList;
class ZRVoicePrint;

// One run of zarneth-cli as the commands see it: where they write, the
// global options, the audio device those chose, and what several commands
// say or read alike.
class CliContext {
public:
    using Arguments = std::span<const std::string>;

    // What train and train-voice are asked to train.
    struct Training {
        QString name;
        QString number;
        std::optional<std::int32_t> systemType;
        std::vector<std::string> files;  // train
        bool keep = false;               // train-voice

        // The command to add samples to, as the application's screens pick it.
        std::shared_ptr<ZRCommand> commandIn(ZRCommandList& store) const;
    };

    CliContext(std::ostream& out, std::ostream& err);
    ~CliContext();

    std::ostream& out() { return m_out; }
    std::ostream& err() { return m_err; }

    // Takes the global options off the front of `arguments`; false after
    // an error line.
    bool takeGlobalOptions(Arguments& arguments);
    bool virtualAudio() const { return m_virtualAudio; }
    // The audio device chosen with --audio, made on first use.
    AudioDevice& audioDevice();
    // What the virtual device's speaker played; nullptr with the system device.
    const VirtualSpeaker* virtualSpeaker() const;

    // An error line; these return the exit status to end with.
    int usageError(const std::string& message);
    int failure(const std::string& message, int status);
    // The utterance in an audio file, or nothing after an error line.
    std::optional<UtteranceFile> utteranceOf(const std::string& path);
    // The arguments of train (with files) or train-voice (with --keep), or
    // nothing after an error line.
    std::optional<Training> trainingIn(Arguments arguments, const std::string& command);

    // The system command type called accept, repeat or cancel.
    static std::optional<std::int32_t> systemTypeNamed(const std::string& name);
    // 17 significant digits give back the exact double; "1e+30" means no match.
    static std::string formatDistance(double distance);

    // A voice print and its calculation's status, for programs (JSON) or people.
    void writeVoicePrint(int status, const ZRVoicePrint& print, bool json);
    // Saves the store after a training and says what the command holds
    // now; returns the exit status.
    int saveTrained(const ZRCommand& command);
    // A recognised phone command, or "not recognised" for nullptr, as
    // recognize and listen print it; returns the exit status.
    int writeRecognized(const ZRCommand* command, std::optional<double> distance);

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_virtualAudio = false;
    QStringList m_microphoneFiles;
    std::unique_ptr<Clock> m_clock;
    std::unique_ptr<AudioDevice> m_device;
    // The same device as m_device when it is the virtual one: its maker
    // knows its type, so nobody has to guess it back.
    VirtualAudioDevice* m_virtualDevice = nullptr;
};

// A group of commands, made for the one command of a run: each command is
// a member function that takes the command's arguments and returns the
// exit status.
class CliCommandGroup {
public:
    using Arguments = CliContext::Arguments;

    explicit CliCommandGroup(CliContext& cli)
        : m_cli(cli)
    {
    }

protected:
    CliContext& m_cli;
};
