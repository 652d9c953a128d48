#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace mrv {

/// What the animated-picture export asks before it writes.
struct AnimationChoices
{
    int loops = 3;       ///< how often the loop part plays, 1..255
    bool screen = false; ///< the whole screen instead of the animation area
    bool repeat = false; ///< the file plays again from the start forever
};

/// The small options dialog of the animated-picture export (`frmAnimationOptions`): the loop
/// count (`spnLoops`), the area (`cboArea`) and "循环播放" (`chkRepeat`), with `cmdOK` and
/// `cmdCancel`. Enter accepts, Escape cancels.
class AnimationOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AnimationOptionsDialog(const AnimationChoices &proposed, QWidget *parent = nullptr);

    /// The choices as the controls show them.
    AnimationChoices Choices() const;

private:
    QSpinBox *m_loops;
    QComboBox *m_area;
    QCheckBox *m_repeat;
};

} // namespace mrv
