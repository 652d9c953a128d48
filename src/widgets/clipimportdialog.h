#pragma once

#include "widgets/prompts.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QImage>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace mrv {

class ClipPlacementView;

/// How a clip is imported (`frmClipImport`): its first frame placed in the animation area
/// (`picClipPreview`), how its frames meet the area (`cboFit`: 适应, 填满, 原始大小), their
/// timing (`cboTiming`: 按开机时间, 逐帧), a video's part (`txtStart`, `txtEnd`, seconds), where
/// the loop starts (`txtLoopStart`), and what results (`lblResult`), with `cmdOK` and
/// `cmdCancel`. Enter accepts, Escape cancels; OK is off while the choices cannot be imported.
class ClipImportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ClipImportDialog(const ClipImportRequest &request, QWidget *parent = nullptr);

    /// The choices as the controls show them.
    ClipChoices Choices() const;

private:
    void Update();
    /// Reads the frame at the start off the window's thread and shows it when it comes.
    void ShowFrameAtStart();
    QDoubleSpinBox *SecondsBox(const QString &name, double seconds, double maximum);

    ClipImportRequest m_request;
    ClipPlacementView *m_view;
    QComboBox *m_fit;
    QComboBox *m_timing;
    QDoubleSpinBox *m_start = nullptr;
    QDoubleSpinBox *m_end = nullptr;
    QDoubleSpinBox *m_loopStart;
    QLabel *m_result;
    QPushButton *m_ok = nullptr;
    QFutureWatcher<QImage> *m_frame = nullptr;
    qint64 m_shownStartMs = 0;
};

} // namespace mrv
