// The three searches for the sample nearest an utterance: their rules on
// small stores, then random and real stores held to searches that compare
// every sample in full (the same sample, the same best distance to the bit).

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "support/IsolatedStorage.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>

namespace {

constexpr int kDim = ZRVoicePrint::kFrameSize;
using Print = std::shared_ptr<ZRVoicePrint>;

// `frames` frames whose element 1 holds `level`: the farther two levels,
// the farther the prints.
Print printAt(int level, int frames = 10)
{
    std::vector<std::int32_t> values(static_cast<std::size_t>(frames) * kDim, 0);
    for (int f = 0; f < frames; ++f)
        values[f * kDim + 1] = level;
    return std::make_shared<ZRVoicePrint>(std::move(values));
}

Print randomPrint(int frames, int spread, std::mt19937& random)
{
    std::vector<std::int32_t> values(static_cast<std::size_t>(frames) * kDim, 0);
    std::uniform_int_distribution<int> value(-spread, spread);
    for (int f = 0; f < frames; ++f) {
        for (int k = 1; k <= 13; ++k)
            values[static_cast<std::size_t>(f) * kDim + k] = value(random);
    }
    return std::make_shared<ZRVoicePrint>(std::move(values));
}

// The commands' samples in the order a search visits them, each compared in
// full: the first strictly nearest wins.
std::pair<std::shared_ptr<ZRSample>, double> nearest(
    const std::vector<std::shared_ptr<ZRCommand>>& commands, const ZRVoicePrint* utterance)
{
    std::pair<std::shared_ptr<ZRSample>, double> best {nullptr, kNoMatchDistance};
    for (const auto& command : commands) {
        for (const auto& sample : {command->sample1(), command->sample2(), command->sample3()}) {
            const double distance = utterance->distanceFromVoicePrint(sample ? sample->voicePrint().get() : nullptr);
            if (distance < best.second)
                best = {sample, distance};
        }
    }
    return best;
}

class CommandSearchTest : public ::testing::Test {
protected:
    // A command whose samples take these prints, oldest first (nullptr: a
    // sample with no print yet).
    std::shared_ptr<ZRCommand> add(std::int32_t type, const std::vector<Print>& prints)
    {
        auto command = ZRCommand::initForCommandType(type, m_store);
        for (const auto& print : prints) {
            auto sample = ZRSample::initForCommand(*command);
            sample->setVoicePrint(print);
            command->setSample(sample);
        }
        m_store.addCommand(command);
        return command;
    }
    std::shared_ptr<ZRCommand> add(std::int32_t type, std::initializer_list<int> levels)
    {
        std::vector<Print> prints;
        for (int level : levels)
            prints.push_back(printAt(level));
        return add(type, prints);
    }

    // The stored commands of these types, phone commands or system slots.
    std::vector<std::shared_ptr<ZRCommand>> commandsOf(std::initializer_list<std::int32_t> types) const
    {
        std::vector<std::shared_ptr<ZRCommand>> all(m_store.embeddedList().begin(), m_store.embeddedList().end());
        all.insert(all.end(), m_store.embeddedSystemList().begin(), m_store.embeddedSystemList().end());
        std::erase_if(
            all, [&](const auto& command) { return std::ranges::find(types, command->type()) == types.end(); });
        return all;
    }

    // Runs the three searches and holds each to the full comparison.
    void expectNearest(const ZRVoicePrint* utterance)
    {
        const auto expectSame = [&](const std::shared_ptr<ZRSample>& found, std::initializer_list<std::int32_t> types) {
            const auto [sample, distance]
                = utterance ? nearest(commandsOf(types), utterance) : std::pair(nullptr, kNoMatchDistance);
            EXPECT_EQ(found, sample);
            EXPECT_EQ(found, m_store.bestSample());
            EXPECT_EQ(std::bit_cast<std::uint64_t>(m_store.bestDistance()), std::bit_cast<std::uint64_t>(distance));
        };
        expectSame(m_store.findPhoneTypeSampleForVoicePrint(utterance), {ZRCommandTypePhone});
        expectSame(
            m_store.findRepeatCancelTypeSampleForVoicePrint(utterance), {ZRCommandTypeRepeat, ZRCommandTypeCancel});
        expectSame(m_store.findAcceptRepeatCancelTypeSampleForVoicePrint(utterance),
            {ZRCommandTypeAccept, ZRCommandTypeRepeat, ZRCommandTypeCancel});
    }

    IsolatedStorage m_storage;
    ZRCommandList m_store;
};

TEST_F(CommandSearchTest, TheNearestSampleWinsHoweverFarAndTiesGoToTheFirstVisited)
{
    EXPECT_EQ(m_store.findPhoneTypeSampleForVoicePrint(printAt(5).get()), nullptr);
    add(ZRCommandTypePhone, {100});
    const auto near = add(ZRCommandTypePhone, {0, 50, 90});  // 90 is its newest
    add(ZRCommandTypePhone, {-40});
    const auto found = m_store.findPhoneTypeSampleForVoicePrint(printAt(60).get());
    EXPECT_EQ(found, near->sample2());
    EXPECT_EQ(m_store.bestDistance(), 10 * 10.0 * 10);
    EXPECT_EQ(m_store.commandForID(found->commandID()), near);
    EXPECT_EQ(m_store.findPhoneTypeSampleForVoicePrint(printAt(100000).get()), m_store.commandAtIndex(0)->sample1())
        << "there is no threshold";
    EXPECT_EQ(m_store.findPhoneTypeSampleForVoicePrint(nullptr), nullptr);

    // 3 and 7 are as far from 5: the earlier command's newest wins; within a
    // command, the newer sample before the older one.
    m_store.removeAllCommands();
    const auto earlier = add(ZRCommandTypePhone, {7, 3});
    add(ZRCommandTypePhone, {3});
    EXPECT_EQ(m_store.findPhoneTypeSampleForVoicePrint(printAt(5).get()), earlier->sample1());
    const auto same = add(ZRCommandTypeCancel, {9, 9});
    EXPECT_EQ(m_store.findRepeatCancelTypeSampleForVoicePrint(printAt(9).get()), same->sample1());
}

TEST_F(CommandSearchTest, SystemSearchesLookOnlyAtTheirCommands)
{
    add(ZRCommandTypePhone, {0});
    const auto accept = add(ZRCommandTypeAccept, {0});
    const auto repeat = add(ZRCommandTypeRepeat, {30});
    const auto utterance = printAt(0);
    EXPECT_EQ(m_store.findAcceptRepeatCancelTypeSampleForVoicePrint(utterance.get()), accept->sample1());
    EXPECT_EQ(m_store.findRepeatCancelTypeSampleForVoicePrint(utterance.get()), repeat->sample1())
        << "the nearer accept sample is not a candidate";
    m_store.removeCommand(*repeat);
    EXPECT_EQ(m_store.findRepeatCancelTypeSampleForVoicePrint(utterance.get()), nullptr);
    const auto cancel = add(ZRCommandTypeCancel, {-20});
    EXPECT_EQ(m_store.findRepeatCancelTypeSampleForVoicePrint(utterance.get()), cancel->sample1());
    EXPECT_EQ(m_store.systemCommandForID(cancel->sample1()->commandID()), cancel);
}

TEST_F(CommandSearchTest, PrintsThatCannotBeAlignedNeverMatch)
{
    add(ZRCommandTypePhone, {0});
    add(ZRCommandTypePhone, std::vector<Print> {nullptr});
    // More than three times longer than every stored print.
    EXPECT_EQ(m_store.findPhoneTypeSampleForVoicePrint(printAt(0, 31).get()), nullptr);
    EXPECT_EQ(m_store.bestDistance(), 1e30);
}

TEST_F(CommandSearchTest, RandomStoresWithTiesAndOddPrintsChooseTheNearestSample)
{
    std::mt19937 random(2718);
    // A small pool shared between commands: equal distances across commands
    // and within one command, which the first visited sample must win.
    std::vector<Print> pool;
    for (int i = 0; i < 12; ++i)
        pool.push_back(randomPrint(std::uniform_int_distribution<int>(20, 60)(random), i % 3 ? 255 : 2, random));
    pool.push_back(std::make_shared<ZRVoicePrint>());  // empty
    pool.push_back(randomPrint(1, 255, random));       // one frame
    pool.push_back(nullptr);                           // no print yet
    const auto pick = [&] { return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)]; };
    for (int c = 0; c < 30; ++c) {
        std::vector<Print> prints(std::uniform_int_distribution<std::size_t>(1, 3)(random));
        std::generate(prints.begin(), prints.end(), pick);
        add(ZRCommandTypePhone, prints);
    }
    add(ZRCommandTypeAccept, {pick(), pick()});
    add(ZRCommandTypeRepeat, {pick()});
    add(ZRCommandTypeCancel, {pick(), pick(), pick()});
    for (const auto& print : pool)
        expectNearest(print.get());
    for (int u = 0; u < 300; ++u)
        expectNearest(randomPrint(std::uniform_int_distribution<int>(0, 200)(random), u % 4 ? 255 : 2, random).get());
}

TEST_F(CommandSearchTest, RealSpeechStoresChooseTheNearestSample)
{
    const auto printOf = [](int digit, const char* speaker, int take) {
        return std::make_shared<ZRVoicePrint>(
            TestData::voicePrintOf(TestData::samplesOf(Fsdd::recording(digit, speaker, take))));
    };
    // Each digit a command trained with two takes; the system commands with
    // the other speaker's digits; every third take said to each search.
    for (int digit = 0; digit < 10; ++digit)
        add(ZRCommandTypePhone, {printOf(digit, "jackson", 0), printOf(digit, "jackson", 1)});
    add(ZRCommandTypeAccept, {printOf(1, "theo", 0)});
    add(ZRCommandTypeRepeat, {printOf(2, "theo", 0)});
    add(ZRCommandTypeCancel, {printOf(3, "theo", 0)});
    for (const char* speaker : {"jackson", "theo"}) {
        for (int digit = 0; digit < 10; ++digit)
            expectNearest(printOf(digit, speaker, 2).get());
    }
}

}  // namespace
