#include "editor/frameeditcommands.h"

#include "edit/adjustframes.h"
#include "edit/alignframes.h"
#include "editor/editormenus.h"
#include "editor/framemodel.h"
#include "import/framefit.h"
#include "settings/settings.h"
#include "support/tr.h"
#include "widgets/editorpreview.h"
#include "widgets/prompts.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

namespace mrv {

namespace {

// Where the onion skin's switch is kept in the configuration document.
const char *const OnionSkinPath = "/Soft/View";
const char *const OnionSkinAttribute = "OnionSkin";

bool ReadOnionSkin(const Settings &settings)
{
    const pugi::xml_node view = settings.ConfigDocument->select_node(OnionSkinPath).node();
    return view && view.attribute(OnionSkinAttribute).as_bool();
}

void WriteOnionSkin(Settings &settings, bool on)
{
    pugi::xml_node soft = EnsureSoftRoot(*settings.ConfigDocument);
    pugi::xml_node view = soft.child("View");
    if (!view)
        view = soft.append_child("View");
    pugi::xml_attribute attribute = view.attribute(OnionSkinAttribute);
    if (!attribute)
        attribute = view.append_attribute(OnionSkinAttribute);
    attribute.set_value(on ? "1" : "0");
}

QAction *AddEntry(QMenu &menu, const QString &name, const QString &text)
{
    auto *action = menu.addAction(text);
    action->setObjectName(name);
    return action;
}

} // namespace

FrameEditCommands &FrameEditCommands::Install(const EditorContext &context, QMenu &viewMenu)
{
    return *new FrameEditCommands(context, viewMenu);
}

FrameEditCommands::FrameEditCommands(const EditorContext &context, QMenu &viewMenu)
    : QObject(&context.window), m_ctx(context)
{
    QMenu &frameMenu = *context.menus.mnuFrame;
    frameMenu.addSeparator();
    m_centre = AddEntry(frameMenu, QStringLiteral("mnuFrameCentre"), Tr::tr("居中(&M)"));
    m_steady = AddEntry(frameMenu, QStringLiteral("mnuFrameSteady"), Tr::tr("稳定(&S)..."));
    m_adjust = AddEntry(frameMenu, QStringLiteral("mnuFrameAdjust"), Tr::tr("颜色和大小(&A)..."));
    m_onion = AddEntry(viewMenu, QStringLiteral("mnuOnionSkin"), Tr::tr("洋葱皮(&O)"));
    m_onion->setCheckable(true);
    m_onion->setChecked(ReadOnionSkin(context.settings));
    context.preview.SetOnionSkin(m_onion->isChecked());
    connect(m_centre, &QAction::triggered, this, &FrameEditCommands::CentreFrames);
    connect(m_steady, &QAction::triggered, this, &FrameEditCommands::SteadyFrames);
    connect(m_adjust, &QAction::triggered, this, &FrameEditCommands::AdjustFrames);
    connect(m_onion, &QAction::toggled, this, &FrameEditCommands::SetOnionSkin);
}

QList<int> FrameEditCommands::Targets() const
{
    QList<int> frames = m_ctx.frameModel.PickedFrames();
    if (frames.isEmpty() && m_ctx.frameModel.CurrentFrame() > 0)
        frames = {m_ctx.frameModel.CurrentFrame()};
    return frames;
}

FrameEditRequest FrameEditCommands::Request() const
{
    FrameEditRequest request;
    for (int row : Targets())
        request.frames.push_back(row - 1);
    const QString file = m_ctx.document.FilePath();
    request.projectFolder = file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
    request.framesFolder = request.projectFolder;
    return request;
}

void FrameEditCommands::Apply(const FrameEditResult &result, const QString &name)
{
    if (!result.edit) {
        if (result.failure != EditFailure::Cancelled)
            m_ctx.prompts.Message({result.edit.message(), {}, MsgIcon::Error, MsgButtons::Ok});
        return;
    }
    m_ctx.view.StopPlaying();
    m_ctx.document.ReplaceFrames(result.edit->frames, name);
}

void FrameEditCommands::CentreFrames()
{
    const FrameEditRequest request = Request();
    if (request.frames.empty())
        return;
    Apply(::mrv::CentreFrames(m_ctx.document.Project(), request), Tr::tr("居中帧"));
}

void FrameEditCommands::SteadyFrames()
{
    const FrameEditRequest request = Request();
    if (request.frames.empty())
        return;
    const std::optional<QString> answer =
        m_ctx.prompts.Input({Tr::tr("每帧向各方向最多移动多少像素（1-%1）：").arg(MaxSteadyRange),
                             Tr::tr("稳定"), QString::number(DefaultSteadyRange)});
    if (!answer)
        return;
    bool ok = false;
    const int range = answer->trimmed().toInt(&ok);
    if (!ok || range < 1 || range > MaxSteadyRange) {
        m_ctx.prompts.Message({Tr::tr("搜索范围须在 1 到 %1 像素之间").arg(MaxSteadyRange),
                               {},
                               MsgIcon::Error,
                               MsgButtons::Ok});
        return;
    }
    Apply(::mrv::SteadyFrames(m_ctx.document.Project(), range, request), Tr::tr("稳定帧"));
}

void FrameEditCommands::AdjustFrames()
{
    const FrameEditRequest request = Request();
    if (request.frames.empty())
        return;
    if (request.framesFolder.isEmpty()) {
        m_ctx.prompts.Message({Tr::tr("调整后的图片要保存在工程文件旁边，请先保存工程"),
                               {},
                               MsgIcon::Information,
                               MsgButtons::Ok});
        return;
    }
    const int current = std::max(m_ctx.frameModel.CurrentFrame(), Targets().first());
    FrameAdjustRequest ask;
    ask.title = Tr::tr("颜色和大小");
    QString problem;
    ask.picture = ReadEditPicture(m_ctx.document.FramePaths().value(current - 1), problem);
    if (const aImage *frame = m_ctx.document.Frame(current))
        ask.offset = QPoint(frame->aX, frame->aY);
    ask.area =
        AreaInProject(QSize(m_ctx.document.Project().aWidth, m_ctx.document.Project().aHeight));
    const std::optional<FrameAdjust> values = m_ctx.prompts.AdjustFrames(ask);
    if (!values || values->IsIdentity())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FrameEditResult result = ::mrv::AdjustFrames(m_ctx.document.Project(), *values, request);
    QApplication::restoreOverrideCursor();
    Apply(result, Tr::tr("调整颜色和大小"));
}

void FrameEditCommands::SetOnionSkin(bool on)
{
    WriteOnionSkin(m_ctx.settings, on);
    m_ctx.preview.SetOnionSkin(on);
    m_ctx.view.PicRedraw(1);
}

} // namespace mrv
