#include "preview/frmfullscreen.h"

#include "document/projectdocument.h"
#include "widgets/editorpreview.h"
#include "widgets/picturesurface.h"
#include "widgets/playback.h"
#include "widgets/windowlayout.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace mrv {

namespace {

QLabel *MakeInfoLabel(QWidget &parent, int index, QPoint at, const QColor &colour)
{
    auto *label = new QLabel(&parent);
    label->setObjectName(QStringLiteral("lblInfo"));
    SetControlIndex(*label, index);
    label->move(at);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.25);
    label->setFont(font);
    // Clicks and keys belong to the window, not to the help text.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

frmFullscreen::frmFullscreen(const ProjectDocument &document, PictureCache &cache,
                             const pugi::xml_node &windowDocument, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_document(document),
      m_windowDocument(windowDocument)
{
    setObjectName(QStringLiteral("frmFullscreen"));
    setModal(true);
    BuildControls();

    m_preview = std::make_unique<EditorPreview>(*m_picBG, *m_picA0, *m_picA1, cache, document);

    m_timPlay.setParent(this);
    m_timPlay.setObjectName(QStringLiteral("timPlay"));
    m_timPlay.setTimerType(Qt::PreciseTimer);
    m_timPlay.setInterval(FrameDuration::Default);
    connect(&m_timPlay, &QTimer::timeout, this, &frmFullscreen::timPlay_Timer);
    connect(m_cmdExit, &QPushButton::clicked, this, &frmFullscreen::cmdExit_Click);
}

frmFullscreen::~frmFullscreen() = default;

void frmFullscreen::BuildControls()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);

    m_picBG = new PictureSurface(this);
    m_picBG->setObjectName(QStringLiteral("picBG"));
    m_picBG->SetBorderWidth(0);

    m_picA0 = new PictureSurface(m_picBG);
    m_picA0->setObjectName(QStringLiteral("picA"));
    SetControlIndex(*m_picA0, 0);
    m_picA0->SetBorderWidth(0);

    m_picA1 = new PictureSurface(m_picBG);
    m_picA1->setObjectName(QStringLiteral("picA"));
    SetControlIndex(*m_picA1, 1);
    m_picA1->SetBorderWidth(0);
    m_picA1->hide();

    // A dark copy of the help text one pixel below and right of the light one keeps it
    // readable over any background.
    m_lblInfo0 = MakeInfoLabel(*m_picBG, 0, QPoint(24, 24), Qt::white);
    m_lblInfo1 = MakeInfoLabel(*m_picBG, 1, QPoint(25, 25), Qt::black);
    m_lblInfo1->stackUnder(m_lblInfo0);

    // Out of sight; it only gives the window a button that closes it.
    m_cmdExit = new QPushButton(Tr::tr("退出"), this);
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));
    m_cmdExit->setGeometry(-200, -200, 80, 24);
    m_cmdExit->setFocusPolicy(Qt::NoFocus);
    m_cmdExit->setAutoDefault(false);
    m_cmdExit->setDefault(false);
}

void frmFullscreen::Form_Load()
{
    RestoreLayout(m_windowDocument, *this);
    // The editor's slider keeps its value when the last frame goes: a project without
    // frames shows none.
    nFrame = qint16(std::clamp(int(nFrame), std::min(1, FrameCount()), FrameCount()));
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    setWindowState(windowState() | Qt::WindowFullScreen);
    WriteInfo();
    PicResize(width(), height());
}

void frmFullscreen::PicResize(int width, int height)
{
    m_laidOut = QSize(width, height);
    m_geometry =
        LayoutFullscreen(m_laidOut, m_document.Project().aWidth, m_document.Project().aHeight);
    m_preview->PicFit(m_geometry.picBG, m_geometry.activity);
    m_preview->ScaleX = m_geometry.scaleX;
    m_preview->ScaleY = m_geometry.scaleY;
    PicRedraw(0);
}

void frmFullscreen::PicRedraw(int mode)
{
    // A project without a usable size has no scale to draw at.
    if (!m_geometry.drawable)
        return;
    if (mode == 0) {
        m_preview->DrawBackground();
        PicRedraw(1);
    } else if (mode == 1) {
        m_preview->DrawFrame(nFrame);
    }
}

int frmFullscreen::FrameCount() const
{
    return std::min(m_document.FrameCount(), 32767);
}

bool frmFullscreen::Form_KeyDown(int key)
{
    switch (key) {
    case Qt::Key_Space:
        if (m_timPlay.isActive())
            m_timPlay.stop();
        else
            m_timPlay.start();
        return true;
    case Qt::Key_Left:
        if (nFrame > 1)
            --nFrame;
        break;
    case Qt::Key_Right:
        if (nFrame < FrameCount())
            ++nFrame;
        break;
    case Qt::Key_Home:
        nFrame = qint16(std::min(1, FrameCount()));
        break;
    case Qt::Key_End:
        nFrame = qint16(FrameCount());
        break;
    case Qt::Key_Escape:
        cmdExit_Click();
        return true;
    default:
        return false;
    }
    PicRedraw(1);
    WriteInfo();
    return true;
}

void frmFullscreen::timPlay_Timer()
{
    nFrame = qint16(NextPlayFrame(nFrame, FrameCount()));
    PicRedraw(1);
    WriteInfo();
}

void frmFullscreen::cmdExit_Click()
{
    m_timPlay.stop();
    close();
}

void frmFullscreen::WriteInfo()
{
    const QString text = FullscreenHelpText(nFrame);
    for (QLabel *label : {m_lblInfo0, m_lblInfo1}) {
        label->setText(text);
        label->adjustSize();
    }
}

void frmFullscreen::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // Form_Load has laid out this size already; the event of the first showing repeats it.
    if (size() != m_laidOut)
        PicResize(width(), height());
}

void frmFullscreen::keyPressEvent(QKeyEvent *event)
{
    if (Form_KeyDown(event->key()))
        event->accept();
    else
        event->ignore(); // Enter and the other keys do nothing here
}

void frmFullscreen::closeEvent(QCloseEvent *event)
{
    m_timPlay.stop();
    QDialog::closeEvent(event);
}

} // namespace mrv
