#include "editor/frmsetting.h"

#include "widgets/keyfilter.h"
#include "widgets/makecontrol.h"
#include "widgets/prompts.h"
#include "widgets/windowlayout.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace mrv {

namespace {

QString Caption()
{
    return Tr::tr("图片设置");
}

} // namespace

Result<qint16> ParseOffsetText(const QString &text, const QString &name)
{
    static const QRegularExpression whole(QStringLiteral("^-?[0-9]+$"));
    if (!whole.match(text).hasMatch())
        return Result<qint16>::Fail(Tr::tr("%1 的值必须是整数").arg(name));
    bool converted = false;
    const qlonglong value = text.toLongLong(&converted);
    const qlonglong capped = value < MaxOffset ? value : MaxOffset;
    if (!converted || value < std::numeric_limits<qint32>::min()
        || value > std::numeric_limits<qint32>::max()
        || capped < std::numeric_limits<qint16>::min())
        return Result<qint16>::Fail(
            Tr::tr("%1 的值超出范围，允许 -32768 到 %2").arg(name, QString::number(MaxOffset)));
    return qint16(capped);
}

qint16 NudgeOffset(qint16 value, int step)
{
    return qint16(
        std::clamp(int(value) + step, int(std::numeric_limits<qint16>::min()), MaxOffset));
}

QString PictureName(int index)
{
    return index == 0 ? Tr::tr("背景") : Tr::tr("第 %1 帧").arg(index);
}

frmSetting::frmSetting(const MVK &project, const pugi::xml_node &layout, Prompts &prompts,
                       QWidget *parent)
    : QDialog(parent), m_project(project), m_layout(layout), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmSetting"));
    setWindowTitle(Caption());
    setModal(true);
    BuildControls();
    connect(m_cmdSave, &QPushButton::clicked, this, &frmSetting::cmdSave_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmSetting::cmdCancel_Click);
    for (QLineEdit *box : {m_txtX, m_txtY})
        connect(box, &QLineEdit::textChanged, this, &frmSetting::EmitOffsets);
}

void frmSetting::BuildControls()
{
    m_lblPicture = MakeControl<QLabel>(*this, "lblPicture", QRect(16, 10, 158, 20));
    m_lblX = MakeControl<QLabel>(*this, "lblX", QRect(16, 42, 24, 22));
    m_lblX->setText(QStringLiteral("X"));
    m_txtX = MakeControl<QLineEdit>(*this, "txtX", QRect(44, 40, 130, 26));
    m_lblY = MakeControl<QLabel>(*this, "lblY", QRect(16, 78, 24, 22));
    m_lblY->setText(QStringLiteral("Y"));
    m_txtY = MakeControl<QLineEdit>(*this, "txtY", QRect(44, 76, 130, 26));
    for (QLineEdit *box : {m_txtX, m_txtY}) {
        box->installEventFilter(new KeyFilterObject(KeyFilter::Offset, box));
        box->installEventFilter(this);
    }

    m_cmdSave = MakeControl<QPushButton>(*this, "cmdSave", QRect(16, 118, 76, 28));
    m_cmdSave->setText(Tr::tr("保存"));
    m_cmdSave->setDefault(true);
    m_cmdCancel = MakeControl<QPushButton>(*this, "cmdCancel", QRect(98, 118, 76, 28));
    m_cmdCancel->setText(Tr::tr("取消"));
    m_cmdCancel->setAutoDefault(false);
    // Not fixed: the window document may size the dialog.
    resize(190, 162);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
}

void frmSetting::Form_Load()
{
    RestoreLayout(m_layout, *this);
    const aImage *picture = nullptr;
    if (PicIndex == 0 && m_project.aBackground)
        picture = &*m_project.aBackground;
    else if (PicIndex > 0)
        picture = m_project.aFrame.Item(PicIndex);
    const aImage shown = picture ? *picture : aImage{};
    // Set after the layout, which may style the label but not change what it names.
    m_lblPicture->setText(PictureName(PicIndex));
    m_txtX->setText(QString::number(shown.aX));
    m_txtY->setText(QString::number(shown.aY));
    m_txtX->selectAll();
    m_txtX->setFocus();
}

std::optional<qint16> frmSetting::CheckedOffset(QLineEdit &box, const QString &name)
{
    const Result<qint16> offset = ParseOffsetText(box.text(), name);
    if (offset)
        return *offset;
    m_prompts.Message({offset.message(), Caption(), MsgIcon::Warning, MsgButtons::Ok,
                       MsgAnswer::Ok});
    box.setFocus();
    box.selectAll();
    return std::nullopt;
}

void frmSetting::cmdSave_Click()
{
    const auto x = CheckedOffset(*m_txtX, QStringLiteral("X"));
    if (!x)
        return;
    const auto y = CheckedOffset(*m_txtY, QStringLiteral("Y"));
    if (!y)
        return;
    // A project read without a background still takes an offset for it.
    if (PicIndex < 0 || (PicIndex > 0 && !m_project.aFrame.Item(PicIndex))) {
        reject();
        return;
    }
    m_offset = QPoint(*x, *y);
    accept();
}

void frmSetting::cmdCancel_Click()
{
    reject();
}

void frmSetting::EmitOffsets()
{
    const Result<qint16> x = ParseOffsetText(m_txtX->text(), QStringLiteral("X"));
    const Result<qint16> y = ParseOffsetText(m_txtY->text(), QStringLiteral("Y"));
    if (x && y)
        emit offsetsChanged(*x, *y);
}

bool frmSetting::Nudge(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    const int step = modifiers == Qt::ShiftModifier ? 10 : 1;
    const auto nudge = [](QLineEdit &box, int delta) {
        // A box without a usable number keeps its text for the user to mend.
        if (const Result<qint16> now = ParseOffsetText(box.text(), {}); now)
            box.setText(QString::number(NudgeOffset(*now, delta)));
        return true;
    };
    switch (key.key()) {
    case Qt::Key_Left:
        return nudge(*m_txtX, -step);
    case Qt::Key_Right:
        return nudge(*m_txtX, step);
    case Qt::Key_Up:
        return nudge(*m_txtY, -step);
    case Qt::Key_Down:
        return nudge(*m_txtY, step);
    default:
        return false;
    }
}

bool frmSetting::eventFilter(QObject *watched, QEvent *event)
{
    // The boxes would move their cursor; here the arrows move the picture.
    if (event->type() == QEvent::KeyPress && (watched == m_txtX || watched == m_txtY) &&
        Nudge(*static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void frmSetting::keyPressEvent(QKeyEvent *event)
{
    if (!Nudge(*event))
        QDialog::keyPressEvent(event);
}

} // namespace mrv
