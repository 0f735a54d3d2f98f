// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PainterDC.h"
#include "support/RecordingDC.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

using namespace tavo;

TEST(Unites, mulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(10, 96, 72), 13);               // 13.33
    EXPECT_EQ(MulDiv(3, 1, 2), 2);                   // 1.5
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);                 // -1.5
    EXPECT_EQ(MulDiv(5, 1, -2), -3);                 // -2.5
    EXPECT_EQ(MulDiv(1, 1, 0), -1);                  // no divisor
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000); // no 32-bit overflow
}

TEST(Unites, pointsAndMillimetresBecomeDevicePixels)
{
    EXPECT_EQ(PointsEnPixels(12, 96), 16);
    EXPECT_EQ(PointsEnPixels(10, 600), 83);
    EXPECT_EQ(DixiemesMmEnPixels(1160, 96), 438);   // 116 mm at 96 dpi: 438.4
    EXPECT_EQ(DixiemesMmEnPixels(254, 300), 300);   // one inch
    EXPECT_EQ(CentiemesMmEnPixels(2500, 600), 591); // 25 mm margin at 600 dpi: 590.55
    EXPECT_EQ(TFont::Points(14, 96, FW_BOLD).Height, -19);
}

TEST(RecordingDC, recordsWhatWasDrawnWithItsState)
{
    TRecordingDC dc(96);
    dc.SelectObject(TFont::Points(12, 96, FW_BOLD));
    dc.SetTextColor(TColor::White);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(10, 20, QStringLiteral("Rang"));
    dc.DrawText(QStringLiteral("Nom"), TRect{0, 0, 100, 20}, DT_CENTER | DT_VCENTER);
    dc.SelectObject(TPen{TColor::White, 2});
    dc.MoveTo(1, 2);
    dc.LineTo(30, 2);

    ASSERT_EQ(dc.Traces().size(), 3u);
    const TTrace* rang = dc.Cherche(QStringLiteral("Rang"));
    ASSERT_NE(rang, nullptr);
    // 16-pixel characters: 8 pixels wide each, a line of 20.
    EXPECT_EQ(rang->Rect, (TRect{10, 20, 42, 40}));
    EXPECT_EQ(rang->Police.Weight, FW_BOLD);
    EXPECT_EQ(rang->CouleurTexte, TColor::White);
    EXPECT_EQ(rang->ModeFond, TRANSPARENT);
    EXPECT_EQ(dc.GetTextMetrics().tmHeight, 20);
    EXPECT_EQ(dc.Cherche(QStringLiteral("Nom"))->Format, unsigned(DT_CENTER | DT_VCENTER));
    const auto lignes = dc.DeType(TTrace::Type::Ligne);
    ASSERT_EQ(lignes.size(), 1u);
    EXPECT_EQ(lignes[0].Rect, (TRect{1, 2, 30, 2}));
    EXPECT_EQ(lignes[0].Stylo.Width, 2);
    dc.RestoreObjects();
    EXPECT_EQ(dc.GetTextMetrics().tmHeight, 20); // default font: 16-pixel characters
}

class PainterDCTest : public ::testing::Test
{
protected:
    PainterDCTest()
        : image(200, 100, QImage::Format_RGB32)
    {
        image.fill(Qt::blue);
    }
    QColor Pixel(int x, int y) const { return image.pixelColor(x, y); }

    QImage image;
};

TEST_F(PainterDCTest, fillsAndFramesExactlyTheirRectangles)
{
    {
        QPainter painter(&image);
        TPainterDC dc(painter, 96, 96);
        dc.FillRect(TRect{10, 10, 20, 20}, TColor::Purple);
        dc.FrameRect(TRect{50, 10, 60, 20}, TBrush{TColor::White});
    }
    EXPECT_EQ(Pixel(10, 10), QColor(128, 0, 128));
    EXPECT_EQ(Pixel(19, 19), QColor(128, 0, 128));
    EXPECT_EQ(Pixel(20, 20), QColor(Qt::blue)); // right and bottom edges are outside
    EXPECT_EQ(Pixel(50, 15), QColor(Qt::white));
    EXPECT_EQ(Pixel(59, 15), QColor(Qt::white));
    EXPECT_EQ(Pixel(55, 15), QColor(Qt::blue)); // a frame does not fill
    EXPECT_EQ(Pixel(60, 15), QColor(Qt::blue));
}

TEST_F(PainterDCTest, invertedRectanglesDrawNothingAndTextIsCutAtItsRectangle)
{
    {
        QPainter painter(&image);
        TPainterDC dc(painter, 96, 96);
        dc.FillRect(TRect{50, 50, 10, 60}, TColor::White);
        dc.SetTextColor(TColor::White);
        dc.SetBkMode(TRANSPARENT);
        dc.SelectObject(TFont::Points(20, 96));
        dc.DrawText(QStringLiteral("MMMMMMMMMMMMMMMM"), TRect{20, 20, 60, 60},
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        dc.DrawText(QStringLiteral("MMMM"), TRect{100, 80, 90, 70}, DT_LEFT);
    }
    int dehors = 0;
    int dedans = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Pixel(x, y) != QColor(Qt::blue))
                ++(x < 20 || x >= 60 || y < 20 || y >= 60 ? dehors : dedans);
    EXPECT_EQ(dehors, 0);
    EXPECT_GT(dedans, 100);
}

TEST_F(PainterDCTest, textOutPlacesTheTopOfTheCellAtY)
{
    int hauteur = 0;
    {
        QPainter painter(&image);
        TPainterDC dc(painter, 96, 96);
        dc.SelectObject(TFont::Points(20, 96, FW_BOLD));
        dc.SetTextColor(TColor::White);
        dc.SetBkMode(TRANSPARENT);
        hauteur = dc.GetTextMetrics().tmHeight;
        EXPECT_GT(dc.GetTextExtent(QStringLiteral("WWWW")).cx,
                  dc.GetTextExtent(QStringLiteral("iiii")).cx);
        dc.TextOut(10, 40, QStringLiteral("HHHH"));
    }
    EXPECT_GE(hauteur, 27); // 20 points at 96 dpi: 27-pixel characters, plus the leading
    int premiere = -1;
    int derniere = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Pixel(x, y).red() > 128) {
                if (premiere < 0)
                    premiere = y;
                derniere = y;
            }
    EXPECT_GE(premiere, 40);
    EXPECT_LT(derniere, 40 + hauteur);
}

TEST_F(PainterDCTest, hatchBrushLeavesTheBackgroundBetweenItsLines)
{
    {
        QPainter painter(&image);
        TPainterDC dc(painter, 96, 96);
        dc.SelectObject(TPen{TColor::White, 2});
        dc.SelectObject(TBrush{TColor::White, StyleBrosse::HachureDiagonale});
        dc.Rectangle(10, 10, 90, 90);
    }
    int blancs = 0;
    int bleus = 0;
    for (int y = 20; y < 80; ++y)
        for (int x = 20; x < 80; ++x)
            (Pixel(x, y) == QColor(Qt::white) ? blancs : bleus)++;
    EXPECT_GT(blancs, 200);
    EXPECT_GT(bleus, 1000);
    EXPECT_EQ(Pixel(10, 50), QColor(Qt::white)); // the two-pixel outline lies inside
    EXPECT_EQ(Pixel(11, 50), QColor(Qt::white));
    EXPECT_EQ(Pixel(9, 50), QColor(Qt::blue));
}

TEST_F(PainterDCTest, stretchesABitmapFileAndRefusesAMissingOne)
{
    QPainter painter(&image);
    TPainterDC dc(painter, 96, 96);
    EXPECT_TRUE(dc.StretchBitmap(QStringLiteral(TAVO_RES_DIR "/logo.bmp"), TRect{0, 0, 64, 48}));
    EXPECT_FALSE(dc.StretchBitmap(QStringLiteral("/nonexistent/ffam.bmp"), TRect{0, 0, 64, 48}));
    painter.end();
    EXPECT_NE(Pixel(5, 5), QColor(Qt::blue));
    EXPECT_EQ(Pixel(100, 60), QColor(Qt::blue));
}
