#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// One entry of a table as its page draws it, in order: a section's header,
// its rows, its footer. Only a row ("cell") has the row's number, small
// texts, accessory and place in its section.
struct TableViewEntry {
    Q_GADGET
    QML_VALUE_TYPE(tableViewEntry)
    Q_PROPERTY(QString kind MEMBER kind)
    Q_PROPERTY(int section MEMBER section)
    Q_PROPERTY(int row MEMBER row)
    Q_PROPERTY(QString text MEMBER text)
    Q_PROPERTY(QString detailText MEMBER detailText)
    Q_PROPERTY(QString secondDetailText MEMBER secondDetailText)
    Q_PROPERTY(QString accessory MEMBER accessory)
    Q_PROPERTY(bool enabled MEMBER enabled)
    Q_PROPERTY(bool first MEMBER first)
    Q_PROPERTY(bool last MEMBER last)

public:
    // "header", "cell" or "footer".
    QString kind;
    int section = 0;
    int row = 0;
    QString text;
    QString detailText;
    QString secondDetailText;
    // "disclosure", "checkmark", or empty for none.
    QString accessory;
    bool enabled = false;
    // The first and the last row of its section round the group's corners.
    bool first = false;
    bool last = false;

    bool operator==(const TableViewEntry&) const = default;
};
