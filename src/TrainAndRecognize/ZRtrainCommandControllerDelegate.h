#pragma once

#include <memory>

class ZRCommand;

// Told each time a training kept a new sample for the command.
class ZRtrainCommandControllerDelegate {
public:
    virtual ~ZRtrainCommandControllerDelegate() = default;
    virtual void trainedCommand(const std::shared_ptr<ZRCommand>& command) = 0;
};
