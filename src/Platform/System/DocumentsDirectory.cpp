#include "Platform/System/DocumentsDirectory.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString& chosenPath()
{
    static QString path;
    return path;
}

QString unresolvedPath()
{
    if (!chosenPath().isEmpty())
        return chosenPath();
    const QString fromEnvironment = qEnvironmentVariable("ZARNETH_DOCUMENTS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // The same folder for the application and zarneth-cli, whatever name
    // each process gives itself.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zarneth");
}

}  // namespace

QString DocumentsDirectory::path()
{
    const QString path = QDir::cleanPath(QDir(unresolvedPath()).absolutePath());
    QDir().mkpath(path);
    return path;
}

void DocumentsDirectory::setPath(const QString& path)
{
    chosenPath() = path;
}
