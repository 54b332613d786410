#include "support/IsolatedStorage.h"

#include "Platform/System/DocumentsDirectory.h"

#include <QFile>

IsolatedStorage::IsolatedStorage()
{
    for (const char* folder : {"documents", "config", "contacts"})
        std::filesystem::create_directory(m_root / folder);
    DocumentsDirectory::setPath({});
}

IsolatedStorage::~IsolatedStorage()
{
    DocumentsDirectory::setPath({});
}

QString IsolatedStorage::contacts() const
{
    return QString::fromStdString(m_root.path().string()) + QStringLiteral("/contacts");
}

QString IsolatedStorage::documents() const
{
    return DocumentsDirectory::path();
}

QString IsolatedStorage::documentsFile(const QString& name) const
{
    return documents() + name;
}

void IsolatedStorage::touch(const QString& path, const QByteArray& content)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

QByteArray IsolatedStorage::contentsOf(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
