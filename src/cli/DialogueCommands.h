#pragma once

#include "cli/CliContext.h"

class TerminalPopupHost;

// The application's spoken dialogues in a terminal: listen and train-voice.
class DialogueCommands : public CliCommandGroup {
public:
    using CliCommandGroup::CliCommandGroup;

    int listen(Arguments arguments);
    int trainVoice(Arguments arguments);

private:
    // Hands the command's "tel:" URL to the dialler, as the application does.
    int dial(const ZRCommand& command);
    // Lets typed keys press the dialogue's buttons when someone sits at a
    // terminal and the dialogue runs in real time; false when nobody can.
    bool answerFromTheKeyboard(TerminalPopupHost& host) const;
};
