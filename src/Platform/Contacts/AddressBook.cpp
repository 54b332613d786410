#include "Platform/Contacts/AddressBook.h"

#include "Platform/Contacts/VCardReader.h"
#include "Platform/System/Log.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace {

// Folders deeper than this below the contacts folder are not read.
constexpr int kMaxFolderDepth = 8;
// Files after this many are not read.
constexpr qsizetype kMaxFiles = 20'000;
// How long the folder must be quiet before it is read again: saving a
// contact often touches it several times in a row.
constexpr int kSettleMilliseconds = 300;

bool isContactFile(const QString& name)
{
    return name.endsWith(QLatin1String(".vcf"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1String(".vcard"), Qt::CaseInsensitive);
}

// The folder itself or, when it does not exist, the nearest one above it
// that does: watching that one tells when the folder is made.
QString nearestExistingFolder(const QString& directory)
{
    QDir folder(QDir::cleanPath(QDir(directory).absolutePath()));
    while (!folder.exists() && !folder.isRoot())
        folder.setPath(QDir::cleanPath(folder.absoluteFilePath(QStringLiteral(".."))));
    return folder.absolutePath();
}

int depthBelow(const QDir& root, const QString& path)
{
    return static_cast<int>(root.relativeFilePath(path).count(QLatin1Char('/')));
}

// The contact files of the folder and its subfolders, sorted, and the
// subfolders; symbolic links to folders are not followed, so a link that
// loops cannot hold the walk.
void findFiles(const QString& directory, QStringList& files, QStringList& folders)
{
    const QDir root(directory);
    QDirIterator entries(directory, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (entries.hasNext() && files.size() < kMaxFiles) {
        const QFileInfo entry = entries.nextFileInfo();
        if (depthBelow(root, entry.filePath()) > kMaxFolderDepth)
            continue;
        if (entry.isDir() && !entry.isSymLink())
            folders.append(entry.filePath());
        else if (entry.isFile() && isContactFile(entry.fileName()))
            files.append(entry.filePath());
    }
    files.sort();
}

// The contacts of one file, or the reason they cannot be had.
VCardReader::Result readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("cannot be read: ") + file.errorString()};
    // One byte more than the reader takes, so that it refuses a larger file
    // without all of it being read.
    const QByteArray bytes = file.read(VCardReader::kMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, QStringLiteral("cannot be read: ") + file.errorString()};
    return VCardReader::read(bytes);
}

// Why a file that was read gives nothing to dial, or "" when it does.
QString whyNothingToDial(const VCardReader::Result& read)
{
    if (!read.error.isEmpty())
        return read.error;
    const bool hasNumber = std::any_of(read.contacts.cbegin(), read.contacts.cend(),
        [](const Contact& contact) { return !contact.phoneNumbers.isEmpty(); });
    return hasNumber ? QString() : QStringLiteral("no contact with a phone number");
}

void sortForListing(QList<Contact>& contacts)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(contacts.begin(), contacts.end(),
        [&](const Contact& a, const Contact& b) { return collator.compare(a.displayName(), b.displayName()) < 0; });
}

}  // namespace

QString AddressBook::defaultDirectory()
{
    const QString fromEnvironment = qEnvironmentVariable("ZARNETH_CONTACTS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kpeoplevcard");
}

AddressBook::AddressBook(QString directory, QObject* parent)
    : QObject(parent)
    , m_directory(std::move(directory))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &AddressBook::reload);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_reading, &QFutureWatcher<Reading>::finished, this, &AddressBook::takeReading);
    startReading();
}

AddressBook::~AddressBook()
{
    // The worker shares nothing with this object, so it may finish on its own.
    m_reading.cancel();
}

QString AddressBook::directory() const
{
    return m_directory;
}

QList<Contact> AddressBook::contacts() const
{
    return m_contacts;
}

QMap<QString, QString> AddressBook::skippedFiles() const
{
    return m_skipped;
}

bool AddressBook::isLoading() const
{
    return m_isReading || m_readAgain;
}

void AddressBook::reload()
{
    if (m_isReading)
        m_readAgain = true;
    else
        startReading();
}

void AddressBook::startReading()
{
    m_isReading = true;
    m_reading.setFuture(QtConcurrent::run(&AddressBook::readFolder, m_directory));
}

AddressBook::Reading AddressBook::read(const QString& directory)
{
    return *readUnless(directory, [] { return false; });
}

void AddressBook::readFolder(QPromise<Reading>& promise, const QString& directory)
{
    std::optional<Reading> reading = readUnless(directory, [&promise] { return promise.isCanceled(); });
    if (reading)
        promise.addResult(std::move(*reading));
}

std::optional<AddressBook::Reading> AddressBook::readUnless(const QString& directory, const std::function<bool()>& stop)
{
    Reading reading;
    if (!QFileInfo(directory).isDir()) {
        reading.watchPaths.append(nearestExistingFolder(directory));
        return reading;
    }
    QStringList files;
    reading.watchPaths.append(directory);
    findFiles(directory, files, reading.watchPaths);
    for (const QString& path : files) {
        if (stop())
            return std::nullopt;
        VCardReader::Result read = readFile(path);
        const QString why = whyNothingToDial(read);
        if (!why.isEmpty())
            reading.skipped.insert(path, why);
        for (Contact& contact : read.contacts)
            contact.sourceFile = path;
        reading.contacts += std::move(read.contacts);
    }
    reading.watchPaths += files;
    sortForListing(reading.contacts);
    return reading;
}

void AddressBook::takeReading()
{
    m_isReading = false;
    if (m_reading.future().resultCount() > 0) {
        const Reading reading = m_reading.result();
        m_contacts = reading.contacts;
        m_skipped = reading.skipped;
        report(reading.skipped);
        watch(reading.watchPaths);
        m_hasRead = true;
    }
    if (m_readAgain) {
        m_readAgain = false;
        startReading();
    }
    emit contactsChanged();
}

void AddressBook::report(const QMap<QString, QString>& skipped)
{
    // Once per file and reason, not again on every read.
    for (auto file = skipped.cbegin(); file != skipped.cend(); ++file) {
        if (m_reported.value(file.key()) != file.value())
            Log::write(QStringLiteral("Contacts: skipped %1: %2").arg(file.key(), file.value()));
    }
    m_reported = skipped;
}

void AddressBook::watch(const QStringList& paths)
{
    const QStringList watchedFiles = m_watcher.files();
    const QStringList watchedFolders = m_watcher.directories();
    const QSet<QString> wanted(paths.cbegin(), paths.cend());
    QSet<QString> watched(watchedFiles.cbegin(), watchedFiles.cend());
    watched.unite(QSet<QString>(watchedFolders.cbegin(), watchedFolders.cend()));

    const QSet<QString> gone = QSet<QString>(watched).subtract(wanted);
    const QSet<QString> added = QSet<QString>(wanted).subtract(watched);
    if (!gone.isEmpty())
        m_watcher.removePaths(gone.values());
    if (added.isEmpty())
        return;
    m_watcher.addPaths(added.values());
    // Whatever was put into a new folder before it was watched is seen by
    // one more read.
    if (m_hasRead
        && std::any_of(added.cbegin(), added.cend(), [](const QString& path) { return QFileInfo(path).isDir(); }))
        m_settle.start();
}
