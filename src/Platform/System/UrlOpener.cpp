#include "Platform/System/UrlOpener.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>

bool UrlOpener::open(const QUrl& url)
{
    if (!url.isValid())
        return false;
    const QString opener = qEnvironmentVariable("ZARNETH_URL_OPENER");
    if (opener.isEmpty() && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QDesktopServices::openUrl(url);
    QProcess process;
    process.start(opener.isEmpty() ? QStringLiteral("xdg-open") : opener, {url.toString()});
    return process.waitForFinished(10'000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
