#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "support/IsolatedStorage.h"

#include <gtest/gtest.h>

namespace {

// Prints of `frames` frames whose element 1 holds `level`: the farther two
// levels, the farther the prints.
std::shared_ptr<ZRVoicePrint> printAt(int level, int frames = 10)
{
    std::vector<std::int32_t> values(static_cast<std::size_t>(frames) * ZRVoicePrint::kFrameSize, 0);
    for (int f = 0; f < frames; ++f)
        values[f * ZRVoicePrint::kFrameSize + 1] = level;
    return std::make_shared<ZRVoicePrint>(std::move(values));
}

class CommandMatchingTest : public ::testing::Test {
protected:
    // Adds a command whose samples have these levels, given oldest first.
    std::shared_ptr<ZRCommand> add(std::int32_t type, std::initializer_list<int> levels)
    {
        auto command = ZRCommand::initForCommandType(type, m_store);
        for (int level : levels) {
            auto sample = ZRSample::initForCommand(*command);
            sample->setVoicePrint(printAt(level));
            command->setSample(sample);
        }
        m_store.addCommand(command);
        return command;
    }

    IsolatedStorage m_storage;
    ZRCommandList m_store;
};

TEST_F(CommandMatchingTest, NothingToCompareFindsNothing)
{
    EXPECT_EQ(m_store.findPhoneTypeSampleForVoicePrint(printAt(5).get()), nullptr);
    EXPECT_EQ(m_store.findAcceptRepeatCancelTypeSampleForVoicePrint(printAt(5).get()), nullptr);
    add(ZRCommandTypePhone, {5});
    add(ZRCommandTypeAccept, {5});
    EXPECT_EQ(m_store.findPhoneTypeSampleForVoicePrint(nullptr), nullptr);
    EXPECT_EQ(m_store.findRepeatCancelTypeSampleForVoicePrint(nullptr), nullptr);
    EXPECT_EQ(m_store.findAcceptRepeatCancelTypeSampleForVoicePrint(nullptr), nullptr);
}

TEST_F(CommandMatchingTest, TheNearestSampleWinsHoweverFar)
{
    add(ZRCommandTypePhone, {100});
    const auto near = add(ZRCommandTypePhone, {0, 50, 90});  // 90 is its newest
    add(ZRCommandTypePhone, {-40});
    const auto found = m_store.findPhoneTypeSampleForVoicePrint(printAt(60).get());
    EXPECT_EQ(found, near->sample2());
    EXPECT_EQ(m_store.bestDistance(), 10 * 10.0 * 10);
    EXPECT_EQ(m_store.commandForID(found->commandID()), near);

    const auto far = m_store.findPhoneTypeSampleForVoicePrint(printAt(100000).get());
    ASSERT_NE(far, nullptr) << "there is no threshold";
    EXPECT_EQ(far, m_store.commandAtIndex(0)->sample1());
}

TEST_F(CommandMatchingTest, TiesGoToTheFirstVisitedSample)
{
    const auto earlier = add(ZRCommandTypePhone, {7, 3});
    add(ZRCommandTypePhone, {3});
    // 3 is at the same distance from 5 as 7 is: the earlier command's newest wins.
    EXPECT_EQ(m_store.findPhoneTypeSampleForVoicePrint(printAt(5).get()), earlier->sample1());
    // Within a command, the newer sample before the older one.
    const auto same = add(ZRCommandTypeCancel, {9, 9});
    EXPECT_EQ(m_store.findRepeatCancelTypeSampleForVoicePrint(printAt(9).get()), same->sample1());
}

TEST_F(CommandMatchingTest, SystemSearchesLookOnlyAtTheirCommands)
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

TEST_F(CommandMatchingTest, PrintsThatCannotBeAlignedNeverMatch)
{
    add(ZRCommandTypePhone, {0});
    // More than three times longer than every stored print.
    const auto longUtterance = std::make_shared<ZRVoicePrint>(printAt(0, 31)->voicePrint());
    EXPECT_EQ(m_store.findPhoneTypeSampleForVoicePrint(longUtterance.get()), nullptr);
    EXPECT_EQ(m_store.bestDistance(), 1e30);

    // A sample without a print cannot win either.
    m_store.removeAllCommands();
    const auto command = ZRCommand::initForCommandType(ZRCommandTypePhone, m_store);
    command->setSample(ZRSample::initForCommand(*command));
    m_store.addCommand(command);
    EXPECT_EQ(m_store.findPhoneTypeSampleForVoicePrint(printAt(0).get()), nullptr);
}

}  // namespace
