// SPDX-License-Identifier: GPL-3.0-or-later
// Main of the "imprimer" tests: the GUI application that tavo-cli's own main creates for
// "imprimer", offscreen without a display.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
