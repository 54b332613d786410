#include "Platform/System/Log.h"

#include <QDebug>

Q_LOGGING_CATEGORY(lcAudio, "zarneth.audio", QtWarningMsg)

void Log::write(const QString& line)
{
    qInfo().noquote() << line;
}
