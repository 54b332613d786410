#pragma once

#include <memory>

class ZRCommand;

// Told the result of a recognition dialogue: the recognised command, or
// nothing when it was cancelled or nothing was recognised.
class ZRRecognizeControllerDelegate {
public:
    virtual ~ZRRecognizeControllerDelegate() = default;
    virtual void recognizedCommand(const std::shared_ptr<ZRCommand>& command) = 0;
};
