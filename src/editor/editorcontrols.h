#pragma once

#include "editor/formlayout.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

namespace mrv {

class PictureSurface;

/// The editor window's controls outside the frame list, named by their objectNames.
struct EditorControls
{
    QLabel *lblProjectName = nullptr;
    QLineEdit *txtProjectName = nullptr;
    QLabel *lblScreenScale = nullptr;
    QComboBox *comScreenScale = nullptr;
    QLabel *lblBackground = nullptr;
    QLineEdit *txtBackground = nullptr;
    QPushButton *cmdBackground_Browse = nullptr;
    QPushButton *cmdBackground_Setting = nullptr;
    QFrame *picFrame = nullptr;
    QPushButton *cmdExport = nullptr;
    PictureSurface *picBG = nullptr;
    PictureSurface *picA0 = nullptr; ///< `picA` element 0: the activity box
    PictureSurface *picA1 = nullptr; ///< `picA` element 1: the crop buffer
    QLabel *lblStraight = nullptr;
    QLabel *lblLoop = nullptr;
    QSlider *sldFrame = nullptr;
    QLabel *lblFrameNumber = nullptr; ///< the current frame and the frame count ("12 / 105")
    QPushButton *cmdPlay = nullptr;
    QPushButton *cmdFullscreen = nullptr;
};

/// The client size the editor opens with when the layout document gives none.
inline constexpr QSize DesignClientSize{1160, 680};

/// Creates the controls on the client widget at their design-time geometry.
EditorControls BuildEditorControls(QWidget &client);

/// The geometry the window layout reads, taken from the controls as they stand (`vscFrame`
/// from the scrollbar given).
FormControls ReadFormControls(const EditorControls &c, const QWidget &vscFrame);

/// Puts the layout's geometry onto the controls, except the preview box, which the preview
/// fits itself.
void ApplyFormControls(const EditorControls &c, QWidget &vscFrame, const FormControls &g);

} // namespace mrv
