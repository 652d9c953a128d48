#pragma once

#include <QString>
#include <QStringList>

namespace mrv {

struct ExportSource;

/// What an export says about the pictures it could not read, one line each as the command
/// line warns, naming the background and the frames that use the picture ("警告：无法读取图片
/// “…”（第 2-4 帧），该区域保持透明"); the first few, and how many more. Empty when none.
QString UnreadableWarnings(const QStringList &unreadable, const ExportSource &source);

} // namespace mrv
