#pragma once

#include "Platform/Contacts/Contact.h"

#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QMap>
#include <QObject>
#include <QPromise>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

// The user's contacts: every vCard file (*.vcf, *.vcard, any case) in a
// folder and its subfolders, read on a worker thread so that the screens
// never wait for the disk. The folder is watched, and a change anywhere in
// it (a file added, removed, renamed or rewritten) reads it again once
// things have settled for a moment. A folder that does not exist gives no
// contacts; the nearest folder above it that exists is watched instead, so
// the contacts appear once the folder is made.
//
// The object belongs to the thread that made it (the main thread): its
// functions are called there and contactsChanged() is emitted there.
class AddressBook : public QObject {
    Q_OBJECT
public:
    // What one read of a folder found.
    struct Reading {
        QList<Contact> contacts;         // sorted as contacts() is
        QMap<QString, QString> skipped;  // as skippedFiles() says
        QStringList watchPaths;          // the folders and files read, or the nearest existing folder above
    };
    // Reads a folder at once on the calling thread, as the book does on its
    // worker: for a program that wants the contacts and has no event loop.
    static Reading read(const QString& directory);

    // $ZARNETH_CONTACTS when set and not empty, else the folder where Plasma
    // Mobile keeps its contacts: $XDG_DATA_HOME/kpeoplevcard, that is
    // ~/.local/share/kpeoplevcard.
    static QString defaultDirectory();

    // Starts the first read at once; contactsChanged() comes when it is done.
    explicit AddressBook(QString directory = defaultDirectory(), QObject* parent = nullptr);
    // Tells a running read to stop and returns without waiting for it.
    ~AddressBook() override;

    QString directory() const;
    // Sorted by displayName(), as the user's language sorts, ignoring case.
    QList<Contact> contacts() const;
    // The contact files that give nothing to dial, each with the reason:
    // unreadable, too large, not a vCard, or no contact with a phone number
    // (the contacts of such a file are still listed, as the screens show
    // people without numbers too). Each is logged once when first found.
    QMap<QString, QString> skippedFiles() const;
    // Whether a read is running or requested to follow the running one.
    bool isLoading() const;
    // Reads the folder again on the worker thread and emits contactsChanged()
    // when done. Asked while a read runs, it reads once more after that read
    // (however often it is asked), so the last word is the newest one.
    void reload();

signals:
    // After every read, whether or not anything changed.
    void contactsChanged();

private:
    // The worker: runs on a pool thread and touches nothing but its arguments.
    static void readFolder(QPromise<Reading>& promise, const QString& directory);
    // Reads the folder unless stop() says to give up (then returns nothing).
    static std::optional<Reading> readUnless(const QString& directory, const std::function<bool()>& stop);

    void startReading();
    void takeReading();
    void report(const QMap<QString, QString>& skipped);
    void watch(const QStringList& paths);

    QString m_directory;
    QList<Contact> m_contacts;
    QMap<QString, QString> m_skipped;
    QFutureWatcher<Reading> m_reading;
    bool m_isReading = false;
    bool m_readAgain = false;
    bool m_hasRead = false;
    QMap<QString, QString> m_reported;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
