// SPDX-License-Identifier: GPL-3.0-or-later
// Main of the GoogleTest programs that need Qt's widgets: without a display they run on the
// offscreen platform, in French, with the fonts the program expects, and never write into the
// user's own directories.
#include <cstdlib>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Journals of unnamed competitions, the settings and the user's data go to directories of the
    // run's own (a child process started by a test shares its parent's).
    const QTemporaryDir etat;
    const QTemporaryDir reglages;
    const QTemporaryDir donnees;
    if (!qEnvironmentVariable("XDG_STATE_HOME").startsWith(QDir::tempPath()))
        qputenv("XDG_STATE_HOME", etat.path().toLocal8Bit());
    if (!qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(QDir::tempPath()))
        qputenv("XDG_CONFIG_HOME", reglages.path().toLocal8Bit());
    if (!qEnvironmentVariable("XDG_DATA_HOME").startsWith(QDir::tempPath()))
        qputenv("XDG_DATA_HOME", donnees.path().toLocal8Bit());
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
