#include "Platform/Contacts/VCardReader.h"

#include "support/ContactPrinters.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>
#include <random>
#include <string>

namespace {

VCardReader::Result read(const std::string& text)
{
    return VCardReader::read(QByteArray::fromStdString(text));
}

// The one contact of the data; fails the test when there is not exactly one.
Contact onlyContact(const std::string& text)
{
    const VCardReader::Result result = read(text);
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_EQ(result.contacts.size(), 1);
    return result.contacts.value(0);
}

// "Name: number (type,type) 'label', ...", a line per contact.
QStringList withTypes(const QList<Contact>& contacts)
{
    QStringList lines;
    for (const Contact& contact : contacts) {
        QStringList numbers;
        for (const ContactPhone& phone : contact.phoneNumbers)
            numbers.append(QStringLiteral("%1 (%2)").arg(phone.number, phone.types.join(QLatin1Char(',')))
                + (phone.label.isEmpty() ? QString() : QStringLiteral(" '%1'").arg(phone.label)));
        lines.append(contact.displayName() + QLatin1Char(':') + (numbers.isEmpty() ? "" : " ") + numbers.join(", "));
    }
    return lines;
}

// "Name: number kind 'label', ...": what an address-book program shows.
QString asShown(const Contact& contact)
{
    QStringList numbers;
    for (const ContactPhone& phone : contact.phoneNumbers)
        numbers.append(phone.number + QLatin1Char(' ') + phone.kind()
            + (phone.label.isEmpty() ? QString() : QStringLiteral(" '%1'").arg(phone.label)));
    return contact.displayName() + QStringLiteral(": ") + numbers.join(QStringLiteral(", "));
}

// A card of these content lines, each ended by CRLF.
std::string card(std::initializer_list<std::string> lines)
{
    std::string text = "BEGIN:VCARD\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text + "END:VCARD\r\n";
}

std::string inEncoding(const std::string& utf8, QStringConverter::Encoding encoding, bool withByteOrderMark)
{
    QStringEncoder encoder(encoding, withByteOrderMark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag {});
    return QByteArray(encoder.encode(QString::fromStdString(utf8))).toStdString();
}

struct CardsCase {
    const char* name;
    std::string data;
    QStringList expected;  // withTypes() of the contacts read
};

std::ostream& operator<<(std::ostream& out, const CardsCase& row)
{
    return out << row.name;
}

class VCardCardsTest : public ::testing::TestWithParam<CardsCase> { };

TEST_P(VCardCardsTest, GiveTheNamesNumbersAndKindsAnAddressBookShows)
{
    const VCardReader::Result result = read(GetParam().data);
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_EQ(withTypes(result.contacts), GetParam().expected);
}

const std::string kSchmidt = card({"VERSION:3.0", "FN:Jürgen Weiß", "TEL;TYPE=cell:+49 170 1"});

INSTANTIATE_TEST_SUITE_P(Rows, VCardCardsTest,
    ::testing::Values(
        CardsCase {"Version21BareTypesAndNoBareCharsetsLanguagesOrValueLocations",
            card({"VERSION:2.1", "N:Schmidt;Anna;;;", "TEL;CELL;PREF:+49 170 1234567", "TEL;WORK;VOICE:030 123456",
                "TEL;utf-8;de-DE;INLINE;HOME;X-CUSTOM:  0800 1111  "}),
            {"Anna Schmidt: +49 170 1234567 (cell,pref), 030 123456 (work,voice), 0800 1111 (home,x-custom)"}},
        CardsCase {"Version30TypeListsRepeatedTypesAndTheFirstOrganisationComponent",
            card({"VERSION:3.0", "ORG:Acme Ltd.;Sales;North", "TEL;TYPE=CELL,voice:0170 7654321",
                "TEL;type=HOME;type=fax;TYPE=home:(030) 55 01-87"}),
            {"Acme Ltd.: 0170 7654321 (cell,voice), (030) 55 01-87 (home,fax)"}},
        CardsCase {"Version40QuotedTypesAndTelUrisWithoutTheirScheme",
            card({"VERSION:4.0", "FN:Clara Jansen", "TEL;VALUE=uri;PREF=1;TYPE=\"cell,voice\":tel:+49-160-9876543",
                "TEL;VALUE=uri;TYPE=work;X-NOTE=\"a:b;c\":tel:+1-555-555-0199;ext=42"}),
            {"Clara Jansen: +49-160-9876543 (pref,cell,voice), +1-555-555-0199;ext=42 (work)"}},
        CardsCase {"OnlyDialableNumbersAreKept",
            card({"VERSION:4.0", "FN:Dora", "TEL;VALUE=uri;TYPE=work:sip:dora@example.org", "TEL:SIPS:42@example.org",
                "TEL;TYPE=cell:mailto:dora@example.org", "TEL;TYPE=home:ask the reception",
                "TEL;TYPE=cell:Tel:+46 8 123", "TEL:*100#", "TEL;VALUE=uri:tel:sip:1@example.org"}),
            {"Dora: +46 8 123 (cell), *100# ()"}},
        CardsCase {"AppleAndGoogleLabelsOfAGroupNameTheKindOrAreTheNumbersOwn",
            card({"VERSION:3.0", "FN:Eva", "item1.TEL;type=pref:+1 1", "item1.X-ABLabel:_$!<Mobile>!$_",
                "ITEM2.X-ABLABEL:_$!<HomeFAX>!$_", "item2.TEL;type=VOICE:+1 2", "item3.TEL;type=CELL:+1 3",
                "item3.X-ABLabel:Oma\\, Hamburg", "item4.TEL:+1 4", "item4.X-ABLabel:_$!<School>!$_",
                "item5.EMAIL:eva@example.org", "item5.X-ABLabel:_$!<Work>!$_", "item6.TEL:+1 6", "TEL;type=WORK:+1 7",
                "X-ABLabel:_$!<Home>!$_"}),
            {"Eva: +1 1 (cell,pref), +1 2 (home,fax,voice), +1 3 (cell) 'Oma, Hamburg', +1 4 () 'School', "
             "+1 6 (), +1 7 (work)"}},
        CardsCase {"Version30EscapesAreUndoneAndOnlyUnescapedSemicolonsSplitComponents",
            card({"N:O\\;Brien\\\\;Pat\\, Jr.;;;", "TEL:1"}) + card({"FN:Pat\\nO'Brien \\N\\,\\x"})
                + card({"ORG:Back\\;slash\\: Co\\;;Dept"}),
            {"Pat, Jr. O;Brien\\: 1 ()", "Pat\nO'Brien \n,\\x:", "Back;slash: Co;:"}},
        CardsCase {"Version21KeepsBackslashesAndOnlyEscapesSemicolons",
            card({"VERSION:2.1", "N:O\\;Brien;Pat\\, Jr.", "TEL:1"}) + card({"VERSION:2.1", "FN:C:\\new\\\\dir"}),
            {"Pat\\, Jr. O;Brien: 1 ()", "C:\\new\\\\dir:"}},
        CardsCase {"QuotedPrintableValuesAreDecodedAcrossSoftLineBreaksInTheirCharset",
            card({"VERSION:2.1", "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Wei=DF;J=FC=", "rgen",
                "TEL;CELL;ENCODING=QUOTED-PRINTABLE:0171=20=", "555"})
                + card({"FN;CHARSET=UTF-8;QUOTED-PRINTABLE:J=C3=BCrgen =", " Wei=C3=9F =3D=zz=", ""})
                + card({"ORG;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:=80uro GmbH"}),
            {"Jürgen Weiß: 0171 555 (cell)", "Jürgen  Weiß ==zz:", "€uro GmbH:"}},
        CardsCase {"AQuotedPrintableValueMayBeginOnTheLineAfterItsColon",
            card({"VERSION:2.1", "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:", ";=D0=A2=D0=B0=D0=BD=D1=8F",
                "FN;ENCODING=QUOTED-PRINTABLE:", "TEL;CELL:+380 1"}),
            {"Таня: +380 1 (cell)"}},
        CardsCase {"ASoftLineBreakNeverSwallowsTheEndOfTheCard",
            "BEGIN:VCARD\r\nFN;QUOTED-PRINTABLE:Anna=\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Ben\r\nEND:VCARD\r\n",
            {"Anna:", "Ben:"}},
        CardsCase {"UndeclaredBytesThatAreNotUtf8AreInTheCardsOwnCodePage",
            card({"VERSION:2.1", "N:\xD1\xEE\xEA\xEE\xEB\xEE\xE2;\xC8\xE2\xE0\xED", "TEL;CELL:1",
                "NOTE;CHARSET=UTF-8:", "ADR;CHARSET=WINDOWS-1251:;;\xCA\xE8\xE5\xE2"}),
            {"Иван Соколов: 1 (cell)"}},
        CardsCase {"UndeclaredBytesThatAreNotUtf8AreElseInTheWindowsCodePage",
            card({"FN:S\xF6ren \x80 \x81", "NOTE;CHARSET=utf-8:x", "N;CHARSET=X-KLINGON:S\xF6ren;"})
                + card({"FN;CHARSET=UTF-8:J\xFCrgen", "TEL:1"}),
            {"Sören € \u0081:", "Jürgen: 1 ()"}},
        CardsCase {"Utf8TextIsReadAfterAByteOrderMarkAndUnknownCharsetsAreTakenAsUtf8",
            "\xEF\xBB\xBF" + card({"FN;CHARSET=X-KLINGON:Jürgen Weiß"}) + card({"N:Weiß;Jürgen", "ORG:Ærø Ø"}),
            {"Jürgen Weiß:", "Jürgen Weiß:"}},
        CardsCase {"Utf16LittleEndianWithAByteOrderMark", inEncoding(kSchmidt, QStringConverter::Utf16LE, true),
            {"Jürgen Weiß: +49 170 1 (cell)"}},
        CardsCase {"Utf16BigEndianWithAByteOrderMark", inEncoding(kSchmidt, QStringConverter::Utf16BE, true),
            {"Jürgen Weiß: +49 170 1 (cell)"}},
        CardsCase {"Utf16WithoutAByteOrderMark", inEncoding(kSchmidt, QStringConverter::Utf16LE, false),
            {"Jürgen Weiß: +49 170 1 (cell)"}},
        CardsCase {"Utf16TextIsTextWhateverItsCharsetSays",
            inEncoding(card({"FN;CHARSET=windows-1251:Jürgen", "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=9F"}),
                QStringConverter::Utf16BE, true),
            {"Jürgen:"}},
        CardsCase {"TheDisplayNameFallsBackFromTheFormattedNameToNameOrganisationAndNumber",
            card({"FN:Formatted", "N:Last;First", "ORG:Org", "TEL:1"}) + card({"N:Last;First", "ORG:Org", "TEL:2"})
                + card({"N:;  First  ;;;", "TEL:3"}) + card({"N:Last;;;;", "TEL:4"}) + card({"ORG:Org;Unit", "TEL:5"})
                + card({"TEL;CELL:+49 6", "TEL:7"}),
            {"Formatted: 1 ()", "First Last: 2 ()", "First: 3 ()", "Last: 4 ()", "Org: 5 ()",
                "+49 6: +49 6 (cell), 7 ()"}},
        CardsCase {"ACardWithNeitherNameNorNumberIsDroppedAndOtherPropertiesAreIgnored",
            card({"VERSION:3.0", "N:;;;;", "FN: ", "TEL;CELL:  ", "EMAIL:x@example.org"})
                + card({"NOTE:FN:not a name", "X-TEL:not a number", "TEL:12"}),
            {"12: 12 ()"}},
        CardsCase {"ACardWithoutEndKeepsWhatItHasUpToTheNextCardOrTheEndOfTheData",
            "BEGIN:VCARD\r\nFN:Anna\r\nBEGIN:VCARD\r\nFN:Ben\r\nTEL:1\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Carl\r\nTE",
            {"Anna:", "Ben: 1 ()", "Carl:"}},
        CardsCase {"ACardNestedInAnotherEndsTheOuterOneAndIsReadOnItsOwn",
            card({"FN:Outer", "TEL:1", "AGENT:", "BEGIN:VCARD", "FN:Inner", "TEL:2", "END:VCARD", "TEL:3"})
                + card({"FN:Next"}),
            {"Outer: 1 ()", "Inner: 2 ()", "Next:"}},
        CardsCase {"SeveralCardsAreReadInOrderWhateverTheCaseOfTheirNames",
            "begin:vcard\r\nfn:Anna\r\nend:vcard\r\nBegin:VCard\r\nFn:Ben\r\nEnd:VCard\r\n"
            "BEGIN:VCARD\r\nFN:Carl\r\nEND:VCARD\r\n",
            {"Anna:", "Ben:", "Carl:"}}),
    [](const ::testing::TestParamInfo<CardsCase>& info) { return std::string(info.param.name); });

class VCardLineEndsTest : public ::testing::TestWithParam<std::string> { };

TEST_P(VCardLineEndsTest, AContinuationLineLosesItsLineBreakAndOneSpaceOrTab)
{
    const std::string br = GetParam();
    const VCardReader::Result result
        = read("BEGIN:VCARD" + br + "FN:Ann" + br + " a Sch" + br + "\tmidt" + br + "TEL;TY" + br + " PE=cell:+49 170"
            + br + "  1234567" + br + "N;QUOTED-PRINTABLE:Schmidt;=" + br + "Anna" + br + "END:VCARD" + br);
    EXPECT_EQ(withTypes(result.contacts), QStringList({"Anna Schmidt: +49 170 1234567 (cell)"}));
    EXPECT_EQ(result.contacts.value(0).firstName, "Anna");
}

std::string lineBreakName(const ::testing::TestParamInfo<std::string>& info)
{
    const char* names[] = {"CRLF", "LF", "CR", "CRCRLF"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(LineBreaks, VCardLineEndsTest, ::testing::Values("\r\n", "\n", "\r", "\r\r\n"), lineBreakName);

struct RealFile {
    const char* file;
    qsizetype contacts;
    QStringList shown;  // asShown() of some of its contacts; of all when there are as many as contacts
};

std::ostream& operator<<(std::ostream& out, const RealFile& row)
{
    return out << row.file;
}

// The file's name without ".vcf", as a test name can hold it.
std::string realFileName(const ::testing::TestParamInfo<RealFile>& info)
{
    std::string name = info.param.file;
    name.resize(name.size() - 4);
    for (char& c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

class VCardRealFilesTest : public ::testing::TestWithParam<RealFile> { };

TEST_P(VCardRealFilesTest, GiveWhatTheAddressBookThatWroteThemShows)
{
    QFile file(QString::fromStdString(TestData::file(std::string("vcards/") + GetParam().file).string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << GetParam().file;
    const VCardReader::Result result = VCardReader::read(file.readAll());
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_EQ(result.contacts.size(), GetParam().contacts);
    QStringList shown;
    for (const Contact& contact : result.contacts)
        shown.append(asShown(contact));
    for (const QString& expected : GetParam().shown)
        EXPECT_TRUE(shown.contains(expected)) << expected.toStdString() << "\nnot among\n"
                                              << shown.mid(0, 8).join('\n').toStdString();
}

const QStringList kBruening {"Michael Brüning: +491622433834 mobile, 017623384942 mobile, +4973117546691 work"};
const QStringList kLineContinuation {"Nikdovic Nikdo: 55554444 work"};
const QStringList kPerl {"Bartholomäus von Stürmer: +08154711 mobile", "Carl Gauß: +471112345 other"};
const QStringList kMustermann {"Überwerbung GmbH: +49 30 1234567 work, +49 172 1234567 mobile"};
const QStringList kSonyEricsson {"Іванна (Карпати): +380984437285 mobile", "Таня: +380989945355 mobile",
    "Александр Терещенко: +380689055070 mobile, +380675020823 other"};

INSTANTIATE_TEST_SUITE_P(Files, VCardRealFilesTest,
    ::testing::Values(RealFile {"nokia-2.1-quoted-printable.vcf", 1, kBruening},
        RealFile {"nokia-2.1-quoted-printable.ios-line-ends.vcf", 1, kBruening},
        RealFile {
            "evolution-3.0-folded-parameters.vcf", 1, {"Ralf Engels: +1-919-676-9515 work, +1-919-676-9564 work"}},
        RealFile {"sony-ericsson-2.1-cyrillic.vcf", 499, kSonyEricsson},
        RealFile {"sony-ericsson-2.1-cyrillic.windows-1251.vcf", 499, kSonyEricsson},
        RealFile {"gammu-2.1-line-continuation.vcf", 1, kLineContinuation},
        RealFile {"gammu-2.1-line-continuation.ios-line-ends.vcf", 1, kLineContinuation},
        RealFile {"perl-2.1-quoted-printable.vcf", 2, kPerl},
        RealFile {"perl-2.1-quoted-printable.ios-line-ends.vcf", 2, kPerl},
        RealFile {"mac-address-book-3.0.vcf", 1, kMustermann},
        RealFile {"mac-address-book-3.0.windows-1252.vcf", 1, kMustermann},
        RealFile {"mac-address-book-3.0.utf-16le.vcf", 1, kMustermann},
        RealFile {"mac-address-book-3.0.utf-16be.vcf", 1, kMustermann},
        RealFile {"mac-address-book-4.0.vcf", 1,
            {"Hans Dieter Schmidt: +49 9823 9084 work, +49 234 234 234 work, +49 7373 73 work, +49 2626 26 other, "
             "+49 7272 722 mobile, +49 12 34 567 other, +49 8292 38 383 other, +49 7327 272 727 home, "
             "+49 40 812 387 21 home, +49 8373 6262 other, +49 7272 72 other, 4234234235 other, 98732947234 other, "
             "+49 9872 349 832 other, +49 9872 394 872 34 other, +49 38 288 228 82 other, +49 7722 88 28 282 other, "
             "+49 6237 623 723 84 76 other, +49 9324 32 479 234234 other, +49 8383 73 723 other, "
             "+49 8383 73 723 other, +49 7373 73 other, +49 8378 33 other"}}),
    realFileName);

TEST(VCardReaderTest, DataWithoutAnyCardIsAnError)
{
    std::mt19937 random(7);
    std::string junk(4096, '\0');
    for (char& byte : junk)
        byte = static_cast<char>(random());
    for (const std::string& data :
        {std::string(), std::string("\xEF\xBB\xBF"), std::string("\xFF\xFE"), junk, std::string("FN:Anna\r\nTEL:1\r\n"),
            std::string("END:VCARD\r\n"), std::string("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n")}) {
        const VCardReader::Result result = read(data);
        EXPECT_FALSE(result.error.isEmpty()) << data.size() << " bytes";
        EXPECT_TRUE(result.contacts.isEmpty());
    }
}

TEST(VCardReaderTest, EveryCutOfTheDataReadsWithoutHarmAndNeverInventsAContact)
{
    const std::string text = card({"VERSION:2.1", "N;CHARSET=ISO-8859-1;QUOTED-PRINTABLE:Wei=DF;J=FC=", "rgen",
                                 "TEL;TYPE=\"cell,voice\":tel:+49 170 1234567", "item1.ORG:A\\;B;C"})
        + card({"FN:Ben", " Miller", "TEL:0170 7654321"});
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const VCardReader::Result result = read(text.substr(0, length));
        ASSERT_LE(result.contacts.size(), 2);
        for (const Contact& contact : result.contacts)
            EXPECT_FALSE(contact.displayName().isEmpty()) << length;
    }
}

TEST(VCardReaderTest, FlippedBytesAnywhereInACardReadWithoutHarm)
{
    const std::string text = card({"VERSION:4.0",
        "FN;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:J=FCrgen =", "Wei=DF",
        "item1.TEL;VALUE=uri;TYPE=\"cell\";PREF=1:tel:+49-151", "item1.X-ABLabel:_$!<Mobile>!$_", "N:A\\;B;C\\\\;;;"});
    std::mt19937 random(11);
    const std::string hostile = "\\;:=\"\r\n \t,.\xC3\xFF";
    for (int round = 0; round < 2000; ++round) {
        std::string mutated = text;
        for (int flip = 0; flip < 4; ++flip)
            mutated[random() % mutated.size()] = hostile[random() % hostile.size()];
        for (const Contact& contact : read(mutated).contacts)
            EXPECT_FALSE(contact.displayName().isEmpty()) << mutated;
    }
}

TEST(VCardReaderTest, AVeryLongLineIsReadAndDataOverTheSizeLimitIsRefused)
{
    const std::string longNote = "NOTE:" + std::string(6 * 1024 * 1024, 'x');
    const Contact contact = onlyContact(card({"FN:Anna", longNote, "TEL:1"}));
    EXPECT_EQ(contact.phoneNumbers, QList<ContactPhone>({{"1", {}}}));

    std::string tooLarge = card({"FN:Anna"});
    tooLarge.resize(VCardReader::kMaxBytes + 1, '\n');
    const VCardReader::Result refused = read(tooLarge);
    EXPECT_FALSE(refused.error.isEmpty());
    EXPECT_TRUE(refused.contacts.isEmpty());
}

TEST(VCardReaderTest, CardsAndNumbersBeyondTheirLimitsAreNotRead)
{
    std::string numbers = "BEGIN:VCARD\r\nFN:Switchboard\r\n";
    for (qsizetype i = 0; i <= VCardReader::kMaxPhoneNumbers; ++i)
        numbers += "TEL:" + std::to_string(i) + "\r\n";
    const Contact switchboard = onlyContact(numbers + "END:VCARD\r\n");
    EXPECT_EQ(switchboard.phoneNumbers.size(), VCardReader::kMaxPhoneNumbers);

    std::string cards;
    for (qsizetype i = 0; i <= VCardReader::kMaxContacts; ++i)
        cards += "BEGIN:VCARD\nTEL:" + std::to_string(i) + "\nEND:VCARD\n";
    const VCardReader::Result result = read(cards);
    ASSERT_EQ(result.contacts.size(), VCardReader::kMaxContacts);
    EXPECT_EQ(result.contacts.last().displayName(), QString::number(VCardReader::kMaxContacts - 1));
}

}  // namespace
