#pragma once

#include <QString>

#include <sys/types.h>

// Makes a folder read-only for this thread while it lives: no file can be
// made, renamed or removed in it. Root would write there all the same, so
// the thread also gives up its power to override file permissions, and
// takes it back at the end.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    QString m_path;
    mode_t m_oldMode = 0;
};
