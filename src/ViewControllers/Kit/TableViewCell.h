#pragma once

#include <QString>

// One row of a table as its page draws it: a main text, up to two small
// texts on the right, an accessory mark, and a tag the controller reads
// back when the row is selected.
struct TableViewCell {
    enum class Accessory { None, DisclosureIndicator, Checkmark };

    QString text;
    QString detailText;
    QString secondDetailText;
    Accessory accessory = Accessory::None;
    int tag = 0;
    bool enabled = true;
};
