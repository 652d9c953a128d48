#include "editor/pictureedit.h"

#include "settings/settings.h"
#include "document/projectdocument.h"
#include "widgets/droptarget.h"
#include "editor/framelist.h"
#include "editor/projectcommands.h"
#include "imaging/picturecache.h"
#include "widgets/editorpreview.h"
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

PictureEdit::PictureEdit(const EditorContext &context) : QObject(&context.window), m_ctx(context)
{
    setObjectName(QStringLiteral("pictureEdit"));
    ConnectControls();
}

void PictureEdit::ConnectControls()
{
    FrameList &frames = m_ctx.frames;
    connect(&m_ctx.backgroundBox, &QLineEdit::textChanged, this,
            &PictureEdit::txtBackground_Change);
    connect(&m_ctx.backgroundBrowse, &QPushButton::clicked, this,
            &PictureEdit::cmdBackground_Browse_Click);
    connect(&m_ctx.backgroundSetting, &QPushButton::clicked, this,
            &PictureEdit::cmdBackground_Setting_Click);
    connect(&frames, &FrameList::rowTextEdited, this, &PictureEdit::txtFrame_Change);
    connect(&frames, &FrameList::browseClicked, this, &PictureEdit::cmdFrame_Browse_Click);
    connect(&frames, &FrameList::settingClicked, this, &PictureEdit::cmdFrame_Setting_Click);

    m_pictureDrops = new FileDropTarget(
        IsDroppablePicture,
        [this](QWidget &target, const QString &file) {
            if (&target == &m_ctx.backgroundBox || &target == &m_ctx.backgroundBrowse)
                txtBackground_OLEDragDrop(file);
            else
                txtFrame_OLEDragDrop(ControlIndex(target), file);
        },
        this);
    m_pictureDrops->Watch(m_ctx.backgroundBox);
    m_pictureDrops->Watch(m_ctx.backgroundBrowse);
    frames.SetRowDropHook([this](QWidget &widget) { m_pictureDrops->Watch(widget); });

    ProjectDocument &document = m_ctx.document;
    connect(&document, &ProjectDocument::backgroundChanged, this, &PictureEdit::ShowBackgroundPath);
    connect(&document, &ProjectDocument::framesReset, this, &PictureEdit::ShowBackgroundProblem);

    m_projectDrops = new FileDropTarget(
        [](const QString &file) { return QFileInfo(file).isFile(); },
        [this](QWidget &, const QString &file) {
            // Questions and error messages must not run inside the drop itself: the program
            // the file came from waits until the drop returns.
            QTimer::singleShot(0, this, [this, file] { picBG_OLEDragDrop(file); });
        },
        this);
    m_projectDrops->Watch(m_ctx.previewSurface);
    m_projectDrops->Watch(m_ctx.activitySurface);
}

void PictureEdit::txtBackground_Change()
{
    if (m_ctx.view.UiReady())
        m_ctx.document.SetBackgroundUrl(m_ctx.backgroundBox.text(),
                                        m_ctx.view.CurrentEditSession());
}

void PictureEdit::txtFrame_Change(int row, const QString &text)
{
    if (m_ctx.view.UiReady())
        m_ctx.document.SetFrameUrl(row, text, m_ctx.view.CurrentEditSession());
}

void PictureEdit::ShowBackgroundPath()
{
    const ProjectDocument &document = m_ctx.document;
    const QString url = document.Project().aBackground.value_or(aImage{}).aURL;
    QLineEdit &box = m_ctx.backgroundBox;
    // The box's change handler finds the path stored and pushes nothing.
    if (box.text() != url)
        box.setText(url);
    MarkPathBox(box, EditedPathProblem(url, document.BackgroundPath()));
}

QString PictureEdit::EditedPathProblem(const QString &url, const QString &resolved) const
{
    const QString problem = PathBoxProblem(m_ctx.document.Project().aFileFolder, url, resolved);
    if (!problem.isEmpty() || url.isEmpty())
        return problem;
    // One picture was named: decoding it (into the cache the preview draws from) also
    // finds a file whose head looks right but whose data is broken.
    return m_ctx.cache.Picture(resolved).isNull() ? UndecodableProblem() : QString();
}

void PictureEdit::ShowBackgroundProblem()
{
    const MVK &project = m_ctx.document.Project();
    // A project never saved names its pictures relative to a folder it does not have yet; its
    // placeholder paths are not the user's doing, so only paths edited from now on are judged.
    const QString background = project.aBackground ? project.aBackground->aURL : QString();
    MarkPathBox(m_ctx.backgroundBox,
                project.aFileFolder.isEmpty()
                    ? QString()
                    : PathBoxProblem(project.aFileFolder, background,
                                     m_ctx.document.BackgroundPath()));
}

QString PictureEdit::BoxTextFor(const QString &file) const
{
    // Dialogs and drops give "/" on every platform; stored paths use the host's separator.
    return PictureBoxText(m_ctx.document.Project().aFileFolder, QDir::toNativeSeparators(file));
}

// A chosen or dropped file is a step of its own, never merged into typing.

void PictureEdit::PutBackgroundText(const QString &text)
{
    if (m_ctx.view.UiReady())
        m_ctx.document.SetBackgroundUrl(text);
}

void PictureEdit::PutFrameText(int row, const QString &text)
{
    if (m_ctx.view.UiReady() && row >= 1 && row <= m_ctx.document.FrameCount())
        m_ctx.document.SetFrameUrl(row, text);
}

QString PictureEdit::BrowsePicture()
{
    const auto chosen = m_ctx.prompts.File(
        PictureOpenRequest(m_ctx.settings.ImageTypes, m_ctx.document.Project().aFileFolder));
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
    ProjectCommands &commands = m_ctx.projects;
    // A Yes whose save does not happen (Save As cancelled or failed) stops here too.
    if (!commands.AskToSave())
        return false;
    return commands.OpenProjectFile(file);
}

void PictureEdit::ShowOffset(int index, qint16 x, qint16 y)
{
    m_ctx.preview.ShowOffset(index, QPoint(x, y));
    if (index == 0)
        m_ctx.view.PicRedraw(0);
    else
        m_ctx.preview.DrawFrame(index); // the edited frame, even when another one is current
}

void PictureEdit::OpenSetting(int index)
{
    ProjectDocument &document = m_ctx.document;
    if (index < 0 || index > document.FrameCount() || index > std::numeric_limits<qint16>::max())
        return;
    frmSetting dialog(document.Project(), *m_ctx.settings.WindowDocument, m_ctx.prompts,
                      &m_ctx.window);
    dialog.PicIndex = qint16(index);
    dialog.Form_Load();
    // The preview follows the boxes; the offsets become a step only when they are saved.
    connect(&dialog, &frmSetting::offsetsChanged, this,
            [this, index](qint16 x, qint16 y) { ShowOffset(index, x, y); });
    const bool saved = dialog.exec() == QDialog::Accepted;
    m_ctx.preview.ClearShownOffset();
    const QPoint offset = dialog.Offset();
    if (saved && index == 0)
        document.SetBackgroundOffset(qint16(offset.x()), qint16(offset.y()));
    else if (saved)
        document.SetFrameOffset(index, qint16(offset.x()), qint16(offset.y()));
    // The preview may show another frame than the current one, or offsets not stored.
    m_ctx.view.PicRedraw(index == 0 ? 0 : 1);
}

} // namespace mrv
