#pragma once

#include "cli/CliContext.h"

class UtteranceFile;
class ZRCommandList;

// The commands that work on the command store and the settings from files
// and arguments alone: print, distance, train, recognize, list, delete and
// settings.
class StoreCommands : public CliCommandGroup {
public:
    using CliCommandGroup::CliCommandGroup;

    int print(Arguments arguments);
    int distance(Arguments arguments);
    int train(Arguments arguments);
    int recognize(Arguments arguments);
    int list(Arguments arguments);
    int deleteCommands(Arguments arguments);
    int settings(Arguments arguments);

private:
    // The utterance in the one audio file a command takes, or nothing after
    // an error line.
    std::optional<UtteranceFile> oneUtteranceIn(Arguments arguments, const std::string& command);
    // After system commands went: says when Confirmations went off with them.
    int confirmationsChecked(ZRCommandList& store);
};
