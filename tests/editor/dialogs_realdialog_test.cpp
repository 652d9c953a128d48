// The real dialog adapter, with Qt's own (non-native) file dialog and message boxes, driven
// by key presses as a user drives them.

#include "widgets/qtprompts.h"

#include "editor/exportmenu_fixture.h"
#include "editor/exportmenucommands.h"
#include "modalscript.h"

#include <QAction>
#include <QFile>
#include <QImageReader>
#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

namespace mrv::test {
namespace {

QByteArray FormatOf(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.format();
}

/// In the export options dialog: types over the box's text as a user would (the box gets the
/// focus as a click gives it); returns the text it showed.
QString TypeInto(QWidget &dialog, const QString &box, const QString &text)
{
    auto *line = dialog.findChild<QLineEdit *>(box);
    auto *spin = dialog.findChild<QAbstractSpinBox *>(box);
    QWidget *target = line ? static_cast<QWidget *>(line) : spin;
    if (!target)
        return {};
    const QString shown = line ? line->text() : spin->text();
    Focus(*target);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), text);
    return shown;
}

TEST(ChosenFilterIndex, TakesTheWholeFilterOrItsCaptionAlone)
{
    const QStringList filters = MakeImageTypes().NameFilters();
    EXPECT_EQ(ChosenFilterIndex(filters, filters[2]), 3);
    // What Qt's dialog answers when the details are hidden.
    EXPECT_EQ(ChosenFilterIndex(filters, QStringLiteral("PNG文件(*.png)")), 3);
    EXPECT_EQ(ChosenFilterIndex(filters, QStringLiteral("图片文件(*.jpg;*.png;*.bmp;*.gif,*.tif)")),
              1);
    EXPECT_EQ(ChosenFilterIndex(filters, QStringLiteral("TIFF文件(*.tif)")), 6);
    EXPECT_EQ(ChosenFilterIndex(filters, QStringLiteral("WebP")), 0);
    EXPECT_EQ(ChosenFilterIndex(filters, QString()), 0);
}

/// An editor whose questions are asked by the real adapter.
class RealDialogs : public ExportMenuTest
{
protected:
    void SetUp() override
    {
        ExportMenuTest::SetUp();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }
    // The window holds on to the prompts: it goes first.
    void TearDown() override { window.reset(); }

    frmEditer &LoadWithRealDialogs(int frames)
    {
        const QString path = WriteProject(folder, QStringLiteral("anim"), frames);
        WritePicture(folder.file(QStringLiteral("bg.png")), {1024, 768}, BackgroundColour);
        for (int i = 1; i <= frames; ++i)
            WritePicture(folder.file(QStringLiteral("f%1.png").arg(i)), {40, 40}, FrameColour(i));
        window = std::make_unique<frmEditer>(settings, real);
        real.setParent(window.get());
        window->Form_Load({{path, path}});
        window->show();
        commands = &ExportMenuCommands::Install(window->Context());
        return *window;
    }

    QtPrompts real;
};

TEST_F(RealDialogs, TheTypeChosenInTheBoxComesBackInEveryKindOfDialog)
{
    QtPrompts prompts;
    FileDialogRequest save{FileDialogKind::Save,   QStringLiteral("选择工程导出位置"),
                           &settings.ExportTypes,  0,
                           QStringLiteral("anim"), folder.path()};
    std::optional<FileDialogAnswer> answer;
    ModalRun run =
        AnswerModals([&] { answer = prompts.File(save); },
                     {[](QWidget &d) { ChooseInFileDialog(d, 3, QStringLiteral("proj")); }});
    EXPECT_EQ(run.answered, 1);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->filterIndex, 3);
    EXPECT_EQ(answer->path, QDir::toNativeSeparators(folder.file(QStringLiteral("proj"))));
    EXPECT_FALSE(answer->overwriteConfirmed);

    // An open dialog over the picture types, ending on entry 3 (PNG) with an existing file.
    WritePicture(folder.file(QStringLiteral("pic.png")), {4, 4}, Qt::red);
    run = AnswerModals(
        [&] { answer = prompts.File(PictureOpenRequest(settings.ImageTypes, folder.path())); },
        {[](QWidget &d) { ChooseInFileDialog(d, 3, QStringLiteral("pic.png")); }});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->filterIndex, 3);
    EXPECT_EQ(answer->path, QDir::toNativeSeparators(folder.file(QStringLiteral("pic.png"))));

    // Going back up to entry 1 also counts.
    save.filterIndex = 4;
    run = AnswerModals([&] { answer = prompts.File(save); },
                       {[](QWidget &d) { ChooseInFileDialog(d, 1, QStringLiteral("x")); }});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->filterIndex, 1);
}

TEST_F(RealDialogs, DialogsOpenInTheRequestedFolderElseWhereTheLastOneEnded)
{
    QtPrompts prompts;
    TempFolder other;
    WritePicture(other.file(QStringLiteral("o.png")), {4, 4}, Qt::red);
    QString openedIn;
    const auto note = [&](QWidget &d) {
        openedIn = static_cast<QFileDialog &>(d).directory().absolutePath();
    };
    AnswerModals([&] { prompts.File(PictureOpenRequest(settings.ImageTypes, other.path())); },
                 {[&](QWidget &d) {
                     note(d);
                     ChooseInFileDialog(d, 1, QStringLiteral("o.png"));
                 }});
    EXPECT_EQ(openedIn, QDir(other.path()).absolutePath());

    AnswerModals([&] { prompts.File(PictureOpenRequest(settings.ImageTypes, folder.path())); },
                 {note});
    EXPECT_EQ(openedIn, QDir(folder.path()).absolutePath());

    // No folder (a project never saved), or one that is gone: the last folder chosen in.
    AnswerModals([&] { prompts.File(PictureOpenRequest(settings.ImageTypes)); }, {note});
    EXPECT_EQ(openedIn, QDir(other.path()).absolutePath());
    AnswerModals(
        [&] {
            prompts.File(
                PictureOpenRequest(settings.ImageTypes, folder.file(QStringLiteral("gone"))));
        },
        {note});
    EXPECT_EQ(openedIn, QDir(other.path()).absolutePath());
}

TEST_F(RealDialogs, ProjectImagesInTheChosenJpegType)
{
    frmEditer &w = LoadWithRealDialogs(3);
    QString doneText;
    const ModalRun run =
        AnswerModals([&] { w.Menus().Export(u"mnuExport")->trigger(); },
                     {[](QWidget &d) { ChooseInFileDialog(d, 3, QStringLiteral("proj")); },
                      [&](QWidget &box) {
                          doneText = static_cast<QMessageBox &>(box).text();
                          PressButton(box, QMessageBox::Ok);
                      }});
    EXPECT_EQ(run.answered, 2);
    EXPECT_EQ(run.unexpected, 0);
    // The dialog opened in the project's folder, so that is where the pictures went.
    EXPECT_TRUE(
        doneText.startsWith(QStringLiteral("背景图片已保存到“") +
                            QDir::toNativeSeparators(folder.file(QStringLiteral("proj.jpg")))))
        << doneText;
    EXPECT_EQ(FormatOf(folder.file(QStringLiteral("proj.jpg"))), QByteArray("jpeg"));
    EXPECT_EQ(FormatOf(folder.file(QStringLiteral("proj_Frame/001.jpg"))), QByteArray("jpeg"));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("proj_Frame/003.jpg"))));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("proj.png"))));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("proj_Frame/001.png"))));
}

TEST_F(RealDialogs, SaveAsInTheXmlType)
{
    frmEditer &w = LoadWithRealDialogs(2);
    bool saved = false;
    AnswerModals([&] { saved = w.Commands().SaveAs(); },
                 {[](QWidget &d) { ChooseInFileDialog(d, 2, QStringLiteral("p")); }});
    EXPECT_TRUE(saved);
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("p.xml"))));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("p.mrv"))));
    EXPECT_EQ(w.CurrentProject()->aFilePath, folder.file(QStringLiteral("p.xml")));
}

TEST_F(RealDialogs, ReplacingAFileIsAskedAboutOnceWhicheverAsks)
{
    frmEditer &w = LoadWithRealDialogs(2);
    const QString strip = folder.file(QStringLiteral("A.bmp"));
    folder.write(QStringLiteral("A.bmp"), "old");

    // "A" becomes A.bmp, which the dialog never saw: the export asks, and No writes nothing.
    MessageRequest asked;
    ModalRun run = AnswerModals(
        [&] { w.Menus().Export(u"mnuExportLongPic")->trigger(); },
        {[](QWidget &d) { ChooseInFileDialog(d, 2, QStringLiteral("A")); },
         [](QWidget &options) { // leave the background out
             Focus(*options.findChild<QCheckBox *>(QStringLiteral("chkNoBackground")));
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
         },
         [&](QWidget &box) {
             auto &question = static_cast<QMessageBox &>(box);
             asked.title = question.windowTitle();
             asked.text = question.text();
             EXPECT_EQ(question.defaultButton(), question.button(QMessageBox::No));
             PressKey(box, Qt::Key_Return);
         }});
    EXPECT_EQ(run.answered, 3);
    EXPECT_EQ(run.unexpected, 0);
    EXPECT_EQ(asked.title, QStringLiteral("提示"));
    EXPECT_EQ(asked.text, QDir::toNativeSeparators(strip) + QStringLiteral(" 已存在，是否覆盖？"));
    EXPECT_EQ(ReadAll(strip), QByteArray("old"));

    // "A.bmp" typed exactly: the file dialog asks itself, and nothing asks a second time.
    run = AnswerModals([&] { w.Menus().Export(u"mnuExportLongPic")->trigger(); },
                       {[](QWidget &d) { ChooseInFileDialog(d, 2, QStringLiteral("A.bmp")); },
                        [](QWidget &box) { PressButton(box, QMessageBox::Yes); }, // the dialog's
                        [](QWidget &options) { PressKey(options, Qt::Key_Return); },
                        [](QWidget &box) { PressButton(box, QMessageBox::Ok); }});
    EXPECT_EQ(run.answered, 4);
    EXPECT_EQ(run.unexpected, 0);
    EXPECT_EQ(FormatOf(strip), QByteArray("bmp"));
}

TEST_F(RealDialogs, ANameEndingInAnotherTypesExtensionIsWrittenInThatType)
{
    frmEditer &w = LoadWithRealDialogs(2);
    // GIF stays chosen in the box; the typed names decide. The dialog asks about each existing
    // file itself, and nothing asks a second time.
    for (const auto &[name, magic] : {std::pair{"demo2.webp", "WEBP"}, std::pair{"X.GIF", "GIF8"}}) {
        const QString file = QString::fromLatin1(name);
        folder.write(file, "old");
        const ModalRun run =
            AnswerModals([&] { w.Menus().Export(u"mnuExportAnimation")->trigger(); },
                         {[&](QWidget &d) { ChooseInFileDialog(d, 1, file); },
                          [](QWidget &box) { PressButton(box, QMessageBox::Yes); },
                          [](QWidget &options) { PressKey(options, Qt::Key_Return); },
                          [](QWidget &done) { PressKey(done, Qt::Key_Return); }});
        EXPECT_EQ(run.answered, 4) << name;
        EXPECT_EQ(run.unexpected, 0) << name;
        EXPECT_TRUE(ReadAll(folder.file(file)).left(12).contains(magic)) << name;
        EXPECT_EQ(QDir(folder.path()).entryList({file + u'*'}, QDir::Files), QStringList{file});
    }
}

TEST_F(RealDialogs, PlymouthThemeGoesIntoTheChosenFolderUnderTheTypedName)
{
    frmEditer &w = LoadWithRealDialogs(3);
    const QString themes = folder.file(QStringLiteral("themes"));
    QDir().mkpath(themes);
    QString proposedName, proposedTime, doneText;
    bool folderDialog = false;
    const auto run = [&](std::vector<ModalStep> more) {
        std::vector<ModalStep> steps{
            [&](QWidget &d) {
                folderDialog = static_cast<QFileDialog &>(d).fileMode() == QFileDialog::Directory;
                ChooseInFileDialog(d, 1, themes);
            },
            [&](QWidget &d) {
                proposedName = TypeInto(d, QStringLiteral("txtName"), QStringLiteral("Night Sky"));
                proposedTime = TypeInto(d, QStringLiteral("spnFrameTime"), QStringLiteral("120"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }};
        steps.insert(steps.end(), more.begin(), more.end());
        return AnswerModals([&] { w.Menus().Export(u"mnuExportPlymouth")->trigger(); }, steps);
    };
    ModalRun done = run({[&](QWidget &box) {
        doneText = static_cast<QMessageBox &>(box).text();
        PressButton(box, QMessageBox::Ok);
    }});
    EXPECT_EQ(done.answered, 3);
    EXPECT_EQ(done.unexpected, 0);
    EXPECT_TRUE(folderDialog);
    EXPECT_EQ(proposedName, QStringLiteral("anim"));
    EXPECT_EQ(proposedTime, QStringLiteral("75")); // the full-screen preview's
    const QString theme = themes + QStringLiteral("/Night-Sky");
    EXPECT_TRUE(QFile::exists(theme + QStringLiteral("/Night-Sky.plymouth")));
    EXPECT_TRUE(QFile::exists(theme + QStringLiteral("/intro-0001.png")));
    EXPECT_TRUE(ReadAll(theme + QStringLiteral("/Night-Sky.script")).contains("frame_time = 120;"));
    EXPECT_TRUE(doneText.contains(QDir::toNativeSeparators(theme))) << doneText;
    EXPECT_TRUE(doneText.contains(QStringLiteral("plymouth-set-default-theme -R Night-Sky")));

    // The same theme again: asked before its files are replaced, and No keeps them.
    folder.write(QStringLiteral("themes/Night-Sky/Night-Sky.script"), "old");
    QString asked;
    done = run({[&](QWidget &box) {
        asked = static_cast<QMessageBox &>(box).text();
        PressButton(box, QMessageBox::No);
    }});
    EXPECT_EQ(done.unexpected, 0);
    EXPECT_TRUE(asked.endsWith(QStringLiteral(" 已存在，是否覆盖？"))) << asked;
    EXPECT_EQ(ReadAll(theme + QStringLiteral("/Night-Sky.script")), QByteArray("old"));
}

TEST_F(RealDialogs, APlymouthThemeWithoutANameIsNamedAndReportedAfterTheProject)
{
    frmEditer &w = LoadWithRealDialogs(2);
    const QString themes = folder.file(QStringLiteral("themes"));
    QDir().mkpath(themes);
    QString doneText;
    AnswerModals([&] { w.Menus().Export(u"mnuExportPlymouth")->trigger(); },
                 {[&](QWidget &d) { ChooseInFileDialog(d, 1, themes); },
                  [](QWidget &d) { // the name proposed; an emptied box is refused
                      PressKey(d, Qt::Key_Return);
                  },
                  [&](QWidget &box) {
                      doneText = static_cast<QMessageBox &>(box).text();
                      PressButton(box, QMessageBox::Ok);
                  }});
    // The project is "anim": the theme is written under that name, and the message says so.
    const QString theme = themes + QStringLiteral("/anim");
    EXPECT_TRUE(QFile::exists(theme + QStringLiteral("/anim.plymouth")));
    EXPECT_TRUE(doneText.contains(QDir::toNativeSeparators(theme) + u'”')) << doneText;
    EXPECT_TRUE(doneText.endsWith(QStringLiteral("-R anim"))) << doneText;
}

TEST_F(RealDialogs, AndroidSizeIsCheckedAsTypedAndTheNextExportOpensWithTheseChoices)
{
    frmEditer &w = LoadWithRealDialogs(3);
    QStringList types;
    QString proposedSize, problem, doneText;
    bool okWhileBad = true, markedBad = false, stayedOpen = false, okOnceMended = false;
    ModalRun run = AnswerModals(
        [&] { w.Menus().Export(u"mnuExportBootAnimation")->trigger(); },
        {[&](QWidget &d) {
             types = static_cast<QFileDialog &>(d).nameFilters();
             ChooseInFileDialog(d, 1, QStringLiteral("phone"));
         },
         [&](QWidget &d) {
             auto *ok = d.findChild<QPushButton *>(QStringLiteral("cmdOK"));
             proposedSize = TypeInto(d, QStringLiteral("txtSize"), QStringLiteral("abc"));
             okWhileBad = ok->isEnabled();
             markedBad = QApplication::focusWidget()->property("invalid").toBool();
             problem = d.findChild<QLabel *>(QStringLiteral("lblProblem"))->text();
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
             stayedOpen = d.isVisible();
             if (!stayedOpen)
                 return;
             TypeInto(d, QStringLiteral("txtSize"), QStringLiteral("36x64"));
             TypeInto(d, QStringLiteral("spnFrameTime"), QStringLiteral("100"));
             okOnceMended = ok->isEnabled();
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
         },
         [&](QWidget &box) {
             doneText = static_cast<QMessageBox &>(box).text();
             PressButton(box, QMessageBox::Ok);
         }});
    EXPECT_EQ(run.answered, 3);
    EXPECT_EQ(run.unexpected, 0);
    ASSERT_EQ(types.size(), 1);
    EXPECT_TRUE(types[0].startsWith(QStringLiteral("Android 开机动画(*.zip)"))) << types[0];
    EXPECT_EQ(proposedSize, QStringLiteral("1024x768"));
    EXPECT_FALSE(okWhileBad);
    EXPECT_TRUE(markedBad);
    EXPECT_TRUE(problem.contains(QStringLiteral("屏幕大小“abc”无效"))) << problem;
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(okOnceMended);
    const QString zip = folder.file(QStringLiteral("phone.zip"));
    EXPECT_EQ(doneText,
              QStringLiteral("Android 开机动画已导出到“%1”。").arg(QDir::toNativeSeparators(zip)));
    // Stored entries: desc.txt comes first, readable as it is.
    const QByteArray bytes = ReadAll(zip);
    EXPECT_TRUE(bytes.startsWith("PK\x03\x04"));
    EXPECT_EQ(bytes.mid(30, 8), QByteArray("desc.txt"));
    EXPECT_TRUE(bytes.contains("36 64 10\nc 1 0 part0\np 0 0 part1\n"));
    // The screens are PNG, as Android's format asks, unless JPEG is ticked.
    EXPECT_TRUE(bytes.contains("part0/00001.png") && !bytes.contains(".jpg"));

    // The next export of the same target opens with these choices.
    QString sizeShown, timeShown;
    run = AnswerModals([&] { w.Menus().Export(u"mnuExportBootAnimation")->trigger(); },
                       {[](QWidget &d) { ChooseInFileDialog(d, 1, QStringLiteral("again")); },
                        [&](QWidget &d) {
                            sizeShown = d.findChild<QLineEdit *>(QStringLiteral("txtSize"))->text();
                            timeShown =
                                d.findChild<QLineEdit *>(QStringLiteral("spnFrameTime"))->text();
                            PressKey(d, Qt::Key_Escape);
                        }});
    EXPECT_EQ(run.unexpected, 0);
    EXPECT_EQ(sizeShown, QStringLiteral("36x64"));
    EXPECT_EQ(timeShown, QStringLiteral("100"));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("again.zip"))));
}

} // namespace
} // namespace mrv::test
