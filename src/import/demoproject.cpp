#include "import/demoproject.h"

#include "imaging/imageencoders.h"
#include "support/parallel.h"
#include "imaging/picturefile.h"
#include "project/mvk.h"
#include "project/projectfile.h"
#include "support/stagedfolder.h"
#include "support/tr.h"

#include <QConicalGradient>
#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace mrv {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int FrameSize = AreaSize;
const QPointF Centre(100.0, 100.0);

const QColor OrbColours[4] = {QColor(242, 80, 34), QColor(127, 186, 0), QColor(0, 164, 239),
                              QColor(255, 185, 0)};

double easeOutCubic(double t)
{
    const double u = 1.0 - t;
    return 1.0 - u * u * u;
}

double smoothStep(double from, double to, double t)
{
    const double x = std::clamp((t - from) / (to - from), 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

QColor withAlpha(QColor colour, double alpha)
{
    colour.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return colour;
}

/// A glowing orb: white core, its colour, and a soft halo fading to nothing.
void drawOrb(QPainter &p, QPointF at, double radius, const QColor &colour, double opacity)
{
    QRadialGradient glow(at, radius * 2.6);
    glow.setColorAt(0.0, withAlpha(colour, 0.55 * opacity));
    glow.setColorAt(1.0, withAlpha(colour, 0.0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(at, radius * 2.6, radius * 2.6);

    QRadialGradient body(at - QPointF(radius * 0.3, radius * 0.35), radius * 1.1);
    body.setColorAt(0.0, withAlpha(Qt::white, opacity));
    body.setColorAt(0.35, withAlpha(colour.lighter(130), opacity));
    body.setColorAt(1.0, withAlpha(colour.darker(140), opacity));
    p.setBrush(body);
    p.drawEllipse(at, radius, radius);
}

/// The gathering ring with a colour sweep that turns with the angle.
void drawRing(QPainter &p, double radius, double turn, double opacity)
{
    if (opacity <= 0.0)
        return;
    QConicalGradient sweep(Centre, -turn);
    for (int k = 0; k <= 4; ++k)
        sweep.setColorAt(k / 4.0, withAlpha(OrbColours[k % 4], opacity));
    QPen pen(QBrush(sweep), 5.0);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(Centre, radius, radius);
    p.setPen(QPen(withAlpha(Qt::white, 0.35 * opacity), 1.2));
    p.drawEllipse(Centre, radius - 4.0, radius - 4.0);
}

void drawHalo(QPainter &p, double radius, double strength)
{
    QRadialGradient halo(Centre, radius);
    halo.setColorAt(0.0, withAlpha(QColor(190, 225, 255), 0.55 * strength));
    halo.setColorAt(0.45, withAlpha(QColor(80, 150, 255), 0.25 * strength));
    halo.setColorAt(1.0, withAlpha(QColor(40, 80, 200), 0.0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(Centre, radius, radius);
}

void drawSatellites(QPainter &p, double turn, double opacity)
{
    if (opacity <= 0.0)
        return;
    for (int j = 0; j < 8; ++j) {
        const double angle = (j * 45.0 + turn) * Pi / 180.0;
        const QPointF at = Centre + QPointF(std::cos(angle), std::sin(angle)) * 82.0;
        const double size = j % 2 == 0 ? 3.2 : 2.2;
        drawOrb(p, at, size, j % 2 == 0 ? QColor(200, 230, 255) : OrbColours[(j / 2) % 4], opacity);
    }
}

QPointF orbPosition(int k, double radius, double turnDegrees)
{
    const double angle = (45.0 + 90.0 * k + turnDegrees) * Pi / 180.0;
    return Centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
}

void drawIntro(QPainter &p, double t)
{
    const double e = easeOutCubic(t);
    drawHalo(p, 40.0 + 55.0 * e, 0.2 + 0.8 * smoothStep(0.4, 1.0, t));
    drawRing(p, 60.0, 0.0, smoothStep(0.65, 1.0, t));
    drawSatellites(p, 0.0, smoothStep(0.8, 1.0, t));
    // Trails: the same orbs a little earlier, fainter and smaller.
    for (int ghost = 6; ghost >= 0; --ghost) {
        const double tg = std::max(0.0, t - ghost * 0.018);
        const double eg = easeOutCubic(tg);
        const double radius = 135.0 - 107.0 * eg;
        const double spin = 540.0 * (1.0 - eg);
        const double size = (5.0 + 9.0 * eg) * (1.0 - ghost * 0.09);
        const double opacity = ghost == 0 ? 1.0 : 0.28 * (1.0 - ghost / 7.0);
        for (int k = 0; k < 4; ++k)
            drawOrb(p, orbPosition(k, radius, spin), size, OrbColours[k], opacity);
    }
}

void drawLoop(QPainter &p, double phase)
{
    const double wave = std::sin(2.0 * Pi * phase);
    drawHalo(p, 95.0 + 8.0 * wave, 0.85 + 0.15 * wave);
    drawRing(p, 60.0, 360.0 * phase, 1.0);
    drawSatellites(p, -360.0 * phase, 1.0);
    const double radius = 28.0 + 3.0 * wave;
    for (int k = 0; k < 4; ++k)
        drawOrb(p, orbPosition(k, radius, 360.0 * phase), 14.0, OrbColours[k], 1.0);
}

/// Deterministic pseudo-random numbers for the star field.
class Lcg
{
public:
    explicit Lcg(quint32 seed) : m_state(seed) {}
    double next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) / double(1u << 24);
    }

private:
    quint32 m_state;
};

} // namespace

QImage DemoBackground()
{
    QImage image(ReferenceWidth, ReferenceHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 768);
    sky.setColorAt(0.0, QColor(10, 20, 48));
    sky.setColorAt(0.6, QColor(6, 12, 30));
    sky.setColorAt(1.0, QColor(2, 4, 12));
    p.fillRect(image.rect(), sky);

    Lcg random(20240611u);
    for (int i = 0; i < 260; ++i) {
        const QPointF at(random.next() * 1024.0, random.next() * 620.0);
        const double size = 0.5 + 1.4 * random.next() * random.next();
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(QColor(210, 225, 255), 0.25 + 0.6 * random.next()));
        p.drawEllipse(at, size, size);
    }

    // Soft beams fanning out from behind the animation area.
    p.save();
    p.translate(512, 384);
    for (int i = 0; i < 7; ++i) {
        p.save();
        p.rotate(-70.0 + i * 23.0);
        QLinearGradient beam(0, 0, 0, -520);
        beam.setColorAt(0.0, QColor(90, 150, 255, 46));
        beam.setColorAt(1.0, QColor(90, 150, 255, 0));
        QPainterPath path;
        path.moveTo(-6, 0);
        path.lineTo(-38 - i % 3 * 10, -520);
        path.lineTo(38 + i % 2 * 12, -520);
        path.lineTo(6, 0);
        path.closeSubpath();
        p.fillPath(path, beam);
        p.restore();
    }
    p.restore();

    QRadialGradient glow(QPointF(512, 384), 430);
    glow.setColorAt(0.0, QColor(60, 120, 220, 120));
    glow.setColorAt(0.35, QColor(30, 70, 160, 60));
    glow.setColorAt(1.0, QColor(10, 20, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(512, 384), 430, 430);

    // The rim of a planet along the bottom edge, below the animation area.
    const QPointF planet(512, 1660);
    const double radius = 1130;
    QRadialGradient atmosphere(planet, radius + 70);
    atmosphere.setColorAt(0.0, QColor(90, 170, 255, 0));
    atmosphere.setColorAt(radius / (radius + 70) - 0.01, QColor(90, 170, 255, 0));
    atmosphere.setColorAt(radius / (radius + 70), QColor(110, 185, 255, 110));
    atmosphere.setColorAt(1.0, QColor(90, 170, 255, 0));
    p.setBrush(atmosphere);
    p.drawEllipse(planet, radius + 70, radius + 70);
    QRadialGradient body(planet, radius);
    body.setColorAt(0.0, QColor(3, 6, 16));
    body.setColorAt(0.9, QColor(5, 10, 26));
    body.setColorAt(0.985, QColor(16, 48, 100));
    body.setColorAt(1.0, QColor(140, 200, 255));
    p.setBrush(body);
    p.drawEllipse(planet, radius, radius);
    p.end();
    return image;
}

QImage DemoFrame(int frame)
{
    QImage image(FrameSize, FrameSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (frame <= DemoIntroFrames)
        drawIntro(p, (frame - 1) / double(DemoIntroFrames - 1));
    else
        drawLoop(p, (frame - DemoIntroFrames - 1) / double(DemoFrameCount - DemoIntroFrames));
    p.end();
    return image;
}

Result<QString> WriteDemoProject(const QString &folder, const std::atomic_bool *cancel)
{
    // Written into a staging folder and moved into place whole: a full disk or a stop request
    // leaves no half project.
    if (Status made = EnsureFolder(QFileInfo(QDir::cleanPath(folder)).absolutePath()); !made)
        return made;
    StagedFolder staged(folder);
    const QString framesFolder = QDir(staged.Destination()).filePath(QStringLiteral("frames"));
    if (Status opened = staged.Open(); !opened)
        return opened;
    if (Status made = staged.MakeFolder(framesFolder); !made)
        return made;
    const QString background = QDir(staged.Destination()).filePath(QStringLiteral("background.png"));
    if (Status saved = staged.Shown(SavePng(DemoBackground(), staged.StagedPath(background)));
        !saved)
        return saved;

    ExportPool pool;
    auto render = [&](int index) {
        if (cancel && cancel->load())
            return Status::Fail(Tr::tr("已取消"));
        const QString name = QString::number(index + 1).rightJustified(3, QChar(u'0'));
        return staged.Shown(SavePng(
            DemoFrame(index + 1),
            staged.StagedPath(framesFolder + u'/' + name + QStringLiteral(".png"))));
    };
    Status failure;
    auto check = [&](int, const Status &written) {
        failure = written;
        return bool(written);
    };
    ForEachOrdered(pool, DemoFrameCount, render, check, nullptr);
    if (!failure)
        return failure;

    MVK project;
    project.aName = Tr::tr("Mirovane 演示");
    project.aWidth = ReferenceWidth;
    project.aHeight = ReferenceHeight;
    project.aBackground = aImage{QStringLiteral("background.png"), 0, 0};
    for (int i = 1; i <= DemoFrameCount; ++i)
        project.aFrame.Add(QStringLiteral("frames\\%1.png").arg(i, 3, 10, QChar(u'0')), 0, 0);
    const QString path = QDir(staged.Destination()).filePath(QStringLiteral("demo.mrv"));
    SaveOptions options;
    options.pretty = true;
    if (Status saved =
            staged.Shown(WriteProjectFile(project, staged.StagedPath(path), options, cancel));
        !saved)
        return saved;
    if (Status committed = staged.Commit(cancel); !committed)
        return committed;
    return path;
}

} // namespace mrv
