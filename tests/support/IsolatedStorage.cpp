#include "support/IsolatedStorage.h"

#include "Platform/System/DocumentsDirectory.h"

#include <QDir>
#include <QFile>

IsolatedStorage::IsolatedStorage()
    : m_oldConfigHome(qgetenv("XDG_CONFIG_HOME"))
    , m_oldDocuments(qgetenv("ZARNETH_DOCUMENTS"))
    , m_oldContacts(qgetenv("ZARNETH_CONTACTS"))
{
    const QString root = QString::fromStdString(m_root.path().string());
    QDir(root).mkpath(QStringLiteral("documents"));
    QDir(root).mkpath(QStringLiteral("config"));
    QDir(root).mkpath(QStringLiteral("contacts"));
    qputenv("ZARNETH_DOCUMENTS", (root + QStringLiteral("/documents")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toUtf8());
    qputenv("ZARNETH_CONTACTS", contacts().toUtf8());
    DocumentsDirectory::setPath({});
}

IsolatedStorage::~IsolatedStorage()
{
    DocumentsDirectory::setPath({});
    qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    qputenv("ZARNETH_DOCUMENTS", m_oldDocuments);
    qputenv("ZARNETH_CONTACTS", m_oldContacts);
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
