#pragma once

#include "export/exportoptions.h"
#include "support/result.h"

#include <QObject>
#include <QVariant>

#include <memory>

class QWidget;

namespace mrv {

/// The box that shows and edits one export option in the options dialog.
class OptionField : public QObject
{
    Q_OBJECT

public:
    explicit OptionField(ExportOptionSpec spec) : m_spec(std::move(spec)) {}

    const ExportOptionSpec &spec() const { return m_spec; }
    /// The control the dialog lays out.
    virtual QWidget *widget() const = 0;
    /// The box marked when the value cannot be taken: the control, or the number inside it.
    virtual QWidget *markedBox() const { return widget(); }
    /// Whether the control shows the option's words itself (a check box), so it needs no label.
    virtual bool captioned() const { return false; }
    virtual void setValue(const QVariant &value) = 0;
    /// The value shown, or why the option cannot take what was typed.
    virtual Result<QVariant> value() const = 0;

signals:
    /// The user changed the value.
    void edited();

private:
    ExportOptionSpec m_spec;
};

/// The control's object name for an option: its kind's prefix and the option's name in
/// capitals ("spn" and "frame-time" give "spnFrameTime").
QString OptionObjectName(const QString &prefix, const QString &optionName);

/// The box of an option: the target's own where it has one for that option (looked up by
/// the target's id), otherwise the one of the option's kind: a spin box over an Int's range,
/// a check box, a list of a Choice's captions, or a line checked as it is typed.
std::unique_ptr<OptionField> MakeOptionField(const QString &targetId, const ExportOptionSpec &spec,
                                             QWidget *parent);

} // namespace mrv
