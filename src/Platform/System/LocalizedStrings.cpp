#include "Platform/System/LocalizedStrings.h"

#include "Platform/System/BundleResources.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace {

QString& shownLanguage()
{
    static QString language = QStringLiteral("en");
    return language;
}

}  // namespace

bool LocalizedStrings::install()
{
    // Translators installed later are asked first: English is the fallback.
    auto* english = new QTranslator(QCoreApplication::instance());
    if (!english->load(QStringLiteral("zarneth_en"), BundleResources::directory()))
        return false;
    QCoreApplication::installTranslator(english);

    auto* local = new QTranslator(QCoreApplication::instance());
    if (local->load(QLocale(), QStringLiteral("zarneth"), QStringLiteral("_"), BundleResources::directory())) {
        QCoreApplication::installTranslator(local);
        shownLanguage() = local->language().section(QLatin1Char('_'), 0, 0);
    } else {
        delete local;
    }
    return true;
}

QString LocalizedStrings::language()
{
    return shownLanguage();
}
