#pragma once

#include "imaging/pictureformats.h"
#include "support/result.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace mrv {

class MVK;
struct ExportOptions;

/// What kind of value an export option holds.
enum class OptionKind
{
    Bool,   ///< a check box in the editor, a flag on the command line
    Int,    ///< a number in a range
    Text,   ///< any text the option's check accepts
    Choice, ///< one of a few words, each with the editor's caption
};

/// One value a Choice option offers.
struct OptionChoice
{
    QString value;   ///< the word the command line takes ("screen")
    QString caption; ///< what the editor shows ("整个屏幕")
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
    /// The editor's words for the option: a check box's text (ticked sets a Bool option),
    /// otherwise the label above its box.
    QString prompt;
    /// The title the editor asks under; the options dialog takes it when its options share one.
    QString promptTitle;
    QList<OptionChoice> choices; ///< a Choice option's values, in the order offered
    /// Why a typed Text value cannot be used (a size that is no screen); none takes any text.
    std::function<Status(const QString &)> check;
    /// An Int option whose command-line text is read as the loop question reads an answer:
    /// its digits, clamped to the range. Every other number on the command line must be a
    /// whole number in its range.
    bool readsDigits = false;
    /// What a Text value is written as where the export changes it (a theme name made safe);
    /// the dialog shows it as it is typed, the command line says it when it differs.
    std::function<QString(const QString &)> writtenAs;
    /// The command line's words for the value it took from a text that did not state a number
    /// in the range ("循环 %1 次"); an Int option that reads digits only.
    QString usedValueText = QStringLiteral(" %1 ");
    /// The value's placeholder in the command line's usage ("MS").
    QString valueName = QStringLiteral("TEXT");
    /// What a Choice option is called in the message refusing a word it does not offer ("区域").
    QString noun;
    /// The value proposed for a project (a name made of its name, its screen size); none
    /// proposes the default.
    std::function<QVariant(const MVK &)> proposal;
    /// Proposes the frame time the editor's preview plays at; the command line knows none.
    bool followsPreview = false;
    /// Whether the option plays a part in a run with these values (a width that only the
    /// whole-screen area reads); none: always.
    std::function<bool(const ExportOptions &)> usedWhen;
};

/// A Bool option: a flag on the command line ("--name"), a check box with the prompt.
ExportOptionSpec FlagOption(const QString &name, const QString &prompt = {});
/// An Int option of a range; usedValueText and valueName as in ExportOptionSpec.
ExportOptionSpec IntOption(const QString &name, int value, int minimum, int maximum,
                           const QString &usedValueText, const QString &valueName);
/// A Text option, empty unless proposed.
ExportOptionSpec TextOption(const QString &name, const QString &valueName, const QString &prompt,
                            const QString &promptTitle = {});
/// A Choice option of the words and captions offered, the first proposed.
ExportOptionSpec ChoiceOption(const QString &name, const QString &noun,
                              const QList<OptionChoice> &choices, const QString &prompt);
/// Milliseconds per frame ("frame-time", --frame-time MS) in FrameDuration's written range,
/// proposed from the preview; asked under the title.
ExportOptionSpec FrameTimeOption(const QString &title = {});
inline const QString FrameTimeOptionName = QStringLiteral("frame-time");

/// A typed answer as an option's value. Int: the digits of the text joined in order, read as a
/// number and clamped to the range; text without digits gives the minimum ("3x" is 3, "abc"
/// and a cancelled box the minimum). Text: as typed. Bool: true for "yes", "true" or "1" in
/// any case, false for anything else.
QVariant OptionFromText(const ExportOptionSpec &spec, const QString &text);

/// A whole number from minimum to maximum, written in ASCII digits (after a "-" where the
/// range goes below 0); otherwise why the text is none ("应为 16 到 1024 之间的整数").
Result<int> WholeNumberIn(const QString &text, int minimum, int maximum);

/// The value a command-line text gives the option, or the usage error naming the option, the
/// text and what the option takes. An Int is a whole number in its range unless it reads
/// digits; a Bool flag takes no text; a Text or Choice is taken as written and checked with
/// the run's other options.
Result<QVariant> OptionFromArgument(const ExportOptionSpec &spec, const QString &text);

/// Why the value cannot be the option's: an Int out of its range, a Choice it does not offer,
/// a Text its check refuses. The option's own default is always acceptable (an unset quality).
Status CheckOptionValue(const ExportOptionSpec &spec, const QVariant &value);

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

/// The values as the settings keep them between runs: text by option name ("1"/"0" for a Bool).
QMap<QString, QString> StoredOptionValues(const QList<ExportOptionSpec> &specs,
                                          const ExportOptions &options);
/// Takes the stored values over the proposed ones; a stored value the option cannot take now
/// (a range or a word that changed, a hand edit) leaves the proposal.
void ApplyStoredOptionValues(const QList<ExportOptionSpec> &specs,
                             const QMap<QString, QString> &stored, ExportOptions &options);

} // namespace mrv
