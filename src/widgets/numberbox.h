#pragma once

#include "support/result.h"

#include <QLineEdit>

namespace mrv {

/// A box for a whole number in a range that shows what was typed until it is changed: a
/// number out of the range or an emptied box stays as it is, for the dialog to mark (a spin
/// box would put back its last value on Enter or on leaving it, and the run would take a
/// number the user never saw). It takes digits only (and a "-" where the range goes below 0);
/// Up and Down step through the range.
class NumberBox : public QLineEdit
{
    Q_OBJECT

public:
    NumberBox(int minimum, int maximum, QWidget *parent = nullptr);

    void setValue(int value);
    /// The number shown, or why it is none the range takes.
    Result<int> value() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_minimum;
    int m_maximum;
};

/// Marks a box whose value cannot be taken (its `invalid` property, which InvalidBoxStyle
/// draws), or clears the mark.
void MarkInvalid(QWidget &box, bool invalid);
/// The style sheet a dialog sets to draw the marked boxes.
QString InvalidBoxStyle();

} // namespace mrv
