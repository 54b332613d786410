#include "ViewControllers/Kit/BundleImages.h"

#include "Platform/System/BundleResources.h"

BundleImages::BundleImages(QObject* parent)
    : QObject(parent)
{
}

QUrl BundleImages::url(const QString& name) const
{
    return QUrl::fromLocalFile(BundleResources::directory() + QLatin1Char('/') + name);
}
