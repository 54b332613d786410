#include "cli/StoreCommands.h"

#include "AudioManagers/UtteranceFile.h"
#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "Platform/System/DefaultSettings.h"
#include "Platform/System/SettingsKey.h"
#include "Platform/System/UserDefaults.h"
#include "cli/CommandListReport.h"
#include "cli/ZarnethCli.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ostream>

namespace {

// The settings screen's switches.
const std::array<QString, 2> kSettingKeys = {SettingsKey::Confirmations, SettingsKey::VoiceGuide};

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

}  // namespace

int StoreCommands::print(Arguments arguments)
{
    const bool json = !arguments.empty() && arguments.front() == "--json";
    if (json)
        arguments = arguments.subspan(1);
    const std::optional<UtteranceFile> utterance = oneUtteranceIn(arguments, "print");
    if (!utterance)
        return ZarnethCli::kUnusable;
    m_cli.writeVoicePrint(utterance->status(), utterance->voicePrint(), json);
    return ZarnethCli::kSuccess;
}

int StoreCommands::distance(Arguments arguments)
{
    if (arguments.size() != 2)
        return m_cli.usageError("distance takes two audio files");
    const std::optional<UtteranceFile> a = m_cli.utteranceOf(arguments[0]);
    if (!a)
        return ZarnethCli::kUnusable;
    const std::optional<UtteranceFile> b = m_cli.utteranceOf(arguments[1]);
    if (!b)
        return ZarnethCli::kUnusable;
    m_cli.out() << CliContext::formatDistance(a->voicePrint().distanceFromVoicePrint(&b->voicePrint())) << '\n';
    return ZarnethCli::kSuccess;
}

int StoreCommands::train(Arguments arguments)
{
    const std::optional<CliContext::Training> training = m_cli.trainingIn(arguments, "train");
    if (!training)
        return ZarnethCli::kUnusable;

    // Every file is read before anything changes: bad input leaves the store alone.
    std::vector<UtteranceFile> utterances;
    for (const std::string& file : training->files) {
        std::optional<UtteranceFile> utterance = m_cli.utteranceOf(file);
        if (!utterance)
            return ZarnethCli::kUnusable;
        if (!utterance->hasAudio())
            return m_cli.failure(file + " holds no audio", ZarnethCli::kUnusable);
        if (utterance->voicePrint().count() > ZRVoicePrint::kMaxArchivedCount)
            return m_cli.failure(file + " is too long for one utterance", ZarnethCli::kUnusable);
        utterances.push_back(std::move(*utterance));
    }

    ZRCommandList& store = ZRCommandList::sharedCommandList();
    const std::shared_ptr<ZRCommand> command = training->commandIn(store);
    for (const UtteranceFile& utterance : utterances) {
        if (!utterance.addAsSampleOf(command, store)) {
            store.saveToFile();
            return m_cli.failure("cannot write the sample file for " + utterance.path(), ZarnethCli::kWriteFailed);
        }
    }
    return m_cli.saveTrained(*command);
}

int StoreCommands::recognize(Arguments arguments)
{
    const std::optional<UtteranceFile> utterance = oneUtteranceIn(arguments, "recognize");
    if (!utterance)
        return ZarnethCli::kUnusable;

    ZRCommandList& store = ZRCommandList::sharedCommandList();
    // The recorder hands over no print when it captured nothing.
    const ZRVoicePrint* print = utterance->hasAudio() ? &utterance->voicePrint() : nullptr;
    const std::shared_ptr<ZRSample> sample = store.findPhoneTypeSampleForVoicePrint(print);
    const std::shared_ptr<ZRCommand> command = sample ? store.commandForID(sample->commandID()) : nullptr;
    return m_cli.writeRecognized(command.get(), store.bestDistance());
}

int StoreCommands::list(Arguments arguments)
{
    const bool json = arguments.size() == 1 && arguments[0] == "--json";
    if (!arguments.empty() && !json)
        return m_cli.usageError("list takes only --json");
    const CommandListReport report(ZRCommandList::sharedCommandList());
    if (json)
        report.writeJson(m_cli.out());
    else
        report.writeTable(m_cli.out());
    return ZarnethCli::kSuccess;
}

int StoreCommands::deleteCommands(Arguments arguments)
{
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    if (arguments.size() == 1 && arguments[0] == "--all") {
        store.removeAllCommands();
        m_cli.out() << "deleted every command\n";
        return confirmationsChecked(store);
    }
    if (arguments.size() == 2 && arguments[0] == "--system") {
        const std::optional<std::int32_t> type = CliContext::systemTypeNamed(arguments[1]);
        if (!type)
            return m_cli.usageError("--system takes accept, repeat or cancel");
        const std::shared_ptr<ZRCommand> command = store.commandForSystemCommandType(*type);
        if (!command)
            return m_cli.failure("the " + arguments[1] + " command is not trained", ZarnethCli::kUnusable);
        store.removeCommand(*command);
        m_cli.out() << "deleted " << arguments[1] << '\n';
        return confirmationsChecked(store);
    }
    const std::optional<std::int32_t> identifier = arguments.size() == 1 ? integerIn(arguments[0]) : std::nullopt;
    if (!identifier)
        return m_cli.usageError("delete takes an identifier, --system TYPE or --all");
    const std::shared_ptr<ZRCommand> command = store.commandForID(*identifier);
    if (!command)
        return m_cli.failure("no phone command has the identifier " + arguments[0], ZarnethCli::kUnusable);
    store.removeCommand(*command);
    m_cli.out() << "deleted " << command->name().toStdString() << '\n';
    return ZarnethCli::kSuccess;
}

std::optional<UtteranceFile> StoreCommands::oneUtteranceIn(Arguments arguments, const std::string& command)
{
    if (arguments.size() != 1) {
        m_cli.usageError(command + " takes one audio file");
        return std::nullopt;
    }
    return m_cli.utteranceOf(arguments[0]);
}

int StoreCommands::confirmationsChecked(ZRCommandList& store)
{
    // Confirmations go off with a system command they need.
    if (store.turnConfirmationsOffUnlessSystemCommandsTrained())
        m_cli.out() << "Confirmations: off\n";
    return ZarnethCli::kSuccess;
}

int StoreCommands::settings(Arguments arguments)
{
    const auto known = [](const std::string& key) {
        return std::find(kSettingKeys.begin(), kSettingKeys.end(), QString::fromStdString(key)) != kSettingKeys.end();
    };
    if (arguments.size() > 2)
        return m_cli.usageError("settings takes a key and a value at most");
    if (!arguments.empty() && !known(arguments[0]))
        return m_cli.usageError("settings knows Confirmations and VoiceGuide");
    const std::optional<bool> value = arguments.size() == 2 ? switchValueIn(arguments[1]) : std::nullopt;
    if (arguments.size() == 2 && !value)
        return m_cli.usageError("a setting is on or off");
    // The settings screen locks this switch until accept, repeat and cancel
    // are trained; only then is the store read.
    const QString key = arguments.empty() ? QString() : QString::fromStdString(arguments[0]);
    if (key == SettingsKey::Confirmations && value == true
        && !ZRCommandList::sharedCommandList().hasAllSystemCommands())
        return m_cli.failure(
            "Confirmations need the system commands accept, repeat and cancel trained first", ZarnethCli::kUnusable);

    DefaultSettings::setupDefaults();
    UserDefaults defaults = UserDefaults::standardUserDefaults();
    if (value) {
        defaults.setBool(*value, key);
        if (!defaults.synchronize())
            return m_cli.failure(
                "cannot write the settings to " + UserDefaults::storagePath().toStdString(), ZarnethCli::kWriteFailed);
    }
    for (const QString& shown : kSettingKeys) {
        if (arguments.empty() || key == shown)
            m_cli.out() << shown.toStdString() << ": " << (defaults.boolForKey(shown) ? "on" : "off") << '\n';
    }
    return ZarnethCli::kSuccess;
}
