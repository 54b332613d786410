// The three searches against the literal ones: the same sample chosen, the
// same best distance to the bit, ties won by the first visited sample.

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "support/IsolatedStorage.h"
#include "support/LiteralEngine.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

namespace {

constexpr int kDim = ZRVoicePrint::kFrameSize;

std::shared_ptr<ZRVoicePrint> randomPrint(int frames, int spread, std::mt19937& random)
{
    std::vector<std::int32_t> values(static_cast<std::size_t>(frames) * kDim, 0);
    std::uniform_int_distribution<int> value(-spread, spread);
    for (int f = 0; f < frames; ++f) {
        for (int k = 1; k <= 13; ++k)
            values[static_cast<std::size_t>(f) * kDim + k] = value(random);
    }
    return std::make_shared<ZRVoicePrint>(std::move(values));
}

class SearchEqualityTest : public ::testing::Test {
protected:
    // A command whose samples take these prints, oldest first (nullptr: a
    // sample with no print yet).
    void add(std::int32_t type, const std::vector<std::shared_ptr<ZRVoicePrint>>& prints)
    {
        auto command = ZRCommand::initForCommandType(type, m_store);
        for (const auto& print : prints) {
            auto sample = ZRSample::initForCommand(*command);
            sample->setVoicePrint(print);
            command->setSample(sample);
        }
        m_store.addCommand(command);
    }

    // Runs the three searches and holds each to the literal one.
    void expectLiteralSearches(const ZRVoicePrint* utterance)
    {
        const auto expectSame = [&](const std::shared_ptr<ZRSample>& found, const Literal::Match& literal) {
            EXPECT_EQ(found, literal.sample);
            EXPECT_EQ(found, m_store.bestSample());
            EXPECT_EQ(
                std::bit_cast<std::uint64_t>(m_store.bestDistance()), std::bit_cast<std::uint64_t>(literal.distance))
                << m_store.bestDistance() << " vs " << literal.distance;
            ++m_searches;
        };
        expectSame(m_store.findPhoneTypeSampleForVoicePrint(utterance),
            Literal::findPhoneTypeSampleForVoicePrint(m_store, utterance));
        expectSame(m_store.findRepeatCancelTypeSampleForVoicePrint(utterance),
            Literal::findRepeatCancelTypeSampleForVoicePrint(m_store, utterance));
        expectSame(m_store.findAcceptRepeatCancelTypeSampleForVoicePrint(utterance),
            Literal::findAcceptRepeatCancelTypeSampleForVoicePrint(m_store, utterance));
    }

    IsolatedStorage m_storage;
    ZRCommandList m_store;
    int m_searches = 0;
};

TEST_F(SearchEqualityTest, RandomStoresWithTiesAndOddPrintsChooseTheLiteralSample)
{
    std::mt19937 random(2718);
    // A small pool shared between commands: equal distances across commands
    // and within one command, which the first visited sample must win.
    std::vector<std::shared_ptr<ZRVoicePrint>> pool;
    for (int i = 0; i < 12; ++i)
        pool.push_back(randomPrint(std::uniform_int_distribution<int>(20, 60)(random), i % 3 ? 255 : 2, random));
    pool.push_back(std::make_shared<ZRVoicePrint>());  // empty: 1e30 against everything but another empty print
    pool.push_back(randomPrint(1, 255, random));       // one frame
    pool.push_back(nullptr);                           // no print yet
    const auto pick = [&] { return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)]; };

    for (int c = 0; c < 30; ++c) {
        const int samples = std::uniform_int_distribution<int>(1, 3)(random);
        std::vector<std::shared_ptr<ZRVoicePrint>> prints;
        for (int s = 0; s < samples; ++s)
            prints.push_back(pick());
        add(ZRCommandTypePhone, prints);
    }
    add(ZRCommandTypeAccept, {pick(), pick()});
    add(ZRCommandTypeRepeat, {pick()});
    add(ZRCommandTypeCancel, {pick(), pick(), pick()});

    for (const auto& print : pool)
        expectLiteralSearches(print.get());
    for (int u = 0; u < 400; ++u) {
        const int frames = std::uniform_int_distribution<int>(0, 200)(random);
        const auto utterance = randomPrint(frames, u % 4 ? 255 : 2, random);
        expectLiteralSearches(utterance.get());
    }
    EXPECT_GE(m_searches, 1200);
}

TEST_F(SearchEqualityTest, RealSpeechStoresChooseTheLiteralSample)
{
    SKIP_WITHOUT_FSDD();
    const auto printOf = [](int digit, const char* speaker, int take) {
        return std::make_shared<ZRVoicePrint>(
            TestData::voicePrintOf(TestData::samplesOf(Fsdd::recording(digit, speaker, take))));
    };
    // Each digit a command trained with three takes; the system commands
    // with another speaker's digits.
    for (int digit = 0; digit < 10; ++digit)
        add(ZRCommandTypePhone,
            {printOf(digit, "jackson", 0), printOf(digit, "jackson", 1), printOf(digit, "jackson", 2)});
    add(ZRCommandTypeAccept, {printOf(1, "theo", 0)});
    add(ZRCommandTypeRepeat, {printOf(2, "theo", 0)});
    add(ZRCommandTypeCancel, {printOf(3, "theo", 0)});

    for (const char* speaker : {"jackson", "theo", "nicolas"}) {
        for (int digit = 0; digit < 10; ++digit) {
            for (int take = 3; take < 6; ++take)
                expectLiteralSearches(printOf(digit, speaker, take).get());
        }
    }
}

}  // namespace
