#pragma once

#include "cli/CliContext.h"

// The commands that use the audio device on its own, without a dialogue:
// record and play.
class AudioCommands : public CliCommandGroup {
public:
    using CliCommandGroup::CliCommandGroup;

    int record(Arguments arguments);
    int play(Arguments arguments);
};
