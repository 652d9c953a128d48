#pragma once

#include "import/boottiming.h"
#include "import/framefit.h"

#include <QDialog>

class QComboBox;

namespace mrv {

/// What the import of an animation asks before it runs.
struct ClipChoices
{
    FrameFit fit = FrameFit::None;
    FrameTiming timing = FrameTiming::Boot;
};

/// The options of an animation's import (`frmClipImport`): how its frames meet the area
/// (`cboFit`: 适应, 填满, 原始大小) and their timing (`cboTiming`: 按开机时间, 逐帧), with
/// `cmdOK` and `cmdCancel`. Enter accepts, Escape cancels.
class ClipImportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ClipImportDialog(const ClipChoices &proposed, QWidget *parent = nullptr);

    /// The choices as the controls show them.
    ClipChoices Choices() const;

private:
    QComboBox *m_fit;
    QComboBox *m_timing;
};

} // namespace mrv
