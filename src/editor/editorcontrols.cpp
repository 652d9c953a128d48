#include "editor/editorcontrols.h"

#include "widgets/dialogbuttons.h"
#include "widgets/makecontrol.h"
#include "widgets/picturesurface.h"
#include "widgets/windowlayout.h"
#include "support/bootgeometry.h"
#include "support/tr.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace mrv {

namespace {

QLabel *MakeLabel(QWidget &parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = MakeControl<QLabel>(parent, name, geometry);
    label->setText(text);
    return label;
}

QPushButton *MakeButton(QWidget &parent, const char *name, const QString &text,
                        const QRect &geometry)
{
    auto *button = MakeControl<QPushButton>(parent, name, geometry);
    button->setText(text);
    WidenToText(*button);
    return button;
}

} // namespace

EditorControls BuildEditorControls(QWidget &client)
{
    // Design-time geometry: the left column at x 8, the preview box at top 8, buttons 75 x 25
    // and part labels 13 high. Widths and the right-hand positions come from the layout.
    EditorControls c;
    c.lblProjectName = MakeLabel(client, "lblProjectName", Tr::tr("工程名"),
                                 {8, 8, 300, 13});
    c.txtProjectName = MakeControl<QLineEdit>(client, "txtProjectName", {8, 24, 300, 23});
    c.lblScreenScale = MakeLabel(client, "lblScreenScale", Tr::tr("屏幕比例"),
                                 {8, 56, 300, 13});
    c.comScreenScale = MakeControl<QComboBox>(client, "comScreenScale", {8, 72, 300, 23});
    c.comScreenScale->setEditable(true);
    c.comScreenScale->setInsertPolicy(QComboBox::NoInsert);
    // Completing "12" into a list entry would apply a size the user never typed.
    c.comScreenScale->setCompleter(nullptr);
    c.lblBackground = MakeLabel(client, "lblBackground", Tr::tr("背景图片"),
                                {8, 104, 300, 13});
    c.txtBackground = MakeControl<QLineEdit>(client, "txtBackground", {8, 120, 200, 23});
    c.cmdBackground_Browse = MakeButton(client, "cmdBackground_Browse", Tr::tr("浏览"),
                                        {213, 119, 44, 25});
    c.cmdBackground_Setting = MakeButton(client, "cmdBackground_Setting", Tr::tr("调整"),
                                         {262, 119, 44, 25});
    c.picFrame = MakeControl<QFrame>(client, "picFrame", {8, 152, 300, 400});
    c.picFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    c.cmdExport = MakeButton(client, "cmdExport", Tr::tr("导出"), {8, 560, 300, 25});

    c.picBG = MakeControl<PictureSurface>(client, "picBG", {320, 8, 696, 522});
    c.picA0 = new PictureSurface(c.picBG);
    c.picA1 = new PictureSurface(c.picBG);
    int index = 0;
    for (PictureSurface *box : {c.picA0, c.picA1}) {
        box->setObjectName(QStringLiteral("picA"));
        box->SetBorderWidth(0);
        box->SetPlacement({0, 0, 136, 136});
        SetControlIndex(*box, index++);
    }
    // The crop buffer only holds pixels for the activity box; nobody needs to see it.
    c.picA1->hide();

    c.lblStraight = MakeLabel(client, "lblStraight", Tr::tr("直接的"), {320, 540, 346, 13});
    c.lblLoop = MakeLabel(client, "lblLoop", Tr::tr("循环的"), {666, 540, 254, 13});
    for (QLabel *part : {c.lblStraight, c.lblLoop})
        part->setAlignment(Qt::AlignCenter);
    c.sldFrame = MakeControl<QSlider>(client, "sldFrame", {320, 558, 626, 22});
    c.sldFrame->setOrientation(Qt::Horizontal);
    c.sldFrame->setRange(1, BootFrames);
    c.lblFrameNumber = MakeLabel(client, "lblFrameNumber", QStringLiteral("1 / %1").arg(BootFrames),
                                 {540, 582, 100, 13});
    c.lblFrameNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.cmdPlay = MakeButton(client, "cmdPlay", Tr::tr("播放"), {720, 540, 75, 25});
    c.cmdFullscreen = MakeButton(client, "cmdFullscreen", Tr::tr("全屏"),
                                 {720, 570, 75, 25});
    return c;
}

FormControls ReadFormControls(const EditorControls &c, const QWidget &vscFrame)
{
    FormControls g;
    g.cmdFullscreen = c.cmdFullscreen->geometry();
    g.cmdPlay = c.cmdPlay->geometry();
    g.lblStraight = c.lblStraight->geometry();
    g.lblLoop = c.lblLoop->geometry();
    g.sldFrame = c.sldFrame->geometry();
    g.lblFrameNumber = c.lblFrameNumber->geometry();
    g.picBG = c.picBG->geometry();
    g.lblProjectName = c.lblProjectName->geometry();
    g.txtProjectName = c.txtProjectName->geometry();
    g.lblScreenScale = c.lblScreenScale->geometry();
    g.comScreenScale = c.comScreenScale->geometry();
    g.lblBackground = c.lblBackground->geometry();
    g.txtBackground = c.txtBackground->geometry();
    g.cmdBackground_Browse = c.cmdBackground_Browse->geometry();
    g.cmdBackground_Setting = c.cmdBackground_Setting->geometry();
    g.cmdExport = c.cmdExport->geometry();
    g.picFrame = c.picFrame->geometry();
    g.vscFrame = vscFrame.geometry();
    return g;
}

void ApplyFormControls(const EditorControls &c, QWidget &vscFrame, const FormControls &g)
{
    c.cmdFullscreen->setGeometry(g.cmdFullscreen);
    c.cmdPlay->setGeometry(g.cmdPlay);
    c.lblStraight->setGeometry(g.lblStraight);
    c.lblLoop->setGeometry(g.lblLoop);
    c.sldFrame->setGeometry(g.sldFrame);
    c.lblFrameNumber->setGeometry(g.lblFrameNumber);
    c.lblProjectName->setGeometry(g.lblProjectName);
    c.txtProjectName->setGeometry(g.txtProjectName);
    c.lblScreenScale->setGeometry(g.lblScreenScale);
    c.comScreenScale->setGeometry(g.comScreenScale);
    c.lblBackground->setGeometry(g.lblBackground);
    c.txtBackground->setGeometry(g.txtBackground);
    c.cmdBackground_Browse->setGeometry(g.cmdBackground_Browse);
    c.cmdBackground_Setting->setGeometry(g.cmdBackground_Setting);
    c.cmdExport->setGeometry(g.cmdExport);
    c.picFrame->setGeometry(g.picFrame);
    vscFrame.setGeometry(g.vscFrame);
}

} // namespace mrv
