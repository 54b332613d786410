#pragma once

#include <QString>
#include <QStringList>

// Collects the log lines written while it lives, instead of printing them.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QStringList& lines() const;
    // Lines that begin with "ERROR".
    QStringList errors() const;
};
