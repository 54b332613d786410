#pragma once

#include "TrainAndRecognize/ZRRecognizeControllerDelegate.h"
#include "TrainAndRecognize/ZRtrainCommandControllerDelegate.h"

#include <memory>

class ZRCommand;

// What a spoken dialogue of the shell handed back: the one result of a
// recognition, or the command a training kept a sample for.
class DialogueOutcome : public ZRRecognizeControllerDelegate, public ZRtrainCommandControllerDelegate {
public:
    void recognizedCommand(const std::shared_ptr<ZRCommand>& command) override;
    void trainedCommand(const std::shared_ptr<ZRCommand>& command) override;

    // A recognition delivers its result, nullptr included, exactly once.
    bool recognitionEnded() const { return m_recognitionEnded; }
    const std::shared_ptr<ZRCommand>& recognized() const { return m_recognized; }
    // nullptr until a sample was kept.
    const std::shared_ptr<ZRCommand>& trained() const { return m_trained; }

private:
    bool m_recognitionEnded = false;
    std::shared_ptr<ZRCommand> m_recognized;
    std::shared_ptr<ZRCommand> m_trained;
};
