#pragma once

#include "cli/CliContext.h"

#include <iosfwd>
#include <string>
#include <vector>

// The engine and the command store from a shell: other tools call it, so
// its commands, outputs and exit statuses stay stable. It works on the same
// store and sample files as the application, and saves the store before it
// exits after any change, as the application does when it ends.
//
// Its commands come in groups (StoreCommands, AudioCommands,
// DialogueCommands); one table in ZarnethCli.cpp names each command, the
// function that runs it and its lines of the usage text.
class ZarnethCli {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kNotRecognised = 1;  // also: a training that kept nothing
    static constexpr int kUnusable = 2;       // bad arguments or unreadable files; nothing changed
    static constexpr int kWriteFailed = 3;

    ZarnethCli(std::ostream& out, std::ostream& err);

    // Runs one command line (without the program name); returns the exit status.
    int run(const std::vector<std::string>& arguments);

private:
    CliContext m_cli;
};
