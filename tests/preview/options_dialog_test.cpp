#include "settings/settings.h"
#include "widgets/playback.h"
#include "preview/frmoptions.h"
#include "scriptedprompts.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace mrv::test {
namespace {

const char *StoredInterval(const pugi::xml_document &document, const char *window)
{
    const std::string path = std::string("/Soft/Window/") + window + "/timPlay";
    return document.select_node(path.c_str()).node().attribute("Interval").value();
}

class OptionsDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        editorTimer.SetFrameTime(75);
        settings.FormatProject = false;
        settings.FrameFocus = true;
    }

    frmOptions &Load()
    {
        dialog = std::make_unique<frmOptions>(settings, prompts, editorTimer, fullscreenTime);
        dialog->Form_Load();
        dialog->show();
        return *dialog;
    }

    /// Nothing but the editor timer may have changed.
    void ExpectSwitchesAndDocumentUntouched()
    {
        EXPECT_FALSE(settings.FormatProject);
        EXPECT_TRUE(settings.FrameFocus);
        EXPECT_EQ(fullscreenTime, 75);
        EXPECT_FALSE(settings.WindowDocument->first_child()) << "something was written";
    }

    Settings settings;
    ScriptedPrompts prompts;
    FrameTimer editorTimer;
    int fullscreenTime = 75;
    std::unique_ptr<frmOptions> dialog;
};

TEST_F(OptionsDialog, ShowsTheCurrentTimesAndSwitchesCentredOnTheScreen)
{
    editorTimer.SetFrameTime(90);
    fullscreenTime = 120;
    frmOptions &d = Load();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("选项"));
    EXPECT_EQ(d.objectName(), QStringLiteral("frmOptions"));
    EXPECT_EQ(d.TxtFrameTimeW().text(), QStringLiteral("90"));
    EXPECT_EQ(d.TxtFrameTimeF().text(), QStringLiteral("120"));
    EXPECT_FALSE(d.ChkFormatProject().isChecked());
    EXPECT_TRUE(d.ChkFrameFocus().isChecked());
    const QRect screen = d.screen()->geometry();
    EXPECT_EQ(d.pos(), QPoint((screen.width() - d.width()) / 2, (screen.height() - d.height()) / 2));
}

TEST_F(OptionsDialog, OkAppliesBothTimesRecordsThemAndSetsTheSwitches)
{
    editorTimer.start();
    frmOptions &d = Load();
    d.TxtFrameTimeW().setText(QStringLiteral("40"));
    d.TxtFrameTimeF().setText(QStringLiteral("65535"));
    d.ChkFormatProject().setChecked(true);
    d.ChkFrameFocus().setChecked(false);
    d.CmdOK().click();

    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(editorTimer.interval(), 40);
    EXPECT_TRUE(editorTimer.isActive()); // a playing editor goes on playing at the new pace
    EXPECT_EQ(fullscreenTime, 65535);
    EXPECT_STREQ(StoredInterval(*settings.WindowDocument, "frmEditer"), "40");
    EXPECT_STREQ(StoredInterval(*settings.WindowDocument, "frmFullscreen"), "65535");
    EXPECT_TRUE(settings.FormatProject);
    EXPECT_FALSE(settings.FrameFocus);
}

TEST_F(OptionsDialog, EmptyWindowTimeKeepsTheDialogOpenAndChangesNothing)
{
    frmOptions &d = Load();
    d.ChkFormatProject().setChecked(true);
    d.TxtFrameTimeW().clear();
    d.TxtFrameTimeF().setText(QStringLiteral("100"));
    d.cmdOK_Click(); // the button is disabled; a direct call still checks
    ASSERT_EQ(prompts.messages.size(), 1);
    const MessageRequest &m = prompts.messages.first();
    EXPECT_EQ(m.text, QStringLiteral("只允许输入整数"));
    EXPECT_EQ(m.title, QStringLiteral("窗体动画每帧时间输入错误"));
    EXPECT_EQ(m.icon, MsgIcon::Warning);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.TxtFrameTimeF().text(), QStringLiteral("100")); // kept for correcting
    EXPECT_EQ(editorTimer.interval(), 75);
    ExpectSwitchesAndDocumentUntouched();
}

TEST_F(OptionsDialog, GoodWindowTimeWithBadFullscreenTimeChangesOnlyTheEditorTimer)
{
    frmOptions &d = Load();
    d.TxtFrameTimeW().setText(QStringLiteral("50"));
    d.TxtFrameTimeF().setText(QStringLiteral("70000"));
    d.ChkFrameFocus().setChecked(false);
    d.cmdOK_Click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.first().text, QStringLiteral("只允许输入1-65535"));
    EXPECT_EQ(prompts.messages.first().title, QStringLiteral("全屏动画每帧时间输入错误"));
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(editorTimer.interval(), 50);
    ExpectSwitchesAndDocumentUntouched();

    // Corrected, the same dialog then goes through.
    d.TxtFrameTimeF().setText(QStringLiteral("200"));
    d.CmdOK().click();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(fullscreenTime, 200);
    EXPECT_FALSE(settings.FrameFocus);
    EXPECT_FALSE(d.isVisible());
}

TEST_F(OptionsDialog, TimesAreCheckedAsTheyAreTypedAndEnterTakesOnlyGoodOnes)
{
    const struct
    {
        const char *window;
        const char *fullscreen;
        const char *problem; ///< empty: OK is enabled and Enter applies both
    } cases[] = {
        {"", "100", "窗体动画每帧时间输入错误：只允许输入整数"},
        {"0", "100", "窗体动画每帧时间输入错误：只允许输入1-65535"},
        {"50", "65536", "全屏动画每帧时间输入错误：只允许输入1-65535"},
        {"1", "65535", ""},
    };
    for (const auto &c : cases) {
        frmOptions &d = Load();
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        for (const auto &[box, text] : {std::pair{&d.TxtFrameTimeW(), c.window},
                                        std::pair{&d.TxtFrameTimeF(), c.fullscreen}}) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, QString::fromLatin1(text));
        }
        const QString problem = QString::fromUtf8(c.problem);
        EXPECT_EQ(d.LblProblem().text(), problem) << c.window << " " << c.fullscreen;
        EXPECT_EQ(d.CmdOK().isEnabled(), problem.isEmpty());
        EXPECT_EQ(d.TxtFrameTimeW().property("invalid").toBool(), problem.contains(u"窗体"));
        EXPECT_EQ(d.TxtFrameTimeF().property("invalid").toBool(), problem.contains(u"全屏"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(d.isVisible(), !problem.isEmpty());
        EXPECT_TRUE(prompts.messages.isEmpty());
        if (!problem.isEmpty()) {
            EXPECT_EQ(editorTimer.FrameTime(), 75);
            ExpectSwitchesAndDocumentUntouched();
        } else {
            EXPECT_EQ(editorTimer.FrameTime(), 1);
            EXPECT_EQ(fullscreenTime, 65535);
        }
    }
}

TEST_F(OptionsDialog, CancelAndEscapeChangeNothing)
{
    for (const bool escape : {false, true}) {
        frmOptions &d = Load();
        d.TxtFrameTimeW().setText(QStringLiteral("10"));
        d.TxtFrameTimeF().setText(QStringLiteral("20"));
        d.ChkFormatProject().setChecked(true);
        d.ChkFrameFocus().setChecked(false);
        if (escape)
            QTest::keyClick(&d.TxtFrameTimeW(), Qt::Key_Escape);
        else
            d.CmdCancel().click();
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_EQ(editorTimer.interval(), 75);
        ExpectSwitchesAndDocumentUntouched();
    }
}

TEST_F(OptionsDialog, TimeBoxesTakeOnlyDigitsAndEnterConfirms)
{
    frmOptions &d = Load();
    QLineEdit &box = d.TxtFrameTimeW();
    box.clear();
    QTest::keyClicks(&box, QStringLiteral("1a2-3. 4+"));
    EXPECT_EQ(box.text(), QStringLiteral("1234"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QStringLiteral("123"));
    QTest::keyClick(&d.TxtFrameTimeF(), Qt::Key_End);
    QTest::keyClicks(&d.TxtFrameTimeF(), QStringLiteral("x9"));
    EXPECT_EQ(d.TxtFrameTimeF().text(), QStringLiteral("759"));

    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(editorTimer.interval(), 123);
    EXPECT_EQ(fullscreenTime, 759);
}

TEST_F(OptionsDialog, TheLanguageIsChosenFromTheKeyboardAndAppliesAtTheNextStart)
{
    const struct
    {
        LanguageChoice before;
        Qt::Key key;
        int presses;
        LanguageChoice after;
    } cases[] = {{LanguageChoice::System, Qt::Key_Down, 2, LanguageChoice::English},
                 {LanguageChoice::English, Qt::Key_Up, 1, LanguageChoice::Chinese},
                 {LanguageChoice::English, Qt::Key_Down, 0, LanguageChoice::English}};
    for (const auto &c : cases) {
        settings.Language = c.before;
        prompts.messages.clear();
        frmOptions &d = Load();
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        d.TxtFrameTimeF().setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), &d.ComLanguage());
        for (int i = 0; i < c.presses; ++i)
            QTest::keyClick(QApplication::focusWidget(), c.key);
        d.CmdOK().click();
        EXPECT_EQ(settings.Language, c.after) << int(c.before);
        // A change is announced once: the windows already built keep their texts.
        ASSERT_EQ(prompts.messages.size(), c.after == c.before ? 0 : 1) << int(c.before);
        if (!prompts.messages.isEmpty()) {
            EXPECT_EQ(prompts.messages.first().icon, MsgIcon::Information);
        }
    }
    settings.Language = LanguageChoice::System;
    frmOptions &d = Load();
    d.ComLanguage().setCurrentIndex(2);
    d.CmdCancel().click();
    EXPECT_EQ(settings.Language, LanguageChoice::System);
}

} // namespace
} // namespace mrv::test
