#include "editor/projectcommands.h"

#include "editor/editortitle.h"
#include "editor/exportmenucommands.h"
#include "editor/framelist.h"
#include "editor_fixture.h"
#include "support/xmlfile.h"

#include <QComboBox>
#include <QTest>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>

namespace mrv::test {
namespace {

using Commands = EditorTest;

const QString Unsaved = QStringLiteral("你的文件修改了没有保存，是否保存");

void ExpectUnsavedQuestion(const MessageRequest &m)
{
    EXPECT_EQ(m.text, Unsaved);
    EXPECT_EQ(m.title, QStringLiteral("提示"));
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(m.defaultButton, MsgAnswer::Cancel);
}

TEST(SaveAsTarget, AddsTheExtensionOfTheChosenFilterWithExactCase)
{
    struct Case
    {
        const char *chosen;
        int filter;
        const char *written;
    };
    for (const Case &c : {Case{"/p/p.xml", 2, "/p/p.xml"}, Case{"/p/p", 2, "/p/p.xml"},
                          Case{"/p/p.xml", 1, "/p/p.xml.mrv"}, Case{"/p/anim", 1, "/p/anim.mrv"},
                          Case{"/p/a.mrv", 1, "/p/a.mrv"}, Case{"/p/a.MRV", 1, "/p/a.MRV.mrv"},
                          Case{"/p/a.mrv", 2, "/p/a.mrv.xml"}, Case{"/p/a", 3, "/p/a.mrv"}})
        EXPECT_EQ(SaveAsTarget(QString::fromUtf8(c.chosen), c.filter), QString::fromUtf8(c.written))
            << c.chosen << " filter " << c.filter;
}

TEST(TitleFileName, IsThePartOfThePathAfterTheFolder)
{
    EXPECT_EQ(TitleFileNameOf(QStringLiteral(R"(D:\anim\p.mrv)"), QStringLiteral(R"(D:\anim)")),
              QStringLiteral("p.mrv"));
    EXPECT_EQ(TitleFileNameOf(QStringLiteral("/a/b/q.xml"), QStringLiteral("/a/b")),
              QStringLiteral("q.xml"));
    // No file yet, or a path set by Save As in a shorter folder before it is read back.
    EXPECT_EQ(TitleFileNameOf(QString(), QString()), QStringLiteral("NewMRV.mrv"));
    EXPECT_EQ(TitleFileNameOf(QStringLiteral("/x.mrv"), QStringLiteral("/long/folder")),
              QStringLiteral("NewMRV.mrv"));
    EXPECT_EQ(EditorTitle(QStringLiteral("Mirovane"), QStringLiteral("p.mrv"), true),
              QStringLiteral("Mirovane p.mrv*"));
}

TEST_F(Commands, StartShowsTheDefaultProjectUnmodified)
{
    frmEditer &w = Load();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane NewMRV.mrv"));
    EXPECT_EQ(w.CurrentProject()->aFrame.Count(), 105);
    EXPECT_EQ(w.Controls().txtProjectName->text(), QStringLiteral("Win7全屏开机动画"));
    EXPECT_EQ(w.Controls().comScreenScale->currentText(), QStringLiteral("1024*768"));
    EXPECT_EQ(w.Controls().comScreenScale->count(), 11); // the configured list, 1024*768 in it
    EXPECT_EQ(w.Controls().sldFrame->maximum(), 105);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Commands, TypingTheNameMarksTheProjectAndLoadingDoesNot)
{
    frmEditer &w = Load();
    w.Controls().txtProjectName->setText(QStringLiteral("新名字"));
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("新名字"));
    EXPECT_TRUE(w.CurrentProject()->aChanged);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane NewMRV.mrv*"));
    // Loading, as New, Open and Revert do it.
    w.Document().Reset(std::make_unique<MVK>(*w.CurrentProject()));
    w.LoadProjectIntoEditor();
    EXPECT_FALSE(w.CurrentProject()->aChanged);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane NewMRV.mrv"));
}

TEST_F(Commands, NewAsksOnlyAboutChangesAndCancelKeepsEverything)
{
    frmEditer &w = Load();
    EXPECT_TRUE(w.Commands().New());
    EXPECT_TRUE(prompts.messages.isEmpty());

    w.Controls().txtProjectName->setText(QStringLiteral("edited"));
    const MVK *before = w.CurrentProject();
    prompts.answerMessage(MsgAnswer::Cancel);
    EXPECT_FALSE(w.Commands().New());
    ASSERT_EQ(prompts.messages.size(), 1);
    ExpectUnsavedQuestion(prompts.messages.first());
    EXPECT_EQ(w.CurrentProject(), before);
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("edited"));
    EXPECT_TRUE(w.windowTitle().endsWith(u'*'));

    prompts.answerMessage(MsgAnswer::No);
    EXPECT_TRUE(w.Commands().New());
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("Win7全屏开机动画"));
    EXPECT_FALSE(w.windowTitle().endsWith(u'*'));
}

TEST_F(Commands, YesThenCancelledSaveAsStopsTheCommandAndKeepsTheMark)
{
    frmEditer &w = Load();
    w.Controls().txtProjectName->setText(QStringLiteral("keep me"));
    prompts.answerMessage(MsgAnswer::Yes);
    prompts.answerFile(std::nullopt);
    EXPECT_FALSE(w.Commands().New());
    ASSERT_EQ(prompts.files.size(), 1);
    EXPECT_EQ(prompts.files.first().title, QStringLiteral("选择工程保存位置"));
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("keep me"));
    EXPECT_TRUE(w.CurrentProject()->aChanged);
    EXPECT_TRUE(w.windowTitle().endsWith(u'*'));
}

TEST_F(Commands, SaveOnANewProjectGoesThroughSaveAsAndReadsTheFileBack)
{
    frmEditer &w = Load();
    w.Controls().txtProjectName->setText(QStringLiteral("动画"));
    prompts.answerFile(FileDialogAnswer{folder.file(QStringLiteral("anim")), 1});
    EXPECT_TRUE(w.Commands().Save());
    const FileDialogRequest &dialog = prompts.files.first();
    EXPECT_EQ(dialog.kind, FileDialogKind::Save);
    EXPECT_EQ(dialog.types, &settings.ProjectTypes);
    EXPECT_EQ(dialog.filterIndex, 1);

    const QString written = folder.file(QStringLiteral("anim.mrv"));
    ASSERT_TRUE(QFile::exists(written));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane anim.mrv"));
    EXPECT_EQ(w.CurrentProject()->aFilePath, written);
    EXPECT_EQ(w.CurrentProject()->aFileFolder, folder.path());
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("动画"));
    // The read-back project resolves its pictures against its new folder.
    EXPECT_EQ(w.BackgroundPath(), folder.path() + QStringLiteral("/NewMRV/Background.jpg"));
}

TEST_F(Commands, SaveWritesTheOwnFileAndClearsTheMark)
{
    const QString path = WriteProject(folder, QStringLiteral("p"), 3);
    frmEditer &w = Load({{path, path}});
    w.Controls().txtProjectName->setText(QStringLiteral("renamed"));
    EXPECT_TRUE(w.Commands().Save());
    EXPECT_TRUE(prompts.files.isEmpty());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane p.mrv"));
    MVK reread;
    ASSERT_TRUE(reread.OpenFile(path).ok());
    EXPECT_EQ(reread.aName, QStringLiteral("renamed"));
}

TEST_F(Commands, AFailedCtrlSSaysWhereAndWhyKeepsTheMarkAndTheOldFile)
{
    struct Case
    {
        const char *name;
        std::function<void(const QString &path)> breakDisk;
        QString reason;
    };
    SmallDisk disk;
    const QList<Case> cases = {
        {"a folder in its place",
         [](const QString &path) { QFile::remove(path), QDir().mkdir(path); },
         QStringLiteral("文件夹")},
        {"a full disk", [&](const QString &) { disk.Fill(); }, QStringLiteral("No space left")},
    };
    for (const Case &c : cases) {
        if (!disk.Mounted() && c.reason.startsWith(u'N'))
            GTEST_SKIP()
                << "SKIPPED: mounting a small tmpfs needs root; the full-disk save did not run";
        const TempFolder here;
        const QString path = disk.Mounted() ? disk.file(QStringLiteral("p.mrv"))
                                            : here.file(QStringLiteral("p.mrv"));
        QDir(path).removeRecursively();
        MVK project;
        project.AddNew();
        ASSERT_TRUE(project.SaveFile(path, {}).ok());
        const QByteArray before = ReadAll(path);
        prompts.messages.clear();
        frmEditer &w = Load({{path, path}});
        w.Controls().txtProjectName->setText(QStringLiteral("unsaved"));
        c.breakDisk(path);
        Activate();
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : &w, Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(prompts.messages.size(), 1) << c.name;
        EXPECT_EQ(prompts.messages.first().icon, MsgIcon::Error);
        const QString text = prompts.messages.first().text;
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path)) && text.contains(c.reason))
            << c.name << text;
        EXPECT_TRUE(w.CurrentProject()->aChanged);
        EXPECT_TRUE(w.windowTitle().endsWith(u'*'));
        if (QFileInfo(path).isFile()) {
            EXPECT_EQ(ReadAll(path), before);
        }
    }
}

TEST_F(Commands, SaveAsIntoAMissingFolderKeepsThePreviousFile)
{
    const QString path = WriteProject(folder, QStringLiteral("p"), 3);
    frmEditer &w = Load({{path, path}});
    prompts.answerFile(FileDialogAnswer{folder.file(QStringLiteral("nowhere/q")), 1});
    EXPECT_FALSE(w.Commands().SaveAs());
    EXPECT_EQ(w.CurrentProject()->aFilePath, path);
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_F(Commands, SaveAsWithTheXmlFilterKeepsAnXmlName)
{
    frmEditer &w = Load();
    prompts.answerFile(FileDialogAnswer{folder.file(QStringLiteral("p")), 2});
    EXPECT_TRUE(w.Commands().SaveAs());
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("p.xml"))));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane p.xml"));
}

TEST_F(Commands, SaveAsAsksBeforeReplacingTheFileItsExtensionNames)
{
    const QString existing = WriteProject(folder, QStringLiteral("p"), 3);
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    frmEditer &w = Load();
    // The dialog checked "p", the name typed; "p.mrv" is what would be written.
    prompts.answerFile(FileDialogAnswer{folder.file(QStringLiteral("p")), 1});
    prompts.answerMessage(MsgAnswer::No);
    EXPECT_FALSE(w.Commands().SaveAs());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.first().title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.messages.first().text, OverwriteQuestion(existing));
    EXPECT_EQ(prompts.messages.first().defaultButton, MsgAnswer::No);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();

    prompts.answerFile(FileDialogAnswer{folder.file(QStringLiteral("p")), 1});
    prompts.answerMessage(MsgAnswer::Yes);
    EXPECT_TRUE(w.Commands().SaveAs());
    EXPECT_EQ(w.CurrentProject()->aFilePath, existing);
}

TEST_F(Commands, OpenShowsTheChosenProjectsRowsAndSize)
{
    const QString path = WriteProject(folder, QStringLiteral("three"), 3, 800, 600);
    frmEditer &w = Load();
    prompts.answerFile(FileDialogAnswer{path, 1});
    ASSERT_TRUE(w.Commands().Open());
    const FileDialogRequest &dialog = prompts.files.first();
    EXPECT_EQ(dialog.kind, FileDialogKind::Open);
    EXPECT_EQ(dialog.title, QStringLiteral("打开工程文件"));
    EXPECT_EQ(dialog.filterIndex, 1);

    EXPECT_EQ(w.Frames().RowCount(), 3);
    EXPECT_EQ(w.Controls().sldFrame->maximum(), 3);
    ASSERT_NE(w.Frames().RowLabel(3), nullptr);
    EXPECT_EQ(w.Frames().RowLabel(1)->text(), QStringLiteral("001"));
    EXPECT_EQ(w.Frames().RowLabel(3)->text(), QStringLiteral("003"));
    EXPECT_EQ(w.Frames().RowLabel(4), nullptr);
    EXPECT_EQ(w.Frames().RowPath(2)->text(), QStringLiteral("f2.png"));
    EXPECT_EQ(w.FramePaths().size(), 3);
    EXPECT_EQ(w.FramePaths().at(1), folder.path() + QStringLiteral("/f2.png"));

    // 800*600 is not configured: it is added at the end, once however often it is opened.
    QComboBox &scale = *w.Controls().comScreenScale;
    EXPECT_EQ(scale.itemText(scale.count() - 1), QStringLiteral("800*600"));
    EXPECT_EQ(scale.currentText(), QStringLiteral("800*600"));
    const int items = scale.count();
    ASSERT_TRUE(w.Commands().OpenProjectFile(path));
    EXPECT_EQ(scale.count(), items);
}

TEST_F(Commands, OpenCancelledOrInvalidChangesNothing)
{
    const QString notProject = folder.write(QStringLiteral("x.xml"), "<Other/>");
    const QString notXml = folder.write(QStringLiteral("y.mrv"), "not xml at all");
    frmEditer &w = Load();
    const MVK *before = w.CurrentProject();

    prompts.answerFile(std::nullopt);
    EXPECT_FALSE(w.Commands().Open());
    prompts.answerFile(FileDialogAnswer{notProject, 1});
    EXPECT_FALSE(w.Commands().Open());
    prompts.answerFile(FileDialogAnswer{notXml, 1});
    EXPECT_FALSE(w.Commands().Open());

    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages.at(0).text, QStringLiteral("该XML文件不是MRVK工程文件"));
    EXPECT_EQ(prompts.messages.at(1).text, QStringLiteral("工程文件读取失败"));
    for (const MessageRequest &m : prompts.messages)
        EXPECT_EQ(m.icon, MsgIcon::Error);
    EXPECT_EQ(w.CurrentProject(), before);
    EXPECT_EQ(w.Frames().RowCount(), 105);
}

TEST_F(Commands, RevertNeedsAFileAndAsksFirst)
{
    frmEditer &w = Load();
    EXPECT_FALSE(w.Commands().Revert());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.first().text, QStringLiteral("工程文件储存位置不存在"));
    EXPECT_EQ(prompts.messages.first().icon, MsgIcon::None);
    EXPECT_EQ(prompts.messages.first().buttons, MsgButtons::Ok);
    EXPECT_TRUE(prompts.messages.first().title.isEmpty());

    const QString path = WriteProject(folder, QStringLiteral("p"), 3);
    ASSERT_TRUE(w.Commands().OpenProjectFile(path));
    w.Controls().txtProjectName->setText(QStringLiteral("changed"));
    prompts.answerMessage(MsgAnswer::No);
    EXPECT_FALSE(w.Commands().Revert());
    const MessageRequest &question = prompts.messages.last();
    EXPECT_EQ(question.text, QStringLiteral("还原为最后一次保存的p.mrv版本？"));
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("changed"));

    prompts.answerMessage(MsgAnswer::Yes);
    EXPECT_TRUE(w.Commands().Revert());
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("p"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane p.mrv"));
    EXPECT_EQ(prompts.messages.size(), 3); // no unsaved-changes question on top
}

TEST_F(Commands, RevertKeepsTheProjectWhenItsFileIsNoLongerAProject)
{
    const QString path = WriteProject(folder, QStringLiteral("p"), 3);
    frmEditer &w = Load({{path, path}});
    w.Controls().txtProjectName->setText(QStringLiteral("work"));
    folder.write(QStringLiteral("p.mrv"), "<Broken>");
    prompts.answerMessage(MsgAnswer::Yes);
    EXPECT_FALSE(w.Commands().Revert());
    EXPECT_EQ(prompts.messages.last().text, QStringLiteral("工程文件读取失败"));
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("work"));
    EXPECT_EQ(w.Frames().RowCount(), 3);
}

TEST_F(Commands, CloseWithChangesCanBeCancelledAndThenEndsWritingTheSettings)
{
    frmEditer &w = Load();
    QSignalSpy ended(&w, &frmEditer::ended);
    w.Controls().txtProjectName->setText(QStringLiteral("unsaved"));

    prompts.answerMessage(MsgAnswer::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ended.count(), 0);
    EXPECT_FALSE(QFile::exists(settings.WindowPath));
    ExpectUnsavedQuestion(prompts.messages.last());

    // Yes, then the Save As dialog cancelled: nothing was saved, so the window stays.
    prompts.answerMessage(MsgAnswer::Yes);
    prompts.answerFile(std::nullopt);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(ended.count(), 0);

    settings.FrameFocus = true;
    prompts.answerMessage(MsgAnswer::No);
    w.Menus().mnuExit->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(ended.count(), 1);
    pugi::xml_document windowDoc, configDoc;
    ASSERT_TRUE(LoadXmlFile(windowDoc, settings.WindowPath).ok());
    ASSERT_TRUE(LoadXmlFile(configDoc, settings.ConfigPath).ok());
    EXPECT_EQ(QString::fromUtf8(windowDoc.select_node("/Soft/Window/frmEditer").node()
                                    .attribute("Width").value()),
              QString::number(w.width()));
    EXPECT_STREQ(configDoc.select_node("/Soft/Config").node().attribute("FrameFocus").value(), "1");
}

TEST_F(Commands, CloseWithoutChangesAsksNothing)
{
    frmEditer &w = Load();
    QSignalSpy ended(&w, &frmEditer::ended);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(QFile::exists(settings.ConfigPath));
}

/// Settings files as the close sequence leaves them.
class SettingsAtClose : public EditorTest
{
protected:
    /// Writes the two files and loads the settings from them again.
    void UseFiles(const QByteArray &config, const QByteArray &window)
    {
        folder.write(ConfigFileName, config);
        if (!window.isNull())
            folder.write(WindowFileName, window);
        auto loaded = LoadSettings(folder.path());
        ASSERT_TRUE(loaded.ok());
        settings = std::move(*loaded);
    }

    /// Closes the editor (nothing unsaved) and returns the messages the close showed.
    QList<MessageRequest> Close()
    {
        const qsizetype before = prompts.messages.size();
        EXPECT_TRUE(window->close());
        return prompts.messages.mid(before);
    }
};

TEST_F(SettingsAtClose, ABrokenWindowFileIsLeftAsItWas)
{
    const QByteArray broken = "<Soft><Window><frmEditer Width=\"800\"";
    UseFiles(DefaultConfiguration(), broken);
    Load();
    settings.FrameFocus = true;
    EXPECT_TRUE(Close().isEmpty());
    EXPECT_EQ(ReadAll(settings.WindowPath), broken);
    EXPECT_TRUE(ReadAll(settings.ConfigPath).contains("FrameFocus=\"1\""));
}

TEST_F(SettingsAtClose, CommentsAndLayoutInBothFilesOutliveTheClose)
{
    UseFiles(
        "<?xml version=\"1.0\"?>\n<!-- sizes for our screens -->\n<Soft>\n\t<Config/>\n"
        "\t<ScreenScale><!-- the office --><Scale Width=\"800\" Height=\"600\"/></ScreenScale>\n"
        "</Soft>\n",
        "<Soft><!-- wider rows --><Window ListDistance=\"12\"/></Soft>");
    Load();
    EXPECT_TRUE(Close().isEmpty());
    const QByteArray config = ReadAll(settings.ConfigPath);
    EXPECT_TRUE(config.contains("<!-- sizes for our screens -->")) << config.toStdString();
    EXPECT_TRUE(config.contains("<!-- the office -->")) << config.toStdString();
    EXPECT_TRUE(config.contains("FormatProject=\"0\"")) << config.toStdString();
    EXPECT_TRUE(config.contains("\n\t<ScreenScale>")) << config.toStdString();
    const QByteArray layout = ReadAll(settings.WindowPath);
    EXPECT_TRUE(layout.contains("<!-- wider rows -->")) << layout.toStdString();
    EXPECT_TRUE(layout.contains("<frmEditer Width=")) << layout.toStdString();
}

TEST_F(SettingsAtClose, AFileThatCannotBeWrittenDoesNotKeepTheOtherFromBeingWritten)
{
    UseFiles(DefaultConfiguration(), QByteArray());
    // Both paths are where nothing can be written: a folder that is not there.
    const QString lostWindow = folder.file(QStringLiteral("gone/") + WindowFileName);
    settings.WindowPath = lostWindow;
    Load();
    settings.FrameFocus = true;
    QList<MessageRequest> shown = Close();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.first().icon, MsgIcon::Error);
    EXPECT_TRUE(shown.first().text.contains(lostWindow)) << shown.first().text;
    EXPECT_TRUE(ReadAll(settings.ConfigPath).contains("FrameFocus=\"1\""))
        << "the configuration is written all the same";

    // Both failing: each file is named with its own reason, one per line.
    UseFiles(DefaultConfiguration(), QByteArray());
    settings.WindowPath = lostWindow;
    const QString lostConfig = folder.file(QStringLiteral("gone/") + ConfigFileName);
    settings.ConfigPath = lostConfig;
    Load();
    shown = Close();
    ASSERT_EQ(shown.size(), 1);
    const QStringList lines = shown.first().text.split(u'\n');
    ASSERT_EQ(lines.size(), 3) << shown.first().text;
    EXPECT_TRUE(lines[1].contains(lostWindow)) << lines[1];
    EXPECT_TRUE(lines[2].contains(lostConfig)) << lines[2];
    EXPECT_GT(lines[2].size(), lostConfig.size() + 10) << "a reason follows the path";
}

} // namespace
} // namespace mrv::test
