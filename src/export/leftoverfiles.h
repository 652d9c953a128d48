#pragma once

#include "support/result.h"

#include <QString>
#include <QStringList>

namespace mrv {

/// The numbered files an export writes into one folder: the prefix, a number and the
/// extension ("f" "151" ".png").
struct NumberedSet
{
    QString folder;
    QString prefix;
    QString extension;
};

/// The files of the set's pattern in its folder that are not among the written ones, in
/// natural order: the rest of an earlier, longer run, which a player of the whole sequence
/// would show after this run's files. Any number width counts; other names do not.
QStringList LeftoverFiles(const NumberedSet &set, const QStringList &written);

/// Removes the files; a failure names the first that stays and why, after trying the rest.
Status RemoveFiles(const QStringList &files);

/// "“D”中有 n 个同一前缀的编号文件不是这次导出写入的（“f151.png”到“f240.png”）", for
/// the command line's warning and the editor's question.
QString LeftoverSentence(const QStringList &leftovers);

/// What the removal of the leftovers did: how many files and which.
QString RemovedSentence(const QStringList &removed);

} // namespace mrv
