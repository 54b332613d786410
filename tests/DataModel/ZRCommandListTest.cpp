// The store of commands: identifiers, system slots, saving on every change,
// samples and their files, and the searches for the sample nearest an
// utterance.

#include "DataModel/ZRCommandList.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/System/UserDefaults.h"
#include "support/IsolatedStorage.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <bit>
#include <random>

namespace {

using Print = std::shared_ptr<ZRVoicePrint>;

class ZRCommandListTest : public ::testing::Test {
protected:
    void TearDown() override { ZRSample::setClock(nullptr); }

    // A sample whose audio file exists in the Documents directory.
    static std::shared_ptr<ZRSample> sampleWithFile(const ZRCommand& command, Print print = nullptr)
    {
        auto sample = ZRSample::initForCommand(command);
        sample->setVoicePrint(std::move(print));
        IsolatedStorage::touch(sample->filePath());
        return sample;
    }

    // A command with samples (and their files) taking these prints, oldest
    // first (nullptr: a sample with no print yet), added to the store.
    std::shared_ptr<ZRCommand> added(
        std::int32_t type, const QString& number = {}, const std::vector<Print>& prints = {nullptr})
    {
        auto command = ZRCommand::initForCommandType(type, m_store);
        command->setPhoneNumber(number);
        command->setName(number.isNull() ? QStringLiteral("system") : QStringLiteral("Name of ") + number);
        for (const auto& print : prints)
            command->setSample(sampleWithFile(*command, print));
        m_store.addCommand(command);
        return command;
    }

    static bool hasData() { return UserDefaults::standardUserDefaults().boolForKey("CommandListHasData"); }
    static std::vector<std::shared_ptr<ZRSample>> samplesOf(const ZRCommand& c)
    {
        return {c.sample1(), c.sample2(), c.sample3()};
    }

    int sampleFiles() const { return QDir(m_storage.documents()).entryList({"sample*.aif"}, QDir::Files).size(); }

    IsolatedStorage m_storage;
    ZRCommandList m_store;
};

TEST_F(ZRCommandListTest, SystemTypesHaveFixedIdentifiersAndPhoneCommandsNeverReuseOne)
{
    m_store.newCommandID();  // the counter stands at 1
    const std::pair<std::int32_t, std::int32_t> typeAndID[] = {
        {ZRCommandTypeAccept, 0}, {ZRCommandTypeRepeat, 1}, {ZRCommandTypeCancel, 2}, {ZRCommandTypeNone, 0}, {5, 0}};
    for (const auto& [type, id] : typeAndID)
        EXPECT_EQ(ZRCommand::initForCommandType(type, m_store)->commandID(), id) << "type " << type;
    EXPECT_EQ(m_store.commandIDCounter(), 1) << "only phone commands take from the counter";

    for (int expected = 1; expected <= 3; ++expected)
        EXPECT_EQ(added(ZRCommandTypePhone, QString::number(expected))->commandID(), expected);
    m_store.removeAllCommands();
    EXPECT_EQ(ZRCommand::initForCommandType(ZRCommandTypePhone, m_store)->commandID(), 4);
    EXPECT_EQ(m_store.commandIDCounter(), 5);
}

TEST_F(ZRCommandListTest, EveryChangeIsSavedAndHasDataFollowsThePhoneCommandsOnly)
{
    // What the file holds: phone commands, system commands; and the flag.
    const auto saved = [] {
        const ZRCommandList loaded = ZRCommandList::loadFromFile();
        return std::tuple(static_cast<int>(loaded.count()), loaded.numberOfSystemCommands(), hasData());
    };
    added(ZRCommandTypeNone);
    added(7);
    EXPECT_EQ(ZRCommandList::createCommandListFileURL(), m_storage.documents() + "/samcomandlist");
    EXPECT_FALSE(QFile::exists(ZRCommandList::createCommandListFileURL())) << "other types are ignored";

    const auto accept = added(ZRCommandTypeAccept);
    EXPECT_EQ(saved(), std::tuple(0, 1, false)) << "a system command is no phone command";
    const auto phone = added(ZRCommandTypePhone, "1");
    EXPECT_EQ(saved(), std::tuple(1, 1, true));
    m_store.removeCommand(*accept);
    EXPECT_EQ(saved(), std::tuple(1, 0, true)) << "removing a system command leaves phone commands";
    m_store.removeCommand(*phone);
    EXPECT_EQ(saved(), std::tuple(0, 0, false));

    added(ZRCommandTypePhone, "2");
    added(ZRCommandTypeRepeat);
    m_store.removeAllCommands();
    EXPECT_EQ(saved(), std::tuple(0, 0, false));
}

TEST_F(ZRCommandListTest, SystemSlotsAreFilledAndQueriedInSlotOrder)
{
    // The three empty slots are one command, which untrained accept's identifier 0 finds.
    const auto& system = m_store.embeddedSystemList();
    EXPECT_EQ(m_store.numberOfSystemCommands(), 0);
    EXPECT_EQ(std::vector(system.begin(), system.end()), std::vector(3, m_store.systemCommandForID(0)));
    EXPECT_EQ(system[0]->type(), ZRCommandTypeNone);

    const auto repeat = added(ZRCommandTypeRepeat);
    EXPECT_EQ(m_store.systemCommandAtIndex(0), repeat);
    EXPECT_EQ(m_store.systemCommandAtIndex(1), nullptr);
    EXPECT_EQ(m_store.commandForSystemCommandType(ZRCommandTypeAccept), nullptr);
    EXPECT_EQ(m_store.commandForSystemCommandType(ZRCommandTypeRepeat), repeat);
    EXPECT_TRUE(m_store.hasSystemCommandSampleOfType(ZRCommandTypeRepeat));
    EXPECT_FALSE(m_store.hasSystemCommandSampleOfType(ZRCommandTypeCancel));
    EXPECT_EQ(m_store.systemCommandForID(1), repeat);

    const auto cancel = added(ZRCommandTypeCancel);
    added(ZRCommandTypeAccept);
    const auto accept = added(ZRCommandTypeAccept);  // training a slot again replaces its command
    EXPECT_EQ(m_store.numberOfSystemCommands(), 3);
    EXPECT_EQ(m_store.systemCommandAtIndex(0), accept);
    EXPECT_EQ(m_store.systemCommandAtIndex(2), cancel);
}

TEST_F(ZRCommandListTest, LookupsMatchExactlyAndOnlyRemovedCommandsAndDroppedSamplesLoseTheirFiles)
{
    const auto accept = added(ZRCommandTypeAccept, {}, {nullptr, nullptr});
    const auto cancel = added(ZRCommandTypeCancel);
    const auto spaced = added(ZRCommandTypePhone, "+49 170 1234567", {nullptr, nullptr, nullptr});
    added(ZRCommandTypePhone, "2");
    ASSERT_EQ(sampleFiles(), 7);
    EXPECT_EQ(m_store.commandForPhoneNumber("+49 170 1234567"), spaced);
    EXPECT_EQ(m_store.commandForPhoneNumber("+491701234567"), nullptr);
    EXPECT_EQ(m_store.commandForID(spaced->commandID()), spaced);
    EXPECT_EQ(m_store.commandForID(99), nullptr);

    m_store.removeCommand(*accept);
    EXPECT_EQ(sampleFiles(), 5);
    EXPECT_EQ(m_store.embeddedSystemList()[0]->type(), ZRCommandTypeNone);
    EXPECT_EQ(m_store.embeddedSystemList()[2], cancel);
    // A different object standing for the second phone command, as a decoded copy would.
    m_store.removeCommand(*ZRCommandList::loadFromFile().commandAtIndex(1));
    EXPECT_EQ(sampleFiles(), 4);
    ASSERT_EQ(m_store.count(), 1u);
    EXPECT_EQ(m_store.commandAtIndex(0), spaced);

    m_store.removeAllCommands();
    EXPECT_EQ(sampleFiles(), 0);
    EXPECT_EQ(m_store.numberOfSystemCommands(), 0);

    // A command keeps its three newest samples and deletes the file of the fourth oldest.
    const auto command = ZRCommand::initForCommandType(ZRCommandTypePhone, m_store);
    const auto a = sampleWithFile(*command), b = sampleWithFile(*command);
    const auto c = sampleWithFile(*command), d = sampleWithFile(*command);
    command->setSample(b);
    command->setSample(a);
    EXPECT_EQ(command->numberOfSamples(), 2);
    command->setSample(c);
    EXPECT_EQ(samplesOf(*command), std::vector({c, a, b}));
    EXPECT_EQ(sampleFiles(), 4);

    command->setSample(d);
    EXPECT_EQ(command->numberOfSamples(), 3);
    EXPECT_EQ(samplesOf(*command), std::vector({d, c, a}));
    EXPECT_FALSE(QFile::exists(b->filePath())) << "the dropped sample's file goes";
    EXPECT_EQ(sampleFiles(), 3) << "and no other";
}

TEST_F(ZRCommandListTest, SampleFileNamesComeFromTheClockNeverRepeatAndAreTheOnlyNamesUsedAsPaths)
{
    ZRSample::setClock([] { return 1000000000.7; });
    const auto command = ZRCommand::initForCommandType(ZRCommandTypeCancel, m_store);
    const auto first = ZRSample::initForCommand(*command);
    EXPECT_EQ(first->fileName(), "/sample1000000000.aif");
    EXPECT_EQ(first->commandID(), 2);

    // Within the same second, and past a file that already exists.
    IsolatedStorage::touch(m_storage.documentsFile("/sample1000000002.aif"));
    EXPECT_EQ(ZRSample::createSampleFilename(), "/sample1000000001.aif");
    EXPECT_EQ(ZRSample::createSampleFilename(), "/sample1000000003.aif");

    // The clock going back does not bring old names back either.
    ZRSample::setClock([] { return 1700000000.0; });
    EXPECT_EQ(ZRSample::createSampleFilename(), "/sample1700000000.aif");
    EXPECT_EQ(ZRSample::createSampleFilename(), "/sample1700000001.aif");

    for (const char* good : {"/sample0.aif", "/sample1765000000.aif", "/sample0042.aif"})
        EXPECT_TRUE(ZRSample::isSampleFileName(good)) << good;
    for (const char* bad : {"/sample.aif", "sample1.aif", "/sample-1.aif", "/sample1.aiff", "/sample1.aif/",
             "/../sample1.aif", "/sample1.aif/../../etc/passwd", "/sample１.aif", "/sample1.aif\n", "//sample1.aif",
             "/sample12345678901234567890.aif", ""})
        EXPECT_FALSE(ZRSample::isSampleFileName(QString::fromUtf8(bad))) << bad;

    // A hostile name from an archive: nothing outside the Documents directory is touched.
    const QString victim = m_storage.documents() + "/../victim";
    IsolatedStorage::touch(victim);
    const ZRSample hostile(0, "/../victim");
    EXPECT_TRUE(hostile.filePath().isNull());
    hostile.clearSampleFile();
    EXPECT_TRUE(QFile::exists(victim));
}

constexpr int kDim = ZRVoicePrint::kFrameSize;

// Elements 1 ... 13 of every frame within ±spread.
Print randomPrint(int frames, int spread, std::mt19937& random)
{
    std::vector<std::int32_t> values(static_cast<std::size_t>(frames) * kDim, 0);
    std::uniform_int_distribution<int> value(-spread, spread);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = i % kDim >= 1 && i % kDim <= 13 ? value(random) : 0;
    return std::make_shared<ZRVoicePrint>(std::move(values));
}

// The three searches for the sample nearest an utterance, on random and
// real stores, held to searches that compare every sample in full (the same
// sample, the same best distance to the bit); and the dialler's use of them:
// real speech recognised from the speaker's trained samples.
class CommandSearchTest : public ZRCommandListTest {
protected:
    // Runs the three searches and holds each to one that compares every
    // sample of the searched types in full, in the order a search visits
    // them: the first strictly nearest wins.
    void expectNearest(const ZRVoicePrint* utterance)
    {
        std::vector<std::shared_ptr<ZRCommand>> all(m_store.embeddedList().begin(), m_store.embeddedList().end());
        all.insert(all.end(), m_store.embeddedSystemList().begin(), m_store.embeddedSystemList().end());
        const auto expectSame = [&](const std::shared_ptr<ZRSample>& found, std::initializer_list<std::int32_t> types) {
            std::pair<std::shared_ptr<ZRSample>, double> best {nullptr, kNoMatchDistance};
            for (const auto& command : all)
                for (const auto& sample : samplesOf(*command)) {
                    const double distance = utterance && std::ranges::find(types, command->type()) != types.end()
                        ? utterance->distanceFromVoicePrint(sample ? sample->voicePrint().get() : nullptr)
                        : kNoMatchDistance;
                    if (distance < best.second)
                        best = {sample, distance};
                }
            EXPECT_EQ(std::pair(found, m_store.bestSample()), std::pair(best.first, best.first));
            EXPECT_EQ(std::bit_cast<std::uint64_t>(m_store.bestDistance()), std::bit_cast<std::uint64_t>(best.second));
        };
        expectSame(m_store.findPhoneTypeSampleForVoicePrint(utterance), {ZRCommandTypePhone});
        expectSame(
            m_store.findRepeatCancelTypeSampleForVoicePrint(utterance), {ZRCommandTypeRepeat, ZRCommandTypeCancel});
        expectSame(m_store.findAcceptRepeatCancelTypeSampleForVoicePrint(utterance),
            {ZRCommandTypeAccept, ZRCommandTypeRepeat, ZRCommandTypeCancel});
    }
};

TEST_F(CommandSearchTest, RandomStoresWithTiesAndOddPrintsChooseTheNearestSample)
{
    std::mt19937 random(2718);
    // A small pool shared between commands: equal distances across commands
    // and within one command, which the first visited sample must win.
    // Beside them an empty print, one of one frame, and no print yet.
    std::vector<Print> pool {std::make_shared<ZRVoicePrint>(), randomPrint(1, 255, random), nullptr};
    for (int i = 0; i < 12; ++i)
        pool.push_back(randomPrint(std::uniform_int_distribution<int>(20, 60)(random), i % 3 ? 255 : 2, random));
    const auto pick = [&] { return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)]; };
    for (int c = 0; c < 30; ++c) {
        std::vector<Print> prints(std::uniform_int_distribution<std::size_t>(1, 3)(random));
        std::generate(prints.begin(), prints.end(), pick);
        added(ZRCommandTypePhone, {}, prints);
    }
    added(ZRCommandTypeAccept, {}, {pick(), pick()});
    added(ZRCommandTypeRepeat, {}, {pick()});
    added(ZRCommandTypeCancel, {}, {pick(), pick(), pick()});
    for (const auto& print : pool)
        expectNearest(print.get());
    for (int u = 0; u < 300; ++u)
        expectNearest(randomPrint(std::uniform_int_distribution<int>(0, 200)(random), u % 4 ? 255 : 2, random).get());
}

TEST_F(CommandSearchTest, RealSpeechIsRecognisedFromTheSpeakersOtherTakes)
{
    // As the microphone delivers it: a quarter second of quiet room on both sides.
    const auto printOf = [](int digit, const char* speaker, int take) {
        const auto speech = TestData::samplesOf(Fsdd::recording(digit, speaker, take));
        return std::make_shared<ZRVoicePrint>(TestData::voicePrintOf(TestData::inQuietRoom(speech, 2000, 2000)));
    };
    // Each speaker's digits trained with two takes (command 10 × speaker +
    // digit); the system commands with some of theo's; the third take said
    // to each search.
    for (const char* speaker : {"jackson", "theo"})
        for (int digit = 0; digit < 10; ++digit)
            added(ZRCommandTypePhone, {}, {printOf(digit, speaker, 0), printOf(digit, speaker, 1)});
    added(ZRCommandTypeAccept, {}, {printOf(1, "theo", 0)});
    added(ZRCommandTypeRepeat, {}, {printOf(2, "theo", 0)});
    added(ZRCommandTypeCancel, {}, {printOf(3, "theo", 0)});
    int recognised = 0;
    for (const char* speaker : {"jackson", "theo"})
        for (int digit = 0; digit < 10; ++digit) {
            const auto utterance = printOf(digit, speaker, 2);
            expectNearest(utterance.get());
            const auto found = m_store.findPhoneTypeSampleForVoicePrint(utterance.get());
            recognised += found && found->commandID() % 10 == digit;
        }
    EXPECT_GE(recognised, 16) << "measured: 18 of 20; chance is 2";
}

}  // namespace
