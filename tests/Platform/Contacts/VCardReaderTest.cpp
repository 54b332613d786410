// The vCard reader on cards written for each rule it follows, and on real
// files of the address books and phones that wrote them. Random and cut
// data is left to fuzz/VCardFuzzer.cpp.

#include "Platform/Contacts/VCardReader.h"

#include "support/IsolatedStorage.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStringEncoder>

namespace {

// "Name: number (type,type) 'label', ...", a line per contact; with
// `asShown`, the kind an address-book program shows instead of the types.
std::string lines(const QList<Contact>& contacts, bool asShown = false)
{
    QStringList lines;
    for (const Contact& contact : contacts) {
        QStringList numbers;
        for (const ContactPhone& phone : contact.phoneNumbers)
            numbers.append(phone.number
                + (asShown ? QLatin1Char(' ') + phone.kind() : " (" + phone.types.join(QLatin1Char(',')) + ')')
                + (phone.label.isEmpty() ? QString() : QStringLiteral(" '%1'").arg(phone.label)));
        lines.append(contact.displayName() + QLatin1Char(':') + (numbers.isEmpty() ? "" : " ") + numbers.join(", "));
    }
    return lines.join(QLatin1Char('\n')).toStdString();
}

// A card of these content lines, each ended by CRLF.
std::string card(std::initializer_list<std::string> lines)
{
    std::string text = "BEGIN:VCARD\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text + "END:VCARD\r\n";
}

TEST(VCardReaderTest, CardsWrittenForEachRuleAndRealFilesGiveTheNamesNumbersAndKindsAnAddressBookShows)
{
    const struct {
        const char* name;
        std::string data;
        QStringList expected;  // lines() of the contacts read; none: an error
    } rows[] = {{"Version21BareTypesAndNoBareCharsetsLanguagesOrValueLocations",
                    card({"VERSION:2.1", "N:Schmidt;Anna;;;", "TEL;CELL;PREF:+49 170 1234567",
                        "TEL;WORK;VOICE:030 123456", "TEL;utf-8;de-DE;INLINE;HOME;X-CUSTOM:  0800 1111  "}),
                    {"Anna Schmidt: +49 170 1234567 (cell,pref), 030 123456 (work,voice), 0800 1111 (home,x-custom)"}},
        {"Version30TypeListsRepeatedTypesAndTheFirstOrganisationComponent",
            card({"VERSION:3.0", "ORG:Acme Ltd.;Sales;North", "TEL;TYPE=CELL,voice:0170 7654321",
                "TEL;type=HOME;type=fax;TYPE=home:(030) 55 01-87"}),
            {"Acme Ltd.: 0170 7654321 (cell,voice), (030) 55 01-87 (home,fax)"}},
        {"Version40QuotedTypesAndTelUrisWithoutTheirScheme",
            card({"VERSION:4.0", "FN:Clara Jansen", "TEL;VALUE=uri;PREF=1;TYPE=\"cell,voice\":tel:+49-160-9876543",
                "TEL;VALUE=uri;TYPE=work;X-NOTE=\"a:b;c\":tel:+1-555-555-0199;ext=42"}),
            {"Clara Jansen: +49-160-9876543 (pref,cell,voice), +1-555-555-0199;ext=42 (work)"}},
        {"OnlyDialableNumbersAreKept",
            card({"VERSION:4.0", "FN:Dora", "TEL;VALUE=uri;TYPE=work:sip:dora@example.org", "TEL:SIPS:42@example.org",
                "TEL;TYPE=cell:mailto:dora@example.org", "TEL;TYPE=home:ask the reception",
                "TEL;TYPE=cell:Tel:+46 8 123", "TEL:*100#", "TEL;VALUE=uri:tel:sip:1@example.org"}),
            {"Dora: +46 8 123 (cell), *100# ()"}},
        {"AppleAndGoogleLabelsOfAGroupNameTheKindOrAreTheNumbersOwn",
            card({"VERSION:3.0", "FN:Eva", "item1.TEL;type=pref:+1 1", "item1.X-ABLabel:_$!<Mobile>!$_",
                "ITEM2.X-ABLABEL:_$!<HomeFAX>!$_", "item2.TEL;type=VOICE:+1 2", "item3.TEL;type=CELL:+1 3",
                "item3.X-ABLabel:Oma\\, Hamburg", "item4.TEL:+1 4", "item4.X-ABLabel:_$!<School>!$_",
                "item5.EMAIL:eva@example.org", "item5.X-ABLabel:_$!<Work>!$_", "item6.TEL:+1 6", "TEL;type=WORK:+1 7",
                "X-ABLabel:_$!<Home>!$_"}),
            {"Eva: +1 1 (cell,pref), +1 2 (home,fax,voice), +1 3 (cell) 'Oma, Hamburg', +1 4 () 'School', "
             "+1 6 (), +1 7 (work)"}},
        {"Version30EscapesAreUndoneAndOnlyUnescapedSemicolonsSplitComponents",
            card({"N:O\\;Brien\\\\;Pat\\, Jr.;;;", "TEL:1"}) + card({"FN:Pat\\nO'Brien \\N\\,\\x"})
                + card({"ORG:Back\\;slash\\: Co\\;;Dept"}),
            {"Pat, Jr. O;Brien\\: 1 ()", "Pat\nO'Brien \n,\\x:", "Back;slash: Co;:"}},
        {"Version21KeepsBackslashesAndOnlyEscapesSemicolons",
            card({"VERSION:2.1", "N:O\\;Brien;Pat\\, Jr.", "TEL:1"}) + card({"VERSION:2.1", "FN:C:\\new\\\\dir"}),
            {"Pat\\, Jr. O;Brien: 1 ()", "C:\\new\\\\dir:"}},
        {"QuotedPrintableValuesAreDecodedAcrossSoftLineBreaksInTheirCharset",
            card({"VERSION:2.1", "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Wei=DF;J=FC=", "rgen",
                "TEL;CELL;ENCODING=QUOTED-PRINTABLE:0171=20=", "555"})
                + card({"FN;CHARSET=UTF-8;QUOTED-PRINTABLE:J=C3=BCrgen =", " Wei=C3=9F =3D=zz=", ""})
                + card({"ORG;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:=80uro GmbH"}),
            {"Jürgen Weiß: 0171 555 (cell)", "Jürgen  Weiß ==zz:", "€uro GmbH:"}},
        {"AQuotedPrintableValueMayBeginOnTheLineAfterItsColon",
            card({"VERSION:2.1", "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:", ";=D0=A2=D0=B0=D0=BD=D1=8F",
                "FN;ENCODING=QUOTED-PRINTABLE:", "TEL;CELL:+380 1"}),
            {"Таня: +380 1 (cell)"}},
        {"ASoftLineBreakNeverSwallowsTheEndOfTheCard",
            "BEGIN:VCARD\r\nFN;QUOTED-PRINTABLE:Anna=\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Ben\r\nEND:VCARD\r\n",
            {"Anna:", "Ben:"}},
        {"UndeclaredBytesThatAreNotUtf8AreElseInTheWindowsCodePage",
            card({"FN:S\xF6ren \x80 \x81", "NOTE;CHARSET=utf-8:x", "N;CHARSET=X-KLINGON:S\xF6ren;"})
                + card({"FN;CHARSET=UTF-8:J\xFCrgen", "TEL:1"}),
            {"Sören € \u0081:", "Jürgen: 1 ()"}},
        {"Utf8TextIsReadAfterAByteOrderMarkAndUnknownCharsetsAreTakenAsUtf8",
            "\xEF\xBB\xBF" + card({"FN;CHARSET=X-KLINGON:Jürgen Weiß"}) + card({"N:Weiß;Jürgen", "ORG:Ærø Ø"}),
            {"Jürgen Weiß:", "Jürgen Weiß:"}},
        {"Utf16WithoutAByteOrderMark",
            QByteArray(QStringEncoder(QStringConverter::Utf16LE)(
                           QString::fromStdString(card({"VERSION:3.0", "FN:Jürgen Weiß", "TEL;TYPE=cell:+49 170 1"}))))
                .toStdString(),
            {"Jürgen Weiß: +49 170 1 (cell)"}},
        {"TheDisplayNameFallsBackFromTheFormattedNameToNameOrganisationAndNumber",
            card({"FN:Formatted", "N:Last;First", "ORG:Org", "TEL:1"}) + card({"N:Last;First", "ORG:Org", "TEL:2"})
                + card({"N:;  First  ;;;", "TEL:3"}) + card({"N:Last;;;;", "TEL:4"}) + card({"ORG:Org;Unit", "TEL:5"})
                + card({"TEL;CELL:+49 6", "TEL:7"}),
            {"Formatted: 1 ()", "First Last: 2 ()", "First: 3 ()", "Last: 4 ()", "Org: 5 ()",
                "+49 6: +49 6 (cell), 7 ()"}},
        {"ACardWithNeitherNameNorNumberIsDroppedAndOtherPropertiesAreIgnored",
            card({"VERSION:3.0", "N:;;;;", "FN: ", "TEL;CELL:  ", "EMAIL:x@example.org"})
                + card({"NOTE:FN:not a name", "X-TEL:not a number", "TEL:12"}),
            {"12: 12 ()"}},
        {"ACardWithoutEndKeepsWhatItHasUpToTheNextCardOrTheEndOfTheDataWhateverTheCaseOfTheNames",
            "begin:vcard\r\nfn:Anna\r\nBegin:VCard\r\nFn:Ben\r\nTEL:1\r\nEnd:VCard\r\nBEGIN:VCARD\r\nFN:Carl\r\nTE",
            {"Anna:", "Ben: 1 ()", "Carl:"}},
        {"ACardNestedInAnotherEndsTheOuterOneAndIsReadOnItsOwn",
            card({"FN:Outer", "TEL:1", "AGENT:", "BEGIN:VCARD", "FN:Inner", "TEL:2", "END:VCARD", "TEL:3"})
                + card({"FN:Next"}),
            {"Outer: 1 ()", "Inner: 2 ()", "Next:"}},
        {"FoldedLinesLoseTheLineBreakAndOneSpaceOrTabWhateverTheLineBreak",
            "BEGIN:VCARD\rFN:Ann\r a Sch\r\tmidt\rTEL;TY\n PE=cell:+49 170\n  1234567\rEND:VCARD\r",
            {"Anna Schmidt: +49 170 1234567 (cell)"}},
        {"DataWithoutACardIsAnError", "FN:Anna\r\nTEL:1\r\nEND:VCARD\r\nBEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", {}},
        {"AByteOrderMarkAloneIsAnError", "\xFF\xFE", {}},
        {"LongLinesAreReadWhole", card({"FN:Anna", "NOTE:" + std::string(6 * 1024 * 1024, 'x'), "TEL:1"}),
            {"Anna: 1 ()"}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const VCardReader::Result result = VCardReader::read(QByteArray::fromStdString(row.data));
        EXPECT_EQ(result.error.isEmpty(), !row.expected.isEmpty()) << result.error.toStdString();
        EXPECT_EQ(lines(result.contacts), row.expected.join('\n').toStdString());
    }

    // Real files give what the address book that wrote them shows.
    const struct {
        const char* file;
        qsizetype contacts;
        QStringList shown;  // some of its contacts as lines(..., true) gives them, or how they begin
    } files[] = {{"nokia-2.1-quoted-printable.vcf", 1,
                     {"Michael Brüning: +491622433834 mobile, 017623384942 mobile, +4973117546691 work"}},
        {"evolution-3.0-folded-parameters.vcf", 1, {"Ralf Engels: +1-919-676-9515 work, +1-919-676-9564 work"}},
        {"sony-ericsson-2.1-cyrillic.vcf", 499,
            {"Іванна (Карпати): +380984437285 mobile",
                "Александр Терещенко: +380689055070 mobile, +380675020823 other"}},
        {"gammu-2.1-line-continuation.vcf", 1, {"Nikdovic Nikdo: 55554444 work"}},
        {"perl-2.1-quoted-printable.vcf", 2,
            {"Bartholomäus von Stürmer: +08154711 mobile", "Carl Gauß: +471112345 other"}},
        {"mac-address-book-3.0.vcf", 1, {"Überwerbung GmbH: +49 30 1234567 work, +49 172 1234567 mobile"}},
        {"mac-address-book-4.0.vcf", 1,
            {"Hans Dieter Schmidt: +49 9823 9084 work, +49 234 234 234 work, +49 7373 73 work, +49 2626 26 other, "
             "+49 7272 722 mobile, +49 12 34 567 other, +49 8292 38 383 other, +49 7327 272 727 home, "}}};
    // Each file, and the variants make-variants.py derives from it: other line ends and encodings.
    const QDir folder(QString::fromStdString(TestData::file("vcards").string()));
    qsizetype checked = 0;
    for (const auto& row : files)
        for (const QString& name : folder.entryList({row.file, QString(row.file).chopped(4) + ".*.vcf"})) {
            SCOPED_TRACE(name.toStdString());
            const VCardReader::Result result = VCardReader::read(IsolatedStorage::contentsOf(folder.filePath(name)));
            EXPECT_EQ(std::tuple(result.error, result.contacts.size()), std::tuple(QString(), row.contacts));
            const std::string shown = '\n' + lines(result.contacts, true) + '\n';
            for (const QString& expected : row.shown)
                EXPECT_NE(shown.find('\n' + expected.toStdString()), std::string::npos) << shown.substr(0, 800);
            ++checked;
        }
    EXPECT_EQ(checked, folder.entryList({"*.vcf"}).size()) << "every file of the folder";
}

}  // namespace
