#include "widgets/picturesurface.h"
#include "widgets/showpicture.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace mrv {
namespace {

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

QImage Flat(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

/// The smallest rectangle holding every pixel of the colour; empty when there is none.
QRect Covered(const QImage &image, QColor colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

/// A cleared surface whose drawing area is exactly the given size.
struct Surface
{
    explicit Surface(QSize inner, int border = 0)
    {
        s.SetBorderWidth(border);
        s.SetInnerSize(inner);
        s.Cls();
    }
    QRect Drawn(QColor c = Red) const { return Covered(s.Image(), c); }
    PictureSurface s;
};

PictureParams Style(int style)
{
    PictureParams p;
    p.PicDrawStyle = style;
    return p;
}

TEST(ShowPictureTest, PlainStyleDrawsAtOwnGivenOrScaledSize)
{
    {
        Surface t({20, 10});
        PictureParams p = Style(PicStylePlain);
        p.PicX = 2;
        p.PicY = 1;
        ShowPicture(Flat(4, 3, Red), t.s, p);
        EXPECT_EQ(t.Drawn(), QRect(2, 1, 4, 3));
    }
    {
        // Scaled sizes round up: 201 x 101 at one half is 101 x 51.
        Surface t({120, 60});
        PictureParams p = Style(PicStylePlain);
        p.ScaleX = p.ScaleY = 0.5;
        ShowPicture(Flat(201, 101, Red), t.s, p);
        EXPECT_EQ(t.Drawn(), QRect(0, 0, 101, 51));
    }
    {
        // Once a size is given the scale no longer applies; the other size is the picture's.
        Surface t({60, 20});
        PictureParams p = Style(PicStylePlain);
        p.ScaleX = p.ScaleY = 2.0;
        p.PicWidth = 50;
        ShowPicture(Flat(10, 7, Red), t.s, p);
        EXPECT_EQ(t.Drawn(), QRect(0, 0, 50, 7));
    }
}

TEST(ShowPictureTest, StretchFillsInsideMarginsOfTheDrawingArea)
{
    Surface t({20, 10}, 3);
    PictureParams p = Style(PicStyleStretch);
    p.PicLeft = 2;
    p.PicTop = 1;
    p.PicRight = 3;
    p.PicButtom = 2;
    ShowPicture(Flat(4, 4, Red), t.s, p);
    EXPECT_EQ(t.Drawn(), QRect(2, 1, 15, 7));

    // A size adjustment is added to the stretched size.
    t.s.Cls();
    p.PicWidth = -5;
    p.PicHeight = 2;
    ShowPicture(Flat(4, 4, Red), t.s, p);
    EXPECT_EQ(t.Drawn(), QRect(2, 1, 10, 9));
}

TEST(ShowPictureTest, FitKeepsProportionsAndAlignsOnTheFreeAxis)
{
    const QImage wide = Flat(20, 5, Red);
    struct Case
    {
        int align;
        int expectedY;
    };
    // Free vertical space 15: centre rounds 7.5 to the even 8.
    for (const Case c : {Case{PicAlignCentre, 8}, Case{PicAlignStart, 0}, Case{PicAlignEnd, 15},
                         Case{-1, 4}}) {
        Surface t({20, 20});
        PictureParams p = Style(PicStyleFit);
        p.PicyAlign = c.align;
        p.PicY = 4; // used only by an alignment that keeps the given position
        ShowPicture(wide, t.s, p);
        EXPECT_EQ(t.Drawn(), QRect(0, c.expectedY, 20, 5)) << "alignment " << c.align;
    }

    // A tall picture fills the height inside the margins and aligns horizontally.
    Surface t({30, 22});
    PictureParams p = Style(PicStyleFit);
    p.PicTop = 1;
    p.PicButtom = 1;
    p.PicLeft = 2;
    p.PicxAlign = PicAlignEnd;
    ShowPicture(Flat(5, 10, Red), t.s, p);
    EXPECT_EQ(t.Drawn(), QRect(30 - 10, 1, 10, 20));
}

TEST(ShowPictureTest, SizeTargetStyleResizesTheSurfaceAroundThePicture)
{
    Surface t({50, 50}, 2);
    PictureParams p = Style(PicStyleSizeTarget);
    p.PicLeft = 3;
    p.PicTop = 2;
    p.PicRight = 1;
    p.PicButtom = 4;
    ShowPicture(Flat(6, 5, Red), t.s, p);
    EXPECT_EQ(t.s.InnerSize(), QSize(3 + 6 + 1, 2 + 5 + 4));
    EXPECT_EQ(t.s.OuterSize(), QSize(14, 15));
    EXPECT_EQ(t.Drawn(), QRect(3, 2, 6, 5));
}

TEST(ShowPictureTest, ZoomShowsTheRegionFillingTheSurface)
{
    QImage halves = Flat(10, 10, Red);
    QPainter(&halves).fillRect(5, 0, 5, 10, Blue);
    Surface t({20, 40});
    PictureParams p = Style(PicStyleZoom);
    p.PicX = 5;
    p.PicWidth = 5;
    p.PicHeight = 10;
    ShowPicture(halves, t.s, p);
    // Zoom 4 (the smaller of 20/5 and 40/10): the right, blue half covers the surface. Smooth
    // enlarging blends the first columns with the red neighbour outside the region.
    EXPECT_TRUE(t.Drawn(Blue).contains(QRect(2, 0, 18, 40))) << "drawn " << t.Drawn(Blue).x();
    EXPECT_EQ(t.Drawn(Blue).right(), 19);
    EXPECT_TRUE(t.Drawn(Red).isEmpty());

    // A region without area draws nothing.
    t.s.Cls();
    p.PicWidth = 0;
    ShowPicture(halves, t.s, p);
    EXPECT_TRUE(t.Drawn(Blue).isEmpty());
}

TEST(ShowPictureTest, FilesAreLoadedAndFailuresDrawNothing)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("red.png"));
    ASSERT_TRUE(Flat(3, 2, Red).save(path));

    Surface t({10, 10});
    PictureParams p = Style(PicStylePlain);
    p.PicX = 4;
    ShowPicture(path, t.s, p);
    EXPECT_EQ(t.Drawn(), QRect(4, 0, 3, 2));

    const QImage before = t.s.Image().copy();
    ShowPicture(folder.file(QStringLiteral("missing.png")), t.s, p);
    folder.write(QStringLiteral("broken.png"), "not a picture");
    ShowPicture(folder.file(QStringLiteral("broken.png")), t.s, p);
    ShowPicture(path, t.s, Style(7));
    ShowPicture(path, t.s, Style(-1));
    EXPECT_EQ(t.s.Image(), before);

    // An unreadable picture does not shrink a size-target surface to its margins.
    ShowPicture(folder.file(QStringLiteral("missing.png")), t.s, Style(PicStyleSizeTarget));
    EXPECT_EQ(t.s.InnerSize(), QSize(10, 10));
}

TEST(ShowPictureTest, HugeLayoutValuesStayHarmless)
{
    Surface t({10, 10});
    PictureParams p = Style(PicStyleStretch);
    p.PicLeft = p.PicRight = p.PicTop = p.PicButtom = 2147483647;
    ShowPicture(Flat(2, 2, Red), t.s, p);
    EXPECT_TRUE(t.Drawn().isEmpty());

    p = Style(PicStyleZoom);
    p.PicX = p.PicY = 2147483647;
    p.PicWidth = p.PicHeight = 1;
    ShowPicture(Flat(2, 2, Red), t.s, p);
    EXPECT_TRUE(t.Drawn().isEmpty());
}

} // namespace
} // namespace mrv
