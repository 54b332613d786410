#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/HelpViewController.h"

#include "Platform/System/BundleResources.h"
#include "Platform/System/LocalizedStrings.h"
#include "Platform/System/UrlOpener.h"
#include "ViewControllers/Kit/NavigationController.h"
#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/AboutViewController.h"
#include "ZarnethAppDelegate.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

constexpr int kTimeoutMilliseconds = 8000;

// The help page in the language of the texts (appstorezarnethhelp_de), or the
// English one where there is none; the maker's host has the same pages.
QString helpPageName()
{
    const QString localized = QStringLiteral("appstorezarnethhelp_") + LocalizedStrings::language();
    if (!BundleResources::pathForResource(localized, QStringLiteral("html")).isEmpty())
        return localized;
    return QStringLiteral("appstorezarnethhelp");
}

}  // namespace

QUrl HelpViewController::helpPageUrl()
{
    return QUrl(QStringLiteral("http://%1/%2.html").arg(QLatin1String(ZarnethAppDelegate::kMakerHost), helpPageName()));
}

HelpViewController::HelpViewController(const ScreenServices& services, QObject* parent)
    : ViewController(parent)
    , m_services(services)
    , m_pageUrl(helpPageUrl())
{
    setTitle(qtTrId("tabBarHelpTitle"));
    setPage(QStringLiteral("HelpPage.qml"));
    setRightBarButton(qtTrId("aboutButtonTitle"), [this] { clickedAboutBarButton(); });
}

HelpViewController::~HelpViewController() = default;

void HelpViewController::loadView()
{
    // The copy that comes with the application shows at once; the page from
    // the maker's host replaces it when it arrives.
    showBundledCopy();
    m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(m_pageUrl);
    request.setTransferTimeout(kTimeoutMilliseconds);
    QNetworkReply* reply = m_network->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError || status != 200)
            return;
        show(QString::fromUtf8(reply->readAll()), true);
    });
}

void HelpViewController::showBundledCopy()
{
    QFile copy(BundleResources::pathForResource(helpPageName(), QStringLiteral("html")));
    copy.open(QIODevice::ReadOnly);
    show(QString::fromUtf8(copy.readAll()), false);
}

void HelpViewController::show(const QString& html, bool fromNetwork)
{
    const bool htmlDiffers = m_html != html;
    const bool sourceDiffers = m_fromNetwork != fromNetwork;
    m_html = html;
    m_fromNetwork = fromNetwork;
    if (htmlDiffers)
        emit htmlChanged();
    if (sourceDiffers)
        emit fromNetworkChanged();
}

bool HelpViewController::openLink(const QString& link) const
{
    // The page may come from the network: a link in it must not dial
    // ("tel:"), send a text or open a local file. Web pages and mail only.
    const QUrl url = m_pageUrl.resolved(QUrl(link));
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("mailto"))
        return false;
    return UrlOpener::open(url);
}

void HelpViewController::clickedAboutBarButton()
{
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(std::make_unique<AboutViewController>(m_services), true);
}
