#include "ViewControllers/OwnedByTabBarController/CommandsViewControllers/CommandsViewController.h"

#include "support/ScreenFixture.h"

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
            sections.push_back({m_commands.shownHeader(section)});
            for (int row = 0; row < m_commands.numberOfShownRows(section); ++row)
                sections.back() << m_commands.shownCell(section, row)->text;
        }
        return sections;
    }
    // Presses a button of the popup on screen (of `tag`, if given), and
    // lets the next one come up.
    static constexpr int kDestroy = -1, kCancel = -2;
    void press(int button, int tag = -1)
    {
        m_clock.advance(0ms);
        const Popup* popup = m_screen.onScreen();
        ASSERT_TRUE(popup && (tag < 0 || popup->tag() == tag));
        m_screen.press(button == kDestroy ? popup->destructiveButtonIndex()
                : button == kCancel       ? popup->cancelButtonIndex()
                                          : button);
        m_clock.advance(0ms);
    }

    CommandsViewController m_commands {services()};
};

TEST_F(CommandsViewControllerTest, SectionsFollowTheTrainedSystemCommandsAndDecideWhichCommandARowMeansAndPlays)
{
    const QString phoneHeader = CommandsViewController::kPhoneCommandsHeader;
    EXPECT_EQ(shown(), std::vector<QStringList> {{phoneHeader}});
    const auto phone = trainDigit(ZRCommandTypePhone, 2);
    trainDigit(ZRCommandTypePhone, 3);
    EXPECT_EQ(shown(), (std::vector<QStringList> {{phoneHeader, "Digit 2", "Digit 3"}}));

    trainDigit(ZRCommandTypeCancel, kCancelDigit)->setName("Cancel");
    const auto accept = trainDigit(ZRCommandTypeAccept, kAcceptDigit);
    accept->setName("Accept");
    EXPECT_EQ(shown(),
        (std::vector<QStringList> {{qtTrId("confirmationsSectionTitle"), "Accept", "Cancel"},
            {qtTrId("contactsSectionTitle"), "Digit 2", "Digit 3"}}));
    EXPECT_TRUE(m_commands.shownCell(0, 0)->detailText.isEmpty()) << "a control word has no number";
    EXPECT_EQ(m_commands.shownCell(0, 0)->secondDetailText, qtTrId("commandsSampleCountText", 3));
    EXPECT_EQ(m_commands.shownCell(1, 1)->detailText, "+49 170 003");

    // Accept and Digit 2 share an identifier: the section tells them apart.
    ASSERT_EQ(phone->commandID(), accept->commandID());
    m_commands.selectRow(0, 0);
    EXPECT_EQ(m_commands.selectedCommand(), accept);
    press(kCancel, CommandsViewController::OptionsSheet);
    m_commands.selectRow(1, 0);
    EXPECT_EQ(m_commands.selectedCommand(), phone);

    press(kCancel, CommandsViewController::OptionsSheet);

    // Play plays the newest sample, and every press has its own player.
    const auto play = [this](int times) {
        for (int time = 0; time < times; ++time) {
            m_commands.selectRow(1, 0);
            press(CommandsViewController::PlayButton);
        }
        EXPECT_EQ(m_commands.playingCount(), std::size_t(times));
        m_clock.runUntil([this] { return m_commands.playingCount() == 0; }, 30s);
        EXPECT_EQ(m_commands.playingCount(), 0u) << "each player goes when it has ended";
    };
    play(1);
    ASSERT_EQ(m_device.speaker().playedSounds().size(), 1u);
    const auto newest = AudioFileDecoder::decode(phone->sample1()->filePath().toStdString(), 44100).samples;
    const auto& played = m_device.speaker().playedSounds().front().samples;
    EXPECT_TRUE(played.size() >= newest.size() && std::equal(newest.begin(), newest.end(), played.begin()));
    play(2);
}

TEST_F(CommandsViewControllerTest, DeletingAControlWordOrAllSwitchesConfirmationsOff)
{
    trainSystemCommands();
    trainDigit(ZRCommandTypePhone, 2);
    trainDigit(ZRCommandTypePhone, 3);
    setConfirmations(true);
    m_commands.reloadData();
    m_commands.selectRow(1, 0);  // Digit 2: Delete, and Delete again to confirm
    press(CommandsViewController::DeleteButton, CommandsViewController::OptionsSheet);
    press(kDestroy, CommandsViewController::DeleteSheet);
    EXPECT_EQ(m_store.count(), 1u);
    EXPECT_TRUE(setting("Confirmations")) << "all three control words are still there";
    m_commands.selectRow(0, 1);  // repeat
    press(CommandsViewController::DeleteButton, CommandsViewController::OptionsSheet);
    press(kDestroy, CommandsViewController::DeleteSheet);
    EXPECT_EQ(m_store.numberOfSystemCommands(), 2);
    EXPECT_FALSE(setting("Confirmations"));
    EXPECT_EQ(m_commands.numberOfShownRows(0), 2) << "the list is shown afresh";

    // Delete all: cancelled, it keeps everything; confirmed, nothing is left.
    setConfirmations(true);
    m_commands.clickedLeftBarButton();
    press(kCancel, CommandsViewController::DeleteAllSheet);
    EXPECT_EQ(m_store.count(), 1u);
    m_commands.clickedDeleteAllBarButton();
    press(kDestroy, CommandsViewController::DeleteAllSheet);
    EXPECT_FALSE(setting("Confirmations"));
    EXPECT_EQ(shown(), std::vector<QStringList> {{CommandsViewController::kPhoneCommandsHeader}}) << "nothing is left";
}

}  // namespace
