#include "editor/pictureedit.h"

#include "settings/settings.h"
#include "document/projectdocument.h"
#include "widgets/droptarget.h"
#include "editor/framelist.h"
#include "editor/frmediter.h"
#include "editor/frmsetting.h"
#include "editor/pathproblem.h"
#include "widgets/picturesurface.h"
#include "widgets/prompts.h"
#include "widgets/windowlayout.h"
#include "project/mvk.h"
#include "support/filetypes.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <limits>
#include <optional>

namespace mrv {

bool HasDropPictureExtension(const QString &path)
{
    return IsStillPictureName(path);
}

bool IsDroppablePicture(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile() && HasDropPictureExtension(path);
}

PictureEdit::PictureEdit(frmEditer &editor) : QObject(&editor), m_editor(editor)
{
    setObjectName(QStringLiteral("pictureEdit"));
    ConnectControls();
}

void PictureEdit::ConnectControls()
{
    const EditorControls &c = m_editor.Controls();
    FrameList &frames = m_editor.Frames();
    connect(c.txtBackground, &QLineEdit::textChanged, this, &PictureEdit::txtBackground_Change);
    connect(c.cmdBackground_Browse, &QPushButton::clicked, this,
            &PictureEdit::cmdBackground_Browse_Click);
    connect(c.cmdBackground_Setting, &QPushButton::clicked, this,
            &PictureEdit::cmdBackground_Setting_Click);
    connect(&frames, &FrameList::rowTextEdited, this,
            [this](int row, const QString &) { txtFrame_Change(row); });
    connect(&frames, &FrameList::browseClicked, this, &PictureEdit::cmdFrame_Browse_Click);
    connect(&frames, &FrameList::settingClicked, this, &PictureEdit::cmdFrame_Setting_Click);

    m_pictureDrops = new FileDropTarget(
        IsDroppablePicture,
        [this](QWidget &target, const QString &file) {
            const EditorControls &controls = m_editor.Controls();
            if (&target == controls.txtBackground || &target == controls.cmdBackground_Browse)
                txtBackground_OLEDragDrop(file);
            else
                txtFrame_OLEDragDrop(ControlIndex(target), file);
        },
        this);
    m_pictureDrops->Watch(*c.txtBackground);
    m_pictureDrops->Watch(*c.cmdBackground_Browse);
    frames.SetRowDropHook([this](QWidget &widget) { m_pictureDrops->Watch(widget); });

    ProjectDocument &document = m_editor.Document();
    connect(&document, &ProjectDocument::backgroundChanged, this, &PictureEdit::ShowBackgroundPath);

    m_projectDrops = new FileDropTarget(
        [](const QString &file) { return QFileInfo(file).isFile(); },
        [this](QWidget &, const QString &file) {
            // Questions and error messages must not run inside the drop itself: the program
            // the file came from waits until the drop returns.
            QTimer::singleShot(0, this, [this, file] { picBG_OLEDragDrop(file); });
        },
        this);
    m_projectDrops->Watch(*c.picBG);
    m_projectDrops->Watch(*c.picA0);
}

void PictureEdit::txtBackground_Change()
{
    if (m_editor.UiReady())
        m_editor.Document().SetBackgroundUrl(m_editor.Controls().txtBackground->text(),
                                             m_editor.CurrentEditSession());
}

void PictureEdit::txtFrame_Change(int row)
{
    if (m_editor.UiReady())
        m_editor.Document().SetFrameUrl(row, m_editor.Frames().RowText(row),
                                        m_editor.CurrentEditSession());
}

void PictureEdit::ShowBackgroundPath()
{
    const ProjectDocument &document = m_editor.Document();
    const QString url = document.Project().aBackground.value_or(aImage{}).aURL;
    QLineEdit &box = *m_editor.Controls().txtBackground;
    // The box's change handler finds the path stored and pushes nothing.
    if (box.text() != url)
        box.setText(url);
    MarkPathBox(box, EditedPathProblem(url, document.BackgroundPath()));
}

void PictureEdit::ShowFramePath(int frame)
{
    const ProjectDocument &document = m_editor.Document();
    const aImage *image = document.Frame(frame);
    FrameList &frames = m_editor.Frames();
    if (!image || frame > frames.RowCount() || frame > document.FramePaths().size())
        return;
    if (frames.RowText(frame) != image->aURL)
        frames.SetRowText(frame, image->aURL);
    frames.SetRowProblem(frame, EditedPathProblem(image->aURL, document.FramePaths()[frame - 1]));
}

QString PictureEdit::EditedPathProblem(const QString &url, const QString &resolved) const
{
    const QString problem = PathBoxProblem(m_editor.CurrentProject()->aFileFolder, url, resolved);
    if (!problem.isEmpty() || url.isEmpty())
        return problem;
    // One picture was named: decoding it (into the cache the preview draws from) also
    // finds a file whose head looks right but whose data is broken.
    return m_editor.Cache().Picture(resolved).isNull() ? UndecodableProblem() : QString();
}

void PictureEdit::ShowPathProblems()
{
    const MVK &project = *m_editor.CurrentProject();
    // A project never saved names its pictures relative to a folder it does not have yet; its
    // placeholder paths are not the user's doing, so only paths edited from now on are judged.
    const bool judge = !project.aFileFolder.isEmpty();
    auto problem = [&](const QString &url, const QString &resolved) {
        return judge ? PathBoxProblem(project.aFileFolder, url, resolved) : QString();
    };
    const QString background = project.aBackground ? project.aBackground->aURL : QString();
    MarkPathBox(*m_editor.Controls().txtBackground, problem(background, m_editor.BackgroundPath()));
    ShowPathProblems(1, project.aFrame.Count());
}

void PictureEdit::ShowPathProblems(int first, int count)
{
    const MVK &project = *m_editor.CurrentProject();
    // Judged as the whole list is: not while the project has no folder.
    const bool judge = !project.aFileFolder.isEmpty();
    FrameList &frames = m_editor.Frames();
    const QStringList &paths = m_editor.FramePaths();
    for (int i = first; i < first + count && i <= project.aFrame.Count() && i <= paths.size(); ++i)
        frames.SetRowProblem(i, judge ? PathBoxProblem(project.aFileFolder,
                                                       project.aFrame.Item(i)->aURL, paths[i - 1])
                                      : QString());
}

QString PictureEdit::BoxTextFor(const QString &file) const
{
    // Dialogs and drops give "/" on every platform; stored paths use the host's separator.
    return PictureBoxText(m_editor.CurrentProject()->aFileFolder, QDir::toNativeSeparators(file));
}

// A chosen or dropped file is a step of its own, never merged into typing.

void PictureEdit::PutBackgroundText(const QString &text)
{
    if (m_editor.UiReady())
        m_editor.Document().SetBackgroundUrl(text);
}

void PictureEdit::PutFrameText(int row, const QString &text)
{
    if (m_editor.UiReady() && row >= 1 && row <= m_editor.Frames().RowCount())
        m_editor.Document().SetFrameUrl(row, text);
}

QString PictureEdit::BrowsePicture()
{
    const auto chosen = m_editor.AppPrompts().File(PictureOpenRequest(
        m_editor.AppSettings().ImageTypes, m_editor.CurrentProject()->aFileFolder));
    if (!chosen)
        return {};
    return ParseDialogFiles(chosen->path).FirstPath();
}

void PictureEdit::cmdBackground_Browse_Click()
{
    const QString file = BrowsePicture();
    if (!file.isEmpty())
        PutBackgroundText(BoxTextFor(file));
}

void PictureEdit::cmdFrame_Browse_Click(int row)
{
    const QString file = BrowsePicture();
    if (!file.isEmpty())
        PutFrameText(row, BoxTextFor(file));
}

void PictureEdit::txtBackground_OLEDragDrop(const QString &file)
{
    if (IsDroppablePicture(file))
        PutBackgroundText(BoxTextFor(file));
}

void PictureEdit::txtFrame_OLEDragDrop(int row, const QString &file)
{
    if (IsDroppablePicture(file))
        PutFrameText(row, BoxTextFor(file));
}

bool PictureEdit::picBG_OLEDragDrop(const QString &file)
{
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return false;
    ProjectCommands &commands = m_editor.Commands();
    // A Yes whose save does not happen (Save As cancelled or failed) stops here too.
    if (!commands.AskToSave())
        return false;
    return commands.OpenProjectFile(file);
}

void PictureEdit::ShowOffset(int index, qint16 x, qint16 y)
{
    m_editor.Preview().ShowOffset(index, QPoint(x, y));
    if (index == 0)
        m_editor.PicRedraw(0);
    else
        m_editor.Preview().DrawFrame(index); // the edited frame, even when another one is current
}

void PictureEdit::OpenSetting(int index)
{
    ProjectDocument &document = m_editor.Document();
    if (index < 0 || index > document.FrameCount() || index > std::numeric_limits<qint16>::max())
        return;
    frmSetting dialog(document.Project(), *m_editor.AppSettings().WindowDocument,
                      m_editor.AppPrompts(), &m_editor);
    dialog.PicIndex = qint16(index);
    dialog.Form_Load();
    // The preview follows the boxes; the offsets become a step only when they are saved.
    connect(&dialog, &frmSetting::offsetsChanged, this,
            [this, index](qint16 x, qint16 y) { ShowOffset(index, x, y); });
    const bool saved = dialog.exec() == QDialog::Accepted;
    m_editor.Preview().ClearShownOffset();
    const QPoint offset = dialog.Offset();
    if (saved && index == 0)
        document.SetBackgroundOffset(qint16(offset.x()), qint16(offset.y()));
    else if (saved)
        document.SetFrameOffset(index, qint16(offset.x()), qint16(offset.y()));
    // The preview may show another frame than the current one, or offsets not stored.
    m_editor.PicRedraw(index == 0 ? 0 : 1);
}

} // namespace mrv
