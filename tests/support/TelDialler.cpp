#include "support/TelDialler.h"

#include <QDesktopServices>

TelDialler::TelDialler()
{
    QDesktopServices::setUrlHandler("tel", this, "dial");
}

TelDialler::~TelDialler()
{
    QDesktopServices::unsetUrlHandler("tel");
}

void TelDialler::dial(const QUrl& url)
{
    dialled << url.toString();
}
