#include "cli/ZarnethCli.h"

#include "cli/AudioCommands.h"
#include "cli/ContactsCommands.h"
#include "cli/DialogueCommands.h"
#include "cli/StoreCommands.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <string_view>

namespace {

using Arguments = CliContext::Arguments;

// The group a command is a member function of (for decltype only).
template <class Group> Group groupOf(int (Group::*)(Arguments));

// Makes the command's group for this run and runs the command in it.
template <auto command> int inGroup(CliContext& cli, Arguments arguments)
{
    decltype(groupOf(command)) group(cli);
    return (group.*command)(arguments);
}

struct CliCommand {
    std::string_view name;
    int (*run)(CliContext& cli, Arguments arguments);
    // Its lines of the usage text, descriptions from column 52.
    std::string_view usage;
};

// Every command: to add one, add its row here and its function to a group.
constexpr std::array kCommands {
    CliCommand {"print", inGroup<&StoreCommands::print>,
        "  print [--json] FILE.wav                          voice print of an utterance\n"},
    CliCommand {"distance", inGroup<&StoreCommands::distance>,
        "  distance A.wav B.wav                             the DTW distance of A's print from B's\n"},
    CliCommand {"train", inGroup<&StoreCommands::train>,
        "  train --name NAME --number NUMBER FILE.wav...    train a phone command, one sample per file\n"
        "  train --system accept|repeat|cancel FILE.wav...  train a system command\n"},
    CliCommand {"recognize", inGroup<&StoreCommands::recognize>,
        "  recognize FILE.wav                               the nearest phone command and its \"tel:\" URL\n"},
    CliCommand {"list", inGroup<&StoreCommands::list>,
        "  list [--json]                                    everything the store holds\n"},
    CliCommand {"delete", inGroup<&StoreCommands::deleteCommands>,
        "  delete ID | delete --system TYPE | delete --all  delete commands and their sample files\n"},
    CliCommand {"record", inGroup<&AudioCommands::record>,
        "  record [--seconds S] [--json] [--out FILE.caf]   record from the audio device: the voice print\n"
        "                                                   (and the sample file)\n"},
    CliCommand {"play", inGroup<&AudioCommands::play>,
        "  play FILE|PROMPT-NAME                            play a sound file or a prompt (speak-now, ...)\n"},
    CliCommand {"listen", inGroup<&DialogueCommands::listen>,
        "  listen [--dial]                                  the spoken recognition: say a name; prints the\n"
        "                                                   command (--dial: and calls its number)\n"},
    CliCommand {"train-voice", inGroup<&DialogueCommands::trainVoice>,
        "  train-voice (--name NAME --number NUMBER | --system accept|repeat|cancel) [--keep]\n"
        "                                                   the spoken training of one sample (--keep:\n"
        "                                                   record and keep it without asking)\n"},
    CliCommand {"settings", inGroup<&StoreCommands::settings>,
        "  settings [KEY [on|off]]                          show or set Confirmations and VoiceGuide\n"},
    CliCommand {"contacts", inGroup<&ContactsCommands::contacts>,
        "  contacts [--json]                                the address book as the application reads it\n"},
};

constexpr std::string_view kUsageHead = "usage: zarneth-cli [--documents DIR] COMMAND [ARGS]\n"
                                        "commands:\n";

constexpr std::string_view kUsageTail
    = "listen and train-voice show each sheet as a line; with the system audio device, at a\n"
      "terminal, type a button's number and Enter to press it.\n"
      "global options:\n"
      "  --documents DIR          the folder of the command list and the sample files\n"
      "  --audio system|virtual   the sound server (default), or a virtual device that plays nothing\n"
      "  --mic FILE               the virtual microphone's next utterance (repeat for several)\n";

}  // namespace

ZarnethCli::ZarnethCli(std::ostream& out, std::ostream& err)
    : m_cli(out, err)
{
}

int ZarnethCli::run(const std::vector<std::string>& arguments)
{
    Arguments rest(arguments);
    if (!m_cli.takeGlobalOptions(rest))
        return kUnusable;
    if (rest.empty())
        return m_cli.usageError("no command given");

    const std::string& name = rest.front();
    if (name == "--help" || name == "help") {
        m_cli.out() << kUsageHead;
        for (const CliCommand& command : kCommands)
            m_cli.out() << command.usage;
        m_cli.out() << kUsageTail;
        return kSuccess;
    }
    const auto command = std::ranges::find(kCommands, name, &CliCommand::name);
    if (command == kCommands.end())
        return m_cli.usageError("unknown command '" + name + "'");
    return command->run(m_cli, rest.subspan(1));
}
