#pragma once

#include <QString>

// The folder that holds the user's data: the command list and the sample
// files. It is the folder given to setPath(), else $ZARNETH_DOCUMENTS, else
// the application's data folder (~/.local/share/zarneth), and it is created
// when first asked for.
class DocumentsDirectory {
public:
    // Without a trailing slash, so that stored names such as "/sample1.aif"
    // are appended as they are.
    static QString path();
    // Overrides the environment and the default; an empty path restores them.
    static void setPath(const QString& path);
};
