#include "ViewControllers/OwnedByTabBarController/CommandsViewControllers/CommandsViewController.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRSample.h"
#include "Platform/Audio/AudioFileDecoder.h"
#include "support/ScreenFixture.h"

#include <algorithm>

namespace {

using namespace std::chrono_literals;

class CommandsViewControllerTest : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        m_commands.loadViewIfNeeded();
    }

    // Each section shown: its header, then the names of its rows.
    std::vector<QStringList> shown()
    {
        m_commands.reloadData();
        std::vector<QStringList> sections;
        for (int section = 0; section < m_commands.numberOfShownSections(); ++section) {
            QStringList texts {m_commands.shownHeader(section)};
            for (int row = 0; row < m_commands.numberOfShownRows(section); ++row)
                texts << m_commands.shownCell(section, row)->text;
            sections.push_back(texts);
        }
        return sections;
    }

    // Selects a row, presses Delete in its options, and then Delete or
    // Cancel in the confirmation.
    void deleteRow(int section, int row, bool confirm = true)
    {
        m_commands.selectRow(section, row);
        press(CommandsViewController::DeleteButton);
        ASSERT_EQ(m_screen.onScreen()->tag(), CommandsViewController::DeleteSheet);
        press(confirm ? m_screen.onScreen()->destructiveButtonIndex() : m_screen.onScreen()->cancelButtonIndex());
    }
    void press(int button)
    {
        m_clock.advance(0ms);
        m_screen.press(button);
        m_clock.advance(0ms);
    }

    CommandsViewController m_commands {services()};
};

TEST_F(CommandsViewControllerTest, SectionsFollowTheTrainedSystemCommands)
{
    const QString phoneHeader = CommandsViewController::kPhoneCommandsHeader;
    EXPECT_EQ(shown(), std::vector<QStringList> {{phoneHeader}});
    trainDigit(ZRCommandTypePhone, 2);
    trainDigit(ZRCommandTypePhone, 3);
    EXPECT_EQ(shown(), (std::vector<QStringList> {{phoneHeader, "Digit 2", "Digit 3"}}));

    trainDigit(ZRCommandTypeCancel, kCancelDigit)->setName("Cancel");
    trainDigit(ZRCommandTypeAccept, kAcceptDigit)->setName("Accept");
    EXPECT_EQ(shown(),
        (std::vector<QStringList> {{qtTrId("confirmationsSectionTitle"), "Accept", "Cancel"},
            {qtTrId("contactsSectionTitle"), "Digit 2", "Digit 3"}}));
    const TableViewCell& accept = *m_commands.shownCell(0, 0);
    EXPECT_TRUE(accept.detailText.isEmpty()) << "a control word has no number";
    EXPECT_EQ(accept.secondDetailText, qtTrId("commandsSampleCountText", 3));
    EXPECT_EQ(m_commands.shownCell(1, 1)->detailText, "+49 170 003");
}

TEST_F(CommandsViewControllerTest, TheSectionDecidesWhichCommandASharedIdentifierMeans)
{
    const auto phone = trainDigit(ZRCommandTypePhone, 2);
    const auto accept = trainDigit(ZRCommandTypeAccept, kAcceptDigit);
    ASSERT_EQ(phone->commandID(), accept->commandID());
    m_commands.reloadData();
    m_commands.selectRow(0, 0);
    EXPECT_EQ(m_commands.selectedCommand(), accept);
    m_clock.advance(0ms);
    EXPECT_EQ(m_screen.onScreen()->tag(), CommandsViewController::OptionsSheet);
    EXPECT_EQ(m_screen.onScreen()->destructiveButtonIndex(), CommandsViewController::DeleteButton);
    EXPECT_EQ(m_screen.onScreen()->cancelButtonIndex(), 3);
    press(3);
    m_commands.selectRow(1, 0);
    EXPECT_EQ(m_commands.selectedCommand(), phone);
}

TEST_F(CommandsViewControllerTest, ADeleteIsConfirmedAndDeletingAControlWordOrAllSwitchesConfirmationsOff)
{
    trainSystemCommands();
    trainDigit(ZRCommandTypePhone, 2);
    const auto second = trainDigit(ZRCommandTypePhone, 3);
    setConfirmations(true);
    m_commands.reloadData();

    // Cancelled: the options come back for the same command.
    deleteRow(1, 1, false);
    EXPECT_EQ(m_screen.presented(), (std::vector<std::string> {"sheet 2", "sheet 0", "sheet 2"}));
    EXPECT_EQ(m_screen.onScreen()->title(), qtTrId("optionsAlertSheetText").arg("Digit 3"));
    EXPECT_EQ(m_commands.selectedCommand(), second);
    EXPECT_EQ(m_store.count(), 2u);
    press(3);

    deleteRow(1, 0);
    EXPECT_EQ(m_store.count(), 1u);
    EXPECT_TRUE(setting("Confirmations")) << "all three control words are still there";
    deleteRow(0, 1);  // repeat
    EXPECT_EQ(m_store.numberOfSystemCommands(), 2);
    EXPECT_FALSE(setting("Confirmations"));
    EXPECT_EQ(m_commands.numberOfShownRows(0), 2) << "the list is shown afresh";

    // Delete all: cancelled, it keeps everything; confirmed, nothing is left.
    setConfirmations(true);
    m_commands.clickedLeftBarButton();
    m_clock.advance(0ms);
    ASSERT_EQ(m_screen.onScreen()->tag(), CommandsViewController::DeleteAllSheet);
    press(m_screen.onScreen()->cancelButtonIndex());
    EXPECT_EQ(m_store.count(), 1u);
    m_commands.clickedDeleteAllBarButton();
    press(m_screen.onScreen()->destructiveButtonIndex());
    EXPECT_EQ(m_store.count(), 0u);
    EXPECT_EQ(m_store.numberOfSystemCommands(), 0);
    EXPECT_FALSE(setting("Confirmations"));
    EXPECT_EQ(shown(), std::vector<QStringList> {{CommandsViewController::kPhoneCommandsHeader}});
}

TEST_F(CommandsViewControllerTest, PlayPlaysTheNewestSampleAndEveryPressHasItsOwnPlayer)
{
    const auto command = trainDigit(ZRCommandTypePhone, 2);
    m_commands.reloadData();
    const auto play = [this] {
        m_commands.selectRow(0, 0);
        press(CommandsViewController::PlayButton);
    };
    play();
    m_clock.runUntil([this] { return m_commands.playingCount() == 0; }, 30s);
    ASSERT_EQ(m_device.speaker().playedSounds().size(), 1u);
    const std::vector<std::int16_t> newest
        = AudioFileDecoder::decode(command->sample1()->filePath().toStdString(), 44100).samples;
    const std::vector<std::int16_t>& played = m_device.speaker().playedSounds().front().samples;
    ASSERT_GE(played.size(), newest.size());
    EXPECT_TRUE(std::equal(newest.begin(), newest.end(), played.begin()));

    play();
    play();
    EXPECT_EQ(m_commands.playingCount(), 2u);
    m_clock.runUntil([this] { return m_commands.playingCount() == 0; }, 30s);
    EXPECT_EQ(m_commands.playingCount(), 0u) << "each player goes when it has ended";
}

}  // namespace
