#include "widgets/picturesurface.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

QImage Flat(int w, int h, QColor c, QImage::Format f = QImage::Format_ARGB32)
{
    QImage img(w, h, f);
    img.fill(c);
    return img;
}

TEST(PictureSurfaceTest, BorderMakesOuterSizeExceedInnerArea)
{
    PictureSurface s;
    s.SetInnerSize({100, 50});
    EXPECT_EQ(s.InnerSize(), QSize(100, 50));
    EXPECT_EQ(s.OuterSize(), QSize(104, 54));
    EXPECT_EQ(s.Image().size(), QSize(100, 50));

    s.SetBorderWidth(0);
    EXPECT_EQ(s.OuterSize(), QSize(100, 50)) << "removing the border keeps the inner area";
    s.SetOuterSize({30, 20});
    EXPECT_EQ(s.Image().size(), QSize(30, 20)) << "a hidden surface still follows its size";
}

TEST(PictureSurfaceTest, ClearsToBlackOrBackColourAndRestoresPicture)
{
    PictureSurface s;
    s.SetInnerSize({8, 8});
    s.Cls();
    EXPECT_EQ(s.Image().pixelColor(3, 3), QColor(Qt::black));

    s.SetBackColor(QColor(0, 0, 255));
    s.DrawImage(Flat(8, 8, Qt::red), QPoint(0, 0));
    s.Cls();
    EXPECT_EQ(s.Image().pixelColor(7, 7), QColor(0, 0, 255));

    s.SetPicture(Flat(2, 2, Qt::green));
    s.DrawImage(Flat(8, 8, Qt::red), QPoint(0, 0));
    s.Cls();
    EXPECT_EQ(s.Image().pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(s.Image().pixelColor(2, 2), QColor(0, 0, 255));
}

TEST(PictureSurfaceTest, DrawsExactlyUnscaledAndSmoothlyScaledWithAlpha)
{
    PictureSurface s;
    s.SetInnerSize({20, 20});
    s.Cls();

    QImage pattern(2, 1, QImage::Format_ARGB32);
    pattern.setPixelColor(0, 0, QColor(10, 20, 30));
    pattern.setPixelColor(1, 0, QColor(200, 100, 50));
    s.DrawImage(pattern, QRect(5, 5, 2, 1));
    EXPECT_EQ(s.Image().pixelColor(5, 5), QColor(10, 20, 30));
    EXPECT_EQ(s.Image().pixelColor(6, 5), QColor(200, 100, 50));
    EXPECT_EQ(s.Image().pixelColor(7, 5), QColor(Qt::black));

    // A flat picture scaled up covers exactly its rectangle.
    s.DrawImage(Flat(3, 3, Qt::white), QRect(10, 10, 6, 4));
    EXPECT_EQ(s.Image().pixelColor(10, 10), QColor(Qt::white));
    EXPECT_EQ(s.Image().pixelColor(15, 13), QColor(Qt::white));
    EXPECT_EQ(s.Image().pixelColor(16, 13), QColor(Qt::black));
    EXPECT_EQ(s.Image().pixelColor(15, 14), QColor(Qt::black));

    // Half-transparent red over black blends.
    s.DrawImage(Flat(4, 4, QColor(255, 0, 0, 128)), QRect(0, 0, 2, 2));
    const QColor blended = s.Image().pixelColor(0, 0);
    EXPECT_NEAR(blended.red(), 128, 2);
    EXPECT_EQ(blended.green(), 0);

    // Empty rectangles and null pictures draw nothing.
    const QImage before = s.Image().copy();
    s.DrawImage(Flat(4, 4, Qt::white), QRect(0, 0, 0, 5));
    s.DrawImage(Flat(4, 4, Qt::white), QRect(0, 0, -3, 5));
    s.DrawImage(QImage(), QRect(0, 0, 5, 5));
    EXPECT_EQ(s.Image(), before);
}

TEST(PictureSurfaceTest, CopiesImageOntoAnotherSurfaceAtNaturalSize)
{
    PictureSurface source, target;
    source.SetBorderWidth(0);
    source.SetInnerSize({4, 4});
    source.Cls();
    source.DrawImage(Flat(2, 2, Qt::yellow), QPoint(2, 2));
    target.SetInnerSize({10, 10});
    target.DrawImage(Flat(10, 10, Qt::white), QPoint(0, 0));

    source.CopyImageTo(target);
    EXPECT_EQ(target.Image().pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(target.Image().pixelColor(3, 3), QColor(Qt::yellow));
    EXPECT_EQ(target.Image().pixelColor(4, 4), QColor(Qt::white)) << "outside the copy stays";
}

TEST(PictureSurfaceTest, ChildPlacementCountsFromParentInnerArea)
{
    PictureSurface parent;
    parent.SetInnerSize({100, 100});
    auto *child = new PictureSurface(&parent);
    child->SetBorderWidth(0);
    child->SetPlacement(QRect(10, 20, 30, 40));
    EXPECT_EQ(child->Placement(), QRect(10, 20, 30, 40));
    EXPECT_EQ(child->geometry().topLeft(), QPoint(12, 22));
    EXPECT_EQ(child->InnerSize(), QSize(30, 40));
}

TEST(PictureSurfaceTest, KeepsDrawingWhenResizedAndShowsIt)
{
    PictureSurface s;
    s.SetInnerSize({4, 4});
    s.Cls();
    s.DrawImage(Flat(4, 4, Qt::red), QPoint(0, 0));
    s.SetInnerSize({8, 8});
    EXPECT_EQ(s.Image().pixelColor(3, 3), QColor(Qt::red));
    EXPECT_EQ(s.Image().pixelColor(6, 6), QColor(Qt::black));

    s.Refresh();
    const QImage shown = s.grab().toImage();
    EXPECT_EQ(shown.size(), QSize(12, 12));
    EXPECT_EQ(shown.pixelColor(2 + 1, 2 + 1), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(2 + 6, 2 + 6), QColor(Qt::black));
}

} // namespace
} // namespace mrv
