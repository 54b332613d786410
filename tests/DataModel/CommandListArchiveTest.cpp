#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/System/UserDefaults.h"
#include "support/IsolatedStorage.h"
#include "support/LogCapture.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/resource.h>

namespace {

using nlohmann::json;

const auto stringOrNull = [](const QString& text) { return text.isNull() ? json(nullptr) : json(text.toStdString()); };

// The whole content of a store, in the shape of the expected-reading files
// beside the archive fixtures (tests/data/archives/*.expected.json).
json storeAsJson(const ZRCommandList& store)
{
    const auto commandsAsJson = [](const auto& commands) {
        json list = json::array();
        for (const auto& command : commands) {
            json samples = json::array();
            for (const auto& sample : {command->sample1(), command->sample2(), command->sample3()})
                if (sample)
                    samples.push_back({{"commandID", sample->commandID()}, {"file", stringOrNull(sample->fileName())},
                        {"print", sample->voicePrint() ? json(sample->voicePrint()->voicePrint()) : json(nullptr)}});
            list.push_back(
                {{"id", command->commandID()}, {"type", command->type()}, {"name", stringOrNull(command->name())},
                    {"number", stringOrNull(command->phoneNumber())}, {"samples", samples}});
        }
        return list;
    };
    return {{"IDCounter", store.commandIDCounter()}, {"commands", commandsAsJson(store.embeddedList())},
        {"system", commandsAsJson(store.embeddedSystemList())}};
}

class CommandListArchiveTest : public ::testing::Test {
protected:
    // Puts tests/data/archives/NAME where the store is kept.
    static void install(const std::string& name)
    {
        QFile::copy(QString::fromStdString(TestData::file("archives/" + name).string()),
            ZRCommandList::createCommandListFileURL());
    }

    // A store with a bit of everything: another tool's file (unicode, one to
    // three samples, system commands, a used-up counter), and then a nil
    // name and a sample without a print.
    static ZRCommandList populatedStore()
    {
        install("python-made.samcomandlist");
        ZRCommandList store = ZRCommandList::loadFromFile();
        store.commandAtIndex(1)->setName({});
        auto cancel = ZRCommand::initForCommandType(ZRCommandTypeCancel, store);
        cancel->setSample(ZRSample::initForCommand(*cancel));
        store.addCommand(cancel);
        return store;
    }

    IsolatedStorage m_storage;
};

// A saved store coming back equal (nil stays nil, not empty) is checked
// after a failed save, below.
TEST_F(CommandListArchiveTest, TheThreeEmptySystemSlotsAreOneObjectInTheFileAndComeBackSo)
{
    ASSERT_TRUE(ZRCommandList().saveToFile());
    const ZRCommandList empty = ZRCommandList::loadFromFile();
    const auto& system = empty.embeddedSystemList();
    EXPECT_EQ(std::vector(system.begin(), system.end()), std::vector(3, system[0]));
    EXPECT_EQ(system[0]->type(), ZRCommandTypeNone);
}

TEST_F(CommandListArchiveTest, ArchivesMadeByAnotherToolLoadAndACounterAtItsEndHandsOutIdentifiersNoCommandHolds)
{
    for (const char* name : {"python-made", "fresh-store", "immutable-arrays", "hostile-names", "counter-at-end"}) {
        install(name + std::string(".samcomandlist"));
        LogCapture log;
        const ZRCommandList loaded = ZRCommandList::loadFromFile();
        EXPECT_TRUE(log.errors().isEmpty()) << name << ": " << log.errors().join('\n').toStdString();
        std::ifstream expected(TestData::file(std::string("archives/") + name + ".expected.json"));
        EXPECT_EQ(storeAsJson(loaded), json::parse(expected)) << name;
        QFile::remove(ZRCommandList::createCommandListFileURL());
    }

    install("counter-at-end.samcomandlist");
    ZRCommandList loaded = ZRCommandList::loadFromFile();
    auto next = ZRCommand::initForCommandType(ZRCommandTypePhone, loaded);
    EXPECT_EQ(next->commandID(), 1) << "commands 0 and 2 are in the store";
    next->setSample(ZRSample::initForCommand(*next));
    loaded.addCommand(next);
    EXPECT_EQ(ZRCommand::initForCommandType(ZRCommandTypePhone, loaded)->commandID(), 3);
    EXPECT_EQ(loaded.commandIDCounter(), 2147483647);
}

TEST_F(CommandListArchiveTest, UndecodableArchivesAreKeptAsideAndTheStoreStartsEmpty)
{
    const QDir fixtures(QString::fromStdString(TestData::file("archives").string()));
    const QStringList bad = fixtures.entryList({"bad-*.samcomandlist"}, QDir::Files, QDir::Name);
    ASSERT_GE(bad.size(), 20);
    const QString path = ZRCommandList::createCommandListFileURL();
    for (const QString& name : bad) {
        const QByteArray original = IsolatedStorage::contentsOf(fixtures.filePath(name));
        IsolatedStorage::touch(path, original);
        UserDefaults::standardUserDefaults().setBool(true, "CommandListHasData");
        LogCapture log;
        const ZRCommandList loaded = ZRCommandList::loadFromFile();
        SCOPED_TRACE(name.toStdString());
        // Empty, no names to listen for, one error, and the file kept aside as it was.
        EXPECT_EQ(std::tuple(loaded.count(), loaded.numberOfSystemCommands(),
                      UserDefaults::standardUserDefaults().boolForKey("CommandListHasData"), log.errors().size(),
                      QFile::exists(path), IsolatedStorage::contentsOf(path + ".unreadable")),
            std::tuple(0u, 0, false, 1, false, original));
        QFile::remove(path + ".unreadable");
    }

    // A second unreadable file does not replace the first one kept aside.
    IsolatedStorage::touch(path, "first");
    ZRCommandList::loadFromFile();
    IsolatedStorage::touch(path, "second");
    ZRCommandList::loadFromFile();
    EXPECT_EQ(IsolatedStorage::contentsOf(path + ".unreadable"), "first");
    EXPECT_EQ(IsolatedStorage::contentsOf(path + ".unreadable-2"), "second");
}

TEST_F(CommandListArchiveTest, AFailedSaveKeepsTheOldFileAndTheNextSaveWritesEverything)
{
    const QString path = ZRCommandList::createCommandListFileURL();
    ZRCommandList store = populatedStore();
    const QByteArray before = IsolatedStorage::contentsOf(path);
    const json inMemory = storeAsJson(store);
    // The disk fills up: writes beyond 100 bytes fail (a failed write, not a
    // killed process), until the old limit is back.
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full {100, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const LogCapture log;
    store.addCommand(ZRCommand::initForCommandType(ZRCommandTypePhone, store));  // saves, and fails
    EXPECT_FALSE(store.saveToFile());
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(log.errors(), QStringList(2, "ERROR! saveToFile: could not save commandList"));
    EXPECT_EQ(IsolatedStorage::contentsOf(path), before) << "the old file is intact";
    EXPECT_EQ(QDir(m_storage.documents()).entryList({"samcomandlist*"}, QDir::Files).size(), 1)
        << "no temporary file is left behind";

    ASSERT_TRUE(store.saveToFile());
    EXPECT_EQ(storeAsJson(ZRCommandList::loadFromFile()), storeAsJson(store)) << "nil stays nil, not empty";
    EXPECT_NE(storeAsJson(store), inMemory) << "the store in memory kept the change";
}

TEST_F(CommandListArchiveTest, AProcessDyingWhileSavingLeavesTheOldFile)
{
    // Eight commands with the longest prints a store keeps.
    ZRCommandList store;
    while (store.count() < 8) {
        auto command = ZRCommand::initForCommandType(ZRCommandTypePhone, store);
        command->setName(QStringLiteral("Contact %1").arg(command->commandID()));
        for (int i = 0; i < ZRCommand::kMaxSamples; ++i) {
            const auto noise = TestData::nonzeroNoise(ZRVoicePrint::kMaxArchivedCount, command->commandID() * 3 + i);
            command->setSample(std::make_shared<ZRSample>(command->commandID(), ZRSample::createSampleFilename(),
                std::make_shared<ZRVoicePrint>(std::vector<std::int32_t>(noise.begin(), noise.end()))));
        }
        store.addCommand(command);
    }
    const qint64 size = QFileInfo(ZRCommandList::createCommandListFileURL()).size();
    ASSERT_GT(size, 100'000);
    store.commandAtIndex(0)->setName("Renamed");

    for (const qint64 limit : {qint64(0), qint64(4096), size / 2, size - 1000}) {
        // A child process saves with a file size limit: the system kills it
        // when a write crosses the limit.
        const auto saveUnderLimit = [&] {
            const rlimit tiny {static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
            setrlimit(RLIMIT_FSIZE, &tiny);
            store.saveToFile();
            std::exit(0);  // the save fitted under the limit
        };
        ASSERT_EXIT(saveUnderLimit(), ::testing::KilledBySignal(SIGXFSZ), "") << "died at " << limit << " bytes";

        LogCapture log;
        const ZRCommandList loaded = ZRCommandList::loadFromFile();
        ASSERT_TRUE(log.errors().isEmpty()) << "died at " << limit << ": " << log.errors().join('\n').toStdString();
        EXPECT_EQ(loaded.count(), 8u);
        EXPECT_EQ(loaded.commandAtIndex(0)->name(), "Contact 0") << "the old file, whole";
    }
}

}  // namespace
