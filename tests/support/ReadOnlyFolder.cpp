#include "support/ReadOnlyFolder.h"

#include <QFile>
#include <stdexcept>
#include <sys/stat.h>

ReadOnlyFolder::ReadOnlyFolder(QString path)
    : m_path(std::move(path))
    , m_oldMode(lock(m_path))
{
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    chmod(QFile::encodeName(m_path).constData(), m_oldMode);
}

// Takes the folder's write permissions away; returns the mode it had.
mode_t ReadOnlyFolder::lock(const QString& path)
{
    struct stat info { };
    const QByteArray name = QFile::encodeName(path);
    if (stat(name.constData(), &info) != 0)
        throw std::runtime_error("no such folder");
    chmod(name.constData(), 0555);
    return info.st_mode & 07777;
}
