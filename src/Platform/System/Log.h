#pragma once

#include <QLoggingCategory>
#include <QString>

// The system log: one line per message on stderr, through Qt's logging so
// that tests can listen in.
class Log {
public:
    static void write(const QString& line);
};

// What the audio queues do, for diagnosis and for timing the application
// from outside; off unless QT_LOGGING_RULES="zarneth.audio.debug=true".
// One line as the microphone opens and closes, and as a sound starts and
// ends.
Q_DECLARE_LOGGING_CATEGORY(lcAudio)
