// The export commands ask before they replace files, and every dialog starts in the
// project's folder; the flows, with a scripted stand-in for the dialogs.

#include "editor/exportmenucommands.h"

#include "editor/exportmenu_fixture.h"
#include "editor/pictureedit.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTest>

namespace mrv::test {
namespace {

using ExportOverwrite = ExportMenuTest;

void ExpectOverwriteQuestion(const MessageRequest &message, const QString &path)
{
    EXPECT_EQ(message.text, QDir::toNativeSeparators(path) + QStringLiteral(" 已存在，是否覆盖？"));
    EXPECT_EQ(message.title, QStringLiteral("提示"));
    EXPECT_EQ(message.buttons, MsgButtons::YesNo);
    EXPECT_EQ(message.defaultButton, MsgAnswer::No);
}

TEST(ExportFiles, EveryFileTheSequenceAndTheProjectImagesWrite)
{
    const SequenceTarget seq{QStringLiteral("/o/s"), QStringLiteral(".png")};
    // 12 frames, 3 loops: 7 + 3 x 5 = 22 pictures with two digits.
    const QStringList files = SequenceFiles(seq, 12, 3);
    ASSERT_EQ(files.size(), 22);
    EXPECT_EQ(files.first(), QStringLiteral("/o/s01.png"));
    EXPECT_EQ(files.last(), QStringLiteral("/o/s22.png"));
    EXPECT_TRUE(SequenceFiles(seq, 0, 3).isEmpty());

    ProjectImagesTarget images;
    images.backgroundPath = QStringLiteral("/o/p.bmp");
    images.frameFolder = QStringLiteral("/o/p_Frame");
    images.extension = QStringLiteral(".bmp");
    const QStringList written = ProjectImageFiles(images, 2);
    ASSERT_EQ(written.size(), 3);
    EXPECT_EQ(written[0], QStringLiteral("/o/p.bmp"));
    EXPECT_EQ(QDir::fromNativeSeparators(written[2]), QStringLiteral("/o/p_Frame/002.bmp"));
}

TEST_F(ExportOverwrite, LongPictureAsksAboutTheNameWithTheExtensionAndNoWritesNothing)
{
    frmEditer &w = LoadProject(2);
    const QString strip = Out(QStringLiteral("anim.bmp"));
    folder.write(QStringLiteral("out/anim.bmp"), "old");

    ChooseFile(Out(QStringLiteral("anim")), 2); // the dialog saw "anim", which does not exist
    prompts.answerOptions(QVariantMap{});       // as proposed: with the background
    prompts.answerMessage(MsgAnswer::No);       // do not replace
    w.Menus().Export(u"mnuExportLongPic")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    ExpectOverwriteQuestion(prompts.messages[0], strip);
    EXPECT_EQ(ReadAll(strip), QByteArray("old"));
    EXPECT_EQ(OutFiles(), QStringList{QStringLiteral("anim.bmp")});

    // Yes replaces it.
    prompts.messages.clear();
    ChooseFile(Out(QStringLiteral("anim")), 2);
    prompts.answerOptions(QVariantMap{});
    prompts.answerMessage(MsgAnswer::Yes);
    w.Menus().Export(u"mnuExportLongPic")->trigger();
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[1].title, QStringLiteral("导出完成"));
    EXPECT_EQ(QImage(strip).size(), QSize(200, 21000));

    // The dialog already asked about exactly this file: no second question.
    prompts.messages.clear();
    ChooseFile(strip, 2);
    prompts.answerOptions(QVariantMap{});
    w.Menus().Export(u"mnuExportLongPic")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].title, QStringLiteral("导出完成"));
}

TEST_F(ExportOverwrite, SequenceAsksOnceNamingTheFirstFileThatExists)
{
    frmEditer &w = LoadProject(12);
    folder.write(QStringLiteral("out/seq05.png"), "five");
    folder.write(QStringLiteral("out/seq17.png"), "seventeen");
    const QVariantMap threeLoopsTransparent{{QStringLiteral("loops"), 3},
                                            {QStringLiteral("no-background"), true}};

    ChooseFile(Out(QStringLiteral("seq.png")), 1);
    prompts.answerOptions(threeLoopsTransparent);
    prompts.answerMessage(MsgAnswer::No);
    w.Menus().Export(u"mnuExAniFrame")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    ExpectOverwriteQuestion(prompts.messages[0], Out(QStringLiteral("seq05.png")));
    EXPECT_EQ(OutFiles().size(), 2);
    EXPECT_EQ(ReadAll(Out(QStringLiteral("seq05.png"))), QByteArray("five"));

    prompts.messages.clear();
    ChooseFile(Out(QStringLiteral("seq.png")), 1);
    prompts.answerOptions(threeLoopsTransparent);
    prompts.answerMessage(MsgAnswer::Yes);
    w.Menus().Export(u"mnuExAniFrame")->trigger();
    ASSERT_EQ(prompts.messages.size(), 2) << "one question for both files";
    EXPECT_EQ(prompts.messages[1].title, QStringLiteral("导出完成"));
    EXPECT_EQ(OutFiles().size(), 22);
    EXPECT_EQ(QImage(Out(QStringLiteral("seq17.png"))).size(), QSize(200, 200));
}

TEST_F(ExportOverwrite, ProjectImagesAskAboutAFramePictureToo)
{
    frmEditer &w = LoadProject(4);
    folder.write(QStringLiteral("out/proj_Frame/003.png"), "three");

    ChooseFile(Out(QStringLiteral("proj")), 1);
    prompts.answerMessage(MsgAnswer::No);
    w.Controls().cmdExport->click();
    ASSERT_EQ(prompts.messages.size(), 1);
    ExpectOverwriteQuestion(prompts.messages[0], Out(QStringLiteral("proj_Frame/003.png")));
    EXPECT_FALSE(QFile::exists(Out(QStringLiteral("proj.png"))));
    EXPECT_EQ(OutFiles(QStringLiteral("proj_Frame")), QStringList{QStringLiteral("003.png")});

    // Nothing there yet: nothing asked.
    prompts.messages.clear();
    ChooseFile(Out(QStringLiteral("other")), 1);
    w.Controls().cmdExport->click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].title, QStringLiteral("导出完成"));
}

TEST_F(ExportOverwrite, EveryDialogStartsInTheProjectFolder)
{
    frmEditer &w = LoadProject(2);
    const QString projectFolder = w.CurrentProject()->aFileFolder;
    ASSERT_FALSE(projectFolder.isEmpty());
    w.Menus().Export(u"mnuExportLongPic")->trigger();
    w.Menus().Export(u"mnuExAniFrame")->trigger();
    w.Menus().Export(u"mnuExport")->trigger();
    w.Menus().mnuImportLongPic->trigger();
    QTest::mouseClick(w.Controls().cmdBackground_Browse, Qt::LeftButton);
    w.Pictures().cmdFrame_Browse_Click(1);
    w.Commands().Open();
    w.Commands().SaveAs();
    ASSERT_EQ(prompts.files.size(), 8);
    for (const FileDialogRequest &request : prompts.files)
        EXPECT_EQ(request.startFolder, projectFolder) << request.title;

    // A project never saved has no folder: the dialog's own last folder is used.
    w.Commands().New();
    prompts.files.clear();
    w.Menus().Export(u"mnuExport")->trigger();
    w.Pictures().cmdBackground_Browse_Click();
    w.Commands().Open();
    ASSERT_EQ(prompts.files.size(), 3);
    for (const FileDialogRequest &request : prompts.files)
        EXPECT_TRUE(request.startFolder.isEmpty()) << request.title;
}

} // namespace
} // namespace mrv::test
