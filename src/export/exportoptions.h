#pragma once

#include "imaging/pictureformats.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace mrv {

/// What kind of value an export option holds.
enum class OptionKind
{
    Bool, ///< a Yes/No question in the editor, a flag on the command line
    Int,  ///< a number in a range, typed as text
    Text,
};

/// One option of an export target, described once for the editor's questions and the
/// command line.
struct ExportOptionSpec
{
    QString name; ///< "loops"
    OptionKind kind = OptionKind::Bool;
    QVariant defaultValue; ///< the value proposed, and taken when the option is not given
    QString cliFlag;       ///< "--loops"
    int minimum = 0;       ///< range of an Int option
    int maximum = 0;
    QString prompt;      ///< the editor's question; answering Yes sets a Bool option
    QString promptTitle; ///< title of the input box of an Int or Text option
    /// The command line's words for the value it took from a text that did not state a number
    /// in the range ("循环 %1 次"); an Int option only.
    QString usedValueText = QStringLiteral(" %1 ");
    /// The value's placeholder in the command line's usage ("MS").
    QString valueName = QStringLiteral("TEXT");
};

/// A typed answer as an option's value. Int: the digits of the text joined in order, read as a
/// number and clamped to the range; text without digits gives the minimum ("3x" is 3, "abc"
/// and a cancelled box the minimum). Text: as typed. Bool: true for "yes", "true" or "1" in
/// any case, false for anything else.
QVariant OptionFromText(const ExportOptionSpec &spec, const QString &text);

/// The digits of the text joined in order, read as a number and clamped to minimum..maximum;
/// the minimum when there are none.
int ClampedDigits(const QString &text, int minimum, int maximum);

/// What one run of an export target writes: where, in which format, and its option values
/// by name.
struct ExportOptions
{
    /// The chosen path as the save dialog returns it or as the command line names it; each
    /// target turns it into its file names as its dialog always has.
    QString target;
    PictureFormat format = PictureFormat::Png;
    QVariantMap values;

    bool Flag(const QString &name) const { return values.value(name).toBool(); }
    int Number(const QString &name) const { return values.value(name).toInt(); }
    QString Text(const QString &name) const { return values.value(name).toString(); }
};

} // namespace mrv
