#pragma once

#include <QString>

// The system log: one line per message on stderr, through Qt's logging so
// that tests can listen in.
class Log {
public:
    static void write(const QString& line);
};
