#pragma once

// Turns SIGTERM, SIGINT and SIGHUP into a normal quit of the Qt event loop,
// so that the application's termination work (saving the command list) runs
// when the system ends it, as phone shells do.
class QuitOnSignals {
public:
    // Needs a running QCoreApplication to quit.
    static void install();
};
