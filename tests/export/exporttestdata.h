#pragma once

#include "project/mvk.h"

#include <QColor>
#include <QImage>
#include <QString>

namespace mrv::test {

class TempFolder;

/// Colours used by the golden pictures: flat, far apart, so filtering cannot blur a verdict.
inline const QColor Red(220, 30, 30);
inline const QColor Green(30, 200, 60);
inline const QColor Blue(20, 40, 230);
inline const QColor Yellow(250, 220, 20);
inline const QColor Magenta(210, 20, 200);

/// A picture of one colour (with its alpha) in the premultiplied format the engine uses.
QImage Flat(int width, int height, QColor colour);

/// Writes a picture as PNG (through Qt, so the engine's reader meets foreign files).
QString WritePng(const QString &path, const QImage &image);

/// The straight colour of a pixel, alpha included.
QColor At(const QImage &image, int x, int y);

/// A reference background 1024 x 768 (times factor): red everywhere, green over the
/// animation area, and a blue 10 x 10 block (times factor) at the area's top-left corner.
QImage ReferenceBackground(int factor = 1);

/// A project in the folder with the given screen size, background "bg.png" at (0, 0) and one
/// frame per path (relative to the folder) at the given offsets. aFileFolder is the folder.
MVK MakeProject(const TempFolder &folder, int width, int height, const QStringList &framePaths,
                const QList<QPoint> &offsets = {});

/// Writes the project file into the folder and returns its path.
QString SaveProject(MVK &project, const TempFolder &folder,
                    const QString &name = QStringLiteral("proj.mrv"));

/// Reads a written picture, null when it cannot be read.
QImage ReadBack(const QString &path);

} // namespace mrv::test
