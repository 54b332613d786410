#pragma once

#include <QUrl>

// Hands a URL to the system: a "tel:" URL to the dialler (Plasma Dialer,
// GNOME Calls) through x-scheme-handler/tel, a web page to the browser.
// With a graphical application this is QDesktopServices::openUrl; without
// one (zarneth-cli) it is xdg-open. $ZARNETH_URL_OPENER names another
// program to run with the URL instead, for tests and odd set-ups.
class UrlOpener {
public:
    // False when nothing took the URL.
    static bool open(const QUrl& url);
};
