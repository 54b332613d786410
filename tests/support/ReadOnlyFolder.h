#pragma once

#include "support/WithoutPermissionOverride.h"

#include <QString>
#include <sys/types.h>

// Makes a folder read-only for this thread while it lives: no file can be
// made, renamed or removed in it, even by root.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    static mode_t lock(const QString& path);

    QString m_path;
    mode_t m_oldMode;
    WithoutPermissionOverride m_asAUser;
};
