#include "cli/DialogueOutcome.h"

void DialogueOutcome::recognizedCommand(const std::shared_ptr<ZRCommand>& command)
{
    m_recognitionEnded = true;
    m_recognized = command;
}

void DialogueOutcome::trainedCommand(const std::shared_ptr<ZRCommand>& command)
{
    m_trained = command;
}
