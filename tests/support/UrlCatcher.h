#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

// Stands in for the system while it lives: every URL of these schemes that
// the application opens (by default "tel:", the dialler) is recorded instead.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    explicit UrlCatcher(QStringList schemes = {"tel"})
        : m_schemes(std::move(schemes))
    {
        for (const QString& scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const QString& scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QStringList opened;

public slots:
    void open(const QUrl& url) { opened << url.toString(); }

private:
    QStringList m_schemes;
};
