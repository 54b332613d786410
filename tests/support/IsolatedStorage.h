#pragma once

#include "support/ScopedEnvironment.h"
#include "support/TemporaryDirectory.h"

#include <QString>

// Gives a test its own Documents directory, settings file and (empty)
// contacts folder, in temporary folders, so that nothing of the user's is
// read or written.
class IsolatedStorage {
public:
    IsolatedStorage();
    ~IsolatedStorage();

    QString documents() const;
    // Full path of a file in the Documents directory; `name` starts with "/".
    QString documentsFile(const QString& name) const;
    QString contacts() const;
    // Creates a file with some bytes in it.
    static void touch(const QString& path, const QByteArray& content = "x");
    // Everything a file holds; empty when it cannot be read.
    static QByteArray contentsOf(const QString& path);

private:
    TemporaryDirectory m_root;
    ScopedEnvironment m_documents {"ZARNETH_DOCUMENTS", (m_root / "documents").string()};
    ScopedEnvironment m_configHome {"XDG_CONFIG_HOME", (m_root / "config").string()};
    ScopedEnvironment m_contacts {"ZARNETH_CONTACTS", (m_root / "contacts").string()};
};
