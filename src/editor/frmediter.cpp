#include "editor/frmediter.h"

#include "settings/settings.h"
#include "editor/editortitle.h"
#include "editor/framelist.h"
#include "editor/framemodel.h"
#include "editor/framestripdelegate.h"
#include "editor/thumbnailstrip.h"
#include "support/tr.h"
#include "widgets/keyfilter.h"
#include "editor/menushortcuts.h"
#include "editor/pictureedit.h"
#include "widgets/picturesurface.h"
#include "widgets/playback.h"
#include "widgets/prompts.h"
#include "widgets/screenfit.h"
#include "editor/screenscale.h"
#include "editor/trimworkingset.h"
#include "widgets/windowlayout.h"
#include "support/appinfo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QScreen>
#include <QTimer>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

#include <algorithm>

namespace mrv {

frmEditer::frmEditer(Settings &settings, Prompts &prompts, QWidget *parent)
    : QMainWindow(parent), m_settings(settings), m_prompts(prompts),
      m_commands(settings, prompts, m_document, *this)
{
    setObjectName(QStringLiteral("frmEditer"));
    setWindowTitle(AppInfo::Title());
    m_client = new QWidget(this);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    m_menus = BuildEditorMenus(*menuBar());
    auto *shortcuts = new MenuShortcuts(*this, *menuBar());
    shortcuts->TakeFromWidgets(m_menus.mnuUndo->shortcuts() + m_menus.mnuRedo->shortcuts());
    m_c = BuildEditorControls(*m_client);
    m_frameModel = new FrameModel(m_document, m_cache, FrameStripDelegate::ThumbSide, this);
    m_frames = new FrameList(*m_c.picFrame);
    m_frames->SetModel(*m_frameModel);
    m_strip = new ThumbnailStrip(*m_frameModel, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_strip);
    // A dock shown, hidden, floated or docked again gives the controls another area; the
    // window lays itself out once the main layout has settled.
    const auto relayout = [this] {
        QTimer::singleShot(0, this, [this] {
            if (layout())
                layout()->activate();
            Form_Resize();
        });
    };
    connect(m_strip, &QDockWidget::visibilityChanged, this, relayout);
    connect(m_strip, &QDockWidget::topLevelChanged, this, [this, relayout](bool floating) {
        if (floating)
            PlaceFloatingDock(*m_strip);
        relayout();
    });
    m_viewMenu = new QMenu(Tr::tr("视图(&V)"), this);
    m_viewMenu->setObjectName(QStringLiteral("mnuView"));
    m_viewMenu->addAction(m_strip->toggleViewAction());
    menuBar()->insertMenu(m_menus.mnuHelp->menuAction(), m_viewMenu);
    m_preview =
        std::make_unique<EditorPreview>(*m_c.picBG, *m_c.picA0, *m_c.picA1, m_cache, m_document);

    m_timPlay.setParent(this);
    m_timPlay.setObjectName(QStringLiteral("timPlay"));
    m_timPlay.setTimerType(Qt::PreciseTimer);
    m_timPlay.setInterval(FrameDuration::Default);

    ConnectControls();
    ConnectDocument();
    m_pictures = new PictureEdit(Context());
    // The strip below takes its own height, so the controls keep their designed area.
    resize(DesignClientSize.width(), DesignClientSize.height() + menuBar()->sizeHint().height() +
                                         m_strip->sizeHint().height());
}

void frmEditer::PlaceFloatingDock(QDockWidget &dock)
{
    // A floating dock must not cover the slider and the buttons at the window's foot: it
    // goes just below the window, or above it, where the screen has room; else the window
    // gives up the height the docked strip had and the strip goes below it. Only a window
    // that cannot shrink (maximised, full screen) leaves it at the screen's bottom edge.
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    const QRect window = frameGeometry();
    const int height = dock.frameGeometry().height();
    int top = window.bottom() + 1;
    if (top + height - 1 > free.bottom()) {
        const int overlap = top + height - 1 - free.bottom();
        if (window.top() - height >= free.top()) {
            top = window.top() - height;
        } else if (!isMaximized() && !isFullScreen() &&
                   this->height() - overlap >= minimumSizeHint().height()) {
            resize(width(), this->height() - overlap);
            top = free.bottom() - height + 1;
        } else {
            top = free.bottom() - height + 1;
        }
    }
    const int left = std::clamp(window.left(), free.left(),
                                std::max(free.left(), free.right() - dock.frameGeometry().width() + 1));
    dock.move(left, top);
}

frmEditer::~frmEditer()
{
    // Child widgets still signal while QWidget tears them down (a focused box loses the focus
    // and finishes editing); by then this window's own members are gone.
    for (QObject *child : findChildren<QObject *>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

void frmEditer::ConnectControls()
{
    connect(m_menus.mnuNew, &QAction::triggered, this, [this] { m_commands.New(); });
    connect(m_menus.mnuOpen, &QAction::triggered, this, [this] { m_commands.Open(); });
    connect(m_menus.mnuSave, &QAction::triggered, this, [this] { m_commands.Save(); });
    connect(m_menus.mnuSaveNew, &QAction::triggered, this, [this] { m_commands.SaveAs(); });
    connect(m_menus.mnuBack, &QAction::triggered, this, [this] { m_commands.Revert(); });
    connect(m_menus.mnuExit, &QAction::triggered, this, &QWidget::close);
    BindUndoActions(*m_document.UndoStack(), *m_menus.mnuUndo, *m_menus.mnuRedo);
    // Typing merges into one step only until another control takes the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && now->window() == this)
            m_editSession = m_document.BeginEditSession();
    });

    // The slider is one more view of the current frame: it reaches a frame, or follows one
    // chosen in the rows or the strip, or one that moved.
    connect(m_c.sldFrame, &QSlider::valueChanged, this, &frmEditer::sldFrame_Change);
    connect(&m_frameModel->Selection(), &QItemSelectionModel::currentChanged, this,
            &frmEditer::ShowCurrentFrame);
    connect(m_frameModel, &QAbstractItemModel::layoutChanged, this, &frmEditer::ShowCurrentFrame);
    connect(m_c.cmdPlay, &QPushButton::clicked, this, &frmEditer::cmdPlay_Click);
    connect(&m_timPlay, &QTimer::timeout, this, &frmEditer::timPlay_Timer);
    connect(m_c.txtProjectName, &QLineEdit::textChanged, this, &frmEditer::txtProjectName_Change);
    connect(m_c.comScreenScale, &QComboBox::editTextChanged, this,
            &frmEditer::comScreenScale_Change);
    // The box has the focus and hands typed keys to its line edit directly, past any filter
    // on the line edit.
    m_c.comScreenScale->installEventFilter(
        new KeyFilterObject(KeyFilter::ScreenScale, m_c.comScreenScale));
    // Text that named no size, or a size that could not be stored, gives way to the project's.
    connect(m_c.comScreenScale->lineEdit(), &QLineEdit::editingFinished, this,
            &frmEditer::ShowProjectScreenScale);

    // Commands of later work: present, but nothing runs them yet.
    for (QPushButton *later : {m_c.cmdExport, m_c.cmdFullscreen})
        later->setEnabled(false);
}

void frmEditer::ConnectDocument()
{
    connect(&m_document, &ProjectDocument::nameChanged, this, &frmEditer::ShowName);
    connect(&m_document, &ProjectDocument::screenSizeChanged, this, [this] {
        ShowProjectScreenScale();
        Form_Resize();
    });
    connect(&m_document, &ProjectDocument::backgroundChanged, this, [this] { PicRedraw(0); });
    connect(&m_document, &ProjectDocument::frameChanged, this, &frmEditer::ShowFrame);
    // After the model's rows, which the layout measures.
    connect(m_frameModel, &QAbstractItemModel::modelReset, this, &frmEditer::ShowFrames);
    connect(m_frameModel, &QAbstractItemModel::rowsInserted, this, &frmEditer::ShowFrames);
    connect(m_frameModel, &QAbstractItemModel::rowsRemoved, this, &frmEditer::ShowFrames);
    connect(&m_document, &ProjectDocument::filePathChanged, this, [this] {
        m_titleFileName = TitleFileNameOf(m_document.FilePath(), m_document.Project().aFileFolder);
        ShowTitle();
    });
    connect(&m_document, &ProjectDocument::modifiedChanged, this, &frmEditer::ShowTitle);
}

void frmEditer::Form_Load(const QList<CommandLinePath> &commandLine)
{
    FillScreenScales();
    m_commands.New();
    RestoreLayout(*m_settings.WindowDocument, *this);
    RestoreDockState(*m_settings.WindowDocument, *this);
    // Neither the design size nor a size stored on a larger screen may push the play and
    // full-screen buttons off this one.
    FitOnScreen(*this);
    // Rows that come into view later receive their part of the same document.
    m_frames->SetRowLayoutHook([this, document = m_settings.WindowDocument](QObject &control) {
        RestoreControlLayout(*document, *this, control);
    });
    m_baseCaption = windowTitle();
    m_loaded = true;
    m_frames->MeasureRows(m_settings.ListDistance);
    layout()->activate(); // the client area takes the restored window size now, not at show
    Form_Resize();
    ShowTitle();
    OpenCommandLine(commandLine);
    TrimWorkingSet();
}

void frmEditer::FillScreenScales()
{
    for (const ScreenScaleEntry &scale : m_settings.ScreenScales())
        m_c.comScreenScale->addItem(scale.Width + u'*' + scale.Height);
}

void frmEditer::OpenCommandLine(const QList<CommandLinePath> &commandLine)
{
    if (commandLine.isEmpty())
        return;
    m_commands.OpenProjectFile(commandLine.first().path);
    for (qsizetype i = 1; i < commandLine.size(); ++i) {
        if (!m_starter || !m_starter(commandLine.at(i)))
            m_prompts.Message(
                {Tr::tr("无法启动新的程序实例来打开：\n%1").arg(commandLine.at(i).path),
                 {},
                 MsgIcon::Error,
                 MsgButtons::Ok,
                 MsgAnswer::Ok});
    }
}

void frmEditer::Form_Resize()
{
    const MVK *project = CurrentProject();
    if (!m_loaded)
        return;
    FormInput in;
    in.client = m_client->size();
    in.controls = ReadFormControls(m_c, *m_frames->ScrollBar());
    in.picBGBorder = m_c.picBG->OuterSize() - m_c.picBG->InnerSize();
    in.picFrameBorder = m_c.picFrame->size() - m_c.picFrame->contentsRect().size();
    in.minListWidth =
        ListWidthForPath(ReadablePathWidth, m_frames->Template(), m_frames->ScrollBar()->width(),
                         m_frames->Inner()->x(), in.picFrameBorder.width());
    in.projectWidth = project->aWidth;
    in.projectHeight = project->aHeight;
    in.scaleX = m_preview->ScaleX;
    in.scaleY = m_preview->ScaleY;
    const FormLayout out = FormResize(in);

    ApplyFormControls(m_c, *m_frames->ScrollBar(), out.controls);
    if (out.previewFitted) {
        m_preview->PicFit(out.controls.picBG, out.activityBox);
        m_preview->ScaleX = out.scaleX;
        m_preview->ScaleY = out.scaleY;
    } else {
        m_c.picBG->move(out.controls.picBG.topLeft());
    }
    PicRedraw(0);
    m_frames->ArrangeFrameRows();
}

void frmEditer::PicRedraw(quint8 mode)
{
    if (mode == 0) {
        m_preview->DrawBackground();
        ShowCurrentFrame();
    } else if (mode == 1) {
        m_preview->DrawFrame(m_c.sldFrame->value());
    }
}

void frmEditer::LoadProjectIntoEditor()
{
    const MVK &project = m_document.Project();
    // The document's signals have shown the project's texts and frames already.
    m_uiReady = false;
    ShowScreenScale(ScreenScaleText(project.aWidth, project.aHeight));
    m_c.txtBackground->setCursorPosition(0);
    // A project without frames must not go on showing the previous project's pictures.
    m_preview->ClearAll();
    Form_Resize();
    m_frames->ScrollBar()->setValue(1);
    m_uiReady = true;
    ShowTitle();
}

void frmEditer::ShowName()
{
    // The box's own change handler finds the name stored and pushes nothing.
    if (m_c.txtProjectName->text() != m_document.Project().aName)
        m_c.txtProjectName->setText(m_document.Project().aName);
}

void frmEditer::ShowFrames()
{
    const int count = m_document.FrameCount();
    UpdateFrameControls(count);
    // A list read anew has no current frame yet: the slider's, as far as the list reaches.
    if (count > 0 && m_frameModel->CurrentFrame() == 0)
        m_frameModel->Reach(std::clamp(m_c.sldFrame->value(), 1, count));
    Form_Resize();
}

void frmEditer::ShowFrame(int frame)
{
    if (frame == m_c.sldFrame->value())
        PicRedraw(1);
}

void frmEditer::ShowScreenScale(const QString &text)
{
    QComboBox &box = *m_c.comScreenScale;
    int index = box.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        box.addItem(text);
        index = box.count() - 1;
    }
    box.setCurrentIndex(index);
    box.setEditText(text);
}

void frmEditer::ShowProjectScreenScale()
{
    const MVK &project = m_document.Project();
    const QString text = ScreenScaleText(project.aWidth, project.aHeight);
    if (m_c.comScreenScale->currentText() == text)
        return;
    // The project holds this size already: showing it changes nothing.
    const QSignalBlocker quiet(m_c.comScreenScale);
    m_c.comScreenScale->setEditText(text);
}

void frmEditer::UpdateFrameControls(int count)
{
    if (count > 0) {
        // The slider's value follows its new range silently: the preview is redrawn after.
        const QSignalBlocker quiet(m_c.sldFrame);
        m_c.sldFrame->setMaximum(count);
    } else if (m_timPlay.isActive()) {
        cmdPlay_Click();
    }
    m_c.sldFrame->setEnabled(count > 0);
    m_c.cmdPlay->setEnabled(count > 0);
    ShowFrameNumber();
}

void frmEditer::ShowFrameNumber()
{
    const bool frames = m_frames->RowCount() > 0;
    m_c.lblFrameNumber->setText(
        FrameCounterText(frames ? m_c.sldFrame->value() : 0, frames ? m_c.sldFrame->maximum() : 0));
}

void frmEditer::ShowTitle()
{
    // Until the load has taken the base caption from the restored layout, the caption is
    // that base and must not be overwritten.
    if (m_loaded)
        setWindowTitle(EditorTitle(m_baseCaption, m_titleFileName, m_document.IsModified()));
}

void frmEditer::sldFrame_Change()
{
    const int v = m_c.sldFrame->value();
    if (m_frameModel->CurrentFrame() != v && m_frameModel->IndexOf(v).isValid())
        m_frameModel->Reach(v); // the model's current frame changes, and is shown
    else
        ShowCurrentFrame();
}

void frmEditer::ShowCurrentFrame()
{
    if (const int current = m_frameModel->CurrentFrame(); current > 0) {
        // Only this follows the model here; the slider's own handler would reach it again.
        const QSignalBlocker quiet(m_c.sldFrame);
        m_c.sldFrame->setValue(current);
    }
    const int v = m_c.sldFrame->value();
    ShowFrameNumber();
    // The list follows the current frame, but a row already in view (the one just clicked,
    // say) never moves under the pointer. The option keeps the old proportional placement for
    // the rows it has to bring into view.
    if (!m_frames->ScrollBar()->isEnabled() || !m_frames->RowInView(v)) {
        if (m_settings.FrameFocus) {
            QScrollBar &scroll = *m_frames->ScrollBar();
            scroll.setValue(FocusScrollValue(v, m_c.sldFrame->maximum(), scroll.maximum()));
        }
        m_frames->RevealRow(v);
    }
    PicRedraw(1);
}

void frmEditer::lblFrame_Click(int row)
{
    m_frames->ClickLabel(row, Qt::NoModifier);
}

void frmEditer::cmdPlay_Click()
{
    if (m_timPlay.isActive()) {
        m_timPlay.stop();
        m_c.cmdPlay->setText(Tr::tr("开始"));
    } else {
        m_timPlay.start();
        m_c.cmdPlay->setText(Tr::tr("停止"));
    }
}

void frmEditer::StopPlaying()
{
    if (m_timPlay.isActive())
        cmdPlay_Click();
}

EditorContext frmEditer::Context()
{
    return {.window = *this,
            .document = m_document,
            .prompts = m_prompts,
            .settings = m_settings,
            .cache = m_cache,
            .preview = *m_preview,
            .projects = m_commands,
            .view = *this,
            .playTimer = m_timPlay,
            .menus = m_menus,
            .frameSlider = *m_c.sldFrame,
            .frameModel = *m_frameModel,
            .frames = *m_frames,
            .strip = *m_strip,
            .backgroundBox = *m_c.txtBackground,
            .backgroundBrowse = *m_c.cmdBackground_Browse,
            .backgroundSetting = *m_c.cmdBackground_Setting,
            .previewSurface = *m_c.picBG,
            .activitySurface = *m_c.picA0,
            .exportButton = *m_c.cmdExport,
            .fullscreenButton = *m_c.cmdFullscreen};
}

void frmEditer::timPlay_Timer()
{
    if (m_document.FramePaths().isEmpty())
        return;
    m_c.sldFrame->setValue(NextPlayFrame(m_c.sldFrame->value(), m_c.sldFrame->maximum()));
}

void frmEditer::txtProjectName_Change()
{
    if (!m_uiReady)
        return;
    m_document.SetName(m_c.txtProjectName->text(), m_editSession);
}

void frmEditer::comScreenScale_Change()
{
    if (!m_uiReady)
        return;
    // Text that names no size yet changes nothing; the window follows the document's signal.
    if (const auto size = ParseScreenScale(m_c.comScreenScale->currentText()))
        m_document.SetScreenSize(qint16(size->width()), qint16(size->height()), m_editSession);
}

bool frmEditer::Form_Unload()
{
    // Failing to note the size costs only the next start's window size.
    static_cast<void>(SaveWindowSize(*m_settings.WindowDocument, *this));
    static_cast<void>(SaveDockState(*m_settings.WindowDocument, *this));
    if (!m_commands.AskToSave())
        return false;
    SaveSettingsAndEnd();
    return true;
}

void frmEditer::SaveSettingsAndEnd()
{
    m_timPlay.stop();
    if (const Status saved = SaveSettings(m_settings); !saved)
        m_prompts.Message({Tr::tr("设置文件保存失败：\n%1").arg(saved.message()),
                           {},
                           MsgIcon::Error,
                           MsgButtons::Ok,
                           MsgAnswer::Ok});
    m_ending = true;
    emit ended();
}

void frmEditer::closeEvent(QCloseEvent *event)
{
    if (m_ending || Form_Unload())
        event->accept();
    else
        event->ignore();
}

bool frmEditer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace mrv
