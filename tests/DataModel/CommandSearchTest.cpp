// The three searches for the sample nearest an utterance, on random and
// real stores, held to searches that compare every sample in full (the same
// sample, the same best distance to the bit); and the dialler's use of them:
// real speech recognised from the speaker's trained samples.

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "support/IsolatedStorage.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <map>
#include <random>

namespace {

constexpr int kDim = ZRVoicePrint::kFrameSize;
using Print = std::shared_ptr<ZRVoicePrint>;

// Elements 1 ... 13 of every frame within ±spread.
Print randomPrint(int frames, int spread, std::mt19937& random)
{
    std::vector<std::int32_t> values(static_cast<std::size_t>(frames) * kDim, 0);
    std::uniform_int_distribution<int> value(-spread, spread);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = i % kDim >= 1 && i % kDim <= 13 ? value(random) : 0;
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

TEST_F(CommandSearchTest, RealSpeechIsRecognisedFromTheSpeakersOtherTakes)
{
    // As the microphone delivers it: a quarter second of quiet room on both sides.
    const auto printOf = [](int digit, const char* speaker, int take) {
        const auto speech = TestData::samplesOf(Fsdd::recording(digit, speaker, take));
        return std::make_shared<ZRVoicePrint>(TestData::voicePrintOf(TestData::inQuietRoom(speech, 2000, 2000)));
    };
    // Each speaker's digits trained with two takes; the system commands
    // with some of theo's; the third take said to each search.
    std::map<std::shared_ptr<ZRCommand>, int> digitOf;
    for (const char* speaker : {"jackson", "theo"}) {
        for (int digit = 0; digit < 10; ++digit)
            digitOf[add(ZRCommandTypePhone, {printOf(digit, speaker, 0), printOf(digit, speaker, 1)})] = digit;
    }
    add(ZRCommandTypeAccept, {printOf(1, "theo", 0)});
    add(ZRCommandTypeRepeat, {printOf(2, "theo", 0)});
    add(ZRCommandTypeCancel, {printOf(3, "theo", 0)});
    int recognised = 0;
    for (const char* speaker : {"jackson", "theo"}) {
        for (int digit = 0; digit < 10; ++digit) {
            const auto utterance = printOf(digit, speaker, 2);
            expectNearest(utterance.get());
            const auto found = m_store.findPhoneTypeSampleForVoicePrint(utterance.get());
            ASSERT_NE(found, nullptr);
            recognised += digitOf[m_store.commandForID(found->commandID())] == digit;
        }
    }
    EXPECT_GE(recognised, 16) << "measured: 18 of 20; chance is 2";
}

}  // namespace
