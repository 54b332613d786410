#include "Platform/System/BundleResources.h"

#include <QDir>
#include <QFileInfo>

QString BundleResources::directory()
{
    const QString fromEnvironment = qEnvironmentVariable("ZARNETH_RESOURCES");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // The running program, without needing an application object.
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QDir::cleanPath(QFileInfo(program).absolutePath() + QStringLiteral("/../share/zarneth"));
}

QString BundleResources::pathForResource(const QString& name, const QString& type)
{
    const QString path = directory() + QLatin1Char('/') + name + QLatin1Char('.') + type;
    return QFileInfo::exists(path) ? path : QString();
}
