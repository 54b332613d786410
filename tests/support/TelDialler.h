#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>

// Stands in for the system's dialler while it lives: every "tel:" URL the
// application opens is recorded instead of dialled.
class TelDialler : public QObject {
    Q_OBJECT

public:
    TelDialler();
    ~TelDialler() override;

    QStringList dialled;

public slots:
    void dial(const QUrl& url);
};
