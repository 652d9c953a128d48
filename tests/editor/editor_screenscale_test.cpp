#include "editor/screenscale.h"

#include "editor/framelist.h"
#include "widgets/picturesurface.h"
#include "editor_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

/// Clicks into the screen-scale box of the active window and selects its text, as a user
/// about to type a size.
QWidget &ClickIntoScaleBox(frmEditer &w)
{
    QComboBox &box = *w.Controls().comScreenScale;
    QTest::mouseClick(box.lineEdit(), Qt::LeftButton, {}, QPoint(5, box.lineEdit()->height() / 2));
    QWidget *focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == &box || box.isAncestorOf(focus));
    QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
    return *focus;
}

TEST_F(ScreenScaleBox, KeyFilterLetsOnlyDigitsStarAndBackspaceThrough)
{
    frmEditer &w = Load();
    Activate();
    QLineEdit &edit = *w.Controls().comScreenScale->lineEdit();
    QWidget &focus = ClickIntoScaleBox(w);
    QTest::keyClicks(&focus, QStringLiteral("12a8b0*x7-2 0"));
    EXPECT_EQ(edit.text(), QStringLiteral("1280*720"));
    QTest::keyClick(&focus, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("1280*72"));
    // Nothing completes a partial text into a list entry the user did not type.
    QTest::keyClick(&focus, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&focus, QStringLiteral("12"));
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
}

TEST_F(ScreenScaleBox, TypingASizeKeepsThePreviewInsideTheWindow)
{
    const QString path = WriteProject(folder, QStringLiteral("p"), 3);
    WritePicture(folder.file(QStringLiteral("bg.png")), {1024, 768}, Qt::blue);
    for (int i = 1; i <= 3; ++i)
        WritePicture(folder.file(QStringLiteral("f%1.png").arg(i)), {200, 200}, Qt::red);
    frmEditer &w = Load({{path, path}});
    Activate();
    const QRect client(QPoint(0, 0), w.Client().size());
    const qint64 decoded = (1024 * 768 + 3 * 200 * 200) * 4;
    const qint64 shown = qint64(client.width()) * client.height() * 4;
    const auto expectBounded = [&](const QString &typed) {
        const PictureSurface &box = *w.Controls().picBG;
        EXPECT_TRUE(client.contains(box.geometry())) << typed.toStdString();
        EXPECT_TRUE(QRect(QPoint(0, 0), box.size()).contains(w.Preview().Activity().geometry()))
            << typed.toStdString();
        EXPECT_LE(w.Cache().CostBytes(), decoded + shown) << typed.toStdString();
    };

    QWidget &focus = ClickIntoScaleBox(w);
    QString typed;
    for (const QChar c : QStringLiteral("1920*1080")) {
        QTest::keyClick(&focus, c.toLatin1());
        typed += c;
        expectBounded(typed);
    }
    EXPECT_EQ(w.CurrentProject()->aWidth, 1920);
    EXPECT_EQ(w.CurrentProject()->aHeight, 1080);

    QTest::keyClick(&focus, Qt::Key_A, Qt::ControlModifier);
    typed.clear();
    for (const QChar c : QStringLiteral("1280x1024")) {
        QTest::keyClick(&focus, c.toLatin1());
        typed += c;
        expectBounded(typed);
    }
    EXPECT_EQ(w.Controls().comScreenScale->currentText(), QStringLiteral("12801024"));
    EXPECT_EQ(w.CurrentProject()->aWidth, 1920);
    EXPECT_EQ(w.CurrentProject()->aHeight, 1080);

    // Once editing ends, the box shows the size the project holds.
    QTest::keyClick(&focus, Qt::Key_Return);
    EXPECT_EQ(w.Controls().comScreenScale->currentText(), QStringLiteral("1920*1080"));
    EXPECT_EQ(w.CurrentProject()->aWidth, 1920);
}

TEST_F(ScreenScaleBox, LeavingTheBoxWithAnUnusableTextShowsTheProjectSize)
{
    frmEditer &w = Load();
    Activate();
    QWidget &focus = ClickIntoScaleBox(w);
    QTest::keyClicks(&focus, QStringLiteral("40000*768"));
    EXPECT_EQ(w.CurrentProject()->aWidth, 1024);
    QTest::mouseClick(w.Controls().txtProjectName, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), w.Controls().txtProjectName);
    EXPECT_EQ(w.Controls().comScreenScale->currentText(), QStringLiteral("1024*768"));
    EXPECT_EQ(w.CurrentProject()->aWidth, 1024);
    EXPECT_EQ(w.CurrentProject()->aHeight, 768);
}

TEST_F(ScreenScaleBox, ANewSizeMarksTheProjectAndRefitsThePreview)
{
    frmEditer &w = Load();
    SetClientSize(DesignClientSize); // wider than the test screen lets the window open
    const QSize before = w.Controls().picBG->size();
    w.Controls().comScreenScale->setEditText(QStringLiteral("1280*1024"));
    EXPECT_EQ(w.CurrentProject()->aWidth, 1280);
    EXPECT_EQ(w.CurrentProject()->aHeight, 1024);
    EXPECT_TRUE(w.windowTitle().endsWith(u'*'));
    EXPECT_EQ(w.Controls().picBG->height(), before.height());
    EXPECT_LT(w.Controls().picBG->width(), before.width());
    EXPECT_DOUBLE_EQ(w.Preview().ScaleX, w.Controls().picBG->width() / 1280.0);
}

TEST_F(ScreenScaleBox, AWideProjectAtTheDefaultSizeKeepsTheFrameRowsReadable)
{
    frmEditer &w = Load();
    SetClientSize(DesignClientSize);
    w.Controls().comScreenScale->setEditText(QStringLiteral("1920*1080"));
    ASSERT_EQ(w.CurrentProject()->aWidth, 1920);
    const FrameList &list = w.Frames();
    ASSERT_NE(list.RowPath(1), nullptr);
    EXPECT_EQ(list.RowPath(1)->width(), ReadablePathWidth);
    const QRect panel = list.Panel()->contentsRect();
    for (const QWidget *control : {static_cast<const QWidget *>(list.RowLabel(1)),
                                   static_cast<const QWidget *>(list.RowBrowse(1)),
                                   static_cast<const QWidget *>(list.RowSetting(1))})
        EXPECT_TRUE(
            panel.contains(QRect(control->mapTo(list.Panel(), QPoint(0, 0)), control->size())));
    EXPECT_GT(w.Controls().txtBackground->width(), 0);
    // The preview keeps 16:9 in the room that is left.
    const QSize inner = w.Controls().picBG->InnerSize();
    EXPECT_NEAR(inner.width() * 1080.0 / 1920.0, inner.height(), 1.0);
    EXPECT_LE(w.Controls().picBG->geometry().right(), w.Client().width());
}

TEST_F(ScreenScaleBox, PartialOrUnusableTextKeepsTheSizeAndMakesNoStep)
{
    frmEditer &w = Load();
    for (const char *text : {"1280*", "*", "0*768", "40000*768"}) {
        w.LoadProjectIntoEditor();
        const QSize box = w.Controls().picBG->size();
        w.Controls().comScreenScale->setEditText(QString::fromLatin1(text));
        EXPECT_EQ(w.CurrentProject()->aWidth, 1024) << text;
        EXPECT_EQ(w.CurrentProject()->aHeight, 768) << text;
        // The mark follows the undo history: nothing changed, so nothing to undo or save.
        EXPECT_EQ(w.Document().UndoStack()->count(), 0) << text;
        EXPECT_FALSE(w.CurrentProject()->aChanged) << text;
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
