#include "export/plymouththeme.h"

#include "export/bootparts.h"
#include "export/cellcomposer.h"
#include "export/exportgeometry.h"
#include "export/sourcepictures.h"
#include "imaging/canvas.h"
#include "imaging/imageencoders.h"
#include "imaging/picturefile.h"
#include "support/stagedfolder.h"
#include "support/parallel.h"
#include "support/tr.h"

#include <QDir>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace mrv {

namespace {

const QString BackgroundFile = QStringLiteral("background.png");
const QString EntryFile = QStringLiteral("entry.png");
const QString BulletFile = QStringLiteral("bullet.png");

// The script's fixed part. Plymouth calls the refresh function 50 times a second; a picture
// index counted from those ticks keeps the average frame time exact where it is not a
// multiple of 20 ms (75 ms: 4, 4, 4 and 3 ticks). Every picture is scaled once at the start,
// so a refresh only switches between them.
const char *ScriptBody = R"(
screen_x = Window.GetX();
screen_y = Window.GetY();
screen_width = Window.GetWidth();
screen_height = Window.GetHeight();
Window.SetBackgroundTopColor(0, 0, 0);
Window.SetBackgroundBottomColor(0, 0, 0);

# Nearest whole number, ties to even, as the preview rounds the animation area.
fun round_even(value) {
    rounded = Math.Int(value + 0.5);
    if (rounded - value == 0.5 && rounded - Math.Int(rounded / 2) * 2 == 1)
        rounded = rounded - 1;
    return rounded;
}

area_x = screen_x + round_even(screen_width * 412 / 1024);
area_y = screen_y + round_even(screen_height * 284 / 768);
area_width = round_even(screen_width * 200 / 1024);
area_height = round_even(screen_height * 200 / 768);

background = Sprite(Image("background.png").Scale(screen_width, screen_height));
background.SetPosition(screen_x, screen_y, -100);

index = 0;
while (index < intro_count) {
    intro[index] = Image(intro_files[index]).Scale(area_width, area_height);
    index++;
}
index = 0;
while (index < loop_count) {
    loop[index] = Image(loop_files[index]).Scale(area_width, area_height);
    index++;
}

animation = Sprite();
animation.SetPosition(area_x, area_y, 0);
ticks = 0;

fun refresh_callback() {
    shown = Math.Int(ticks * 20 / frame_time);
    if (shown < intro_count) {
        animation.SetImage(intro[shown]);
    } else if (loop_count > 0) {
        shown = shown - intro_count;
        animation.SetImage(loop[shown - Math.Int(shown / loop_count) * loop_count]);
    }
    global.ticks = ticks + 1;
}
Plymouth.SetRefreshFunction(refresh_callback);

# Prompts and messages go below the animation area, so that a disk-encryption prompt shows
# whatever the pictures hold.
entry_width = area_width;
entry_height = Math.Max(Math.Int(area_height / 6), 12);
prompt_top = area_y + area_height + entry_height;
entry_top = prompt_top + entry_height * 2;
message_top = entry_top + entry_height * 2;
bullet_size = Math.Max(Math.Int(entry_height / 2), 4);
bullet_step = Math.Int(bullet_size * 3 / 2);
bullet_image = Image("bullet.png").Scale(bullet_size, bullet_size);
bullet_total = 0;

prompt_sprite = Sprite();
answer_sprite = Sprite();
message_sprite = Sprite();
entry_sprite = Sprite(Image("entry.png").Scale(entry_width, entry_height));
entry_sprite.SetPosition(area_x, entry_top, 10);
entry_sprite.SetOpacity(0);

# A text picture needs Plymouth's label plugin; without it the text is left out.
fun show_text(sprite, text, top) {
    image = Image.Text(text, 1, 1, 1);
    if (image) {
        sprite.SetImage(image);
        sprite.SetPosition(screen_x + Math.Int((screen_width - image.GetWidth()) / 2), top, 10);
        sprite.SetOpacity(1);
    } else {
        sprite.SetOpacity(0);
    }
}

fun show_bullets(count) {
    room = Math.Int((entry_width - bullet_size) / bullet_step);
    shown = Math.Min(count, room);
    left = area_x + Math.Int((entry_width - (shown - 1) * bullet_step - bullet_size) / 2);
    i = 0;
    while (i < shown) {
        if (i >= bullet_total) {
            global.bullets[i] = Sprite(bullet_image);
            global.bullet_total = i + 1;
        }
        bullets[i].SetPosition(left + i * bullet_step,
                               entry_top + Math.Int((entry_height - bullet_size) / 2), 11);
        bullets[i].SetOpacity(1);
        i++;
    }
    while (i < bullet_total) {
        bullets[i].SetOpacity(0);
        i++;
    }
}

fun display_password_callback(prompt, count) {
    show_text(prompt_sprite, prompt, prompt_top);
    entry_sprite.SetOpacity(1);
    answer_sprite.SetOpacity(0);
    show_bullets(count);
}

fun display_question_callback(prompt, entry) {
    show_text(prompt_sprite, prompt, prompt_top);
    entry_sprite.SetOpacity(1);
    show_bullets(0);
    show_text(answer_sprite, entry, entry_top);
    answer_sprite.SetZ(11);
}

fun display_normal_callback() {
    prompt_sprite.SetOpacity(0);
    entry_sprite.SetOpacity(0);
    answer_sprite.SetOpacity(0);
    show_bullets(0);
}

fun message_callback(text) {
    show_text(message_sprite, text, message_top);
}

Plymouth.SetDisplayPasswordFunction(display_password_callback);
Plymouth.SetDisplayQuestionFunction(display_question_callback);
Plymouth.SetDisplayNormalFunction(display_normal_callback);
Plymouth.SetMessageFunction(message_callback);
)";

QString NumberedFile(const QString &part, int n)
{
    return part + u'-' + QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')) +
           QStringLiteral(".png");
}

/// The input box's frame: a light border around a dark, half-transparent field.
QImage EntryPicture()
{
    QImage entry = CreateCanvas(240, 32);
    QPainter painter(&entry);
    painter.fillRect(entry.rect(), QColor(255, 255, 255));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(entry.rect().adjusted(2, 2, -2, -2), QColor(0, 0, 0, 160));
    return entry;
}

QImage BulletPicture()
{
    QImage bullet = CreateCanvas(32, 32);
    QPainter painter(&bullet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(QRectF(1, 1, 30, 30));
    return bullet;
}

/// One line of the theme file's Description: no line breaks.
QString OneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return line;
}

} // namespace

QString SafePlymouthName(const QString &wanted)
{
    QString name;
    bool pendingDash = false;
    for (const QChar c : wanted) {
        const bool safe = c.unicode() < 128 && c.isLetterOrNumber();
        if (!safe) {
            pendingDash = !name.isEmpty();
            continue;
        }
        if (pendingDash)
            name += u'-';
        pendingDash = false;
        name += c;
    }
    return name;
}

QString PlymouthThemeName(const QString &wanted)
{
    const QString name = SafePlymouthName(wanted);
    return name.isEmpty() ? QStringLiteral("mirovane") : name;
}

QString PlymouthInstallFolder(const QString &name)
{
    return QStringLiteral("/usr/share/plymouth/themes/") + name;
}

QString PlymouthIntroFile(int n)
{
    return NumberedFile(QStringLiteral("intro"), n);
}

QString PlymouthLoopFile(int n)
{
    return NumberedFile(QStringLiteral("loop"), n);
}

QString PlymouthScript(const PlymouthScriptPlan &plan)
{
    QString script = QStringLiteral(
        "# Boot animation made with Mirovane. It is laid out as Mirovane's full-screen preview\n"
        "# shows it on any screen: the background over the whole screen, the animation area at\n"
        "# 412/1024 x 284/768 of it, 200/1024 x 200/768 in size; the intro plays once, then the\n"
        "# loop until the boot ends.\n\n");
    script += QStringLiteral("frame_time = %1;\n").arg(FrameDuration::Written(plan.frameTime));
    script += QStringLiteral("intro_count = %1;\n").arg(plan.introCount);
    script += QStringLiteral("loop_count = %1;\n").arg(plan.loopCount);
    for (int n = 1; n <= plan.introCount; ++n)
        script +=
            QStringLiteral("intro_files[%1] = \"%2\";\n").arg(n - 1).arg(PlymouthIntroFile(n));
    for (int n = 1; n <= plan.loopCount; ++n)
        script += QStringLiteral("loop_files[%1] = \"%2\";\n").arg(n - 1).arg(PlymouthLoopFile(n));
    script += QString::fromUtf8(ScriptBody);
    return script;
}

QString PlymouthThemeFile(const QString &name, const QString &description)
{
    const QString folder = PlymouthInstallFolder(name);
    return QStringLiteral("[Plymouth Theme]\nName=%1\nDescription=%2\nModuleName=script\n\n"
                          "[script]\nImageDir=%3\nScriptFile=%3/%1.script\n")
        .arg(name, OneLine(description), folder);
}

QStringList PlymouthThemeFiles(const PlymouthOptions &options, int frameCount)
{
    const QString name = PlymouthThemeName(options.name);
    const QDir theme(QDir(options.folder).filePath(name));
    const BootParts parts = BootParts::Of(frameCount);
    QStringList files{theme.filePath(BackgroundFile)};
    for (int n = 1; n <= parts.introCount; ++n)
        files << theme.filePath(PlymouthIntroFile(n));
    for (int n = 1; n <= parts.loopCount; ++n)
        files << theme.filePath(PlymouthLoopFile(n));
    files << theme.filePath(EntryFile) << theme.filePath(BulletFile)
          << theme.filePath(name + QStringLiteral(".script"))
          << theme.filePath(name + QStringLiteral(".plymouth"));
    return files;
}

ExportResult ExportPlymouthTheme(const ExportSource &source, const PlymouthOptions &options,
                                 const ExportProgress &progress, const std::atomic_bool *cancel)
{
    ExportResult result;
    const MVK &project = source.project;
    const Result<SequenceArea> area = SequenceAreaOf(project);
    if (!area) {
        result.Refuse(area.status());
        return result;
    }
    const QString name = PlymouthThemeName(options.name);
    const QString themeFolder = QDir(options.folder).filePath(name);
    if (const Status made = EnsureFolder(options.folder, FolderParents::MustExist); !made) {
        result.status = made;
        return result;
    }
    // The theme is written into a staging folder and moved into place whole: a failed or
    // cancelled run leaves an earlier theme of the same name as it was.
    StagedFolder staged(themeFolder);
    if (result.status = staged.Open(); !result.status)
        return result;
    const int frameCount = project.aFrame.Count();
    const QStringList files = PlymouthThemeFiles(options, frameCount);

    const DistinctFrames distinct = DistinctFrames::Of(project, source.framePaths);
    const std::vector<int> &firstFrame = distinct.firstFrame;
    const int cells = int(firstFrame.size());
    const int steps = 1 + cells + int(files.size());
    int done = 0;
    const auto step = [&] {
        if (progress)
            progress(++done, steps);
    };

    ExportPool pool;
    QStringList sourcePaths{source.backgroundPath};
    for (int frame : firstFrame)
        sourcePaths << FramePathAt(source.framePaths, frame - 1);
    SourcePictures sources(sourcePaths, ScreenScale{});
    sources.LoadShared(pool, cancel);

    // The background at project size: the preview scales the whole screen from it.
    QImage backgroundCanvas = CreateCanvas(project.aWidth, project.aHeight);
    if (backgroundCanvas.isNull()) {
        result.status = Status::Fail(Tr::tr("内存不足，无法创建画布"));
        return result;
    }
    {
        const aImage background = project.aBackground.value_or(aImage{});
        QPainter painter(&backgroundCanvas);
        sources.Draw(painter, sources.Get(source.backgroundPath), background.aX, background.aY);
    }
    const Result<QByteArray> backgroundBytes = EncodePng(backgroundCanvas);
    backgroundCanvas = QImage();
    if (!backgroundBytes) {
        result.status = Status::Fail(NotWrittenMessage(backgroundBytes.message(), files.first()));
        return result;
    }
    step();

    const CellComposer composer(sources, area->cell, area->left, area->top, QString(), aImage{});
    const PictureJob job{
        [&](int cell) {
            QImage canvas = CreateCanvas(area->cell.width(), area->cell.height());
            const int frame = firstFrame[size_t(cell)];
            if (!canvas.isNull())
                composer.Compose(canvas, sources.Get(FramePathAt(source.framePaths, frame - 1)),
                                 *project.aFrame.Item(frame));
            return canvas;
        },
        EncodePng, [&](int cell) { return files.at(firstFrame[size_t(cell)]); }};
    const std::optional<std::vector<QByteArray>> cellBytes =
        EncodeInOrder(pool, cells, job, step, cancel, result);
    result.unreadable = sources.Unreadable();
    if (!cellBytes)
        return result;

    const BootParts parts = BootParts::Of(frameCount);
    const Result<QByteArray> entry = EncodePng(EntryPicture());
    const Result<QByteArray> bullet = EncodePng(BulletPicture());
    if (!entry || !bullet) {
        // The prompt pictures come just before the script and the theme file.
        result.status = Status::Fail(
            entry ? NotWrittenMessage(bullet.message(), files.at(files.size() - 3))
                  : NotWrittenMessage(entry.message(), files.at(files.size() - 4)));
        return result;
    }
    PlymouthScriptPlan plan{parts.introCount, parts.loopCount, options.frameTime};
    const QString description =
        QStringLiteral("Boot animation made with Mirovane from \"%1\"").arg(project.aName);
    std::vector<QByteArray> contents{*backgroundBytes};
    for (int frame = 1; frame <= frameCount; ++frame)
        contents.push_back((*cellBytes)[size_t(distinct.pictureOf[size_t(frame - 1)])]);
    contents.push_back(*entry);
    contents.push_back(*bullet);
    contents.push_back(PlymouthScript(plan).toUtf8());
    contents.push_back(PlymouthThemeFile(name, description).toUtf8());

    for (qsizetype i = 0; i < files.size(); ++i) {
        if (IsCancelled(cancel)) {
            result.Cancel();
            return result;
        }
        if (const Status written = staged.Shown(WritePictureFile(
                staged.StagedPath(files[i]), contents[size_t(i)], WriteMode::Direct));
            !written) {
            result.status = written;
            return result;
        }
        step();
    }
    if (result.status = staged.Commit(cancel); result.status)
        result.written = files;
    else
        result.moved = staged.Moved();
    return result;
}

} // namespace mrv
