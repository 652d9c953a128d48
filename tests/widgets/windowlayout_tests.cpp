#include "widgets/picturesurface.h"
#include "widgets/windowlayout.h"

#include "support/xmledit.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace mrv {
namespace {

/// A widget with a property of its own, as the editor's custom controls publish them.
class Gauge : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Needle READ Needle WRITE SetNeedle)

public:
    using QWidget::QWidget;
    int Needle() const { return m_needle; }
    void SetNeedle(int v) { m_needle = v; }

private:
    int m_needle = 0;
};

template <typename T, typename Parent>
T *Make(Parent *parent, const char16_t *name, int index = -1)
{
    auto *w = new T(parent);
    w->setObjectName(QString::fromUtf16(name));
    if (index >= 0)
        SetControlIndex(*w, index);
    return w;
}

/// A small window shaped like the editor: labels, buttons, a text box, a timer, a menu entry,
/// a picture surface, a framed panel holding a control array, and a dialog of its own.
struct TestWindow
{
    TestWindow()
    {
        window.setObjectName(QStringLiteral("frmTest"));
        window.setWindowTitle(QStringLiteral("design"));
        window.resize(300, 200);
        lblName = Make<QLabel>(&window, u"lblName");
        lblName->setText(QStringLiteral("name"));
        lblName->setGeometry(5, 5, 60, 13);
        cmdGo = Make<QPushButton>(&window, u"cmdGo");
        cmdGo->setGeometry(10, 30, 75, 25);
        txtName = Make<QLineEdit>(&window, u"txtName");
        timPlay = Make<QTimer>(&window, u"timPlay");
        timPlay->setInterval(75);
        mnuOpen = Make<QAction>(&window, u"mnuOpen");
        vscFrame = Make<QScrollBar>(&window, u"vscFrame");
        picBG = Make<PictureSurface>(&window, u"picBG");
        picBG->SetInnerSize({40, 30});
        picFrame = Make<QFrame>(&window, u"picFrame");
        picFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
        picFrame->setLineWidth(3);
        picFrame->setGeometry(0, 60, 200, 120);
        for (int i = 0; i < 3; ++i) {
            rows.append(Make<QLabel>(picFrame, u"lblFrame", i));
            rows.back()->setGeometry(0, 20 * i, 30, 13);
        }
        fraOptions = Make<QGroupBox>(&window, u"fraOptions");
        dialog = Make<QDialog>(&window, u"frmOther");
        dialogLabel = Make<QLabel>(dialog, u"lblName");
        dialogLabel->setText(QStringLiteral("dialog"));
    }

    /// Parses the document and restores the window from it.
    void Restore(const char *xml)
    {
        // An empty text leaves a document without a root, as a missing file does.
        ASSERT_TRUE(doc.load_string(xml) || *xml == 0) << xml;
        RestoreLayout(doc, window);
    }

    pugi::xml_document doc;
    QWidget window;
    QLabel *lblName, *dialogLabel;
    QPushButton *cmdGo;
    QLineEdit *txtName;
    QTimer *timPlay;
    QAction *mnuOpen;
    QScrollBar *vscFrame;
    PictureSurface *picBG;
    QFrame *picFrame;
    QGroupBox *fraOptions;
    QList<QLabel *> rows;
    QDialog *dialog;
};

QColor Back(const QWidget &w)
{
    return w.palette().color(QPalette::Window);
}

TEST(WindowLayoutTest, EmptyOrUnrelatedDocumentsKeepTheDesign)
{
    for (const char *xml : {"", "<Soft/>", "<Soft><Window ListDistance='4'/></Soft>",
                            "<Soft><Window><frmElse Width='10'/></Window></Soft>"}) {
        TestWindow t;
        t.Restore(xml);
        EXPECT_EQ(t.window.size(), QSize(300, 200)) << xml;
        EXPECT_EQ(t.window.windowTitle(), QStringLiteral("design"));
        EXPECT_EQ(t.cmdGo->geometry(), QRect(10, 30, 75, 25));
        EXPECT_EQ(t.timPlay->interval(), 75);
        EXPECT_EQ(t.rows[1]->text(), QString());
    }
}

TEST(WindowLayoutTest, SizesArePixelsKeepingOnlyTheirDigits)
{
    TestWindow t;
    t.Restore("<Soft><Window><frmTest Width='800' Height='600'>"
              "<cmdGo Width='-20' Height='abc' Left='7' Top='9px'/>"
              "<picFrame Width='150' ScaleHeight='50'/>"
              "<picBG ScaleWidth='60' ScaleLeft='5'/>"
              "<lblFrame Left='4' Top='99999999999'/>"
              "</frmTest></Window></Soft>");
    EXPECT_EQ(t.window.size(), QSize(800, 600));
    EXPECT_EQ(t.cmdGo->geometry(), QRect(7, 9, 20, 25)) << "no digits: the height stays";
    // The framed panel's inner height is 50; its border (3 each side) comes on top.
    EXPECT_EQ(t.picFrame->size(), QSize(150, 56));
    EXPECT_EQ(t.picBG->InnerSize(), QSize(60, 30));
    // Positions in a framed container count from inside its border; a position too
    // large for any screen is not applied.
    EXPECT_EQ(t.rows[2]->pos(), QPoint(4 + 3, 40));
}

TEST(WindowLayoutTest, ColoursCaptionsAndOtherPropertiesByName)
{
    TestWindow t;
    t.Restore("<Soft><Window>"
              "<frmTest Caption='%s(AppTitle) %s(AppMajor).%s(AppMinor)' BackColor='#00FF00'>"
              "<lblName BackColor='#FF0000' ForeColor='0000FF' Caption='x' FontSize='15'"
              " ToolTipText='tip' Visible='False'/>"
              "<cmdGo Bogus='1' BackColor='123456789' Caption='Go' windowOpacity='0.5'"
              " Enabled='0'/>"
              "<txtName Text='%s(AppTitle)' Caption='ignored' Locked='True' BackColor='zz'/>"
              "<timPlay Interval='120' Width='9'/>"
              "<mnuOpen Caption='打开(&amp;O)' Enabled='false' Visible='1'/>"
              "<vscFrame Max='50' Value='20' SmallChange='3' LargeChange='oops'/>"
              "<fraOptions Caption='选项' Text='not a text box'/>"
              "</frmTest></Window></Soft>");
    EXPECT_EQ(t.window.windowTitle(), QStringLiteral("Mirovane 1.4"));
    EXPECT_EQ(Back(t.window), QColor(0, 255, 0));

    EXPECT_EQ(Back(*t.lblName), QColor(255, 0, 0));
    EXPECT_EQ(t.lblName->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(t.lblName->text(), QStringLiteral("x"));
    EXPECT_EQ(t.lblName->font().pointSizeF(), 15.0);
    EXPECT_EQ(t.lblName->toolTip(), QStringLiteral("tip"));
    EXPECT_TRUE(t.lblName->isHidden());

    // An unknown name, a colour with too many digits and a Qt property name are skipped;
    // what follows them still applies.
    EXPECT_EQ(t.cmdGo->text(), QStringLiteral("Go"));
    EXPECT_FALSE(t.cmdGo->isEnabled());
    EXPECT_EQ(t.cmdGo->palette().color(QPalette::Button),
              t.window.palette().color(QPalette::Button));

    EXPECT_EQ(t.txtName->text(), QStringLiteral("Mirovane"));
    EXPECT_TRUE(t.txtName->isReadOnly());
    EXPECT_EQ(t.txtName->palette().color(QPalette::Base), QColor(Qt::black))
        << "text that is no hexadecimal number is black";

    EXPECT_EQ(t.timPlay->interval(), 120);
    EXPECT_EQ(t.mnuOpen->text(), QStringLiteral("打开(&O)"));
    EXPECT_FALSE(t.mnuOpen->isEnabled());

    EXPECT_EQ(t.vscFrame->maximum(), 50);
    EXPECT_EQ(t.vscFrame->value(), 20);
    EXPECT_EQ(t.vscFrame->singleStep(), 3);
    EXPECT_EQ(t.fraOptions->title(), QStringLiteral("选项"));
}

TEST(WindowLayoutTest, ValuesAPropertyRefusesChangeNothing)
{
    TestWindow t;
    t.Restore("<Soft><Window><frmTest>"
              "<timPlay Interval='fast' Enabled='maybe'/>"
              "<lblName FontSize='-3' Visible='perhaps'/>"
              "</frmTest></Window></Soft>");
    EXPECT_EQ(t.timPlay->interval(), 75);
    EXPECT_FALSE(t.timPlay->isActive());
    EXPECT_GT(t.lblName->font().pointSizeF(), 0.0);
    EXPECT_FALSE(t.lblName->isHidden());

    t.Restore("<Soft><Window><frmTest><timPlay Interval='0'/></frmTest></Window></Soft>");
    EXPECT_EQ(t.timPlay->interval(), 75) << "a zero interval would spin the event loop";

    t.Restore("<Soft><Window><frmTest><timPlay Enabled='True'/></frmTest></Window></Soft>");
    EXPECT_TRUE(t.timPlay->isActive());
}

TEST(WindowLayoutTest, ControlArrayElementsGetTheSharedThenTheirOwnElement)
{
    TestWindow t;
    t.Restore("<Soft><Window><frmTest>"
              "<lblFrame Caption='all' Width='44'>"
              "<Index_1 Caption='one' FontSize='20'/>"
              "<Index_7 Caption='none'/>"
              "</lblFrame>"
              "<lblName><Index_0 Caption='not an array'/></lblName>"
              "</frmTest></Window></Soft>");
    EXPECT_EQ(t.rows[0]->text(), QStringLiteral("all"));
    EXPECT_EQ(t.rows[1]->text(), QStringLiteral("one"));
    EXPECT_EQ(t.rows[2]->text(), QStringLiteral("all"));
    for (QLabel *row : t.rows)
        EXPECT_EQ(row->width(), 44);
    EXPECT_EQ(t.rows[1]->font().pointSizeF(), 20.0);
    EXPECT_EQ(t.lblName->text(), QStringLiteral("name"));
    EXPECT_EQ(t.dialogLabel->text(), QStringLiteral("dialog")) << "another window's control";

    // A row created after the window loaded is given its layout on request.
    auto *late = Make<QLabel>(t.picFrame, u"lblFrame", 7);
    RestoreControlLayout(t.doc, t.window, *late);
    EXPECT_EQ(late->text(), QStringLiteral("none"));
    EXPECT_EQ(late->width(), 44);
}

TEST(WindowLayoutTest, ControlLookupTellsArraysFromSingleControls)
{
    TestWindow t;
    EXPECT_TRUE(IsControlArray(t.window, QStringLiteral("lblFrame")));
    EXPECT_FALSE(IsControlArray(t.window, QStringLiteral("lblName")));
    EXPECT_FALSE(IsControlArray(t.window, QStringLiteral("nothing")));

    EXPECT_EQ(FindControl(t.window, QStringLiteral("lblFrame"), 2), t.rows[2]);
    EXPECT_EQ(FindControl(t.window, QStringLiteral("lblFrame"), 3), nullptr);
    EXPECT_EQ(FindControl(t.window, QStringLiteral("lblFrame")), nullptr);
    EXPECT_EQ(FindControl(t.window, QStringLiteral("lblName")), t.lblName);
    EXPECT_EQ(FindControl(t.window, QStringLiteral("timPlay")), t.timPlay);
    EXPECT_EQ(ControlIndex(*t.lblName), -1);

    // Elements come back in index order whatever their creation order.
    auto *first = Make<QLabel>(t.picFrame, u"lblFrame", 0);
    delete t.rows[0];
    const QList<QObject *> expected{first, t.rows[1], t.rows[2]};
    EXPECT_EQ(ControlArray(t.window, QStringLiteral("lblFrame")), expected);
}

TEST(WindowLayoutTest, PicturesAreLoadedAndDrawnWithTheirPlacement)
{
    test::TempFolder folder;
    QImage red(8, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString path = folder.file(QStringLiteral("red.png"));
    ASSERT_TRUE(red.save(path));
    qputenv("MIROVANE_TEST_PICTURES", folder.path().toUtf8());

    TestWindow t;
    const QByteArray xml =
        "<Soft><Window><frmTest>"
        "<picBG BackColor='0000FF' PicURL='%MIROVANE_TEST_PICTURES%red.png' PicDrawStyle='2'"
        " PicyAlign='1' PicTop='2' PicLeft='0' PicRight='0' PicButtom='0'/>"
        "<lblName Picture='" + path.toUtf8() + "'/>"
        "<cmdGo Picture='" + folder.file(QStringLiteral("missing.png")).toUtf8() +
        "' PicURL='" + path.toUtf8() + "'/>"
        "</frmTest></Window></Soft>";
    t.Restore(xml.constData());

    // Fit inside 40 x 28 below the top margin: 40 x 20 at the top.
    const QImage &drawn = t.picBG->Image();
    EXPECT_EQ(drawn.pixelColor(0, 1), QColor(0, 0, 255)) << "cleared to the new back colour";
    EXPECT_EQ(drawn.pixelColor(0, 2), QColor(255, 0, 0));
    EXPECT_EQ(drawn.pixelColor(39, 21), QColor(255, 0, 0));
    EXPECT_EQ(drawn.pixelColor(39, 22), QColor(0, 0, 255));

    EXPECT_EQ(t.lblName->pixmap().size(), QSize(8, 4));
    EXPECT_TRUE(t.cmdGo->icon().isNull()) << "a missing picture leaves the control as it was";

    // A placement value that is no number skips the picture.
    t.picBG->Cls();
    const QByteArray broken = "<Soft><Window><frmTest><picBG PicURL='" + path.toUtf8() +
                              "' PicX='1-2'/></frmTest></Window></Soft>";
    t.Restore(broken.constData());
    EXPECT_EQ(t.picBG->Image().pixelColor(0, 0), QColor(0, 0, 255));
}

TEST(WindowLayoutTest, DeclaredPropertiesOfOwnWidgetsAreSettable)
{
    TestWindow t;
    auto *gauge = Make<Gauge>(&t.window, u"gauNeedle");
    t.Restore("<Soft><Window><frmTest>"
              "<gauNeedle needle='12' Width='33'/>"
              "<picBG BorderWidth='0'/>"
              "</frmTest></Window></Soft>");
    EXPECT_EQ(gauge->Needle(), 12);
    EXPECT_EQ(gauge->width(), 33);
    EXPECT_EQ(t.picBG->OuterSize(), QSize(40, 30));

    t.Restore("<Soft><Window><frmTest><gauNeedle Needle='many'/></frmTest></Window></Soft>");
    EXPECT_EQ(gauge->Needle(), 12);
}

TEST(WindowLayoutTest, SaveWindowSizeWritesPixelsAndCreatesTheRoot)
{
    TestWindow t;
    t.window.resize(800, 600);
    pugi::xml_document empty;
    ASSERT_TRUE(SaveWindowSize(empty, t.window));
    EXPECT_EQ(*XmlGetAttr(empty, QStringLiteral("/Soft/Window/frmTest"),
                          QStringLiteral("Width"), {}, 0),
              QStringLiteral("800"));
    EXPECT_EQ(*XmlGetAttr(empty, QStringLiteral("/Soft/Window/frmTest"),
                          QStringLiteral("Height"), {}, 0),
              QStringLiteral("600"));

    // Other content stays; the stored size reads back as the same window size.
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string("<Soft><Window ListDistance='6'><frmTest Width='1' Caption='c'>"
                                "<cmdGo Width='50'/></frmTest></Window></Soft>"));
    t.window.resize(640, 480);
    ASSERT_TRUE(SaveWindowSize(doc, t.window));
    EXPECT_EQ(*XmlGetAttr(doc, QStringLiteral("/Soft/Window"), QStringLiteral("ListDistance"),
                          {}, 0),
              QStringLiteral("6"));
    TestWindow reopened;
    RestoreLayout(doc, reopened.window);
    EXPECT_EQ(reopened.window.size(), QSize(640, 480));
    EXPECT_EQ(reopened.window.windowTitle(), QStringLiteral("c"));
    EXPECT_EQ(reopened.cmdGo->width(), 50);

    QWidget unnamed;
    EXPECT_FALSE(SaveWindowSize(doc, unnamed).ok());
}

} // namespace
} // namespace mrv

#include "windowlayout_tests.moc"
