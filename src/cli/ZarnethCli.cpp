#include "cli/ZarnethCli.h"

#include "AudioManagers/AudioFileRecorder.h"
#include "AudioManagers/AudioPlayer.h"
#include "AudioManagers/AudioVoicePrintRecorder.h"
#include "AudioManagers/UtteranceFile.h"
#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "Platform/Audio/Backends/SystemAudioDevice.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/System/BundleResources.h"
#include "Platform/System/DefaultSettings.h"
#include "Platform/System/DocumentsDirectory.h"
#include "Platform/System/SettingsKey.h"
#include "Platform/System/TelephoneURL.h"
#include "Platform/System/UrlOpener.h"
#include "Platform/System/UserDefaults.h"
#include "Platform/Time/SystemClock.h"
#include "Platform/Time/VirtualClock.h"
#include "TrainAndRecognize/ZRRecognizeController.h"
#include "TrainAndRecognize/ZRTrainController.h"
#include "cli/CommandListReport.h"
#include "cli/DialogueOutcome.h"
#include "cli/TerminalPopupHost.h"

#include <QFile>
#include <QUrl>
#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <iomanip>
#include <ostream>
#include <unistd.h>

namespace {

constexpr const char* kUsage
    = "usage: zarneth-cli [--documents DIR] COMMAND [ARGS]\n"
      "commands:\n"
      "  print [--json] FILE.wav                          voice print of an utterance\n"
      "  distance A.wav B.wav                             the DTW distance of A's print from B's\n"
      "  train --name NAME --number NUMBER FILE.wav...    train a phone command, one sample per file\n"
      "  train --system accept|repeat|cancel FILE.wav...  train a system command\n"
      "  recognize FILE.wav                               the nearest phone command and its \"tel:\" URL\n"
      "  list [--json]                                    everything the store holds\n"
      "  delete ID | delete --system TYPE | delete --all  delete commands and their sample files\n"
      "  record [--seconds S] [--json] [--out FILE.caf]   record from the audio device: the voice print\n"
      "                                                   (and the sample file)\n"
      "  play FILE|PROMPT-NAME                            play a sound file or a prompt (speak-now, ...)\n"
      "  listen [--dial]                                  the spoken recognition: say a name; prints the\n"
      "                                                   command (--dial: and calls its number)\n"
      "  train-voice (--name NAME --number NUMBER | --system accept|repeat|cancel) [--keep]\n"
      "                                                   the spoken training of one sample (--keep:\n"
      "                                                   record and keep it without asking)\n"
      "  settings [KEY [on|off]]                          show or set Confirmations and VoiceGuide\n"
      "listen and train-voice show each sheet as a line; with the system audio device, at a\n"
      "terminal, type a button's number and Enter to press it.\n"
      "global options:\n"
      "  --documents DIR          the folder of the command list and the sample files\n"
      "  --audio system|virtual   the sound server (default), or a virtual device that plays nothing\n"
      "  --mic FILE               the virtual microphone's next utterance (repeat for several)\n";

constexpr double kDefaultRecordingSeconds = 2.0;
constexpr double kLongestRecordingSeconds = 60.0;
// Far longer than any spoken dialogue; a virtual clock passes it at once
// when a dialogue hangs.
constexpr Clock::Duration kLongestDialogue = std::chrono::minutes(5);

// The buttons of the training dialogue's sheets and tip.
constexpr int kRecordButton = 0;
constexpr int kDontRecordButton = 1;
constexpr int kKeepButton = 0;
constexpr int kOkButton = 0;

// The settings screen's switches.
const std::array<QString, 2> kSettingKeys = {SettingsKey::Confirmations, SettingsKey::VoiceGuide};

Clock::Duration secondsToDuration(double seconds)
{
    return std::chrono::duration_cast<Clock::Duration>(std::chrono::duration<double>(seconds));
}

std::optional<double> secondsIn(const std::string& text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !(value > 0) || value > kLongestRecordingSeconds)
        return std::nullopt;
    return value;
}

int promptNumberOf(const std::string& name)
{
    for (std::size_t i = 0; i < AudioPlayer::kSystemSamples.size(); ++i) {
        if (name == AudioPlayer::kSystemSamples[i])
            return static_cast<int>(i);
    }
    return -1;
}

// 17 significant digits give back the exact double; "1e+30" means no match.
std::string formatDistance(double distance)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", distance);
    return text;
}

std::optional<std::int32_t> systemTypeNamed(const std::string& name)
{
    if (name == "accept")
        return ZRCommandTypeAccept;
    if (name == "repeat")
        return ZRCommandTypeRepeat;
    if (name == "cancel")
        return ZRCommandTypeCancel;
    return std::nullopt;
}

std::optional<bool> switchValueIn(const std::string& text)
{
    const QString value = QString::fromStdString(text).toLower();
    if (value == "on" || value == "true" || value == "yes" || value == "1")
        return true;
    if (value == "off" || value == "false" || value == "no" || value == "0")
        return false;
    return std::nullopt;
}

std::optional<std::int32_t> integerIn(const std::string& text)
{
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

void writeJson(std::ostream& out, int status, const ZRVoicePrint& print)
{
    out << "{\"status\":" << status << ",\"frames\":" << print.count() / ZRVoicePrint::kFrameSize << ",\"print\":[";
    const char* separator = "";
    for (std::int32_t value : print.voicePrint()) {
        out << separator << value;
        separator = ",";
    }
    out << "]}\n";
}

void writeTable(std::ostream& out, int status, const ZRVoicePrint& print)
{
    const std::size_t frames = print.count() / ZRVoicePrint::kFrameSize;
    out << "status " << status << ", " << frames << (frames == 1 ? " frame" : " frames") << '\n';
    for (std::size_t i = 0; i < print.count(); ++i) {
        out << std::setw(5) << print.objectAtIndex(i);
        if (i % ZRVoicePrint::kFrameSize == ZRVoicePrint::kFrameSize - 1)
            out << '\n';
    }
}

}  // namespace

ZarnethCli::ZarnethCli(std::ostream& out, std::ostream& err)
    : m_out(out)
    , m_err(err)
{
}

ZarnethCli::~ZarnethCli() = default;

int ZarnethCli::run(const std::vector<std::string>& arguments)
{
    Arguments rest(arguments);
    while (!rest.empty() && (rest.front() == "--documents" || rest.front() == "--audio" || rest.front() == "--mic")) {
        const std::string& option = rest.front();
        if (rest.size() < 2)
            return usageError(option + " needs a value");
        const std::string& value = rest[1];
        if (option == "--documents") {
            DocumentsDirectory::setPath(QString::fromStdString(value));
        } else if (option == "--mic") {
            m_microphoneFiles.append(QString::fromStdString(value));
        } else if (value == "system" || value == "virtual") {
            m_virtualAudio = value == "virtual";
        } else {
            return usageError("--audio takes system or virtual");
        }
        rest = rest.subspan(2);
    }
    if (!m_microphoneFiles.isEmpty() && !m_virtualAudio)
        return usageError("--mic needs --audio virtual");
    if (rest.empty())
        return usageError("no command given");

    const std::string& command = rest.front();
    const Arguments commandArguments = rest.subspan(1);
    if (command == "--help" || command == "help") {
        m_out << kUsage;
        return kSuccess;
    }
    if (command == "print")
        return print(commandArguments);
    if (command == "distance")
        return distance(commandArguments);
    if (command == "train")
        return train(commandArguments);
    if (command == "recognize")
        return recognize(commandArguments);
    if (command == "list")
        return list(commandArguments);
    if (command == "delete")
        return deleteCommands(commandArguments);
    if (command == "record")
        return record(commandArguments);
    if (command == "play")
        return play(commandArguments);
    if (command == "listen")
        return listen(commandArguments);
    if (command == "train-voice")
        return trainVoice(commandArguments);
    if (command == "settings")
        return settings(commandArguments);
    return usageError("unknown command '" + command + "'");
}

int ZarnethCli::print(Arguments arguments)
{
    const bool json = !arguments.empty() && arguments.front() == "--json";
    if (json)
        arguments = arguments.subspan(1);
    if (arguments.size() != 1)
        return usageError("print takes one audio file");

    const std::optional<UtteranceFile> utterance = utteranceOf(arguments[0]);
    if (!utterance)
        return kUnusable;
    if (json)
        writeJson(m_out, utterance->status(), utterance->voicePrint());
    else
        writeTable(m_out, utterance->status(), utterance->voicePrint());
    return kSuccess;
}

int ZarnethCli::distance(Arguments arguments)
{
    if (arguments.size() != 2)
        return usageError("distance takes two audio files");
    const std::optional<UtteranceFile> a = utteranceOf(arguments[0]);
    if (!a)
        return kUnusable;
    const std::optional<UtteranceFile> b = utteranceOf(arguments[1]);
    if (!b)
        return kUnusable;
    m_out << formatDistance(a->voicePrint().distanceFromVoicePrint(&b->voicePrint())) << '\n';
    return kSuccess;
}

std::optional<ZarnethCli::Training> ZarnethCli::trainingIn(Arguments arguments, const std::string& command)
{
    const bool fromFiles = command == "train";
    const auto refuse = [this](const std::string& message) {
        usageError(message);
        return std::nullopt;
    };
    Training training;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue = argument == "--name" || argument == "--number" || argument == "--system";
        if (takesValue && i + 1 == arguments.size())
            return refuse(argument + " needs a value");
        if (argument == "--name") {
            training.name = QString::fromStdString(arguments[++i]);
        } else if (argument == "--number") {
            training.number = QString::fromStdString(arguments[++i]);
        } else if (argument == "--system") {
            training.systemType = systemTypeNamed(arguments[++i]);
            if (!training.systemType)
                return refuse("--system takes accept, repeat or cancel");
        } else if (argument == "--keep" && !fromFiles) {
            training.keep = true;
        } else if (argument.starts_with("--")) {
            return refuse("unknown option '" + argument + "' for " + command);
        } else if (!fromFiles) {
            return refuse(command + " records what is said: it takes no audio files");
        } else {
            training.files.push_back(argument);
        }
    }
    if (training.systemType && (!training.name.isNull() || !training.number.isNull()))
        return refuse("a system command has no --name or --number");
    if (!training.systemType && (training.name.isEmpty() || training.number.isEmpty()))
        return refuse(command + " needs --name and --number, or --system");
    if (fromFiles && training.files.empty())
        return refuse("train needs at least one audio file");
    return training;
}

int ZarnethCli::train(Arguments arguments)
{
    const std::optional<Training> training = trainingIn(arguments, "train");
    if (!training)
        return kUnusable;

    // Every file is read before anything changes: bad input leaves the store alone.
    std::vector<UtteranceFile> utterances;
    for (const std::string& file : training->files) {
        std::optional<UtteranceFile> utterance = utteranceOf(file);
        if (!utterance)
            return kUnusable;
        if (!utterance->hasAudio())
            return failure(file + " holds no audio", kUnusable);
        if (utterance->voicePrint().count() > ZRVoicePrint::kMaxArchivedCount)
            return failure(file + " is too long for one utterance", kUnusable);
        utterances.push_back(std::move(*utterance));
    }

    ZRCommandList& store = ZRCommandList::sharedCommandList();
    const std::shared_ptr<ZRCommand> command = training->systemType
        ? store.commandToTrainForSystemCommandType(*training->systemType)
        : store.commandToTrainForPhoneNumber(training->number, training->name);

    for (const UtteranceFile& utterance : utterances) {
        if (!utterance.addAsSampleOf(command, store)) {
            store.saveToFile();
            return failure("cannot write the sample file for " + utterance.path(), kWriteFailed);
        }
    }
    if (!store.saveToFile())
        return failure("cannot save the command list", kWriteFailed);
    writeTrained(*command);
    return kSuccess;
}

void ZarnethCli::writeTrained(const ZRCommand& command)
{
    m_out << "trained " << command.name().toStdString();
    if (!command.phoneNumber().isNull())
        m_out << " (" << command.phoneNumber().toStdString() << ")";
    m_out << ", identifier " << command.commandID() << ", " << command.numberOfSamples()
          << (command.numberOfSamples() == 1 ? " sample\n" : " samples\n");
}

int ZarnethCli::recognize(Arguments arguments)
{
    if (arguments.size() != 1)
        return usageError("recognize takes one audio file");
    const std::optional<UtteranceFile> utterance = utteranceOf(arguments[0]);
    if (!utterance)
        return kUnusable;

    ZRCommandList& store = ZRCommandList::sharedCommandList();
    // The recorder hands over no print when it captured nothing.
    const ZRVoicePrint* print = utterance->hasAudio() ? &utterance->voicePrint() : nullptr;
    const std::shared_ptr<ZRSample> sample = store.findPhoneTypeSampleForVoicePrint(print);
    const std::shared_ptr<ZRCommand> command = sample ? store.commandForID(sample->commandID()) : nullptr;
    if (!command) {
        m_out << "not recognised\n";
        return kNotRecognised;
    }
    writeRecognized(*command, store.bestDistance());
    return kSuccess;
}

void ZarnethCli::writeRecognized(const ZRCommand& command, std::optional<double> distance)
{
    m_out << "name: " << command.name().toStdString() << '\n'
          << "number: " << command.phoneNumber().toStdString() << '\n'
          << "identifier: " << command.commandID() << '\n';
    if (distance)
        m_out << "distance: " << formatDistance(*distance) << '\n';
    m_out << "url: " << TelephoneURL::forNumber(command.phoneNumber()).toStdString() << '\n';
}

int ZarnethCli::list(Arguments arguments)
{
    const bool json = arguments.size() == 1 && arguments[0] == "--json";
    if (!arguments.empty() && !json)
        return usageError("list takes only --json");
    const CommandListReport report(ZRCommandList::sharedCommandList());
    if (json)
        report.writeJson(m_out);
    else
        report.writeTable(m_out);
    return kSuccess;
}

int ZarnethCli::deleteCommands(Arguments arguments)
{
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    if (arguments.size() == 1 && arguments[0] == "--all") {
        store.removeAllCommands();
        m_out << "deleted every command\n";
        if (store.turnConfirmationsOffUnlessSystemCommandsTrained())
            m_out << "Confirmations: off\n";
        return kSuccess;
    }
    if (arguments.size() == 2 && arguments[0] == "--system") {
        const std::optional<std::int32_t> type = systemTypeNamed(arguments[1]);
        if (!type)
            return usageError("--system takes accept, repeat or cancel");
        const std::shared_ptr<ZRCommand> command = store.commandForSystemCommandType(*type);
        if (!command)
            return failure("the " + arguments[1] + " command is not trained", kUnusable);
        store.removeCommand(*command);
        m_out << "deleted " << arguments[1] << '\n';
        if (store.turnConfirmationsOffUnlessSystemCommandsTrained())
            m_out << "Confirmations: off\n";
        return kSuccess;
    }
    const std::optional<std::int32_t> identifier = arguments.size() == 1 ? integerIn(arguments[0]) : std::nullopt;
    if (!identifier)
        return usageError("delete takes an identifier, --system TYPE or --all");
    const std::shared_ptr<ZRCommand> command = store.commandForID(*identifier);
    if (!command)
        return failure("no phone command has the identifier " + arguments[0], kUnusable);
    store.removeCommand(*command);
    m_out << "deleted " << command->name().toStdString() << '\n';
    return kSuccess;
}

int ZarnethCli::record(Arguments arguments)
{
    double seconds = kDefaultRecordingSeconds;
    bool json = false;
    QString outPath;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--json") {
            json = true;
        } else if ((argument == "--seconds" || argument == "--out") && i + 1 < arguments.size()) {
            const std::string& value = arguments[++i];
            if (argument == "--out") {
                outPath = QString::fromStdString(value);
                continue;
            }
            const std::optional<double> parsed = secondsIn(value);
            if (!parsed)
                return usageError("--seconds takes a length above 0 and up to 60");
            seconds = *parsed;
        } else {
            return usageError("record takes --seconds S, --json and --out FILE.caf");
        }
    }

    // Both recorders at once on one utterance, as a training records it.
    AudioDevice& device = audioDevice();
    AudioVoicePrintRecorder voice(device);
    std::unique_ptr<AudioFileRecorder> file;
    if (!outPath.isNull())
        file = std::make_unique<AudioFileRecorder>(outPath, device);
    voice.record();
    if (file)
        file->record();
    bool stopped = false;
    device.clock().schedule(secondsToDuration(seconds), [&] {
        voice.stop();
        if (file)
            file->stop();
        stopped = true;
    });
    device.clock().runUntil([&stopped] { return stopped; }, secondsToDuration(seconds + 10));
    if (!stopped)
        return failure("the recording did not end", kWriteFailed);
    if (file && !QFile::exists(outPath))
        return failure("cannot write " + outPath.toStdString(), kWriteFailed);

    const std::shared_ptr<ZRVoicePrint> print = voice.voicePrint();
    const ZRVoicePrint empty {std::vector<std::int32_t> {}};
    const int status = print ? ZRVoicePrint::kCalculated : ZRVoicePrint::kEmptyData;
    if (json)
        writeJson(m_out, status, print ? *print : empty);
    else
        writeTable(m_out, status, print ? *print : empty);
    return kSuccess;
}

int ZarnethCli::play(Arguments arguments)
{
    if (arguments.size() != 1)
        return usageError("play takes one sound file or prompt name");
    const std::string& what = arguments[0];
    const int prompt = promptNumberOf(what);
    const QString path = prompt >= 0 ? BundleResources::pathForResource(QString::fromStdString(what), "caf")
                                     : QString::fromStdString(what);
    std::unique_ptr<AudioFile> file;
    if (!path.isNull())
        file = AudioFile::open(QFile::encodeName(path).toStdString());
    if (!file)
        return failure("cannot play '" + what + "': no such sound file", kUnusable);
    const auto length = secondsToDuration(static_cast<double>(file->packetCount()) / file->dataFormat().mSampleRate);

    AudioDevice& device = audioDevice();
    AudioPlayer player(device);
    bool ended = false;
    player.setStopEvent([&ended] { ended = true; });
    if (prompt >= 0)
        player.playSystemSample(prompt);
    else
        player.playFileWithURL(path);
    if (!device.clock().runUntil([&ended] { return ended; }, length + secondsToDuration(10)))
        return failure("the sound did not end", kWriteFailed);

    m_out << "played " << what << '\n';
    if (m_virtualAudio) {
        for (const VirtualSpeaker::Sound& sound : static_cast<VirtualAudioDevice&>(device).speaker().playedSounds()) {
            const double start = std::chrono::duration<double>(sound.start).count();
            const double end = std::chrono::duration<double>(sound.end).count();
            m_out << "virtual speaker: " << sound.samples.size() / static_cast<std::size_t>(sound.channels)
                  << " frames at " << sound.sampleRate << " Hz, from " << start << " s to " << end << " s\n";
        }
    }
    return kSuccess;
}

int ZarnethCli::listen(Arguments arguments)
{
    const bool dialling = arguments.size() == 1 && arguments[0] == "--dial";
    if (!arguments.empty() && !dialling)
        return usageError("listen takes only --dial");

    // The dialogue reads "Confirmations" and "VoiceGuide" as the application
    // sets them up at launch.
    DefaultSettings::setupDefaults();
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    AudioDevice& device = audioDevice();
    TerminalPopupHost host(device.clock(), m_out);
    answerFromTheKeyboard(host);
    DialogueOutcome outcome;
    ZRRecognizeController dialogue(host, device, store);
    dialogue.recognizeWithDelegate(&outcome);
    if (!device.clock().runUntil([&outcome] { return outcome.recognitionEnded(); }, kLongestDialogue))
        return failure("the recognition dialogue did not end", kWriteFailed);

    const std::shared_ptr<ZRCommand>& command = outcome.recognized();
    if (!command) {
        m_out << "not recognised\n";
        return kNotRecognised;
    }
    // The dialogue ends after its last search, which may have been for a
    // spoken "accept": no distance to show.
    writeRecognized(*command, std::nullopt);
    return dialling ? dial(*command) : kSuccess;
}

int ZarnethCli::dial(const ZRCommand& command)
{
    const QString url = TelephoneURL::forNumber(command.phoneNumber());
    if (!UrlOpener::open(QUrl(url)))
        return failure("nothing took " + url.toStdString() + " to dial it", kWriteFailed);
    m_out << "dialled " << url.toStdString() << '\n';
    return kSuccess;
}

int ZarnethCli::trainVoice(Arguments arguments)
{
    const std::optional<Training> training = trainingIn(arguments, "train-voice");
    if (!training)
        return kUnusable;

    DefaultSettings::setupDefaults();
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    const std::shared_ptr<ZRCommand> command = training->systemType
        ? store.commandToTrainForSystemCommandType(*training->systemType)
        : store.commandToTrainForPhoneNumber(training->number, training->name);
    AudioDevice& device = audioDevice();
    TerminalPopupHost host(device.clock(), m_out);
    if (training->keep) {
        host.answer(Popup::Kind::ActionSheet, ZRTrainController::InstructionsSheet, kRecordButton);
        host.answer(Popup::Kind::ActionSheet, ZRTrainController::ConfirmSheet, kKeepButton);
        host.answer(Popup::Kind::Alert, ZRTrainController::TipAlert, kOkButton);
    } else if (!answerFromTheKeyboard(host)) {
        // Nobody would hear the prompt or judge the recording.
        host.answer(Popup::Kind::ActionSheet, ZRTrainController::InstructionsSheet, kDontRecordButton);
    }
    DialogueOutcome outcome;
    ZRTrainController dialogue(host, device, store);
    dialogue.trainCommand(command, &outcome);
    // The dialogue lets go of the command when it keeps or drops the sample.
    if (!device.clock().runUntil([&dialogue] { return dialogue.command() == nullptr; }, kLongestDialogue)) {
        if (dialogue.sample())
            dialogue.sample()->clearSampleFile();
        return failure("the training dialogue did not end", kWriteFailed);
    }

    if (!outcome.trained()) {
        m_out << "not trained\n";
        return kNotRecognised;
    }
    // A sample added to a command already in the store is not saved by the
    // dialogue.
    if (!store.saveToFile())
        return failure("cannot save the command list", kWriteFailed);
    writeTrained(*command);
    return kSuccess;
}

int ZarnethCli::settings(Arguments arguments)
{
    const auto known = [](const std::string& key) {
        return std::find(kSettingKeys.begin(), kSettingKeys.end(), QString::fromStdString(key)) != kSettingKeys.end();
    };
    if (arguments.size() > 2)
        return usageError("settings takes a key and a value at most");
    if (!arguments.empty() && !known(arguments[0]))
        return usageError("settings knows Confirmations and VoiceGuide");
    const std::optional<bool> value = arguments.size() == 2 ? switchValueIn(arguments[1]) : std::nullopt;
    if (arguments.size() == 2 && !value)
        return usageError("a setting is on or off");
    // The settings screen locks this switch until accept, repeat and cancel
    // are trained; only then is the store read.
    const QString key = arguments.empty() ? QString() : QString::fromStdString(arguments[0]);
    if (key == SettingsKey::Confirmations && value == true
        && !ZRCommandList::sharedCommandList().hasAllSystemCommands())
        return failure("Confirmations need the system commands accept, repeat and cancel trained first", kUnusable);

    DefaultSettings::setupDefaults();
    UserDefaults defaults = UserDefaults::standardUserDefaults();
    if (value) {
        defaults.setBool(*value, key);
        if (!defaults.synchronize())
            return failure("cannot write the settings to " + UserDefaults::storagePath().toStdString(), kWriteFailed);
    }
    for (const QString& key : kSettingKeys) {
        if (arguments.empty() || QString::fromStdString(arguments[0]) == key)
            m_out << key.toStdString() << ": " << (defaults.boolForKey(key) ? "on" : "off") << '\n';
    }
    return kSuccess;
}

bool ZarnethCli::answerFromTheKeyboard(TerminalPopupHost& host) const
{
    // Keys come through the Qt event loop, which only the system device's
    // clock runs; a virtual dialogue is over before anyone could type.
    if (m_virtualAudio || !isatty(STDIN_FILENO))
        return false;
    host.readKeys(STDIN_FILENO);
    return true;
}

AudioDevice& ZarnethCli::audioDevice()
{
    if (!m_device) {
        if (m_virtualAudio) {
            // Virtual time: a recording or a sound takes no time at all.
            m_clock = std::make_unique<VirtualClock>();
            m_device = std::make_unique<VirtualAudioDevice>(*m_clock, m_microphoneFiles);
        } else {
            m_clock = std::make_unique<SystemClock>();
            m_device = std::make_unique<SystemAudioDevice>(*m_clock);
        }
    }
    return *m_device;
}

int ZarnethCli::usageError(const std::string& message)
{
    m_err << "zarneth-cli: " << message << " (see zarneth-cli --help)\n";
    return kUnusable;
}

int ZarnethCli::failure(const std::string& message, int status)
{
    m_err << "zarneth-cli: " << message << '\n';
    return status;
}

std::optional<UtteranceFile> ZarnethCli::utteranceOf(const std::string& path)
{
    std::string error;
    std::optional<UtteranceFile> utterance = UtteranceFile::read(path, &error);
    if (!utterance)
        m_err << "zarneth-cli: " << error << '\n';
    return utterance;
}
