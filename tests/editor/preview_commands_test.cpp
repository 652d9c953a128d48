#include "editor/editor_fixture.h"
#include "widgets/picturesurface.h"
#include "modal.h"
#include "modalscript.h"
#include "preview/frmfullscreen.h"
#include "preview/frmoptions.h"
#include "editor/previewcommands.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTest>

namespace mrv::test {
namespace {

class PreviewFromEditor : public EditorTest
{
protected:
    /// The editor with a 12-frame project at frame 7 and the preview commands installed.
    frmEditer &LoadWithCommands(const char *windowDocument = nullptr)
    {
        if (windowDocument)
            settings.WindowDocument->load_string(windowDocument);
        const QString project = WriteProject(folder, QStringLiteral("twelve"), 12);
        frmEditer &w = Load({{project, project}});
        commands = &PreviewCommands::Install(w.Context());
        w.Controls().sldFrame->setValue(7);
        return w;
    }

    /// Opens the full-screen window from the editor's button and runs `inside` in it.
    void InFullscreen(frmEditer &w, const std::function<void(frmFullscreen &)> &inside)
    {
        const bool seen = WithModal([&] { w.Controls().cmdFullscreen->click(); },
                                    [&](QWidget &modal) {
                                        auto *full = qobject_cast<frmFullscreen *>(&modal);
                                        ASSERT_NE(full, nullptr);
                                        inside(*full);
                                    });
        EXPECT_TRUE(seen);
    }

    PreviewCommands *commands = nullptr;
};

// A long stored full-screen time keeps the timer from ticking while a test looks.
constexpr char SlowFullscreen[] =
    "<Soft><Window><frmFullscreen><timPlay Interval=\"60000\"/></frmFullscreen></Window></Soft>";

TEST_F(PreviewFromEditor, InstallEnablesTheButtonAndTheOptionsEntry)
{
    frmEditer &w = Load();
    EXPECT_FALSE(w.Controls().cmdFullscreen->isEnabled());
    EXPECT_FALSE(w.Menus().mnuOptions->isEnabled());
    PreviewCommands::Install(w.Context());
    EXPECT_TRUE(w.Controls().cmdFullscreen->isEnabled());
    EXPECT_TRUE(w.Menus().mnuOptions->isEnabled());
}

TEST_F(PreviewFromEditor, PlaybackMovesToTheFullScreenAndStopsWithIt)
{
    frmEditer &w = LoadWithCommands(SlowFullscreen);
    w.Controls().cmdPlay->click();
    ASSERT_TRUE(w.PlayTimer().isActive());
    InFullscreen(w, [&](frmFullscreen &full) {
        EXPECT_FALSE(w.PlayTimer().isActive());
        EXPECT_EQ(w.Controls().cmdPlay->text(), QStringLiteral("开始"));
        EXPECT_TRUE(full.PlayTimer().isActive());
        EXPECT_EQ(full.PlayTimer().interval(), 60000);
        EXPECT_EQ(full.nFrame, 7);
        EXPECT_EQ(full.LblInfo(0).text(), FullscreenHelpText(7));
        EXPECT_TRUE(full.isModal());
        QTest::keyClick(&full, Qt::Key_Right);
        EXPECT_EQ(full.nFrame, 8);
        EXPECT_TRUE(full.PlayTimer().isActive());
        QTest::keyClick(&full, Qt::Key_Escape);
        EXPECT_FALSE(full.isVisible());
    });
    // Back in the editor, nothing plays and the editor's frame is where it was.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(w.PlayTimer().isActive());
    EXPECT_EQ(w.Controls().sldFrame->value(), 7);
    EXPECT_TRUE(w.findChildren<frmFullscreen *>().isEmpty()); // unloaded on exit
}

TEST_F(PreviewFromEditor, PausedEditorOpensPausedAtItsFrameAndSpacePlays)
{
    frmEditer &w = LoadWithCommands(SlowFullscreen);
    InFullscreen(w, [&](frmFullscreen &full) {
        EXPECT_FALSE(full.PlayTimer().isActive());
        EXPECT_EQ(full.nFrame, 7);
        QTest::keyClick(&full, Qt::Key_Space);
        EXPECT_TRUE(full.PlayTimer().isActive());
        full.timPlay_Timer();
        EXPECT_EQ(full.nFrame, 8);
        QTest::keyClick(&full, Qt::Key_Escape);
    });
    EXPECT_FALSE(w.PlayTimer().isActive());
    EXPECT_EQ(w.Controls().cmdPlay->text(), QStringLiteral("播放")); // the editor never played

    // The next opening is a fresh window at the editor's frame again.
    w.Controls().sldFrame->setValue(3);
    InFullscreen(w, [&](frmFullscreen &full) { EXPECT_EQ(full.nFrame, 3); });
}

TEST_F(PreviewFromEditor, FullScreenDrawsThroughTheEditorsPictureCache)
{
    TempFolder pictures;
    MVK project;
    project.aName = QStringLiteral("cached");
    project.aWidth = 1024;
    project.aHeight = 768;
    project.aBackground = aImage{QStringLiteral("bg.png"), 0, 0};
    WritePicture(folder.file(QStringLiteral("bg.png")), {1024, 768}, Qt::darkBlue);
    WritePicture(folder.file(QStringLiteral("f1.png")), {200, 200}, Qt::yellow);
    project.aFrame.Add(QStringLiteral("f1.png"), 0, 0);
    const QString path = folder.file(QStringLiteral("cached.mrv"));
    ASSERT_TRUE(project.SaveFile(path, {}).ok());
    frmEditer &w = Load({{path, path}});
    PreviewCommands::Install(w.Context());
    const qint64 decodedByEditor = w.Cache().DecodeCount();
    ASSERT_EQ(decodedByEditor, 2);
    InFullscreen(w, [&](frmFullscreen &full) {
        const QRect area = full.Geometry().activity;
        EXPECT_EQ(QColor(full.PicA(0).Image().pixel(area.width() / 2, area.height() / 2)),
                  QColor(Qt::yellow));
        EXPECT_EQ(QColor(full.PicBG().Image().pixel(5, 5)), QColor(Qt::darkBlue));
    });
    EXPECT_EQ(w.Cache().DecodeCount(), decodedByEditor); // nothing decoded a second time
}

TEST_F(PreviewFromEditor, OptionsFromTheMenuReachBothTimersAndTheWindowDocument)
{
    frmEditer &w = LoadWithCommands();
    EXPECT_EQ(commands->FullscreenFrameTime(), 75);
    const bool seen = WithModal([&] { w.Menus().mnuOptions->trigger(); }, [&](QWidget &modal) {
        auto *options = qobject_cast<frmOptions *>(&modal);
        ASSERT_NE(options, nullptr);
        EXPECT_EQ(options->TxtFrameTimeW().text(), QStringLiteral("75"));
        EXPECT_EQ(options->TxtFrameTimeF().text(), QStringLiteral("75"));
        options->TxtFrameTimeW().setText(QStringLiteral("50"));
        options->TxtFrameTimeF().setText(QStringLiteral("1"));
        options->ChkFrameFocus().setChecked(true);
        options->CmdOK().click();
    });
    ASSERT_TRUE(seen);
    EXPECT_EQ(w.PlayTimer().interval(), 50);
    EXPECT_EQ(commands->FullscreenFrameTime(), 1);
    EXPECT_TRUE(settings.FrameFocus);
    const pugi::xml_document &doc = *settings.WindowDocument;
    EXPECT_STREQ(doc.select_node("/Soft/Window/frmEditer/timPlay").node().attribute("Interval").value(), "50");
    EXPECT_STREQ(doc.select_node("/Soft/Window/frmFullscreen/timPlay").node().attribute("Interval").value(), "1");

    // The next full-screen window runs at the time just set, at most at the screen's pace.
    InFullscreen(w, [&](frmFullscreen &full) {
        EXPECT_EQ(full.PlayTimer().FrameTime(), 1);
        EXPECT_EQ(full.PlayTimer().interval(), RefreshInterval(full.screen()->refreshRate()));
    });

    // Reopened, the dialog shows the times in force.
    WithModal([&] { w.Menus().mnuOptions->trigger(); }, [&](QWidget &modal) {
        auto &options = static_cast<frmOptions &>(modal);
        EXPECT_EQ(options.TxtFrameTimeW().text(), QStringLiteral("50"));
        EXPECT_EQ(options.TxtFrameTimeF().text(), QStringLiteral("1"));
        options.CmdCancel().click();
    });
}

TEST_F(PreviewFromEditor, AltOAloneOpensTheOptionsWindowFromWhereverTheFocusIs)
{
    frmEditer &w = LoadWithCommands();
    // Alt with O where the focus is; or Alt pressed and let go, then O: then the menu bar has
    // the keyboard and gets the letter (the bar is given it here, as the offscreen platform
    // does not hand Alt to it).
    const struct
    {
        QWidget *focus;
        bool toTheBar;
    } cases[] = {{w.Controls().txtProjectName, false},
                 {w.Controls().comScreenScale, false},
                 {w.Controls().cmdPlay, false},
                 {w.Controls().txtProjectName, true}};
    for (const auto &c : cases) {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        c.focus->setFocus();
        bool opened = false;
        AnswerModals(
            [&] {
                if (c.toTheBar)
                    QTest::keyClick(w.menuBar(), Qt::Key_O);
                else
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
                QTest::qWait(50);
            },
            {[&](QWidget &modal) { opened = qobject_cast<frmOptions *>(&modal) != nullptr; }});
        EXPECT_TRUE(opened) << c.focus->objectName().toStdString() << c.toTheBar;
    }
}

TEST_F(PreviewFromEditor, AFrameTimeOfZeroPlaysAtMostOneFramePerRefreshAndComesBackAsZero)
{
    frmEditer &w = LoadWithCommands(
        "<Soft><Window><frmEditer><timPlay Interval=\"0\"/></frmEditer>"
        "<frmFullscreen><timPlay Interval=\"0\"/></frmFullscreen></Window></Soft>");
    const int refresh = RefreshInterval(w.screen()->refreshRate());
    ASSERT_GT(refresh, 0);
    // A stored 0 is the user's choice and comes back as 0, run at the screen's pace.
    EXPECT_EQ(w.PlayTimer().FrameTime(), 0);
    EXPECT_EQ(w.PlayTimer().interval(), refresh);
    EXPECT_EQ(commands->FullscreenFrameTime(), 0);
    InFullscreen(w, [&](frmFullscreen &full) {
        EXPECT_EQ(full.PlayTimer().FrameTime(), 0);
        EXPECT_EQ(full.PlayTimer().interval(), refresh);
        QTest::keyClick(&full, Qt::Key_Escape);
    });

    // The dialog shows the 0, marked as a time it no longer takes, and takes new times typed
    // into it.
    WithModal([&] { w.Menus().mnuOptions->trigger(); },
              [&](QWidget &modal) {
                  auto &options = static_cast<frmOptions &>(modal);
                  EXPECT_EQ(options.TxtFrameTimeW().text(), QStringLiteral("0"));
                  EXPECT_EQ(options.TxtFrameTimeF().text(), QStringLiteral("0"));
                  EXPECT_FALSE(options.CmdOK().isEnabled());
                  for (QLineEdit *box : {&options.TxtFrameTimeF(), &options.TxtFrameTimeW()}) {
                      QTest::mouseClick(box, Qt::LeftButton);
                      QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                      QTest::keyClicks(box, QStringLiteral("5"));
                  }
                  QTest::keyClick(&options.TxtFrameTimeW(), Qt::Key_Return);
              });
    EXPECT_EQ(w.PlayTimer().FrameTime(), 5);
    EXPECT_EQ(w.PlayTimer().interval(), std::max(5, refresh));
    EXPECT_STREQ(settings.WindowDocument->select_node("/Soft/Window/frmEditer/timPlay")
                     .node()
                     .attribute("Interval")
                     .value(),
                 "5");
}

} // namespace
} // namespace mrv::test
