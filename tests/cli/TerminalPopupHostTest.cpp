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

struct Sheets : ActionSheetDelegate {
    void didPresentActionSheet(ActionSheet&) override { ++presented; }
    void actionSheetClickedButtonAtIndex(ActionSheet&, int index) override { pressed.push_back(index); }
    int presented = 0;
    std::vector<int> pressed;
};

TEST(TerminalPopupHostTest, ATypedNumberPressesThatButtonOfTheSheetOnScreen)
{
    static int argc = 1;
    static char name[] = "cli_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);  // lives as long as the process
    SystemClock clock;
    std::ostringstream out;
    TerminalPopupHost host(clock, out);
    int keyboard[2];
    ASSERT_EQ(pipe(keyboard), 0);
    host.readKeys(keyboard[0]);
    Sheets sheets;
    // Types the text and lets the host read all of it.
    const auto type = [&](const std::string& text) {
        ASSERT_EQ(write(keyboard[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
        int unread = 0;
        clock.runUntil([&] { return ioctl(keyboard[0], FIONREAD, &unread) == 0 && unread == 0; }, 10s);
    };
    const auto showSheet = [&] {
        auto sheet = ActionSheet::create("Say it", &sheets, "Stop", {}, {"Accept", "Repeat"});
        const int before = sheets.presented;
        sheet->show(host);
        clock.runUntil([&] { return sheets.presented > before; }, 10s);
        return sheet;
    };

    type("0\n");  // nothing on screen yet
    showSheet();
    type("3\nrepeat\n 1");
    EXPECT_TRUE(sheets.pressed.empty()) << "no such button, no number, no Enter yet";
    type("\n0\n");
    EXPECT_EQ(sheets.pressed, std::vector<int> {1}) << "the sheet has gone after the first press";
    EXPECT_EQ(out.str(), "[Say it]  0: Accept  1: Repeat  2: Stop\n> Repeat\n");

    // A sheet the dialogue took away takes no keys.
    showSheet()->dismissWithClickedButtonIndex(-1, true);
    type("2\n");
    EXPECT_EQ(sheets.pressed, std::vector<int> {1});
    close(keyboard[0]);
    close(keyboard[1]);
}

}  // namespace
