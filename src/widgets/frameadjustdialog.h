#pragma once

#include "widgets/prompts.h"

#include <QDialog>
#include <QImage>

class QLabel;
class QSlider;
class QSpinBox;

namespace mrv {

/// Colour and size of the picked frames (`frmAdjustFrames`): the hue turn (`numHue`, degrees),
/// saturation (`numSaturation`), brightness (`numBrightness`) and size (`numScale`), each in
/// percent, a slider beside each box, and the current frame as the values make it, placed in
/// the animation area (`picAdjustPreview`), redrawn at every change; `cmdOK` and `cmdCancel`.
class FrameAdjustDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FrameAdjustDialog(const FrameAdjustRequest &request, QWidget *parent = nullptr);

    /// The values as the boxes show them.
    FrameAdjust Values() const;
    /// What the preview shows now.
    const QImage &Preview() const { return m_shown; }

private:
    QSpinBox *AddRow(const QString &name, const QString &caption, int low, int high, int value);
    void UpdatePreview();

    FrameAdjustRequest m_request;
    QImage m_source; // the frame's picture, no larger than the preview needs
    double m_sourceScale = 1;
    QLabel *m_preview;
    QSpinBox *m_hue = nullptr;
    QSpinBox *m_saturation = nullptr;
    QSpinBox *m_brightness = nullptr;
    QSpinBox *m_scale = nullptr;
    QImage m_shown;
};

} // namespace mrv
