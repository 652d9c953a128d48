#pragma once

#include "imaging/picturecache.h"
#include "document/projectdocument.h"
#include "editor/commandline.h"
#include "editor/editorcontext.h"
#include "editor/editorcontrols.h"
#include "editor/editormenus.h"
#include "widgets/editorpreview.h"
#include "widgets/playback.h"
#include "editor/projectcommands.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QTimer>

namespace mrv {

class FrameList;
class FrameModel;
class ThumbnailStrip;
class PictureEdit;
class Prompts;
struct Settings;

/// The editor window: the project's fields, the frame list, the scaled preview with the
/// frame slider and playback, and the File and Edit menus' commands. The project lives in a
/// ProjectDocument: edits go to it as undo steps and the controls follow its signals. The
/// arithmetic lives in FormResize and the frame-row functions, the drawing in EditorPreview,
/// the commands in ProjectCommands; this class wires them to the controls.
class frmEditer : public QMainWindow, public ProjectHost, public EditorView
{
    Q_OBJECT

public:
    frmEditer(Settings &settings, Prompts &prompts, QWidget *parent = nullptr);
    ~frmEditer() override;

    /// The load sequence: the screen-scale list, a new project, the window layout from the
    /// window document, the title, then the projects named on the command line (the first
    /// opened here, each further one in a new instance).
    void Form_Load(const QList<CommandLinePath> &commandLine = {});

    /// Lays out every control for the current client size and project, refits the preview
    /// and redraws it, and rearranges the frame rows.
    void Form_Resize();

    // EditorView
    void PicRedraw(quint8 mode) override;
    bool UiReady() const override { return m_uiReady; }
    EditSession CurrentEditSession() const override { return m_editSession; }
    void StopPlaying() override;

    /// What the commands work with: the document, the services and the parts they attach to.
    EditorContext Context();

    // ProjectHost
    void LoadProjectIntoEditor() override;
    QString TitleFileName() const override { return m_titleFileName; }

    QString BaseCaption() const { return m_baseCaption; }

    // What later commands and windows work with.
    const MVK *CurrentProject() const { return &m_document.Project(); }
    /// The open project; every change to it goes through here.
    ProjectDocument &Document() { return m_document; }
    ProjectCommands &Commands() { return m_commands; }
    Settings &AppSettings() { return m_settings; }
    Prompts &AppPrompts() { return m_prompts; }
    PictureCache &Cache() { return m_cache; }
    EditorPreview &Preview() { return *m_preview; }
    const QString &BackgroundPath() const { return m_document.BackgroundPath(); }
    /// Entry i-1 is the resolved path of frame i.
    const QStringList &FramePaths() const { return m_document.FramePaths(); }
    FrameTimer &PlayTimer() { return m_timPlay; }
    FrameList &Frames() { return *m_frames; }
    /// The frames and their selection, which the rows, the strip and the frame menu show.
    FrameModel &FrameRows() { return *m_frameModel; }
    ThumbnailStrip &Strip() { return *m_strip; }
    /// The 视图 menu: which docks show.
    QMenu *ViewMenu() const { return m_viewMenu; }
    /// The picture-path, drop and offset editing.
    PictureEdit &Pictures() { return *m_pictures; }
    const EditorControls &Controls() const { return m_c; }
    const EditorMenus &Menus() const { return m_menus; }
    QWidget &Client() const { return *m_client; }

    /// How further instances are started for extra command-line projects.
    void SetInstanceStarter(InstanceStarter starter) { m_starter = std::move(starter); }

    // Event handlers, public so commands and tests can run them as the controls do.
    void sldFrame_Change();
    void lblFrame_Click(int row);
    void cmdPlay_Click();
    void timPlay_Timer();
    void comScreenScale_Change();
    void txtProjectName_Change();
    /// The close sequence; false when the user cancelled and the window stays open.
    bool Form_Unload();

signals:
    /// The settings were written and the program is to end.
    void ended();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ConnectControls();
    void ConnectDocument();
    /// The modified mark and file name in the caption.
    void ShowTitle();
    void ShowName();
    /// The slider, the counter and the layout for a new frame count.
    void ShowFrames();
    void ShowFrame(int frame);
    /// The slider, the counter, the list's scroll and the preview follow the current frame.
    void ShowCurrentFrame();
    void FillScreenScales();
    void ShowScreenScale(const QString &text);
    /// Puts the project's screen size into the screen-scale box when it shows another text.
    void ShowProjectScreenScale();
    void ShowFrameNumber();
    void OpenCommandLine(const QList<CommandLinePath> &commandLine);
    void UpdateFrameControls(int count);
    void SaveSettingsAndEnd();
    /// Moves a dock that just came off the window where it covers none of its controls.
    void PlaceFloatingDock(QDockWidget &dock);

    Settings &m_settings;
    Prompts &m_prompts;
    PictureCache m_cache;
    ProjectDocument m_document;
    EditSession m_editSession = NoEditSession;
    QWidget *m_client = nullptr;
    EditorControls m_c;
    EditorMenus m_menus;
    FrameModel *m_frameModel = nullptr;
    FrameList *m_frames = nullptr;
    ThumbnailStrip *m_strip = nullptr;
    QMenu *m_viewMenu = nullptr;
    PictureEdit *m_pictures = nullptr;
    std::unique_ptr<EditorPreview> m_preview;
    ProjectCommands m_commands;
    FrameTimer m_timPlay;
    InstanceStarter m_starter = StartInstance;
    QString m_baseCaption;
    QString m_titleFileName;
    bool m_uiReady = false;
    bool m_loaded = false;
    bool m_ending = false;
};

} // namespace mrv
