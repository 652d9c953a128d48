#include "widgets/droptarget.h"
#include "editor/pictureedit.h"

#include "editing_fixture.h"
#include "editor/frmediter.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace mrv::test {
namespace {

using Drops = EditingTest;

TEST(FirstDroppedFile, IsTheFirstLocalFileOnly)
{
    QMimeData data;
    EXPECT_TRUE(FirstDroppedFile(data).isEmpty());
    data.setText(QStringLiteral("/tmp/a.png"));
    EXPECT_TRUE(FirstDroppedFile(data).isEmpty()) << "plain text is no file";
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.png")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/b.png"))});
    EXPECT_EQ(FirstDroppedFile(data), QStringLiteral("/tmp/a.png"));
    data.setUrls({QUrl(QStringLiteral("https://example.org/a.png"))});
    EXPECT_TRUE(FirstDroppedFile(data).isEmpty());
}

TEST_F(Drops, ThreePicturesOnARowSetThatRowToTheFirstAndNothingElse)
{
    frmEditer &w = LoadPictures(6);
    QList<aImage> before;
    for (const aImage &frame : w.CurrentProject()->aFrame)
        before.append(frame);
    const QStringList files = {folder.file(QStringLiteral("f3.png")),
                               folder.file(QStringLiteral("f1.png")),
                               folder.file(QStringLiteral("f2.png"))};
    ASSERT_NE(w.Frames().RowPath(5), nullptr);
    EXPECT_TRUE(DropFiles(*w.Frames().RowPath(5), files));

    const MVK &project = *w.CurrentProject();
    EXPECT_EQ(project.aFrame.Count(), 6);
    EXPECT_EQ(project.aFrame.Item(5)->aURL, QStringLiteral("f3.png"));
    EXPECT_EQ(w.Frames().RowPath(5)->text(), QStringLiteral("f3.png"));
    EXPECT_EQ(w.FramePaths().at(4), folder.file(QStringLiteral("f3.png")));
    for (int i = 1; i <= 6; ++i) {
        if (i != 5) {
            EXPECT_EQ(*project.aFrame.Item(i), before.at(i - 1)) << "frame " << i;
        }
    }
    EXPECT_TRUE(project.aChanged);

    // The browse button takes the same drop.
    EXPECT_TRUE(DropFiles(*w.Frames().RowBrowse(6), {folder.file(QStringLiteral("f1.png"))}));
    EXPECT_EQ(project.aFrame.Item(6)->aURL, QStringLiteral("f1.png"));
}

TEST_F(Drops, RefusedFilesNeverReachAPathBox)
{
    frmEditer &w = LoadPictures();
    const QString notPicture = folder.file(QStringLiteral("notes.txt"));
    folder.write(QStringLiteral("notes.txt"), "text");
    const QString project = projectPath;
    const QString missing = folder.file(QStringLiteral("gone.png"));
    QWidget *targets[] = {w.Frames().RowPath(2), w.Frames().RowBrowse(2),
                          w.Controls().txtBackground, w.Controls().cmdBackground_Browse};
    for (QWidget *target : targets) {
        for (const QString &file : {notPicture, project, missing}) {
            EXPECT_FALSE(DropFiles(*target, {file})) << file << " on " << target->objectName();
            // A drop arriving without an accepted drag is checked just the same.
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(file)});
            data.setText(QUrl::fromLocalFile(file).toString());
            SendDropOnly(*target, data);
        }
    }
    EXPECT_EQ(w.Frames().RowPath(2)->text(), QStringLiteral("f2.png"));
    EXPECT_EQ(w.Controls().txtBackground->text(), QStringLiteral("bg.png"));
    EXPECT_FALSE(w.CurrentProject()->aChanged);
    EXPECT_TRUE(prompts.messages.isEmpty());

    // A picture is taken whatever the letter case of its extension, WebP as well, as the
    // dialogs and the frame import take them.
    const QString upper = WriteFramePicture(folder.file(QStringLiteral("A.PNG")), Magenta);
    EXPECT_TRUE(DropFiles(*w.Frames().RowPath(1), {upper}));
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aURL, QStringLiteral("A.PNG"));
    EXPECT_EQ(ShownFrameColour(), Magenta);
    // Written lossless (quality 100), so that the colour shown is the one written.
    const QString webp = folder.file(QStringLiteral("w.WebP"));
    ASSERT_TRUE(QImage(WriteFramePicture(folder.file(QStringLiteral("w.png")), Green))
                    .save(webp, "WEBP", 100));
    EXPECT_TRUE(DropFiles(*w.Frames().RowPath(1), {webp}));
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aURL, QStringLiteral("w.WebP"));
    EXPECT_EQ(ShownFrameColour(), Green);
}

TEST_F(Drops, APictureOnTheBackgroundControlsReplacesTheBackground)
{
    frmEditer &w = LoadPictures();
    TempFolder elsewhere;
    const QString white = WritePicture(elsewhere.file(QStringLiteral("w.jpg")), {1024, 768}, White);
    EXPECT_TRUE(DropFiles(*w.Controls().cmdBackground_Browse, {white}));
    EXPECT_EQ(w.CurrentProject()->aBackground->aURL, white);
    EXPECT_EQ(w.Controls().txtBackground->text(), white);
    EXPECT_EQ(PixelOf(*w.Controls().picBG, 10, 10), White);
    EXPECT_TRUE(w.CurrentProject()->aChanged);
}

class ProjectDrops : public EditingTest
{
protected:
    /// A second project in its own folder, named "other".
    QString OtherProject() { return WriteProject(other, QStringLiteral("other"), 2); }

    void DropOnPreview(QWidget &target, const QString &file)
    {
        DropFiles(target, {file});
        // The project opens once the drop has returned.
        QCoreApplication::processEvents();
    }

    void ExpectUnsavedQuestion(const MessageRequest &m)
    {
        EXPECT_EQ(m.text, QStringLiteral("你的文件修改了没有保存，是否保存"));
        EXPECT_EQ(m.title, QStringLiteral("提示"));
        EXPECT_EQ(m.icon, MsgIcon::Question);
        EXPECT_EQ(m.buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(m.defaultButton, MsgAnswer::Cancel);
    }

    TempFolder other;
};

TEST_F(ProjectDrops, CancelAtTheQuestionKeepsTheChangedProject)
{
    frmEditer &w = LoadPictures();
    w.Controls().txtProjectName->setText(QStringLiteral("edited"));
    prompts.answerMessage(MsgAnswer::Cancel);
    DropOnPreview(*w.Controls().picA0, OtherProject());
    ASSERT_EQ(prompts.messages.size(), 1);
    ExpectUnsavedQuestion(prompts.messages.first());
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("edited"));
    EXPECT_TRUE(w.CurrentProject()->aChanged);
    EXPECT_TRUE(prompts.files.isEmpty());
}

TEST_F(ProjectDrops, YesWithACancelledSaveAsStopsAndLosesNothing)
{
    frmEditer &w = Load(); // a new project: saving it asks where
    w.Controls().txtProjectName->setText(QStringLiteral("unsaved work"));
    prompts.answerMessage(MsgAnswer::Yes);
    prompts.answerFile(std::nullopt);
    DropOnPreview(*w.Controls().picBG, OtherProject());
    ASSERT_EQ(prompts.messages.size(), 1);
    ExpectUnsavedQuestion(prompts.messages.first());
    ASSERT_EQ(prompts.files.size(), 1);
    EXPECT_EQ(prompts.files.first().kind, FileDialogKind::Save);
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("unsaved work"));
    EXPECT_TRUE(w.CurrentProject()->aChanged);
}

TEST_F(ProjectDrops, UnchangedOpensAtOnceYesSavesFirstAndNoDiscards)
{
    frmEditer &w = LoadPictures();
    DropOnPreview(*w.Controls().picBG, OtherProject());
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(w.CurrentProject()->aFrame.Count(), 2);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane other.mrv"));
    DropOnPreview(*w.Controls().picBG, projectPath);

    w.Controls().txtProjectName->setText(QStringLiteral("saved first"));
    prompts.answerMessage(MsgAnswer::Yes);
    DropOnPreview(*w.Controls().picBG, OtherProject());
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("other"));
    MVK reread;
    ASSERT_TRUE(reread.OpenFile(projectPath).ok());
    EXPECT_EQ(reread.aName, QStringLiteral("saved first"));

    w.Controls().txtProjectName->setText(QStringLiteral("thrown away"));
    prompts.answerMessage(MsgAnswer::No);
    DropOnPreview(*w.Controls().picBG, projectPath);
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("saved first"));
    MVK other2;
    ASSERT_TRUE(other2.OpenFile(other.file(QStringLiteral("other.mrv"))).ok());
    EXPECT_EQ(other2.aName, QStringLiteral("other"));
}

TEST_F(ProjectDrops, APictureOnThePreviewIsReportedAsNoProject)
{
    frmEditer &w = LoadPictures();
    DropOnPreview(*w.Controls().picBG, folder.file(QStringLiteral("f1.png")));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.first().icon, MsgIcon::Error);
    EXPECT_EQ(prompts.messages.first().text, QStringLiteral("工程文件读取失败"));
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("anim"));

    // A file that is not there is not even tried.
    DropOnPreview(*w.Controls().picBG, folder.file(QStringLiteral("missing.mrv")));
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_FALSE(w.Pictures().picBG_OLEDragDrop(QString()));
}

} // namespace
} // namespace mrv::test
