#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Collects the log lines written while it lives, instead of printing them.
class LogCapture {
public:
    LogCapture()
    {
        captured().clear();
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& message) { captured().append(message); });
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QStringList& lines() const { return captured(); }
    // Lines that begin with "ERROR".
    QStringList errors() const { return captured().filter(QRegularExpression(QStringLiteral("^ERROR"))); }

private:
    static QStringList& captured()
    {
        static QStringList lines;
        return lines;
    }

    QtMessageHandler m_previous;
};
