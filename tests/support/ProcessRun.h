#pragma once

#include <string>
#include <vector>

// Runs a program to its end in a fresh process that inherits this one's
// environment, and collects what it wrote.
struct ProcessRun {
    int status = -1;  // the exit status; -1 when it did not exit normally
    int signal = 0;   // the signal that ended it, if one did
    std::string out;
    std::string err;

    static ProcessRun of(const std::string& program, const std::vector<std::string>& arguments);
};
