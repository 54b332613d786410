#include "Platform/Contacts/AddressBook.h"

#include "Platform/Contacts/VCardReader.h"
#include "Platform/System/BundleResources.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryDirectory.h"
#include "support/WithoutPermissionOverride.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QThreadPool>
#include <QTimer>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray card(const QString& name)
{
    return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:%1\r\nTEL:1\r\nEND:VCARD\r\n").arg(name).toUtf8();
}

// The names the book lists, in its order, joined by ", ".
std::string names(const AddressBook& book)
{
    QStringList names;
    for (const Contact& contact : book.contacts())
        names.append(contact.displayName());
    return names.join(QStringLiteral(", ")).toStdString();
}

// Waits, through the book's reads, until `done` holds; without it, until
// the book has read the folder as often as it was asked to.
bool waitFor(AddressBook& book, const std::function<bool()>& done = {})
{
    QSignalSpy changed(&book, &AddressBook::contactsChanged);
    while (done ? !done() : book.isLoading()) {
        if (!changed.wait(10'000))
            return false;
    }
    return true;
}

class AddressBookTest : public ::testing::Test {
protected:
    QString folder() const { return QString::fromStdString(m_folder.path().string()); }
    QString path(const QString& relative) const { return folder() + QLatin1Char('/') + relative; }

    // Writes a file in place (an existing one keeps its inode), making its folders.
    void write(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    TemporaryDirectory m_folder;
    LogCapture m_log;
};

TEST_F(AddressBookTest, EveryCardFileOfTheFolderTreeIsReadOffTheMainThreadAndWhatGivesNothingToDialIsLogged)
{
    // Card files in any case at any depth, also in a folder named like a card file.
    const std::pair<const char*, const char*> cards[] = {{"anna.vcf", "Anna"}, {"Zorro.vcf", "Zorro"},
        {"old/olaf.VCARD", "olaf"}, {"a/b/c/aerzte.Vcf", "Ärzte am Markt"}, {"odd.vcf/oeztuerk.vcf", "Öztürk"},
        {"notes.txt", "Not a card file"}, {"Zorro.vcf~", "A backup"}};
    for (const auto& [file, name] : cards)
        write(file, card(name));
    ASSERT_EQ(symlink(".", qPrintable(path("loop"))), 0);  // links that loop are walked once
    ASSERT_EQ(symlink("..", qPrintable(path("odd.vcf/up.vcf"))), 0);
    write("junk.vcf", QByteArray::fromHex("7f454c4602010100000000") + ":;=\r\n\xff\xfe");  // a program, not a card
    write("huge.vcf", card("Huge"));
    ASSERT_TRUE(QFile::resize(path("huge.vcf"), VCardReader::kMaxBytes + 1));
    write("names.vcf", "BEGIN:VCARD\r\nFN:Dora\r\nTEL;VALUE=uri:sip:dora@example.org\r\nEND:VCARD\r\n");
    write("locked.vcf", card("Locked"));
    ASSERT_TRUE(QFile::setPermissions(path("locked.vcf"), {}));
    // A pipe nobody writes to would block a reader for ever; a link to
    // nowhere cannot be opened. Neither is a file: both are passed over.
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.vcf")).constData(), 0600), 0);
    ASSERT_EQ(symlink("/nonexistent/gone.vcf", QFile::encodeName(path("gone.vcf")).constData()), 0);

    // The book reads on the pool's threads, which root's override would let
    // through: empty the pool, so that the threads reading here start without it.
    QThreadPool::globalInstance()->waitForDone();
    const WithoutPermissionOverride asAUser;
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // the order of the user's language
    AddressBook book(folder());
    bool eventsRanWhileReading = false;
    QTimer::singleShot(0, [&] { eventsRanWhileReading = book.isLoading(); });
    const bool finished = waitFor(book);
    EXPECT_TRUE(eventsRanWhileReading) << "the folder is read off the main thread";
    book.reload();  // the same files again: nothing new to say
    ASSERT_TRUE(finished && waitFor(book));
    QLocale::setDefault(before);
    QThreadPool::globalInstance()->waitForDone();
    // The picker lists people without numbers too.
    EXPECT_EQ(names(book), "Anna, Ärzte am Markt, Dora, olaf, Öztürk, Zorro");
    EXPECT_EQ(book.contacts().value(3).sourceFile, path("old/olaf.VCARD"));
    QMap<QString, QString> skipped = book.skippedFiles();
    QStringList expectedLines;
    for (auto file = skipped.cbegin(); file != skipped.cend(); ++file)
        expectedLines.append("Contacts: skipped " + file.key() + ": " + file.value());
    EXPECT_EQ(m_log.lines().filter("Contacts:").join('\n').toStdString(), expectedLines.join('\n').toStdString());
    EXPECT_TRUE(skipped.take(path("locked.vcf")).startsWith("cannot be read: "));
    EXPECT_EQ(skipped,
        (QMap<QString, QString> {{path("huge.vcf"), "larger than 8 MiB"}, {path("junk.vcf"), "no vCard in it"},
            {path("names.vcf"), "no contact with a phone number"}}));
}

// The book follows its folder, reads again when asked, and is left behind
// cleanly; the bundled contacts read without a complaint.
TEST_F(AddressBookTest, TheFolderIsFollowedReloadedAndLeftCleanlyAndTheBundledContactsRead)
{
    AddressBook book(path("contacts"));  // read once it is made
    ASSERT_TRUE(waitFor(book));
    EXPECT_TRUE(book.contacts().isEmpty());
    const auto shows = [&](const char* expected) { return waitFor(book, [&] { return names(book) == expected; }); };
    // A file, the name in it, and what the book shows then.
    for (const auto& [file, name, shown] : {std::tuple("anna.vcf", "Anna", "Anna"),
             std::tuple("sub/ben.vcf", "Ben", "Anna, Ben"), std::tuple("sub/carl.vcf", "Carl", "Anna, Ben, Carl"),
             std::tuple("anna.vcf", "Anna Schmidt", "Anna Schmidt, Ben, Carl")}) {
        write(QStringLiteral("contacts/") + file, card(name));
        EXPECT_TRUE(shows(shown)) << names(book);
    }
    ASSERT_TRUE(QFile::remove(path("contacts/sub/ben.vcf")));
    EXPECT_TRUE(shows("Anna Schmidt, Carl")) << names(book);

    // Destroyed while it reads, it leaves nothing behind; a reload during a read reads once more.
    for (int i = 0; i < 200; ++i)
        write(QStringLiteral("many/person%1.vcf").arg(i), card(QStringLiteral("Person %1").arg(i)));
    std::make_unique<AddressBook>(path("many")).reset();
    AddressBook many(path("many"));
    QSignalSpy changed(&many, &AddressBook::contactsChanged);
    write("many/ben.vcf", card("Ben"));
    many.reload();
    many.reload();
    EXPECT_TRUE(many.isLoading());
    ASSERT_TRUE(waitFor(many));
    EXPECT_EQ(std::tuple(changed.count(), many.contacts().size()), std::tuple(2, qsizetype {201}));

    AddressBook bundled(BundleResources::directory() + QStringLiteral("/contacts"));
    ASSERT_TRUE(waitFor(bundled));
    EXPECT_TRUE(m_log.lines().isEmpty()) << m_log.lines().join('\n').toStdString();
    EXPECT_EQ(
        names(bundled), "Anna Schmidt, Ben Miller, Clara Jansen, Dora Lindqvist, Jürgen Weiß, Praxis am Lindenplatz");
    const ScopedEnvironment unset("ZARNETH_CONTACTS", "");
    EXPECT_EQ(AddressBook::defaultDirectory(),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/kpeoplevcard");
}

}  // namespace
