// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SplashWindow.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

using namespace tavo;

TEST(SplashWindow, takesTheBitmapSizeAndTitleAndClosesOnAClick)
{
    QPointer<TSplashWindow> splash =
        TSplashWindow::Cree(QStringLiteral(TAVO_RES_DIR "/logo.bmp"), 320, 240,
                            QStringLiteral("Bonjour. Cliquez pour commencer !"));
    ASSERT_FALSE(splash.isNull());
    EXPECT_EQ(splash->size(), QSize(320, 240));
    EXPECT_EQ(splash->windowTitle(), QStringLiteral("Bonjour. Cliquez pour commencer !"));
    splash->show();
    EXPECT_TRUE(splash->isVisible());
    QTest::mouseClick(splash, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull()); // closed and gone
}

TEST(SplashWindow, missingOrUnreadableBitmapGivesNoSplash)
{
    EXPECT_EQ(TSplashWindow::Cree(QStringLiteral("/nonexistent/logo.bmp"), 320, 240, {}), nullptr);
    EXPECT_EQ(TSplashWindow::Cree(QStringLiteral(TAVO_RES_DIR "/aide/Tavo.html"), 320, 240, {}),
              nullptr);
}
