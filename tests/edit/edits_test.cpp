// The frame edits as a user runs them: mirovane-cli adjust and align on projects written here,
// colours and sizes checked against ImageMagick, failures on a real full disk.
#include "cliprocess.h"
#include "edit/framerange.h"
#include "project/mvk.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cmath>

namespace mrv {
namespace {

using namespace test;

/// A project file in the folder with the frames' pictures (relative paths) at their offsets.
QString WriteProject(const QString &folder, const QList<std::pair<QString, QPoint>> &frames,
                     QSize screen = {1024, 768})
{
    MVK project;
    project.aName = QStringLiteral("edits");
    project.aWidth = qint16(screen.width());
    project.aHeight = qint16(screen.height());
    for (const auto &[path, at] : frames)
        project.aFrame.Add(path, qint16(at.x()), qint16(at.y()));
    project.aFileFolder = folder;
    SaveOptions options;
    options.projectFolder = folder;
    const QString path = QDir(folder).filePath(QStringLiteral("p.mrv"));
    EXPECT_TRUE(project.SaveFile(path, options).ok());
    return path;
}

MVK Read(const QString &path)
{
    MVK project;
    EXPECT_TRUE(project.OpenFile(path).ok()) << path;
    return project;
}

QImage Straight(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

/// Every hue, lightness from black to white, and alpha from clear to opaque: soft transparency
/// over the whole colour space.
QImage ColourField()
{
    QImage image(96, 64, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = QColor::fromHsl(x * 359 / 95, 60 + (x * 7 + y * 3) % 196,
                                             (y * 255 / 63 + x) % 256, ((x + y * 5) * 9) % 256);
            image.setPixel(x, y, c.rgba());
        }
    return image;
}

/// Every file below a folder with its bytes.
QMap<QString, QByteArray> Snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        if (QFileInfo(path).fileName() != QStringLiteral("filler"))
            files.insert(QDir(folder).relativeFilePath(path),
                         QFileInfo(path).isDir() ? QByteArray("<dir>") : ReadAll(path));
    }
    return files;
}

QString ImageMagick()
{
    return QStandardPaths::findExecutable(QStringLiteral("convert"));
}

} // namespace

TEST(Adjust, ColoursAgreeWithImageMagickModulate)
{
    if (ImageMagick().isEmpty())
        GTEST_SKIP() << "ImageMagick's convert (Debian package imagemagick) is the reference";
    TempFolder dir;
    ColourField().save(dir.file(QStringLiteral("field.png")));
    const QString project = WriteProject(dir.path(), {{QStringLiteral("field.png"), {5, 7}}});
    struct Case
    {
        double hue, saturation, brightness;
    };
    // ImageMagick shows a colour whose turned hue falls a rounding error short of red as
    // black (its sector 6); the turns are chosen so that no colour of the field lands there.
    const Case cases[] = {{-180, 100, 100}, {-91, 50, 150}, {0, 200, 100}, {45, 0, 100},
                          {120, 100, 0},    {180, 200, 200}, {30, 150, 60}, {-17.5, 100, 200}};
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("hue %1 saturation %2 brightness %3")
                         .arg(c.hue).arg(c.saturation).arg(c.brightness).toStdString());
        const QString out = dir.file(QStringLiteral("out%1.mrv").arg(&c - cases));
        const ProcessRun run = RunCliProcess(
            {QStringLiteral("adjust"), project, QStringLiteral("--hue"), QString::number(c.hue),
             QStringLiteral("--saturation"), QString::number(c.saturation),
             QStringLiteral("--brightness"), QString::number(c.brightness),
             QStringLiteral("--output"), out});
        ASSERT_EQ(run.code, 0) << run.err;
        const MVK adjusted = Read(out);
        ASSERT_EQ(adjusted.aFrame.Count(), 1);
        EXPECT_EQ(QPoint(adjusted.aFrame.Item(1)->aX, adjusted.aFrame.Item(1)->aY), QPoint(5, 7));
        const QImage ours = Straight(adjusted.FramePaths().first());
        const QString reference = dir.file(QStringLiteral("im.png"));
        ASSERT_EQ(RunProgram(ImageMagick(),
                             {dir.file(QStringLiteral("field.png")), QStringLiteral("-modulate"),
                              QStringLiteral("%1,%2,%3")
                                  .arg(c.brightness).arg(c.saturation).arg(100 + c.hue * 100 / 180),
                              QStringLiteral("PNG32:") + reference})
                      .code,
                  0);
        const QImage theirs = Straight(reference);
        ASSERT_EQ(ours.size(), theirs.size());
        int worst = 0;
        for (int y = 0; y < ours.height(); ++y)
            for (int x = 0; x < ours.width(); ++x) {
                const QRgb a = ours.pixel(x, y), b = theirs.pixel(x, y);
                ASSERT_EQ(qAlpha(a), qAlpha(b));
                if (qAlpha(a) > 0)
                    worst = std::max({worst, std::abs(qRed(a) - qRed(b)),
                                      std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        EXPECT_LE(worst, 2);
    }
    // The pictures the project showed are untouched and still in the first project.
    EXPECT_EQ(Read(project).aFrame.Item(1)->aURL, QStringLiteral("field.png"));
}

TEST(Adjust, ScaleAgreesWithImageMagickResizeAndKeepsTheCentre)
{
    if (ImageMagick().isEmpty())
        GTEST_SKIP() << "ImageMagick's convert (Debian package imagemagick) is the reference";
    TempFolder dir;
    // Soft shapes and a soft edge: what a boot animation's frames look like.
    QImage picture(200, 160, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        QRadialGradient glow(QPointF(90, 80), 80);
        glow.setColorAt(0, QColor(250, 200, 60));
        glow.setColorAt(1, QColor(30, 60, 200, 0));
        painter.fillRect(picture.rect(), glow);
        painter.setBrush(QColor(200, 30, 120));
        painter.drawEllipse(QPointF(130, 60), 25, 18);
    }
    picture.save(dir.file(QStringLiteral("glow.png")));
    const QString project = WriteProject(dir.path(), {{QStringLiteral("glow.png"), {0, 20}},
                                                      {QStringLiteral("glow.png"), {10, 30}}});
    struct Case
    {
        int percent;
        QSize size;
        QPoint first; // offset of frame 1: the centre (100, 100) stays
    };
    for (const Case &c : {Case{50, {100, 80}, {50, 60}}, Case{150, {300, 240}, {-50, -20}}}) {
        SCOPED_TRACE(c.percent);
        const ProcessRun run = RunCliProcess({QStringLiteral("adjust"), project, QStringLiteral("--scale"),
                                              QString::number(c.percent), QStringLiteral("--frames"),
                                              QStringLiteral("1"), QStringLiteral("--output"),
                                              dir.file(QStringLiteral("scaled.mrv"))});
        ASSERT_EQ(run.code, 0) << run.err;
        const MVK scaled = Read(dir.file(QStringLiteral("scaled.mrv")));
        EXPECT_EQ(QPoint(scaled.aFrame.Item(1)->aX, scaled.aFrame.Item(1)->aY), c.first);
        EXPECT_EQ(*scaled.aFrame.Item(2), (aImage{QStringLiteral("glow.png"), 10, 30}));
        const QImage ours = Straight(scaled.FramePaths().first());
        ASSERT_EQ(ours.size(), c.size);
        const QString reference = dir.file(QStringLiteral("im.png"));
        ASSERT_EQ(RunProgram(ImageMagick(), {dir.file(QStringLiteral("glow.png")), QStringLiteral("-resize"),
                                             QStringLiteral("%1%").arg(c.percent),
                                             QStringLiteral("PNG32:") + reference})
                      .code,
                  0);
        // Compared as seen: premultiplied, every channel alpha included.
        const QImage a = ours.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage b = QImage(reference).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(a.size(), b.size());
        double squares = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                for (int shift : {0, 8, 16, 24}) {
                    const int d = int((a.pixel(x, y) >> shift) & 0xff) - int((b.pixel(x, y) >> shift) & 0xff);
                    squares += d * d;
                }
        const double psnr = 10 * std::log10(255.0 * 255.0 / (squares / (a.width() * a.height() * 4.0)));
        EXPECT_GE(psnr, 30.0);
    }
}

TEST(Align, CentrePutsEachVisiblePartOnTheAreaCentre)
{
    TempFolder dir;
    struct Case
    {
        QSize picture;
        QRect shape; // the opaque part; the rest is clear
        QSize screen;
    };
    const Case cases[] = {{{200, 200}, {10, 20, 31, 40}, {1024, 768}},
                          {{120, 90}, {70, 0, 50, 90}, {1024, 768}},
                          {{300, 250}, {0, 200, 17, 50}, {1280, 720}},
                          {{64, 64}, {5, 5, 1, 1}, {1280, 720}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(&c - cases);
        QImage picture(c.picture, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter(&picture).fillRect(c.shape, QColor(40, 200, 90));
        picture.save(dir.file(QStringLiteral("shape.png")));
        const QString project =
            WriteProject(dir.path(), {{QStringLiteral("shape.png"), {-7, 33}}}, c.screen);
        const ProcessRun run = RunCliProcess({QStringLiteral("align"), project, QStringLiteral("--center")});
        ASSERT_EQ(run.code, 0) << run.err;
        const aImage frame = *Read(project).aFrame.Item(1);
        const double areaW = 200.0 / 1024 * c.screen.width(), areaH = 200.0 / 768 * c.screen.height();
        const QRectF shown = QRectF(c.shape).translated(frame.aX, frame.aY);
        EXPECT_LE(std::abs(shown.center().x() - areaW / 2), 0.5);
        EXPECT_LE(std::abs(shown.center().y() - areaH / 2), 0.5);
        EXPECT_EQ(frame.aURL, QStringLiteral("shape.png")); // offsets only
    }
}

TEST(Align, SteadyHoldsAShakenShapeStill)
{
    TempFolder dir;
    // A textured, lopsided shape, each frame's picture moved by a known random amount.
    QImage shape(70, 50, QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    {
        QPainter painter(&shape);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(230, 120, 40));
        painter.drawPolygon(QPolygonF({QPointF(0, 10), QPointF(60, 0), QPointF(70, 48), QPointF(20, 35)}));
        painter.setBrush(QColor(40, 60, 220));
        painter.drawEllipse(QPointF(45, 20), 9, 6);
    }
    QRandomGenerator random(34);
    QList<std::pair<QString, QPoint>> frames;
    QList<QPoint> drawnAt;
    for (int i = 0; i < 24; ++i) {
        const QPoint at(65 + random.bounded(-15, 16), 75 + random.bounded(-15, 16));
        QImage picture(200, 200, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter(&picture).drawImage(at, shape);
        const QString name = QStringLiteral("f%1.png").arg(i);
        picture.save(dir.file(name));
        frames.append({name, {0, 0}});
        drawnAt.append(at);
    }
    const QString project = WriteProject(dir.path(), frames);
    // Up to 15 pixels each way from where it belongs: up to 30 from the frame before.
    const ProcessRun run = RunCliProcess({QStringLiteral("align"), project, QStringLiteral("--steady"),
                                          QStringLiteral("--range"), QStringLiteral("30")});
    ASSERT_EQ(run.code, 0) << run.err;
    const MVK steadied = Read(project);
    const QPoint first = drawnAt[0];
    for (int i = 0; i < drawnAt.size(); ++i) {
        const aImage &frame = *steadied.aFrame.Item(i + 1);
        const QPoint shown = drawnAt[i] + QPoint(frame.aX, frame.aY);
        EXPECT_LE((shown - first).manhattanLength(), 1) << "frame " << i + 1;
    }
}

TEST(Edits, RangesPickTheFramesTheRowsNumber)
{
    struct Case
    {
        QString text;
        std::vector<int> frames; // empty: refused
    };
    const Case cases[] = {{QString(), {0, 1, 2, 3, 4, 5}},
                          {QStringLiteral("3"), {2}},
                          {QStringLiteral("2-4"), {1, 2, 3}},
                          {QStringLiteral("6, 1-2,2"), {0, 1, 5}},
                          {QStringLiteral("0"), {}},
                          {QStringLiteral("5-7"), {}},
                          {QStringLiteral("4-2"), {}},
                          {QStringLiteral("1-2-3"), {}},
                          {QStringLiteral("a"), {}},
                          {QStringLiteral("1,"), {}}};
    for (const Case &c : cases) {
        const auto parsed = ParseFrameRange(c.text, 6);
        EXPECT_EQ(parsed.ok(), !c.frames.empty()) << c.text;
        if (parsed) {
            EXPECT_EQ(*parsed, c.frames) << c.text;
        }
    }
}

TEST(Edits, AFailedEditLeavesProjectAndPicturesAsTheyWere)
{
    SmallDisk disk(256);
    MIROVANE_SKIP_WITHOUT_DISK(disk);
    // Noise compresses badly: the adjusted copy does not fit where the disk is filled.
    QImage noise(120, 120, QImage::Format_ARGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, random.generate() | 0xff000000u);
    noise.save(disk.file(QStringLiteral("noise.png")));
    const QString project = WriteProject(disk.path(), {{QStringLiteral("noise.png"), {1, 2}},
                                                       {QStringLiteral("gone.png"), {3, 4}}});
    struct Case
    {
        const char *name;
        QStringList args;
        qint64 freeBytes;
        int code;
    };
    const QList<Case> cases = {
        {"pictures do not fit", {QStringLiteral("adjust"), project, QStringLiteral("--hue"), QStringLiteral("90"),
                                 QStringLiteral("--frames"), QStringLiteral("1")}, 8 * 1024, 3},
        {"project does not fit", {QStringLiteral("align"), project, QStringLiteral("--center"),
                                  QStringLiteral("--frames"), QStringLiteral("1")}, 0, 3},
        {"a picture is missing", {QStringLiteral("adjust"), project, QStringLiteral("--hue"), QStringLiteral("90")},
         1 << 20, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(disk.file(QStringLiteral("filler")));
        const QMap<QString, QByteArray> before = Snapshot(disk.path());
        disk.Fill(c.freeBytes);
        const ProcessRun run = RunCliProcess(c.args);
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_EQ(Snapshot(disk.path()), before);
    }
}

TEST(Edits, UsageErrorsChangeNothing)
{
    TempFolder dir;
    const QString project = WriteProject(dir.path(), {{QStringLiteral("a.png"), {0, 0}}});
    const QByteArray before = ReadAll(project);
    const QList<QStringList> cases = {
        {QStringLiteral("adjust"), project, QStringLiteral("--hue"), QStringLiteral("181")},
        {QStringLiteral("adjust"), project, QStringLiteral("--saturation"), QStringLiteral("-1")},
        {QStringLiteral("adjust"), project, QStringLiteral("--scale"), QStringLiteral("big")},
        {QStringLiteral("adjust"), project, QStringLiteral("--frames"), QStringLiteral("2")},
        {QStringLiteral("align"), project},
        {QStringLiteral("align"), project, QStringLiteral("--center"), QStringLiteral("--steady")},
        {QStringLiteral("align"), project, QStringLiteral("--steady"), QStringLiteral("--range"), QStringLiteral("0")},
    };
    for (const QStringList &args : cases) {
        const ProcessRun run = RunCliProcess(args);
        EXPECT_EQ(run.code, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("mirovane-cli: "))) << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("\nUsage: mirovane-cli "))) << run.err;
    }
    EXPECT_EQ(ReadAll(project), before);
}

} // namespace mrv
