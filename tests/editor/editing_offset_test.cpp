#include "editor/frmsetting.h"

#include "editing_fixture.h"
#include "editor/frmediter.h"
#include "editor/pictureedit.h"
#include "modal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace mrv::test {
namespace {

TEST(ParseOffsetText, WholeNumbersCutAt30000AndChecked)
{
    struct Good
    {
        const char *text;
        qint16 value;
    };
    for (const Good &c : {Good{"0", 0}, Good{"-20", -20}, Good{"30000", 30000},
                          Good{"30001", 30000}, Good{"2147483647", 30000}, Good{"-32768", -32768},
                          Good{"007", 7}}) {
        const Result<qint16> r = ParseOffsetText(QString::fromUtf8(c.text), QStringLiteral("X"));
        ASSERT_TRUE(r.ok()) << c.text << ": " << r.message();
        EXPECT_EQ(*r, c.value) << c.text;
    }
    for (const char *malformed : {"", "-", "--1", "1-2", "12-", "+5", " 5", "5 ", "1.5", "x"}) {
        const Result<qint16> r = ParseOffsetText(QString::fromUtf8(malformed), QStringLiteral("Y"));
        EXPECT_FALSE(r.ok()) << malformed;
        EXPECT_EQ(r.message(), QStringLiteral("Y 的值必须是整数")) << malformed;
    }
    for (const char *outside : {"-32769", "2147483648", "-2147483649", "99999999999999999999"}) {
        const Result<qint16> r = ParseOffsetText(QString::fromUtf8(outside), QStringLiteral("X"));
        EXPECT_FALSE(r.ok()) << outside;
        EXPECT_EQ(r.message(), QStringLiteral("X 的值超出范围，允许 -32768 到 30000")) << outside;
    }
}

class OffsetDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        project.AddNew();
        project.aBackground->aX = 12;
        project.aBackground->aY = -3;
        project.aFrame.Item(4)->aX = 7;
        project.aFrame.Item(4)->aY = 8;
    }

    frmSetting &Open(qint16 index)
    {
        dialog = std::make_unique<frmSetting>(project, layout, prompts);
        dialog->PicIndex = index;
        dialog->Form_Load();
        dialog->show();
        return *dialog;
    }

    static void Type(QLineEdit &box, const QString &text)
    {
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Backspace);
        QTest::keyClicks(&box, text);
    }

    MVK project;
    pugi::xml_document layout;
    ScriptedPrompts prompts;
    std::unique_ptr<frmSetting> dialog;
};

TEST_F(OffsetDialog, ShowsTheOffsetsOfThePictureItEditsAndEscapeStoresNothing)
{
    frmSetting &d = Open(0);
    EXPECT_EQ(d.objectName(), QStringLiteral("frmSetting"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("图片设置"));
    EXPECT_EQ(d.TxtX().text(), QStringLiteral("12"));
    EXPECT_EQ(d.TxtY().text(), QStringLiteral("-3"));
    EXPECT_EQ(d.CmdSave().text(), QStringLiteral("保存"));
    EXPECT_EQ(d.CmdCancel().text(), QStringLiteral("取消"));
    EXPECT_TRUE(d.CmdSave().isDefault());
    frmSetting &f = Open(4);
    EXPECT_EQ(f.TxtX().text(), QStringLiteral("7"));
    EXPECT_EQ(f.TxtY().text(), QStringLiteral("8"));

    // Esc and Cancel close without storing; the next opening shows the stored values.
    Type(f.TxtX(), QStringLiteral("99"));
    QTest::keyClick(&f.TxtX(), Qt::Key_Escape);
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_FALSE(f.isVisible());
    frmSetting &c = Open(4);
    EXPECT_EQ(c.TxtX().text(), QStringLiteral("7"));
    Type(c.TxtX(), QStringLiteral("99"));
    QTest::mouseClick(&c.CmdCancel(), Qt::LeftButton);
    EXPECT_EQ(c.result(), QDialog::Rejected);
    EXPECT_EQ(project.aFrame.Item(4)->aX, 7);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(OffsetDialog, KeyFilterLetsDigitsMinusAndBackspaceThrough)
{
    frmSetting &d = Open(1);
    Type(d.TxtX(), QStringLiteral("a-1b2.5 x"));
    EXPECT_EQ(d.TxtX().text(), QStringLiteral("-125"));
    QTest::keyClick(&d.TxtX(), Qt::Key_Backspace);
    EXPECT_EQ(d.TxtX().text(), QStringLiteral("-12"));
    Type(d.TxtY(), QStringLiteral("+40000"));
    EXPECT_EQ(d.TxtY().text(), QStringLiteral("40000"));

    QTest::keyClick(&d.TxtY(), Qt::Key_Return); // Enter saves
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.Offset(), QPoint(-12, 30000));
    EXPECT_EQ(project.aFrame.Item(1)->aX, 0) << "the caller stores the offsets";
}

TEST_F(OffsetDialog, BadTextIsNamedAndTheDialogStaysOpenWithNothingStored)
{
    frmSetting &d = Open(4);
    struct Case
    {
        const char *x;
        const char *y;
        const char *message;
    };
    for (const Case &c : {Case{"", "1", "X 的值必须是整数"}, Case{"5", "3-", "Y 的值必须是整数"},
                          Case{"-40000", "1", "X 的值超出范围，允许 -32768 到 30000"}}) {
        prompts.messages.clear();
        Type(d.TxtX(), QString::fromUtf8(c.x));
        Type(d.TxtY(), QString::fromUtf8(c.y));
        QTest::keyClick(&d.TxtX(), Qt::Key_Enter);
        ASSERT_EQ(prompts.messages.size(), 1) << c.x << " / " << c.y;
        EXPECT_EQ(prompts.messages.first().text, QString::fromUtf8(c.message));
        EXPECT_EQ(prompts.messages.first().icon, MsgIcon::Warning);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(project.aFrame.Item(4)->aX, 7);
        EXPECT_EQ(project.aFrame.Item(4)->aY, 8);
    }
    // Text pasted past the key filter is checked the same way.
    d.TxtX().setText(QStringLiteral("abc"));
    QTest::mouseClick(&d.CmdSave(), Qt::LeftButton);
    EXPECT_EQ(prompts.messages.last().text, QStringLiteral("X 的值必须是整数"));
    EXPECT_TRUE(d.isVisible());
}

TEST_F(OffsetDialog, EachOpeningAppliesTheWindowDocumentAfresh)
{
    ASSERT_TRUE(layout.load_string(
        "<Soft><Window><frmSetting Caption=\"偏移\" Width=\"260\">"
        "<lblX Caption=\"横\"/><txtX Width=\"180\"/></frmSetting></Window></Soft>"));
    frmSetting &first = Open(0);
    EXPECT_EQ(first.windowTitle(), QStringLiteral("偏移"));
    EXPECT_EQ(first.width(), 260);
    EXPECT_EQ(first.findChild<QLabel *>(QStringLiteral("lblX"))->text(), QStringLiteral("横"));
    EXPECT_EQ(first.TxtX().width(), 180);
    // The layout cannot steer which picture is edited.
    EXPECT_EQ(first.TxtX().text(), QStringLiteral("12"));

    layout.child("Soft").child("Window").child("frmSetting").attribute("Width").set_value("300");
    EXPECT_EQ(Open(0).width(), 300);
}

using OffsetCommands = EditingTest;

TEST_F(OffsetCommands, AdjustButtonsStoreRedrawAndMark)
{
    frmEditer &w = LoadPictures();
    ASSERT_EQ(ShownFrameColour(), Green);
    // Frame 1 moved 100 project pixels left: its green half now covers the box's left half.
    const bool seen = WithModal([&] { QTest::mouseClick(w.Frames().RowSetting(1), Qt::LeftButton); },
                                [&](QWidget &modal) {
                                    auto *d = qobject_cast<frmSetting *>(&modal);
                                    ASSERT_NE(d, nullptr);
                                    EXPECT_EQ(d->PicIndex, 1);
                                    d->TxtX().setText(QStringLiteral("-100"));
                                    QTest::keyClick(&d->TxtX(), Qt::Key_Return);
                                });
    ASSERT_TRUE(seen);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aX, -100);
    EXPECT_TRUE(w.CurrentProject()->aChanged);
    EXPECT_EQ(ShownBackgroundColour(), Green);

    // A cancelled dialog leaves the project as it was.
    w.Commands().Save();
    ASSERT_FALSE(w.CurrentProject()->aChanged);
    WithModal([&] { w.Pictures().cmdFrame_Setting_Click(2); },
              [](QWidget &modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
    EXPECT_FALSE(w.CurrentProject()->aChanged);

    // The background moved right by 1024: nothing of it is left under the box's left half.
    WithModal([&] { QTest::mouseClick(w.Controls().cmdBackground_Setting, Qt::LeftButton); },
              [&](QWidget &modal) {
                  auto &d = static_cast<frmSetting &>(modal);
                  EXPECT_EQ(d.PicIndex, 0);
                  d.TxtX().setText(QStringLiteral("1024"));
                  QTest::mouseClick(&d.CmdSave(), Qt::LeftButton);
              });
    EXPECT_EQ(w.CurrentProject()->aBackground->aX, 1024);
    EXPECT_TRUE(w.CurrentProject()->aChanged);
    EXPECT_EQ(PixelOf(*w.Controls().picBG, 10, 10), QColor(Qt::black));
}

} // namespace
} // namespace mrv::test
