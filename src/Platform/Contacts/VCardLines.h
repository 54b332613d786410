#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The content lines of vCard data, each with the lines that continue it
// joined to it. How the card format's loose ends are taken:
// - A line ends with LF, CRLF, CR, or any run of CRs before an LF: iOS
//   exports end lines with CR CR LF, which is one line break, not an empty
//   line that would cut a folded line or a quoted-printable value.
// - A line that begins with a space or a tab continues the one before,
//   without that one space or tab (every version).
// - In a quoted-printable value, "=" at the end of a line joins the next
//   line as it is, unless that line begins or ends a card. A value that is
//   empty after its colon begins on the next line when that line is not a
//   content line of its own (Sony Ericsson phones write names so).
class VCardLines {
public:
    // The data must outlive the lines.
    explicit VCardLines(QByteArrayView data);

    bool atEnd() const;
    // The next content line, with its continuation lines joined.
    QByteArray next();

private:
    QByteArrayView peek() const;
    QByteArrayView take();
    qsizetype lengthOfLine() const;

    QByteArrayView m_data;
    qsizetype m_position = 0;
};
