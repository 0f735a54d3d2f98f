// SPDX-License-Identifier: GPL-3.0-or-later
// Main of the GoogleTest programs that need Qt's widgets: without a display they run on the
// offscreen platform, in French, with the fonts the program expects.
#include <cstdlib>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
