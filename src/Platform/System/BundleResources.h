#pragma once

#include <QString>

// The application's installed data files (prompt sounds, images), found
// next to the program: <program folder>/../share/zarneth/, which is the same
// in the build tree and in an installed tree. $ZARNETH_RESOURCES, when set,
// names the folder instead.
class BundleResources {
public:
    static QString directory();
    // The path of NAME.TYPE, or a null string when there is no such file.
    static QString pathForResource(const QString& name, const QString& type);
};
