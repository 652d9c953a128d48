#include "editor/exportmenu_fixture.h"
#include "export/bootanimation.h"
#include "export/exporter.h"
#include "export/exportregistry.h"
#include "preview/frametime.h"
#include "settings/exportchoices.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace mrv::test {
namespace {

const QString LongDone = QStringLiteral("动画长图导出完成，你可以使用“魔方”等软件应用到系统。");
const QString SequenceDone = QStringLiteral(
    "帧序列已导出。要做成 GIF、WebP 或 APNG 动画，可以使用“文件”菜单的“导出动画图片”。");

void ExpectDone(const MessageRequest &message, const QString &text)
{
    EXPECT_EQ(message.text, text);
    EXPECT_EQ(message.title, QStringLiteral("导出完成"));
    EXPECT_EQ(message.icon, MsgIcon::Information);
}

const QString NoBackground = QStringLiteral("no-background");
const QString Loops = QStringLiteral("loops");

using ExportCommandsTest = ExportMenuTest;

TEST_F(ExportCommandsTest, InstallEnablesTheEntriesAndEachOpensItsFileDialog)
{
    frmEditer &w = Load();
    const EditorMenus &m = w.Menus();
    for (QAction *entry : {m.Export(u"mnuExport"), m.Export(u"mnuExAniFrame"), m.mnuImportLongPic,
                           m.Export(u"mnuExportLongPic")})
        EXPECT_FALSE(entry->isEnabled());
    EXPECT_FALSE(w.Controls().cmdExport->isEnabled());

    ExportMenuCommands::Install(w.Context());
    for (QAction *entry : {m.Export(u"mnuExport"), m.Export(u"mnuExAniFrame"), m.mnuImportLongPic,
                           m.Export(u"mnuExportLongPic")})
        EXPECT_TRUE(entry->isEnabled()) << entry->objectName();
    EXPECT_TRUE(w.Controls().cmdExport->isEnabled());

    // No answers scripted: every dialog is cancelled and nothing else is asked.
    m.Export(u"mnuExportLongPic")->trigger();
    m.Export(u"mnuExAniFrame")->trigger();
    m.Export(u"mnuExport")->trigger();
    w.Controls().cmdExport->click();
    m.mnuImportLongPic->trigger();
    ASSERT_EQ(prompts.files.size(), 5);
    const QStringList titles{QStringLiteral("选择保存的长图文件名"),
                             QStringLiteral("请输入动画序列前缀"),
                             QStringLiteral("选择工程导出位置"), QStringLiteral("选择工程导出位置"),
                             QStringLiteral("选择图片文件")};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(prompts.files[i].title, titles[i]);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.inputs.isEmpty());
    EXPECT_TRUE(prompts.options.isEmpty());
}

TEST_F(ExportCommandsTest, EveryRegisteredTargetHasItsFileMenuEntry)
{
    frmEditer &w = LoadProject(2);
    for (const Exporter *exporter : ExportRegistry::All()) {
        auto *entry = w.Menus().mnuFile->findChild<QAction *>(exporter->menuName());
        ASSERT_NE(entry, nullptr) << exporter->id().toStdString();
        EXPECT_EQ(entry->text(), exporter->label());
        EXPECT_EQ(entry->shortcut(), QKeySequence(exporter->shortcut()));
        EXPECT_TRUE(entry->isEnabled());
        prompts.files.clear();
        entry->trigger();
        ASSERT_EQ(prompts.files.size(), 1) << exporter->id().toStdString();
        EXPECT_EQ(prompts.files[0].title, exporter->dialogTitle());
        EXPECT_EQ(prompts.files[0].proposedName, exporter->proposedName(*w.CurrentProject()));
    }
}

/// A target known only by its texts, to see where the menu puts it.
class PlacedTarget final : public Exporter
{
public:
    explicit PlacedTarget(const ExportTexts &texts)
        : Exporter(QStringLiteral("export-placed"), PictureFormats(), PictureFormat::Png, texts)
    {}
    QStringList outputFiles(const MVK &, const ExportOptions &) const override { return {}; }
    QString doneMessage(const MVK &, const ExportOptions &) const override { return {}; }
    QString cliReport(const ExportResult &, const MVK &, const ExportOptions &) const override
    {
        return {};
    }

protected:
    Status CheckProject(const MVK &) const override { return Status::Ok(); }
    ExportResult Write(const ExportSource &, const ExportOptions &, const ExportProgress &,
                       const std::atomic_bool *) const override
    {
        return {};
    }
};

TEST(ExportMenuEntries, ATargetGetsItsEntryWhereItsTextsPlaceIt)
{
    ExportTexts first;
    first.menuText = "第一组";
    first.menuName = QStringLiteral("mnuPlacedFirst");
    first.shortcut = QStringLiteral("Ctrl+K");
    first.menuPlace = {1, 0};
    // No text, name or place: shown by its id, last of the entries after the imports.
    const ExportTexts unplaced;
    // The text shown, and the object name of the entry before which the target's lands.
    const std::tuple<ExportTexts, const char *, const char *> cases[] = {
        {first, "第一组", "mnuExport"}, {unplaced, "export-placed", "heng3"}};
    for (const auto &[texts, shown, before] : cases) {
        const PlacedTarget target(texts);
        std::vector<const Exporter *> targets = ExportRegistry::All();
        targets.push_back(&target);
        QMenuBar bar;
        const EditorMenus m = BuildEditorMenus(bar, targets);
        QAction *entry = m.Export(target.menuName());
        ASSERT_NE(entry, nullptr) << shown;
        EXPECT_EQ(entry->text(), QString::fromUtf8(shown));
        EXPECT_EQ(entry->shortcut(), QKeySequence(texts.shortcut));
        const QList<QAction *> file = m.mnuFile->actions();
        const qsizetype at = file.indexOf(entry);
        ASSERT_LT(at + 1, file.size());
        EXPECT_EQ(file.at(at + 1)->objectName(), QString::fromLatin1(before)) << shown;
        EXPECT_EQ(m.exports.size(), targets.size());
    }
}

TEST_F(ExportCommandsTest, LongPictureWithTheBackgroundAndItsDialog)
{
    frmEditer &w = LoadProject(3);
    w.Document().SetFrameOffset(2, 100, w.CurrentProject()->aFrame.Item(2)->aY);
    ChooseFile(Out(QStringLiteral("anim")), 1);
    prompts.answerOptions(QVariantMap{}); // as proposed: the background stays in
    w.Menus().Export(u"mnuExportLongPic")->trigger();

    ASSERT_EQ(prompts.files.size(), 1);
    const FileDialogRequest &dialog = prompts.files.first();
    EXPECT_EQ(dialog.kind, FileDialogKind::Save);
    EXPECT_EQ(dialog.types, &settings.ExportTypes);
    EXPECT_EQ(dialog.filterIndex, 2);
    EXPECT_EQ(dialog.proposedName, QStringLiteral("Activity_anim"));

    ASSERT_EQ(prompts.options.size(), 1);
    EXPECT_EQ(prompts.options[0].title, QStringLiteral("导出长图动画"));
    EXPECT_EQ(prompts.options[0].proposed.target, Out(QStringLiteral("anim")));
    EXPECT_FALSE(prompts.options[0].proposed.Flag(NoBackground));
    ASSERT_EQ(prompts.messages.size(), 1);
    ExpectDone(prompts.messages[0], LongDone);

    const QImage strip(Out(QStringLiteral("anim.png")));
    ASSERT_EQ(strip.size(), QSize(200, 21000));
    EXPECT_EQ(strip.pixelColor(10, 10), FrameColour(1));
    EXPECT_EQ(strip.pixelColor(150, 150), BackgroundColour);
    EXPECT_EQ(strip.pixelColor(110, 200 + 10), FrameColour(2)); // moved by its X offset
    EXPECT_EQ(strip.pixelColor(10, 200 + 10), BackgroundColour);
    EXPECT_EQ(strip.pixelColor(10, 400 + 10), FrameColour(3));
    EXPECT_EQ(strip.pixelColor(10, 600 + 10).alpha(), 0); // no fourth frame
    EXPECT_EQ(OutFiles(), QStringList{QStringLiteral("anim.png")});
}

TEST_F(ExportCommandsTest, LongPictureYesLeavesTheBackgroundOutAndCancelWritesNothing)
{
    frmEditer &w = LoadProject(2);
    ChooseFile(Out(QStringLiteral("anim")), 2);
    prompts.answerOptions(std::nullopt);
    w.Menus().Export(u"mnuExportLongPic")->trigger();
    EXPECT_EQ(prompts.options.size(), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(OutFiles().isEmpty());

    ChooseFile(Out(QStringLiteral("clear")), 1);
    prompts.answerOptions(QVariantMap{{NoBackground, true}});
    w.Menus().Export(u"mnuExportLongPic")->trigger();
    ExpectDone(LastMessage(), LongDone);
    const QImage strip(Out(QStringLiteral("clear.png")));
    EXPECT_EQ(strip.pixelColor(10, 10), FrameColour(1));
    EXPECT_EQ(strip.pixelColor(150, 150).alpha(), 0);
    EXPECT_FALSE(w.CurrentProject()->aChanged);
}

TEST_F(ExportCommandsTest, FailedWritesShowThePathAndReasonInsteadOfCompletion)
{
    frmEditer &w = LoadProject(2);
    const QString missing = folder.file(QStringLiteral("missing/anim"));
    ChooseFile(missing, 2);
    prompts.answerOptions(QVariantMap{});
    w.Menus().Export(u"mnuExportLongPic")->trigger();
    MessageRequest shown = LastMessage();
    EXPECT_EQ(shown.icon, MsgIcon::Error);
    EXPECT_TRUE(shown.text.contains(QDir::toNativeSeparators(missing + QStringLiteral(".bmp"))))
        << shown.text;
    EXPECT_NE(shown.text, LongDone);

    prompts.messages.clear();
    ChooseFile(folder.file(QStringLiteral("missing/seq")), 1);
    prompts.answerOptions(QVariantMap{{Loops, 1}, {NoBackground, true}});
    w.Menus().Export(u"mnuExAniFrame")->trigger();
    shown = LastMessage();
    EXPECT_EQ(shown.icon, MsgIcon::Error);
    EXPECT_TRUE(shown.text.contains(QStringLiteral("seq1.png"))) << shown.text;

    // A file stands where the frame folder belongs.
    prompts.messages.clear();
    QFile blocker(Out(QStringLiteral("proj_Frame")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ChooseFile(Out(QStringLiteral("proj")), 1);
    w.Controls().cmdExport->click();
    shown = LastMessage();
    EXPECT_EQ(shown.icon, MsgIcon::Error);
    EXPECT_TRUE(shown.text.contains(QStringLiteral("proj_Frame"))) << shown.text;
    EXPECT_EQ(OutFiles(), QStringList{QStringLiteral("proj_Frame")});
}

TEST_F(ExportCommandsTest, SequenceAsksForLoopsAndWritesThePlayingOrder)
{
    // 12 frames: 7 play once, 5 loop; three loops give 22 pictures numbered with two digits.
    frmEditer &w = LoadProject(12);
    ChooseFile(Out(QStringLiteral("seq.png")), 1);
    prompts.answerOptions(QVariantMap{{Loops, 3}, {NoBackground, true}});
    w.Menus().Export(u"mnuExAniFrame")->trigger();

    ASSERT_EQ(prompts.files.size(), 1);
    EXPECT_EQ(prompts.files[0].kind, FileDialogKind::Save);
    EXPECT_EQ(prompts.files[0].types, &settings.ExportTypes);
    EXPECT_EQ(prompts.files[0].filterIndex, 0);
    EXPECT_EQ(prompts.files[0].proposedName, QStringLiteral("anim_序列"));
    // One dialog under the loop box's title; the old questions are its labels.
    EXPECT_TRUE(prompts.inputs.isEmpty());
    ASSERT_EQ(prompts.options.size(), 1);
    const OptionsRequest &asked = prompts.options[0];
    EXPECT_EQ(asked.title, QStringLiteral("请输入循环次数"));
    ASSERT_EQ(asked.specs.size(), 2);
    // The loop's own frames, and no promise about wrong entries the box cannot take.
    EXPECT_EQ(asked.specs[0].prompt, QStringLiteral("第8-12帧（循环部分）输出几次（1-255 次）。"));
    EXPECT_EQ(asked.specs[1].prompt, QStringLiteral("是否保持图片透明通道"));
    EXPECT_EQ(asked.proposed.Number(Loops), 2);
    ASSERT_EQ(prompts.messages.size(), 1);
    ExpectDone(prompts.messages[0], SequenceDone);

    const QStringList files = OutFiles();
    ASSERT_EQ(files.size(), 22);
    EXPECT_EQ(files.first(), QStringLiteral("seq01.png"));
    EXPECT_EQ(files.last(), QStringLiteral("seq22.png"));
    // Picture 13 is the second round of the loop: frame 8 again.
    const QImage thirteenth(Out(QStringLiteral("seq13.png")));
    ASSERT_EQ(thirteenth.size(), QSize(200, 200));
    EXPECT_EQ(thirteenth.pixelColor(5, 5), FrameColour(8));
    EXPECT_EQ(thirteenth.pixelColor(150, 150).alpha(), 0);
}

TEST_F(ExportCommandsTest, SequenceOnceWithTheBackgroundAndCancelWritesNothing)
{
    frmEditer &w = LoadProject(3);
    ChooseFile(Out(QStringLiteral("s")), 3);
    prompts.answerOptions(QVariantMap{{Loops, 1}});
    w.Menus().Export(u"mnuExAniFrame")->trigger();
    ExpectDone(LastMessage(), SequenceDone);
    // 3 frames: 2 once, 1 looping, once: three JPEG pictures.
    EXPECT_EQ(OutFiles(), (QStringList{QStringLiteral("s1.jpg"), QStringLiteral("s2.jpg"),
                                       QStringLiteral("s3.jpg")}));
    const QColor behind = QImage(Out(QStringLiteral("s3.jpg"))).pixelColor(150, 150);
    EXPECT_LT(behind.red(), 16);
    EXPECT_GT(behind.blue(), 240);

    // Cancel in the options dialog writes nothing.
    prompts.messages.clear();
    ChooseFile(Out(QStringLiteral("t")), 1);
    prompts.answerOptions(std::nullopt);
    w.Menus().Export(u"mnuExAniFrame")->trigger();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(OutFiles().size(), 3);
}

TEST_F(ExportCommandsTest, AShorterSequenceAsksBeforeRemovingTheEarlierRunsRest)
{
    // 12 frames: three loops write 22 pictures, one loop 12; seq13 .. seq22 are the rest.
    frmEditer &w = LoadProject(12);
    ChooseFile(Out(QStringLiteral("seq.png")), 1);
    prompts.answerOptions(QVariantMap{{Loops, 3}});
    w.Menus().Export(u"mnuExAniFrame")->trigger();
    ASSERT_EQ(OutFiles().size(), 22);
    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        prompts.messages.clear();
        ChooseFile(Out(QStringLiteral("seq.png")), 1);
        prompts.answerOptions(QVariantMap{{Loops, 1}});
        prompts.answerMessage(MsgAnswer::Yes); // replace seq01.png and on
        prompts.answerMessage(MsgAnswer::Ok);  // done
        prompts.answerMessage(answer);
        w.Menus().Export(u"mnuExAniFrame")->trigger();
        ASSERT_EQ(prompts.messages.size(), 3);
        const MessageRequest &asked = prompts.messages[2];
        EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
        EXPECT_EQ(asked.defaultButton, MsgAnswer::No);
        EXPECT_TRUE(asked.text.contains(QStringLiteral("10 个")) &&
                    asked.text.contains(QStringLiteral("seq13.png")) &&
                    asked.text.contains(QStringLiteral("seq22.png")))
            << asked.text;
        EXPECT_EQ(OutFiles().size(), answer == MsgAnswer::Yes ? 12 : 22);
    }
}

TEST_F(ExportCommandsTest, OptionsOpenWithTheTargetsLastChoicesElseTheProposal)
{
    frmEditer &w = LoadProject(3);
    ASSERT_TRUE(StoreFrameTime(*settings.WindowDocument, QStringLiteral("frmFullscreen"), 40));
    const QString frameTime = QStringLiteral("frame-time");
    const auto exportWith = [&](QAction *entry, const QString &name, const QVariantMap &changed) {
        ChooseFile(Out(name), 1);
        prompts.answerOptions(changed);
        entry->trigger();
        return prompts.options.last().proposed;
    };
    const EditorMenus &m = w.Menus();

    // Every target with a frame time proposes the one the full-screen preview plays at.
    for (QAction *entry : {m.Export(u"mnuExportAnimation"), m.Export(u"mnuExportPlymouth"),
                           m.Export(u"mnuExportBootAnimation")})
        EXPECT_EQ(exportWith(entry, entry->objectName(), {{frameTime, 55}}).Number(frameTime), 40)
            << entry->objectName().toStdString();
    EXPECT_EQ(
        exportWith(m.Export(u"mnuExAniFrame"), QStringLiteral("s"), {{Loops, 1}}).Number(Loops), 2);

    // The next run of each target opens with its own last choices.
    for (QAction *entry : {m.Export(u"mnuExportAnimation"), m.Export(u"mnuExportPlymouth"),
                           m.Export(u"mnuExportBootAnimation")})
        EXPECT_EQ(exportWith(entry, QStringLiteral("again"), {}).Number(frameTime), 55)
            << entry->objectName().toStdString();
    EXPECT_EQ(exportWith(m.Export(u"mnuExAniFrame"), QStringLiteral("t"), {}).Number(Loops), 1);

    // A kept value the option cannot take (a hand edit) leaves the proposal.
    ASSERT_TRUE(
        StoreExportChoices(settings, QStringLiteral("export-animation"),
                           {{frameTime, QStringLiteral("0")}, {Loops, QStringLiteral("5")}}));
    const ExportOptions proposed =
        exportWith(m.Export(u"mnuExportAnimation"), QStringLiteral("u"), {});
    EXPECT_EQ(proposed.Number(frameTime), 40);
    EXPECT_EQ(proposed.Number(Loops), 5);
}

TEST_F(ExportCommandsTest, AnAndroidFrameTimeTheRatesMissIsNamedWhenDone)
{
    frmEditer &w = LoadProject(3);
    ChooseFile(Out(QStringLiteral("boot.zip")), 1);
    prompts.answerOptions(QVariantMap{{QStringLiteral("frame-time"), 10},
                                      {QStringLiteral("size"), QStringLiteral("32x24")}});
    w.Menus().Export(u"mnuExportBootAnimation")->trigger();
    const MessageRequest done = LastMessage();
    EXPECT_EQ(done.icon, MsgIcon::Warning);
    EXPECT_TRUE(done.text.endsWith(QStringLiteral("\n\n") + AndroidFrameTimeWarning(10)))
        << done.text;
}

TEST_F(ExportCommandsTest, PicturesThatCannotBeReadAreNamedWithTheirFramesWhenDone)
{
    frmEditer &w = LoadProject(5);
    const QString broken = folder.write(QStringLiteral("f2.png"), "not a picture");
    for (int frame : {3, 5})
        w.Document().SetFrameUrl(frame, QStringLiteral("f2.png"));
    w.Document().SetBackgroundUrl(QStringLiteral("gone.png"));
    ChooseFile(Out(QStringLiteral("anim")), 1);
    prompts.answerOptions(QVariantMap{});
    w.Menus().Export(u"mnuExportLongPic")->trigger();
    const MessageRequest done = LastMessage();
    EXPECT_EQ(done.title, QStringLiteral("导出完成"));
    EXPECT_EQ(done.icon, MsgIcon::Warning);
    EXPECT_EQ(done.text, LongDone + QStringLiteral("\n\n警告：无法读取图片“") +
                             QDir::toNativeSeparators(folder.file(QStringLiteral("gone.png"))) +
                             QStringLiteral("”（背景），该区域保持透明\n警告：无法读取图片“") +
                             QDir::toNativeSeparators(broken) +
                             QStringLiteral("”（第 2-3、5 帧），该区域保持透明"));
}

TEST_F(ExportCommandsTest, ProjectImagesFromTheButton)
{
    frmEditer &w = LoadProject(12);
    ChooseFile(Out(QStringLiteral("proj")), 1);
    w.Controls().cmdExport->click();

    ASSERT_EQ(prompts.files.size(), 1);
    EXPECT_EQ(prompts.files[0].title, QStringLiteral("选择工程导出位置"));
    EXPECT_EQ(prompts.files[0].types, &settings.ExportTypes);
    EXPECT_EQ(prompts.files[0].filterIndex, 0);
    EXPECT_EQ(prompts.files[0].proposedName, QStringLiteral("anim"));
    ASSERT_EQ(prompts.messages.size(), 1);
    ExpectDone(prompts.messages[0], QStringLiteral("背景图片已保存到“") +
                                        QDir::toNativeSeparators(Out(QStringLiteral("proj.png"))) +
                                        QStringLiteral("”，\n帧动画文件夹名“proj_Frame”"));

    EXPECT_EQ(QImage(Out(QStringLiteral("proj.png"))).size(), QSize(1024, 768));
    const QStringList frames = OutFiles(QStringLiteral("proj_Frame"));
    ASSERT_EQ(frames.size(), 12);
    EXPECT_EQ(frames.first(), QStringLiteral("001.png"));
    EXPECT_EQ(frames.last(), QStringLiteral("012.png"));
    const QImage fifth(Out(QStringLiteral("proj_Frame/005.png")));
    EXPECT_EQ(fifth.pixelColor(5, 5), FrameColour(5));
    EXPECT_EQ(fifth.pixelColor(150, 150), BackgroundColour);
}

} // namespace
} // namespace mrv::test
