#include "editor/screenscale.h"

#include "editor/picturesurface.h"
#include "editor_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace mrv::test {
namespace {

TEST(ParseScreenScale, TakesTheFirstWidthTimesHeight)
{
    EXPECT_EQ(ParseScreenScale(QStringLiteral("1280*1024")), QSize(1280, 1024));
    EXPECT_EQ(ParseScreenScale(QStringLiteral("12*34*56")), QSize(12, 34));
    EXPECT_EQ(ParseScreenScale(QStringLiteral("x 800*600 y")), QSize(800, 600));
    EXPECT_EQ(ParseScreenScale(QStringLiteral("32767*1")), QSize(32767, 1));
    EXPECT_EQ(ParseScreenScale(QStringLiteral("00640*0480")), QSize(640, 480));
}

TEST(ParseScreenScale, RefusesPartialZeroAndOversizedSides)
{
    for (const char *text : {"", "*", "1280*", "*1024", "1280x1024", "0*768", "1024*0",
                             "32768*768", "1024*99999", "99999999999999999999*1"})
        EXPECT_FALSE(ParseScreenScale(QString::fromLatin1(text)).has_value()) << text;
}

using ScreenScaleBox = EditorTest;

TEST_F(ScreenScaleBox, KeyFilterLetsOnlyDigitsStarAndBackspaceThrough)
{
    frmEditer &w = Load();
    QLineEdit &edit = *w.Controls().comScreenScale->lineEdit();
    edit.setFocus();
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("12a8b0*x7-2 0"));
    EXPECT_EQ(edit.text(), QStringLiteral("1280*720"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("1280*72"));
}

TEST_F(ScreenScaleBox, ANewSizeMarksTheProjectAndRefitsThePreview)
{
    frmEditer &w = Load();
    const QSize before = w.Controls().picBG->size();
    w.Controls().comScreenScale->setEditText(QStringLiteral("1280*1024"));
    EXPECT_EQ(w.CurrentProject()->aWidth, 1280);
    EXPECT_EQ(w.CurrentProject()->aHeight, 1024);
    EXPECT_TRUE(w.windowTitle().endsWith(u'*'));
    EXPECT_EQ(w.Controls().picBG->height(), before.height());
    EXPECT_LT(w.Controls().picBG->width(), before.width());
    EXPECT_DOUBLE_EQ(w.Preview().ScaleX, w.Controls().picBG->width() / 1280.0);
}

TEST_F(ScreenScaleBox, PartialOrUnusableTextMarksButKeepsTheSize)
{
    frmEditer &w = Load();
    for (const char *text : {"1280*", "*", "0*768", "40000*768"}) {
        w.LoadProjectIntoEditor();
        const QSize box = w.Controls().picBG->size();
        w.Controls().comScreenScale->setEditText(QString::fromLatin1(text));
        EXPECT_EQ(w.CurrentProject()->aWidth, 1024) << text;
        EXPECT_EQ(w.CurrentProject()->aHeight, 768) << text;
        EXPECT_TRUE(w.CurrentProject()->aChanged) << text;
        EXPECT_EQ(w.Controls().picBG->size(), box) << text;
    }
}

TEST_F(ScreenScaleBox, ChoosingAListEntryAppliesIt)
{
    frmEditer &w = Load();
    QComboBox &box = *w.Controls().comScreenScale;
    const int index = box.findText(QStringLiteral("1920*1080"));
    ASSERT_GE(index, 0);
    box.setCurrentIndex(index);
    EXPECT_EQ(w.CurrentProject()->aWidth, 1920);
    EXPECT_EQ(w.CurrentProject()->aHeight, 1080);
}

TEST_F(ScreenScaleBox, AProjectWithAZeroSizeOnFileLeavesThePreviewAsItWas)
{
    frmEditer &w = Load();
    const QRect box = w.Controls().picBG->geometry();
    const double scale = w.Preview().ScaleX;
    MVK zero;
    zero.aWidth = 0;
    zero.aHeight = 768;
    const QString path = folder.file(QStringLiteral("zero.mrv"));
    ASSERT_TRUE(zero.SaveFile(path, {}).ok());
    ASSERT_TRUE(w.Commands().OpenProjectFile(path));
    EXPECT_EQ(w.Controls().picBG->size(), box.size());
    EXPECT_DOUBLE_EQ(w.Preview().ScaleX, scale);
    EXPECT_EQ(w.Controls().comScreenScale->currentText(), QStringLiteral("0*768"));
}

} // namespace
} // namespace mrv::test
