#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// The images that come with the application, for the pages: one object per
// QML engine, asked for an image by its file name.
class BundleImages : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit BundleImages(QObject* parent = nullptr);

    // The image of that name, such as "logo.png", where the application's
    // data files are.
    Q_INVOKABLE QUrl url(const QString& name) const;
};
