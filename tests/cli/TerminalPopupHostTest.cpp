// The keyboard side of the terminal host, which the shell's own runs never
// reach: they have no terminal. A pipe stands in for it, in real time on
// the Qt event loop, as at a terminal.

#include "cli/TerminalPopupHost.h"

#include "Platform/Popups/ActionSheet.h"
#include "Platform/Time/SystemClock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <sstream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

class TerminalPopupHostTest : public ::testing::Test, public ActionSheetDelegate {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "cli_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);  // lives as long as the process
    }

    void SetUp() override
    {
        ASSERT_EQ(pipe(m_keyboard), 0);
        m_host.readKeys(m_keyboard[0]);
    }

    void TearDown() override
    {
        close(m_keyboard[0]);
        close(m_keyboard[1]);
    }

    void didPresentActionSheet(ActionSheet&) override { ++m_presented; }
    void actionSheetClickedButtonAtIndex(ActionSheet&, int index) override { m_pressed.push_back(index); }

    std::shared_ptr<ActionSheet> showSheet()
    {
        auto sheet = ActionSheet::create("Say it", this, "Stop", {}, {"Accept", "Repeat"});
        const int presented = m_presented;
        sheet->show(m_host);
        m_clock.runUntil([&] { return m_presented > presented; }, 10s);
        return sheet;
    }

    // Types the text and lets the host read all of it.
    void type(const std::string& text)
    {
        ASSERT_EQ(write(m_keyboard[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
        m_clock.runUntil(
            [this] {
                int unread = 0;
                ioctl(m_keyboard[0], FIONREAD, &unread);
                return unread == 0;
            },
            10s);
    }

    SystemClock m_clock;
    std::ostringstream m_out;
    TerminalPopupHost m_host {m_clock, m_out};
    int m_keyboard[2] = {-1, -1};
    int m_presented = 0;
    std::vector<int> m_pressed;
};

TEST_F(TerminalPopupHostTest, ATypedNumberPressesThatButtonOfTheSheetOnScreen)
{
    type("0\n");  // nothing on screen yet
    showSheet();
    type("3\nrepeat\n 1");
    EXPECT_TRUE(m_pressed.empty()) << "no such button, no number, no Enter yet";
    type("\n0\n");
    EXPECT_EQ(m_pressed, std::vector<int> {1}) << "the sheet has gone after the first press";
    EXPECT_EQ(m_out.str(), "[Say it]  0: Accept  1: Repeat  2: Stop\n> Repeat\n");

    // A sheet the dialogue took away takes no keys.
    showSheet()->dismissWithClickedButtonIndex(-1, true);
    type("2\n");
    EXPECT_EQ(m_pressed, std::vector<int> {1});
}

}  // namespace
