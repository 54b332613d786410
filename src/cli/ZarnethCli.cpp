#include "cli/ZarnethCli.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "Platform/DocumentsDirectory.h"
#include "Platform/TelephoneURL.h"
#include "cli/CommandListReport.h"
#include "cli/UtteranceFile.h"

#include <charconv>
#include <cstdio>
#include <iomanip>
#include <ostream>

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
      "global options:\n"
      "  --documents DIR   the folder of the command list and the sample files\n";

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

QString systemCommandName(std::int32_t type)
{
    switch (type) {
    case ZRCommandTypeAccept:
        return QStringLiteral("Accept");
    case ZRCommandTypeRepeat:
        return QStringLiteral("Repeat");
    default:
        return QStringLiteral("Cancel");
    }
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

int ZarnethCli::run(const std::vector<std::string>& arguments)
{
    Arguments rest(arguments);
    while (!rest.empty() && rest.front() == "--documents") {
        if (rest.size() < 2)
            return usageError("--documents needs a folder");
        DocumentsDirectory::setPath(QString::fromStdString(rest[1]));
        rest = rest.subspan(2);
    }
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

int ZarnethCli::train(Arguments arguments)
{
    QString name;
    QString number;
    std::optional<std::int32_t> systemType;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue = argument == "--name" || argument == "--number" || argument == "--system";
        if (takesValue && i + 1 == arguments.size())
            return usageError(argument + " needs a value");
        if (argument == "--name") {
            name = QString::fromStdString(arguments[++i]);
        } else if (argument == "--number") {
            number = QString::fromStdString(arguments[++i]);
        } else if (argument == "--system") {
            systemType = systemTypeNamed(arguments[++i]);
            if (!systemType)
                return usageError("--system takes accept, repeat or cancel");
        } else if (argument.starts_with("--")) {
            return usageError("unknown option '" + argument + "' for train");
        } else {
            files.push_back(argument);
        }
    }
    if (systemType && (!name.isNull() || !number.isNull()))
        return usageError("a system command has no --name or --number");
    if (!systemType && (name.isEmpty() || number.isEmpty()))
        return usageError("train needs --name and --number, or --system");
    if (files.empty())
        return usageError("train needs at least one audio file");

    // Every file is read before anything changes: bad input leaves the store alone.
    std::vector<UtteranceFile> utterances;
    for (const std::string& file : files) {
        std::optional<UtteranceFile> utterance = utteranceOf(file);
        if (!utterance)
            return kUnusable;
        if (!utterance->hasAudio())
            return failure(file + " holds no audio", kUnusable);
        if (utterance->voicePrint().count() > ZRVoicePrint::kMaxArchivedCount)
            return failure(file + " is too long for one utterance", kUnusable);
        utterances.push_back(std::move(*utterance));
    }

    // As the contacts and system commands screens do: an existing command is
    // trained further under its old name, a new one is made.
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    std::shared_ptr<ZRCommand> command
        = systemType ? store.commandForSystemCommandType(*systemType) : store.commandForPhoneNumber(number);
    if (!command) {
        command = ZRCommand::initForCommandType(systemType.value_or(ZRCommandTypePhone));
        command->setName(systemType ? systemCommandName(*systemType) : name);
        command->setPhoneNumber(number);
    }

    // As the training dialogue does for each kept sample.
    for (const UtteranceFile& utterance : utterances) {
        const std::shared_ptr<ZRSample> sample = ZRSample::initForCommand(*command);
        if (!utterance.writeSampleFile(sample->filePath())) {
            sample->clearSampleFile();
            store.saveToFile();
            return failure("cannot write the sample file " + sample->filePath().toStdString(), kWriteFailed);
        }
        sample->setVoicePrint(std::make_shared<ZRVoicePrint>(utterance.voicePrint()));
        const bool isNew = command->numberOfSamples() == 0;
        command->setSample(sample);
        if (isNew)
            store.addCommand(command);
    }
    if (!store.saveToFile())
        return failure("cannot save the command list", kWriteFailed);

    m_out << "trained " << command->name().toStdString();
    if (!command->phoneNumber().isNull())
        m_out << " (" << command->phoneNumber().toStdString() << ")";
    m_out << ", identifier " << command->commandID() << ", " << command->numberOfSamples()
          << (command->numberOfSamples() == 1 ? " sample\n" : " samples\n");
    return kSuccess;
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
    m_out << "name: " << command->name().toStdString() << '\n'
          << "number: " << command->phoneNumber().toStdString() << '\n'
          << "identifier: " << command->commandID() << '\n'
          << "distance: " << formatDistance(store.bestDistance()) << '\n'
          << "url: " << TelephoneURL::forNumber(command->phoneNumber()).toStdString() << '\n';
    return kSuccess;
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
