#include "support/UrlCatcher.h"

#include <QDesktopServices>

UrlCatcher::UrlCatcher(QStringList schemes)
    : m_schemes(std::move(schemes))
{
    for (const QString& scheme : m_schemes)
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlCatcher::~UrlCatcher()
{
    for (const QString& scheme : m_schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}
