// The main of test programs that need a graphical application: offscreen,
// with the software renderer, so they run without a display.

#include "Platform/LocalizedStrings.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication application(argc, argv);
    LocalizedStrings::install();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
