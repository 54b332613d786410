#include "support/LogCapture.h"

#include <QtGlobal>

namespace {

QStringList& captured()
{
    static QStringList lines;
    return lines;
}

void collect(QtMsgType, const QMessageLogContext&, const QString& message)
{
    captured().append(message);
}

QtMessageHandler previousHandler = nullptr;

}  // namespace

LogCapture::LogCapture()
{
    captured().clear();
    previousHandler = qInstallMessageHandler(collect);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previousHandler);
}

const QStringList& LogCapture::lines() const
{
    return captured();
}

QStringList LogCapture::errors() const
{
    QStringList errors;
    for (const QString& line : captured()) {
        if (line.startsWith(QStringLiteral("ERROR")))
            errors.append(line);
    }
    return errors;
}
