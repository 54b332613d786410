#include "cli/CliContext.h"

#include "AudioManagers/UtteranceFile.h"
#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Audio/Backends/SystemAudioDevice.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/System/DocumentsDirectory.h"
#include "Platform/System/TelephoneURL.h"
#include "Platform/Time/SystemClock.h"
#include "Platform/Time/VirtualClock.h"
#include "cli/ZarnethCli.h"

#include <cstdio>
#include <iomanip>
#include <ostream>

CliContext::CliContext(std::ostream& out, std::ostream& err)
    : m_out(out)
    , m_err(err)
{
}

CliContext::~CliContext() = default;

bool CliContext::takeGlobalOptions(Arguments& arguments)
{
    while (!arguments.empty()
        && (arguments.front() == "--documents" || arguments.front() == "--audio" || arguments.front() == "--mic")) {
        const std::string& option = arguments.front();
        if (arguments.size() < 2) {
            usageError(option + " needs a value");
            return false;
        }
        const std::string& value = arguments[1];
        if (option == "--documents") {
            DocumentsDirectory::setPath(QString::fromStdString(value));
        } else if (option == "--mic") {
            m_microphoneFiles.append(QString::fromStdString(value));
        } else if (value == "system" || value == "virtual") {
            m_virtualAudio = value == "virtual";
        } else {
            usageError("--audio takes system or virtual");
            return false;
        }
        arguments = arguments.subspan(2);
    }
    if (!m_microphoneFiles.isEmpty() && !m_virtualAudio) {
        usageError("--mic needs --audio virtual");
        return false;
    }
    return true;
}

AudioDevice& CliContext::audioDevice()
{
    if (!m_device) {
        if (m_virtualAudio) {
            // Virtual time: a recording or a sound takes no time at all.
            m_clock = std::make_unique<VirtualClock>();
            auto device = std::make_unique<VirtualAudioDevice>(*m_clock, m_microphoneFiles);
            m_virtualDevice = device.get();
            m_device = std::move(device);
        } else {
            m_clock = std::make_unique<SystemClock>();
            m_device = std::make_unique<SystemAudioDevice>(*m_clock);
        }
    }
    return *m_device;
}

const VirtualSpeaker* CliContext::virtualSpeaker() const
{
    return m_virtualDevice ? &m_virtualDevice->speaker() : nullptr;
}

int CliContext::usageError(const std::string& message)
{
    m_err << "zarneth-cli: " << message << " (see zarneth-cli --help)\n";
    return ZarnethCli::kUnusable;
}

int CliContext::failure(const std::string& message, int status)
{
    m_err << "zarneth-cli: " << message << '\n';
    return status;
}

std::optional<UtteranceFile> CliContext::utteranceOf(const std::string& path)
{
    std::string error;
    std::optional<UtteranceFile> utterance = UtteranceFile::read(path, &error);
    if (!utterance)
        failure(error, ZarnethCli::kUnusable);
    return utterance;
}

std::optional<CliContext::Training> CliContext::trainingIn(Arguments arguments, const std::string& command)
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

std::shared_ptr<ZRCommand> CliContext::Training::commandIn(ZRCommandList& store) const
{
    return systemType ? store.commandToTrainForSystemCommandType(*systemType)
                      : store.commandToTrainForPhoneNumber(number, name);
}

std::optional<std::int32_t> CliContext::systemTypeNamed(const std::string& name)
{
    if (name == "accept")
        return ZRCommandTypeAccept;
    if (name == "repeat")
        return ZRCommandTypeRepeat;
    if (name == "cancel")
        return ZRCommandTypeCancel;
    return std::nullopt;
}

std::string CliContext::formatDistance(double distance)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", distance);
    return text;
}

void CliContext::writeVoicePrint(int status, const ZRVoicePrint& print, bool json)
{
    const std::size_t frames = print.count() / ZRVoicePrint::kFrameSize;
    if (json) {
        m_out << "{\"status\":" << status << ",\"frames\":" << frames << ",\"print\":[";
        const char* separator = "";
        for (std::int32_t value : print.voicePrint()) {
            m_out << separator << value;
            separator = ",";
        }
        m_out << "]}\n";
        return;
    }
    m_out << "status " << status << ", " << frames << (frames == 1 ? " frame" : " frames") << '\n';
    for (std::size_t i = 0; i < print.count(); ++i) {
        m_out << std::setw(5) << print.objectAtIndex(i);
        if (i % ZRVoicePrint::kFrameSize == ZRVoicePrint::kFrameSize - 1)
            m_out << '\n';
    }
}

int CliContext::saveTrained(const ZRCommand& command)
{
    if (!ZRCommandList::sharedCommandList().saveToFile())
        return failure("cannot save the command list", ZarnethCli::kWriteFailed);
    m_out << "trained " << command.name().toStdString();
    if (!command.phoneNumber().isNull())
        m_out << " (" << command.phoneNumber().toStdString() << ")";
    m_out << ", identifier " << command.commandID() << ", " << command.numberOfSamples()
          << (command.numberOfSamples() == 1 ? " sample\n" : " samples\n");
    return ZarnethCli::kSuccess;
}

int CliContext::writeRecognized(const ZRCommand* command, std::optional<double> distance)
{
    if (!command) {
        m_out << "not recognised\n";
        return ZarnethCli::kNotRecognised;
    }
    m_out << "name: " << command->name().toStdString() << '\n'
          << "number: " << command->phoneNumber().toStdString() << '\n'
          << "identifier: " << command->commandID() << '\n';
    if (distance)
        m_out << "distance: " << formatDistance(*distance) << '\n';
    m_out << "url: " << TelephoneURL::forNumber(command->phoneNumber()).toStdString() << '\n';
    return ZarnethCli::kSuccess;
}
