#include "Platform/Log.h"

#include <QDebug>

void Log::write(const QString& line)
{
    qInfo().noquote() << line;
}
