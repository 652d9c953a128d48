#pragma once

#include "widgets/playback.h"
#include "preview/fullscreengeometry.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <pugixml.hpp>

#include <memory>

class QLabel;
class QPushButton;

namespace mrv {

class EditorPreview;
class PictureCache;
class ProjectDocument;
class PictureSurface;

/// The full-screen preview: the background stretched over the whole screen and the current
/// frame in the animation area, with its own play timer, key stepping and a key help that
/// shows the current frame. Shown modally; the editor hands it its project document (which
/// does not change while the window is open) and the shared picture cache.
class frmFullscreen : public QDialog
{
    Q_OBJECT

public:
    frmFullscreen(const ProjectDocument &document, PictureCache &cache,
                  const pugi::xml_node &windowDocument, QWidget *parent = nullptr);
    ~frmFullscreen() override;

    /// The current frame, 1-based; set before `Form_Load` to choose the first frame shown.
    qint16 nFrame = 0;

    /// Applies the saved layout of this window, makes it as large as the screen, writes the
    /// help text and lays the boxes out.
    void Form_Load();

    /// Lays the boxes out for an inner window size in pixels and redraws everything.
    void PicResize(int width, int height);

    /// Mode 0 redraws background and frame, mode 1 only the frame; other modes do nothing.
    void PicRedraw(int mode);

    /// Handles a key (a Qt::Key value); false when the key means nothing here.
    bool Form_KeyDown(int key);

    /// One playback step: the next frame, or the loop start after the last one.
    void timPlay_Timer();

    /// Stops playback and closes the window.
    void cmdExit_Click();

    FrameTimer &PlayTimer() { return m_timPlay; }
    PictureSurface &PicBG() const { return *m_picBG; }
    /// Element 0 is the visible animation area, element 1 the hidden background piece.
    PictureSurface &PicA(int index) const { return index == 0 ? *m_picA0 : *m_picA1; }
    QLabel &LblInfo(int index) const { return index == 0 ? *m_lblInfo0 : *m_lblInfo1; }
    QPushButton &CmdExit() const { return *m_cmdExit; }
    const FullscreenGeometry &Geometry() const { return m_geometry; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildControls();
    void WriteInfo();
    int FrameCount() const;

    const ProjectDocument &m_document;
    const pugi::xml_node m_windowDocument;
    PictureSurface *m_picBG = nullptr;
    PictureSurface *m_picA0 = nullptr;
    PictureSurface *m_picA1 = nullptr;
    QLabel *m_lblInfo0 = nullptr;
    QLabel *m_lblInfo1 = nullptr;
    QPushButton *m_cmdExit = nullptr;
    FrameTimer m_timPlay;
    std::unique_ptr<EditorPreview> m_preview;
    FullscreenGeometry m_geometry;
    QSize m_laidOut;
};

} // namespace mrv
