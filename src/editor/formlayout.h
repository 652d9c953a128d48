#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>

namespace mrv {

/// Geometry of the editor window's controls that follow the window edges, in pixels. Each
/// rectangle is the control's outer geometry in its container (`vscFrame` inside the frame-list
/// panel's inner area).
struct FormControls
{
    QRect cmdFullscreen, cmdPlay;
    QRect lblStraight, lblLoop, sldFrame, lblFrameNumber;
    QRect picBG;
    QRect lblProjectName, txtProjectName, lblScreenScale, comScreenScale, lblBackground;
    QRect txtBackground, cmdBackground_Browse, cmdBackground_Setting;
    QRect cmdExport, picFrame, vscFrame;

    bool operator==(const FormControls &) const = default;
};

/// Everything the window layout reads: the client size, the controls as they stand (only the
/// properties that the layout never writes are used), the borders of the two framed boxes,
/// the narrowest frame-list panel the left column keeps, the project's screen size and the
/// current preview scale.
struct FormInput
{
    QSize client;
    FormControls controls;
    QSize picBGBorder;    ///< outer minus inner size of the preview box
    QSize picFrameBorder; ///< outer minus inner size of the frame-list panel
    /// The frame-list panel is never made narrower than this for the preview's sake; the
    /// preview box takes what is left. With 0 the preview only stays inside the window.
    int minListWidth = 0;
    int projectWidth = 1024;
    int projectHeight = 768;
    double scaleX = 1.0;
    double scaleY = 1.0;
};

/// What the window layout writes.
struct FormLayout
{
    FormControls controls;
    /// False when the project size cannot be laid out (a width or height of 0 or less): the
    /// preview box keeps its size and the scale factors stay as they were.
    bool previewFitted = false;
    double scaleX = 1.0;
    double scaleY = 1.0;
    /// The animation area inside the preview box's inner area, at its fractions of the
    /// box's outer size, rounded to whole pixels (ties to even).
    QRect activityBox;
    /// Slider track length: the slider width less its two 13-pixel ends.
    int trackLength = 0;
};

/// The editor's resize arithmetic: the bottom-right buttons and slider row with the frame
/// counter, the preview box fitted to the project's proportions (grown by its border), the
/// slider's part labels, the left column and the frame-list panel with its scrollbar.
///
/// The preview box takes the height above the slider row unless that makes it wider than the
/// room right of the left column (at least `minListWidth` wide); then it takes that width and
/// the height of the project's proportions, so no project shape makes it larger than the
/// window. Sizes never go below 0; positions may. Running it on its own output gives the
/// same result.
FormLayout FormResize(const FormInput &input);

/// The animation area of a preview surface of the given outer size: the 200 x 200 square at
/// (412, 284) of the 1024 x 768 reference screen, as exact fractions.
QRectF ActivityArea(QSize outer);

} // namespace mrv
