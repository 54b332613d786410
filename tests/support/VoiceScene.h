#pragma once

#include "support/IsolatedStorage.h"
#include "support/ProcessRun.h"
#include "support/TemporaryDirectory.h"

#include <chrono>
#include <map>
#include <string>
#include <vector>

// A user's world for Zarneth's programs run beside the test: a store,
// settings and contacts of its own, jackson's spoken digits as a microphone
// gives them, names and control words trained with zarneth-cli, and a
// dialler that writes down what it is handed and when.
class VoiceScene {
public:
    explicit VoiceScene(std::string cli)
        : m_cli(std::move(cli))
    {
    }
    ~VoiceScene();

    // zarneth-cli with these arguments, in this world.
    ProcessRun cli(const std::vector<std::string>& arguments) const { return ProcessRun::of(m_cli, arguments); }

    // Two seconds as the microphone gives them: a quarter second of quiet
    // room, jackson saying the digit (take -1: nothing), quiet room again.
    // The path of a WAV file.
    std::string utterance(int digit, int take) const;
    // Digit d, trained with `train` from takes 0 and 1, is "Digit d",
    // "+49 170 00d"; a control word (accept, repeat, cancel) likewise.
    // Take 2 is left for saying it.
    void trainContact(int digit) const;
    void trainSystemCommand(const std::string& type, int digit) const;

    // $ZARNETH_URL_OPENER becomes a program that writes down the URL it is
    // handed, with the time, and exits with `status`.
    void useUrlOpener(int status) const;
    // What the opener was handed, in order, and when.
    std::vector<std::string> opened() const;
    std::vector<std::chrono::system_clock::time_point> openedAt() const;

    // What the application needs besides, to run in this world on the X
    // display `display` and say when its microphone and speaker go on and
    // off (zarneth.audio). In a sanitizer build it still stops at any
    // memory error, but its exit is not searched for leaks: the X and GL
    // libraries leave some in plugins already unloaded, which nothing can
    // name. Our own objects are searched in-process by the screen tests.
    std::map<std::string, std::string> applicationEnvironment(const std::string& display) const;

    const IsolatedStorage& storage() const { return m_storage; }

private:
    void train(std::vector<std::string> arguments, int digit) const;

    std::string m_cli;
    IsolatedStorage m_storage;
    TemporaryDirectory m_folder;
};
