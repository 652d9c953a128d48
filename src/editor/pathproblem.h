#pragma once

#include <QColor>
#include <QString>

class QLineEdit;

namespace mrv {

/// Why the picture a path box names cannot be drawn, judged without decoding it; empty when it
/// can, and for an empty box. A relative path needs the project's folder: in a project that
/// has no file yet it names nothing.
QString PathBoxProblem(const QString &projectFolder, const QString &url, const QString &resolved);

/// The reason given for a file that looks like a picture but does not decode.
QString UndecodableProblem();

/// The background of a path box whose picture cannot be read.
QColor PathProblemColour();

/// Shows the reason on the box: the warning colour and the reason as tool tip. An empty reason
/// gives a marked box back the palette and tool tip it had before; an unmarked box is left
/// alone, so styling from the window document stays.
void MarkPathBox(QLineEdit &box, const QString &reason);

/// The reason the box shows; empty when it is not marked.
QString PathBoxMark(const QLineEdit &box);

} // namespace mrv
