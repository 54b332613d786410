#include "Platform/Contacts/VCardReader.h"

#include "Platform/System/TelephoneURL.h"
#include "support/ContactPrinters.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using Phones = QList<ContactPhone>;

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

QStringList displayNames(const QList<Contact>& contacts)
{
    QStringList names;
    for (const Contact& contact : contacts)
        names.append(contact.displayName());
    return names;
}

// A card of these content lines, each ended by CRLF.
std::string card(std::initializer_list<std::string> lines)
{
    std::string text = "BEGIN:VCARD\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text + "END:VCARD\r\n";
}

TEST(VCardReaderTest, AVersion21CardGivesItsNamesAndNumbersWithBareTypes)
{
    const Contact anna = onlyContact(card({"VERSION:2.1", "N:Schmidt;Anna;;;", "FN:Anna Schmidt",
        "TEL;CELL;PREF:+49 170 1234567", "TEL;WORK;VOICE:030 123456", "TEL:  0800 1111  "}));
    EXPECT_EQ(anna.firstName, "Anna");
    EXPECT_EQ(anna.lastName, "Schmidt");
    EXPECT_EQ(anna.formattedName, "Anna Schmidt");
    EXPECT_EQ(anna.phoneNumbers,
        Phones({{"+49 170 1234567", {"cell", "pref"}}, {"030 123456", {"work", "voice"}}, {"0800 1111", {}}}));
}

TEST(VCardReaderTest, AVersion30CardGivesTypeListsRepeatedTypesAndTheFirstOrganisationComponent)
{
    const Contact ben = onlyContact(card({"VERSION:3.0", "FN:Ben Miller", "ORG:Acme Ltd.;Sales;North",
        "TEL;TYPE=CELL,voice:0170 7654321", "TEL;type=HOME;type=fax;TYPE=home:(030) 55 01-87"}));
    EXPECT_EQ(ben.organization, "Acme Ltd.");
    EXPECT_EQ(ben.phoneNumbers, Phones({{"0170 7654321", {"cell", "voice"}}, {"(030) 55 01-87", {"home", "fax"}}}));
}

TEST(VCardReaderTest, AVersion40CardGivesQuotedTypesAndTelUrisWithoutTheirScheme)
{
    const Contact clara = onlyContact(
        card({"VERSION:4.0", "FN:Clara Jansen", "TEL;VALUE=uri;PREF=1;TYPE=\"cell,voice\":tel:+49-160-9876543",
            "TEL;VALUE=uri;TYPE=work;X-NOTE=\"a:b;c\":tel:+1-555-555-0199;ext=42"}));
    EXPECT_EQ(clara.phoneNumbers,
        Phones({{"+49-160-9876543", {"pref", "cell", "voice"}}, {"+1-555-555-0199;ext=42", {"work"}}}));
    // The dialler gets the card's own URI back.
    EXPECT_EQ(TelephoneURL::forNumber(clara.phoneNumbers[1].number), "tel:+1-555-555-0199;ext=42");
}

TEST(VCardReaderTest, SeveralCardsAreReadInOrderWhateverTheCaseOfTheirNames)
{
    const VCardReader::Result result = read("begin:vcard\r\nfn:Anna\r\nend:vcard\r\n"
                                            "Begin:VCard\r\nFn:Ben\r\nEnd:VCard\r\n"
                                            "BEGIN:VCARD\r\nFN:Carl\r\nEND:VCARD\r\n");
    EXPECT_EQ(displayNames(result.contacts), QStringList({"Anna", "Ben", "Carl"}));
}

TEST(VCardReaderTest, GroupedPropertiesAreReadAsTheirName)
{
    const Contact dora = onlyContact(card(
        {"item1.FN:Dora", "item1.TEL;type=CELL:0151 2345678", "item1.X-ABLabel:mobile", "item2.ORG:Lindqvist AB"}));
    EXPECT_EQ(dora.formattedName, "Dora");
    EXPECT_EQ(dora.organization, "Lindqvist AB");
    EXPECT_EQ(dora.phoneNumbers, Phones({{"0151 2345678", {"cell"}}}));
}

class VCardFoldingTest : public ::testing::TestWithParam<std::string> { };

TEST_P(VCardFoldingTest, AContinuationLineLosesItsLineBreakAndOneSpaceOrTab)
{
    const std::string br = GetParam();
    const Contact contact = onlyContact("BEGIN:VCARD" + br + "FN:Ann" + br + " a Sch" + br + "\tmidt" + br + "TEL;TY"
        + br + " PE=cell:+49 170" + br + "  1234567" + br + "END:VCARD" + br);
    EXPECT_EQ(contact.formattedName, "Anna Schmidt");
    EXPECT_EQ(contact.phoneNumbers, Phones({{"+49 170 1234567", {"cell"}}}));
}

INSTANTIATE_TEST_SUITE_P(LineBreaks, VCardFoldingTest, ::testing::Values("\r\n", "\n", "\r"));

TEST(VCardReaderTest, EscapesAreUndoneAndOnlyUnescapedSemicolonsSplitComponents)
{
    const Contact contact = onlyContact(
        card({"N:O\\;Brien\\\\;Pat\\, Jr.;;;", "FN:Pat\\nO'Brien \\N\\,\\x", "ORG:Back\\;slash\\: Co\\;;Dept"}));
    EXPECT_EQ(contact.lastName, "O;Brien\\");
    EXPECT_EQ(contact.firstName, "Pat, Jr.");
    EXPECT_EQ(contact.formattedName, "Pat\nO'Brien \n,\\x");
    EXPECT_EQ(contact.organization, "Back;slash: Co;");
}

TEST(VCardReaderTest, QuotedPrintableValuesAreDecodedAcrossSoftLineBreaksInTheirCharset)
{
    const Contact contact = onlyContact(card({"VERSION:2.1",
        "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Wei=DF;J=FC=",  // a soft break in the middle of a name
        "rgen", "FN;CHARSET=UTF-8;QUOTED-PRINTABLE:J=C3=BCrgen =", " Wei=C3=9F =3D=zz=", "",
        "ORG;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:=80uro GmbH",
        "TEL;CELL;ENCODING=QUOTED-PRINTABLE:0171=20=", "555"}));
    EXPECT_EQ(contact.lastName, "Weiß");
    EXPECT_EQ(contact.firstName, "Jürgen");
    EXPECT_EQ(contact.formattedName, "Jürgen  Weiß ==zz");
    EXPECT_EQ(contact.organization, "€uro GmbH");
    EXPECT_EQ(contact.phoneNumbers, Phones({{"0171 555", {"cell"}}}));
}

TEST(VCardReaderTest, ASoftLineBreakNeverSwallowsTheEndOfTheCard)
{
    const VCardReader::Result result
        = read("BEGIN:VCARD\r\nFN;QUOTED-PRINTABLE:Anna=\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Ben\r\nEND:VCARD\r\n");
    EXPECT_EQ(displayNames(result.contacts), QStringList({"Anna", "Ben"}));
}

TEST(VCardReaderTest, Utf8TextIsReadAfterAByteOrderMarkAndUnknownCharsetsAreTakenAsUtf8)
{
    const Contact contact
        = onlyContact("\xEF\xBB\xBF" + card({"FN;CHARSET=X-KLINGON:Jürgen Weiß", "N:Weiß;Jürgen", "ORG:Ærø Ø"}));
    EXPECT_EQ(contact.formattedName, "Jürgen Weiß");
    EXPECT_EQ(contact.lastName, "Weiß");
    EXPECT_EQ(contact.organization, "Ærø Ø");
}

TEST(VCardReaderTest, TheDisplayNameFallsBackFromTheFormattedNameToNameOrganisationAndNumber)
{
    const VCardReader::Result result = read(card({"FN:Formatted", "N:Last;First", "ORG:Org", "TEL:1"})
        + card({"N:Last;First", "ORG:Org", "TEL:2"}) + card({"N:;  First  ;;;", "TEL:3"})
        + card({"N:Last;;;;", "TEL:4"}) + card({"ORG:Org;Unit", "TEL:5"}) + card({"TEL;CELL:+49 6", "TEL:7"}));
    EXPECT_EQ(displayNames(result.contacts), QStringList({"Formatted", "First Last", "First", "Last", "Org", "+49 6"}));
}

TEST(VCardReaderTest, ACardWithNeitherNameNorNumberIsDroppedAndOtherPropertiesAreIgnored)
{
    const VCardReader::Result result
        = read(card({"VERSION:3.0", "N:;;;;", "FN: ", "TEL;CELL:  ", "EMAIL:x@example.org"})
            + card({"NOTE:FN:not a name", "X-TEL:not a number", "TEL:12"}));
    EXPECT_TRUE(result.error.isEmpty());
    ASSERT_EQ(result.contacts.size(), 1);
    EXPECT_EQ(result.contacts[0].displayName(), "12");
}

TEST(VCardReaderTest, DataWithoutAnyCardIsAnError)
{
    std::mt19937 random(7);
    std::string junk(4096, '\0');
    for (char& byte : junk)
        byte = static_cast<char>(random());
    for (const std::string& data :
        {std::string(), std::string("\xEF\xBB\xBF"), junk, std::string("FN:Anna\r\nTEL:1\r\n"),
            std::string("END:VCARD\r\n"), std::string("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n")}) {
        const VCardReader::Result result = read(data);
        EXPECT_FALSE(result.error.isEmpty()) << data.size() << " bytes";
        EXPECT_TRUE(result.contacts.isEmpty());
    }
}

TEST(VCardReaderTest, ACardWithoutEndKeepsWhatItHasUpToTheNextCardOrTheEndOfTheData)
{
    const VCardReader::Result result
        = read("BEGIN:VCARD\r\nFN:Anna\r\nBEGIN:VCARD\r\nFN:Ben\r\nTEL:1\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Carl\r\nTE");
    EXPECT_EQ(displayNames(result.contacts), QStringList({"Anna", "Ben", "Carl"}));
    EXPECT_TRUE(result.contacts[2].phoneNumbers.isEmpty());
}

TEST(VCardReaderTest, ACardNestedInAnotherEndsTheOuterOneAndIsReadOnItsOwn)
{
    const VCardReader::Result result
        = read(card({"FN:Outer", "TEL:1", "AGENT:", "BEGIN:VCARD", "FN:Inner", "TEL:2", "END:VCARD", "TEL:3"})
            + card({"FN:Next"}));
    EXPECT_EQ(displayNames(result.contacts), QStringList({"Outer", "Inner", "Next"}));
    EXPECT_EQ(result.contacts[0].phoneNumbers, Phones({{"1", {}}}));
    EXPECT_EQ(result.contacts[1].phoneNumbers, Phones({{"2", {}}}));
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
    const std::string text
        = card({"VERSION:4.0", "FN;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:J=FCrgen =", "Wei=DF",
            "TEL;VALUE=uri;TYPE=\"cell\";PREF=1:tel:+49-151", "N:A\\;B;C\\\\;;;"});
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
    EXPECT_EQ(contact.phoneNumbers, Phones({{"1", {}}}));

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
