// The animated-picture export from the File menu: its options in the one options dialog,
// driven by keys, the save dialog's own types, and the file it writes.

#include "widgets/qtprompts.h"

#include "editor/exportmenu_fixture.h"
#include "editor/exportmenucommands.h"
#include "export/bootanimation.h"
#include "export/exporter.h"
#include "export/exportregistry.h"
#include "imaging/animationreader.h"
#include "imaging/webpanimation.h"
#include "modalscript.h"
#include "project/mvk.h"
#include "preview/frametime.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <string_view>

namespace mrv::test {
namespace {

const QString AnimationDone = QStringLiteral("动画图片导出完成。");

const Exporter &Animation()
{
    return *ExportRegistry::Find(u"export-animation");
}

/// In the options dialog: types the loop count over the proposed one, Tabs on to the area box
/// (Down picks the whole screen when asked), ticks "循环播放" with Space when asked and
/// presses Enter.
void AnswerOptions(QWidget &dialog, const QString &loops, bool screen, bool repeat)
{
    Focus(*dialog.findChild<QLineEdit *>(QStringLiteral("spnLoops")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), loops);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (screen)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    if (repeat) {
        Focus(*dialog.findChild<QCheckBox *>(QStringLiteral("chkRepeat")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

/// The options dialog of a target as the editor asks it: the options it has words for.
OptionsRequest Request(const Exporter &target, PictureFormat format)
{
    QList<ExportOptionSpec> specs = target.options();
    specs.removeIf([](const ExportOptionSpec &spec) { return spec.prompt.isEmpty(); });
    ExportOptions proposed = target.defaultOptions(QStringLiteral("/o/a"), format);
    MVK project;
    project.aName = QStringLiteral("Night");
    project.aWidth = 1024;
    project.aHeight = 768;
    target.ProposeOptions(project, std::nullopt, proposed);
    return {MenuCommandText(target.label()), target.id(), specs, proposed,
            [&target](const QString &name, const ExportOptions &values) {
                return target.OptionUsed(name, values);
            }};
}

OptionsRequest AnimationRequest(PictureFormat format)
{
    return Request(Animation(), format);
}

TEST(ExportOptionsDialog, KeysSetTheAnimationsOptionsAndGreyWhatTheyDoNotUse)
{
    QtPrompts real;
    std::optional<ExportOptions> chosen;
    bool widthUsedForTheCell = true, widthUsedForTheScreen = false, qualityUsedForGif = true;
    const ModalRun run = AnswerModals(
        [&] { chosen = real.Options(AnimationRequest(PictureFormat::Gif)); },
        {[&](QWidget &d) {
            // The first box has the focus when the dialog opens.
            EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("spnLoops"));
            EXPECT_EQ(d.windowTitle(), QStringLiteral("导出动画图片"));
            widthUsedForTheCell = d.findChild<QLineEdit *>(QStringLiteral("spnWidth"))->isEnabled();
            qualityUsedForGif =
                d.findChild<QWidget *>(QStringLiteral("fraQuality"))->isEnabled();
            Focus(*d.findChild<QComboBox *>(QStringLiteral("comArea")));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            widthUsedForTheScreen =
                d.findChild<QLineEdit *>(QStringLiteral("spnWidth"))->isEnabled();
            Focus(*d.findChild<QLineEdit *>(QStringLiteral("spnFrameTime")));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("40"));
            AnswerOptions(d, QStringLiteral("12"), false, true);
        }});
    EXPECT_EQ(run.answered, 1);
    EXPECT_FALSE(widthUsedForTheCell);
    EXPECT_TRUE(widthUsedForTheScreen);
    EXPECT_FALSE(qualityUsedForGif);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Number(QStringLiteral("loops")), 12);
    EXPECT_EQ(chosen->Text(QStringLiteral("area")), QStringLiteral("screen"));
    EXPECT_EQ(chosen->Number(QStringLiteral("frame-time")), 40);
    EXPECT_TRUE(chosen->Flag(QStringLiteral("repeat")));
    EXPECT_EQ(chosen->Number(QStringLiteral("quality")), WebPLossless);

    // WebP: clearing "无损" offers the quality, typed as a number.
    chosen.reset();
    AnswerModals([&] { chosen = real.Options(AnimationRequest(PictureFormat::WebP)); },
                 {[](QWidget &d) {
                     Focus(*d.findChild<QCheckBox *>(QStringLiteral("chkLossless")));
                     QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                     QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                     QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
                     QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("60"));
                     QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                 }});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Number(QStringLiteral("quality")), 60);


    chosen.reset();
    bool escaped = false;
    AnswerModals([&] { escaped = !real.Options(AnimationRequest(PictureFormat::Gif)); },
                 {[](QWidget &d) { PressKey(d, Qt::Key_Escape); }});
    EXPECT_TRUE(escaped);
}

TEST(ExportOptionsDialog, NumberBoxesShowWhatIsTypedAndRefuseItOutsideTheirRange)
{
    const struct
    {
        const char *target;
        PictureFormat format;
        const char *before; ///< a box to set first: "comArea" takes Down, a check box Space
        const char *box;
        const char *typed;
        const char *option; ///< the option the dialog answers with, when OK takes it
        int value;
    } cases[] = {
        // Enter on a width under 16 used to export at the width shown before.
        {"export-animation", PictureFormat::Gif, "comArea", "spnWidth", "5", nullptr, 0},
        {"export-animation", PictureFormat::Gif, "comArea", "spnWidth", "400", "width", 400},
        {"export-animation", PictureFormat::Gif, nullptr, "spnFrameTime", "", nullptr, 0},
        {"export-animation", PictureFormat::Gif, nullptr, "spnLoops", "999", nullptr, 0},
        {"export-animation", PictureFormat::WebP, "chkLossless", "spnQuality", "101", nullptr, 0},
        {"export-sequence", PictureFormat::Png, nullptr, "spnLoops", "0", nullptr, 0},
        {"export-plymouth", PictureFormat::Png, nullptr, "spnFrameTime", "65536", nullptr, 0},
        // The Android zip's pictures stay PNG unless JPEG is ticked.
        {"export-bootanimation", PictureFormat::Png, nullptr, "spnFrameTime", "90",
         "jpeg-quality", BootAnimationPng},
        {"export-bootanimation", PictureFormat::Png, "chkJpeg", "spnJpegQuality", "80",
         "jpeg-quality", 80},
        {"export-bootanimation", PictureFormat::Png, "chkJpeg", "spnJpegQuality", "1000",
         nullptr, 0},
    };
    QtPrompts real;
    for (const auto &c : cases) {
        const QString what = QStringLiteral("%1 %2 \"%3\"").arg(
            QString::fromLatin1(c.target), QString::fromLatin1(c.box), QString::fromLatin1(c.typed));
        const OptionsRequest request =
            Request(*ExportRegistry::Find(QString::fromLatin1(c.target)), c.format);
        std::optional<ExportOptions> chosen;
        bool okEnabled = false, marked = false, open = false;
        QString shown, problem;
        AnswerModals([&] { chosen = real.Options(request); },
                     {[&](QWidget &d) {
                         if (c.before) {
                             Focus(*d.findChild<QWidget *>(QString::fromLatin1(c.before)));
                             QTest::keyClick(QApplication::focusWidget(),
                                             std::string_view(c.before) == "comArea"
                                                 ? Qt::Key_Down
                                                 : Qt::Key_Space);
                         }
                         auto *box = d.findChild<QLineEdit *>(QString::fromLatin1(c.box));
                         ASSERT_NE(box, nullptr);
                         Focus(*box);
                         QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                         QTest::keyClick(box, Qt::Key_Backspace);
                         QTest::keyClicks(box, QString::fromLatin1(c.typed));
                         okEnabled = d.findChild<QPushButton *>(QStringLiteral("cmdOK"))->isEnabled();
                         marked = box->property("invalid").toBool();
                         problem = d.findChild<QLabel *>(QStringLiteral("lblProblem"))->text();
                         QTest::keyClick(box, Qt::Key_Return);
                         open = d.isVisible();
                         shown = box->text();
                     }});
        EXPECT_EQ(shown, QString::fromLatin1(c.typed)) << what.toStdString();
        if (c.option) {
            EXPECT_TRUE(okEnabled && !marked && !open) << what.toStdString() << problem;
            ASSERT_TRUE(chosen) << what.toStdString();
            EXPECT_EQ(chosen->Number(QString::fromLatin1(c.option)), c.value) << what.toStdString();
            continue;
        }
        EXPECT_FALSE(okEnabled) << what.toStdString();
        EXPECT_TRUE(marked) << what.toStdString();
        EXPECT_TRUE(open) << what.toStdString();
        EXPECT_TRUE(problem.contains(QStringLiteral("之间的整数"))) << what.toStdString() << problem;
        EXPECT_FALSE(chosen) << what.toStdString();
    }
}

TEST(ExportOptionsDialog, ThePlymouthNameShowsWhatIsWrittenAndRefusesWhatLeavesNothing)
{
    const struct
    {
        const char *typed;
        const char *written; ///< null: refused, OK disabled
    } cases[] = {{"boot/撒 ok", "boot-ok"}, {"我的 主题", nullptr}, {"", nullptr}, {"Night", "Night"}};
    QtPrompts real;
    const OptionsRequest request = Request(*ExportRegistry::Find(u"export-plymouth"), PictureFormat::Png);
    for (const auto &c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        std::optional<ExportOptions> chosen;
        bool okEnabled = false, writtenShown = false;
        QString written;
        AnswerModals([&] { chosen = real.Options(request); },
                     {[&](QWidget &d) {
                         auto *box = d.findChild<QLineEdit *>(QStringLiteral("txtName"));
                         Focus(*box);
                         QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                         QTest::keyClick(box, Qt::Key_Backspace);
                         // Each character a key event of its own; keyClicks knows ASCII only.
                         for (const QChar c : typed)
                             QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c),
                                                 Qt::NoModifier);
                         okEnabled = d.findChild<QPushButton *>(QStringLiteral("cmdOK"))->isEnabled();
                         auto *label = d.findChild<QLabel *>(QStringLiteral("lblNameWritten"));
                         writtenShown = label->isVisible();
                         written = label->text();
                         QTest::keyClick(box, Qt::Key_Return);
                     }});
        EXPECT_EQ(okEnabled, c.written != nullptr) << c.typed;
        EXPECT_EQ(writtenShown, c.written != nullptr) << c.typed;
        ASSERT_EQ(chosen.has_value(), c.written != nullptr) << c.typed;
        if (c.written) {
            EXPECT_EQ(written, QStringLiteral("将写为“%1”").arg(QString::fromLatin1(c.written)));
        }
    }
}

using AnimationExportMenu = ExportMenuTest;

TEST_F(AnimationExportMenu, ExportsTheChosenTypeWithTheDialogsOptionsAndThePreviewsFrameTime)
{
    frmEditer &w = LoadProject(3);
    ASSERT_TRUE(StoreFrameTime(*settings.WindowDocument, QStringLiteral("frmFullscreen"), 50));
    ChooseFile(Out(QStringLiteral("anim")), 2);
    prompts.answerOptions(QVariantMap{{QStringLiteral("loops"), 2}, {QStringLiteral("repeat"), true}});
    w.Menus().Export(u"mnuExportAnimation")->trigger();

    ASSERT_EQ(prompts.files.size(), 1);
    const FileDialogRequest &dialog = prompts.files.first();
    EXPECT_EQ(dialog.title, QStringLiteral("选择保存的动画图片文件名"));
    ASSERT_NE(dialog.types, nullptr);
    ASSERT_EQ(dialog.types->Count(), 3);
    EXPECT_EQ(dialog.types->NameFilters().first(), QStringLiteral("GIF动画(*.gif) (*.gif)"));
    EXPECT_EQ(dialog.filterIndex, 0);
    ASSERT_EQ(prompts.options.size(), 1);
    EXPECT_EQ(prompts.options[0].proposed.format, PictureFormat::WebP);
    EXPECT_EQ(prompts.options[0].proposed.Number(QStringLiteral("frame-time")), 50);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, AnimationDone);

    // Entry 2 is WebP: three frames start looping at frame 2, so 1, then 2-3 twice.
    EXPECT_EQ(OutFiles(), QStringList{QStringLiteral("anim.webp")});
    const Result<DecodedAnimation> read = ReadAnimation(Out(QStringLiteral("anim.webp")));
    ASSERT_TRUE(read) << read.message();
    ASSERT_EQ(read->frames.size(), 5);
    EXPECT_EQ(read->plays, 0);
    const int shows[] = {1, 2, 3, 2, 3};
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(read->frames[f].delayMs, 50);
        EXPECT_EQ(read->frames[f].image.pixelColor(10, 10), FrameColour(shows[f])) << f;
        EXPECT_EQ(read->frames[f].image.pixelColor(150, 150), BackgroundColour);
    }
}

TEST_F(AnimationExportMenu, CancelledOptionsWriteNothingAndTheScreenAreaReplacesAConfirmedFile)
{
    frmEditer &w = LoadProject(2);
    ChooseFile(Out(QStringLiteral("anim.gif")), 1);
    prompts.answerOptions(std::nullopt);
    w.Menus().Export(u"mnuExportAnimation")->trigger();
    EXPECT_TRUE(OutFiles().isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());

    // The whole screen at the default width, over an older file the dialog asked about.
    QFile old(Out(QStringLiteral("anim.gif")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    ChooseFile(Out(QStringLiteral("anim.gif")), 1);
    prompts.answerOptions(
        QVariantMap{{QStringLiteral("loops"), 1}, {QStringLiteral("area"), QStringLiteral("screen")}});
    w.Menus().Export(u"mnuExportAnimation")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, AnimationDone);
    const Result<DecodedAnimation> read = ReadAnimation(Out(QStringLiteral("anim.gif")));
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->frames.size(), 2);
    EXPECT_EQ(read->plays, 1);
    EXPECT_EQ(read->frames[0].image.size(), QSize(640, 480));
}

/// The editor with the real dialog adapter and Qt's own file dialog.
class AnimationExportRealDialogs : public ExportMenuTest
{
protected:
    void SetUp() override
    {
        ExportMenuTest::SetUp();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }
    void TearDown() override { window.reset(); }

    QtPrompts real;
};

TEST_F(AnimationExportRealDialogs, TheTypeChosenInTheSaveDialogDecidesTheFormat)
{
    const QString path = WriteProject(folder, QStringLiteral("anim"), 3);
    WritePicture(folder.file(QStringLiteral("bg.png")), {1024, 768}, BackgroundColour);
    for (int i = 1; i <= 3; ++i)
        WritePicture(folder.file(QStringLiteral("f%1.png").arg(i)), {40, 40}, FrameColour(i));
    window = std::make_unique<frmEditer>(settings, real);
    real.setParent(window.get());
    window->Form_Load({{path, path}});
    window->show();
    ExportMenuCommands::Install(window->Context());

    const ModalRun run =
        AnswerModals([&] { window->Menus().Export(u"mnuExportAnimation")->trigger(); },
                     {[](QWidget &d) { ChooseInFileDialog(d, 3, QStringLiteral("moving")); },
                      [](QWidget &d) { AnswerOptions(d, QStringLiteral("1"), false, false); },
                      [](QWidget &d) { PressKey(d, Qt::Key_Return); }});
    EXPECT_EQ(run.answered, 3);
    EXPECT_EQ(run.unexpected, 0);
    // Entry 3 is APNG, written with the .png extension.
    const QString written = folder.file(QStringLiteral("moving.png"));
    EXPECT_TRUE(IsAnimationFile(written));
    const Result<DecodedAnimation> read = ReadAnimation(written);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->frames.size(), 3);
}

} // namespace
} // namespace mrv::test
