#pragma once

#include <QString>

// The application's table of texts, looked up by key with qtTrId(): English,
// and the user's language over it where there is a translation. A key with
// no text shows as itself.
class LocalizedStrings {
public:
    // Loads the tables from the resource folder into the running
    // application; needs a QCoreApplication. Returns false when not even the
    // English table was found.
    static bool install();
    // The language of the texts shown, such as "de" or "en".
    static QString language();
};
