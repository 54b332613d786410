#pragma once

#include "ViewControllers/Kit/ViewController.h"
#include "ViewControllers/ScreenServices.h"

#include <QUrl>

class QNetworkAccessManager;

// The help page: the copy that comes with the application at once, and the
// page from the maker's web host in its place as soon as the network
// delivers it. An "about" button pushes the about screen.
class HelpViewController : public ViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application.")
    Q_PROPERTY(QString html READ html NOTIFY htmlChanged)
    Q_PROPERTY(bool fromNetwork READ fromNetwork NOTIFY fromNetworkChanged)

public:
    // The help page on the maker's web host.
    static QUrl helpPageUrl();

    explicit HelpViewController(const ScreenServices& services, QObject* parent = nullptr);
    ~HelpViewController() override;

    void loadView() override;
    void clickedAboutBarButton();
    // Opens a link of the page (relative to where the page comes from) if
    // it leads to a web page or a mail address; false when it was not opened.
    Q_INVOKABLE bool openLink(const QString& link) const;

    QString html() const { return m_html; }
    bool fromNetwork() const { return m_fromNetwork; }
    // Where the page is fetched from (tests serve it themselves).
    void setPageUrl(const QUrl& url) { m_pageUrl = url; }

signals:
    void htmlChanged();
    void fromNetworkChanged();

private:
    void showBundledCopy();
    void show(const QString& html, bool fromNetwork);

    ScreenServices m_services;
    QUrl m_pageUrl;
    QNetworkAccessManager* m_network = nullptr;
    QString m_html;
    bool m_fromNetwork = false;
};
