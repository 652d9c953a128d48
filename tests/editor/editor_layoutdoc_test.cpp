#include "editor/framelist.h"
#include "widgets/picturesurface.h"
#include "widgets/windowlayout.h"
#include "editor_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

namespace mrv::test {
namespace {

class LayoutDocument : public EditorTest
{
protected:
    void UseWindowDocument(const char *xml)
    {
        ASSERT_TRUE(settings.WindowDocument->load_string(xml));
    }
};

TEST_F(LayoutDocument, AppliesToTheWindowAndItsControlsBeforeTheTitleIsTaken)
{
    UseWindowDocument(R"xml(<Soft><Window ListDistance="4">
        <frmEditer Width="760" Height="650" Caption="%s(AppTitle) %s(AppMajor).%s(AppMinor)">
          <timPlay Interval="120"/>
          <cmdPlay Width="90" Height="30"/>
          <cmdExport ToolTipText="导出工程图片"/>
        </frmEditer></Window></Soft>)xml");
    settings.ListDistance = 4;
    frmEditer &w = Load();
    EXPECT_EQ(w.size(), QSize(760, 650));
    EXPECT_EQ(w.BaseCaption(), QStringLiteral("Mirovane 1.4"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane 1.4 NewMRV.mrv"));
    EXPECT_EQ(w.PlayTimer().interval(), 120);
    EXPECT_EQ(w.Controls().cmdExport->toolTip(), QStringLiteral("导出工程图片"));
    // The layout works from the restored sizes.
    QPushButton &play = *w.Controls().cmdPlay;
    EXPECT_EQ(play.size(), QSize(90, 30));
    EXPECT_EQ(play.x(), w.Client().width() - 90 - 5);
    EXPECT_EQ(w.Frames().Metrics().RowPitch,
              w.Frames().Metrics().RowBottom - w.Frames().Metrics().RowTop + 4);
}

TEST_F(LayoutDocument, TheWindowOpensWithinTheScreenWhateverSizeItWasGiven)
{
    // The design size, and a size stored on a larger screen, on the 800 x 800 test screen.
    for (const char *xml :
         {"<Soft/>", R"(<Soft><Window><frmEditer Width="2000" Height="1500"/></Window></Soft>)"}) {
        UseWindowDocument(xml);
        const frmEditer &w = Load();
        const QRect available = w.screen()->availableGeometry();
        EXPECT_TRUE(available.contains(w.frameGeometry())) << xml;
    }
}

TEST_F(LayoutDocument, ReachesEveryRowAndEachRowsOwnElement)
{
    UseWindowDocument(R"xml(<Soft><Window><frmEditer>
          <lblFrame ToolTipText="帧号">
            <Index_3 ToolTipText="第三帧"/>
            <Index_90 ToolTipText="第九十帧"/>
          </lblFrame>
          <picA BackColor="#00FF00"><Index_1 Visible="True"/></picA>
        </frmEditer></Window></Soft>)xml");
    frmEditer &w = Load();
    FrameList &list = w.Frames();
    ASSERT_NE(list.RowLabel(2), nullptr);
    EXPECT_EQ(list.RowLabel(2)->toolTip(), QStringLiteral("帧号"));
    EXPECT_EQ(list.RowLabel(3)->toolTip(), QStringLiteral("第三帧"));
    // Row 90 gets its widgets only when it scrolls into view, and its element with them.
    EXPECT_EQ(list.RowLabel(90), nullptr);
    list.ScrollBar()->setValue(list.ScrollBar()->maximum() * 88 / 104);
    ASSERT_NE(list.RowLabel(90), nullptr);
    EXPECT_EQ(list.RowLabel(90)->toolTip(), QStringLiteral("第九十帧"));
    EXPECT_EQ(list.RowLabel(89)->toolTip(), QStringLiteral("帧号"));
    // Both surfaces of the picA array take the shared colour; only element 1 is shown.
    EXPECT_EQ(w.Controls().picA0->BackColor(), QColor(0, 255, 0));
    EXPECT_EQ(w.Controls().picA1->BackColor(), QColor(0, 255, 0));
    EXPECT_FALSE(w.Controls().picA1->isHidden());
}

TEST_F(LayoutDocument, NamesTheControlsAsTheDocumentAddressesThem)
{
    frmEditer &w = Load();
    for (const char *name :
         {"lblProjectName", "txtProjectName", "lblScreenScale", "comScreenScale", "lblBackground",
          "txtBackground", "cmdBackground_Browse", "cmdBackground_Setting", "picFrame",
          "picFrame_In", "vscFrame", "shaFrame", "cmdExport", "picBG", "lblStraight", "lblLoop",
          "sldFrame", "cmdPlay", "cmdFullscreen", "timPlay", "mnuFile", "mnuNew", "mnuOpen",
          "mnuSave", "mnuSaveNew", "mnuBack", "heng1", "mnuExport", "mnuExAniFrame", "heng2",
          "mnuImportLongPic", "mnuExportLongPic", "mnuExportAnimation", "heng3", "mnuExit",
          "mnuOptions", "mnuHelp", "mnuAbout", "mnuCheckUpdates"})
        EXPECT_NE(FindControl(w, QString::fromLatin1(name)), nullptr) << name;
    for (const char *array : {"lblFrame", "txtFrame", "cmdFrame_Browse", "cmdFrame_Setting"}) {
        EXPECT_NE(FindControl(w, QString::fromLatin1(array), 0), nullptr) << array;
        EXPECT_NE(FindControl(w, QString::fromLatin1(array), 1), nullptr) << array;
    }
    EXPECT_EQ(FindControl(w, QStringLiteral("picA"), 0), w.Controls().picA0);
    EXPECT_EQ(FindControl(w, QStringLiteral("picA"), 1), w.Controls().picA1);
}

TEST_F(LayoutDocument, MenusCarryTheirCaptionsAndShortcutsAndLaterCommandsAreDisabled)
{
    frmEditer &w = Load();
    const EditorMenus &m = w.Menus();
    EXPECT_EQ(m.mnuFile->title(), QStringLiteral("文件(&F)"));
    EXPECT_EQ(m.mnuNew->text(), QStringLiteral("新建工程(&N)"));
    EXPECT_EQ(m.mnuNew->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(m.mnuBack->shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
    EXPECT_EQ(m.Export(u"mnuExAniFrame")->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
    EXPECT_EQ(m.mnuExit->shortcut(), QKeySequence(QStringLiteral("Ctrl+W")));
    EXPECT_TRUE(m.mnuSaveNew->shortcut().isEmpty());
    EXPECT_EQ(m.mnuHelp->title(), QStringLiteral("帮助(&H)"));
    for (QAction *now : {m.mnuNew, m.mnuOpen, m.mnuSave, m.mnuSaveNew, m.mnuBack, m.mnuExit})
        EXPECT_TRUE(now->isEnabled()) << now->objectName().toStdString();
    for (QAction *later :
         {m.Export(u"mnuExport"), m.Export(u"mnuExAniFrame"), m.mnuImportLongPic, m.mnuImportFrames,
          m.Export(u"mnuExportLongPic"), m.Export(u"mnuExportAnimation"),
          m.Export(u"mnuExportPlymouth"), m.Export(u"mnuExportBootAnimation"), m.mnuOptions,
          m.mnuAbout, m.mnuCheckUpdates})
        EXPECT_FALSE(later->isEnabled()) << later->objectName().toStdString();
    const QList<QAction *> file = m.mnuFile->actions();
    ASSERT_EQ(file.size(), 17);
    EXPECT_TRUE(file.at(5)->isSeparator());
    EXPECT_EQ(file.at(5)->objectName(), QStringLiteral("heng1"));
    // The animated picture follows the long picture, then the boot screens of other systems.
    EXPECT_EQ(file.at(11), m.Export(u"mnuExportLongPic"));
    EXPECT_EQ(file.at(12), m.Export(u"mnuExportAnimation"));
    EXPECT_EQ(file.at(13), m.Export(u"mnuExportPlymouth"));
    EXPECT_EQ(file.at(14), m.Export(u"mnuExportBootAnimation"));
    EXPECT_EQ(m.Export(u"mnuExportAnimation")->text(), QStringLiteral("导出动画图片(&G)..."));
    EXPECT_EQ(m.Export(u"mnuExportPlymouth")->text(), QStringLiteral("导出 Linux 开机主题(&P)..."));
    EXPECT_EQ(m.Export(u"mnuExportBootAnimation")->text(), QStringLiteral("导出 Android 开机动画(&D)..."));
    EXPECT_EQ(file.at(16), m.mnuExit);
}

} // namespace
} // namespace mrv::test
