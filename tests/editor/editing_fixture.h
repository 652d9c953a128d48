#pragma once

#include "editor/framelist.h"
#include "widgets/picturesurface.h"
#include "editor_fixture.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace mrv::test {

inline const QColor Red(255, 0, 0), Green(0, 255, 0), Yellow(255, 255, 0), Magenta(255, 0, 255),
    White(255, 255, 255);

/// A 200 x 200 frame picture: the left half transparent, the right half in the colour.
inline QString WriteFramePicture(const QString &path, QColor colour)
{
    QImage frame(200, 200, QImage::Format_ARGB32);
    frame.fill(Qt::transparent);
    QPainter(&frame).fillRect(100, 0, 100, 200, colour);
    frame.save(path);
    return path;
}

inline QColor PixelOf(const PictureSurface &s, int x, int y)
{
    return QColor(s.Image().pixel(x, y));
}

/// Sends a drag-enter and, when it was accepted, the drop of these files onto the widget, as
/// a file manager does. Returns whether the drag was accepted.
inline bool DropFiles(QWidget &target, const QStringList &files)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls.append(QUrl::fromLocalFile(file));
    data.setUrls(urls);
    const QPoint at(4, 4);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &drop);
    return drop.isAccepted();
}

/// Sends only the drop event (no drag-enter first), for the checks the drop itself makes.
inline void SendDropOnly(QWidget &target, const QMimeData &data)
{
    QDropEvent drop(QPointF(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &drop);
}

/// An editor on a 1024 x 768 project with a red background and three frames f1 (green),
/// f2 (yellow) and f3 (magenta), shown at half scale.
class EditingTest : public EditorTest
{
protected:
    frmEditer &LoadPictures(int frames = 3)
    {
        WritePicture(folder.file(QStringLiteral("bg.png")), {1024, 768}, Red);
        WriteFramePicture(folder.file(QStringLiteral("f1.png")), Green);
        WriteFramePicture(folder.file(QStringLiteral("f2.png")), Yellow);
        WriteFramePicture(folder.file(QStringLiteral("f3.png")), Magenta);
        projectPath = WriteProject(folder, QStringLiteral("anim"), frames);
        frmEditer &w = Load({{projectPath, projectPath}});
        w.Controls().picBG->SetBorderWidth(0);
        SetClientSize({900, 384 + 78});
        EXPECT_EQ(w.Controls().picBG->size(), QSize(512, 384));
        EXPECT_FALSE(w.CurrentProject()->aChanged);
        return w;
    }

    /// The colour of the activity box's frame half (the background shows in the other).
    QColor ShownFrameColour() const { return PixelOf(*window->Controls().picA0, 75, 50); }
    QColor ShownBackgroundColour() const { return PixelOf(*window->Controls().picA0, 25, 50); }

    QString projectPath;
};

} // namespace mrv::test
