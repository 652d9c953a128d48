#include "widgets/clipimportdialog.h"

#include "widgets/dialogbuttons.h"
#include "support/tr.h"
#include "widgets/clipplacementview.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>

namespace mrv {

namespace {

// Long enough for any video the import's bounds let in.
constexpr double MaxSeconds = 86400;

qint64 Ms(const QDoubleSpinBox *box)
{
    return box ? qint64(std::llround(box->value() * 1000)) : 0;
}

} // namespace

ClipImportDialog::ClipImportDialog(const ClipImportRequest &request, QWidget *parent)
    : QDialog(parent), m_request(request),
      m_view(new ClipPlacementView(request.source.firstFrame, request.source.size,
                                   request.projectSize, this)),
      m_fit(new QComboBox(this)), m_timing(new QComboBox(this)), m_result(new QLabel(this))
{
    setObjectName(QStringLiteral("frmClipImport"));
    setWindowTitle(request.title);
    const ClipChoices &proposed = request.proposed;
    const ClipSource &source = request.source;
    const bool video = source.kind == ClipKind::Video;
    const double length = source.durationMs > 0 ? source.durationMs / 1000.0 : MaxSeconds;

    auto *about = new QLabel(Tr::tr("%1：%2 × %3 像素，%4 秒")
                                 .arg(QFileInfo(source.path).fileName())
                                 .arg(source.size.width())
                                 .arg(source.size.height())
                                 .arg(source.durationMs > 0
                                          ? QString::number(source.durationMs / 1000.0, 'f', 1)
                                          : QStringLiteral("?")),
                             this);
    about->setObjectName(QStringLiteral("lblSource"));
    m_fit->setObjectName(QStringLiteral("cboFit"));
    m_fit->addItem(Tr::tr("适应"), int(FrameFit::Contain));
    m_fit->addItem(Tr::tr("填满"), int(FrameFit::Cover));
    m_fit->addItem(Tr::tr("原始大小"), int(FrameFit::None));
    m_fit->setCurrentIndex(m_fit->findData(int(proposed.fit)));
    m_timing->setObjectName(QStringLiteral("cboTiming"));
    m_timing->addItem(Tr::tr("按开机时间"), int(FrameTiming::Boot));
    m_timing->addItem(Tr::tr("逐帧"), int(FrameTiming::Frames));
    m_timing->setCurrentIndex(m_timing->findData(int(proposed.timing)));
    m_result->setObjectName(QStringLiteral("lblResult"));
    m_result->setWordWrap(true);

    QDialogButtonBox *buttons = MakeOkCancelButtons(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);

    auto *form = new QFormLayout(this);
    form->addRow(about);
    form->addRow(m_view);
    form->addRow(Tr::tr("画面大小："), m_fit);
    form->addRow(Tr::tr("帧时间："), m_timing);
    if (video) {
        m_start = SecondsBox(QStringLiteral("txtStart"), proposed.startMs / 1000.0, length);
        m_end = SecondsBox(QStringLiteral("txtEnd"), proposed.endMs / 1000.0, MaxSeconds);
        form->addRow(Tr::tr("开始（秒）："), m_start);
        form->addRow(Tr::tr("结束（秒）："), m_end);
    }
    m_loopStart = SecondsBox(QStringLiteral("txtLoopStart"), proposed.loopStartMs / 1000.0, length);
    form->addRow(Tr::tr("循环起点（秒）："), m_loopStart);
    form->addRow(Tr::tr("导入结果："), m_result);
    form->addRow(buttons);

    for (QComboBox *box : {m_fit, m_timing})
        connect(box, &QComboBox::currentIndexChanged, this, &ClipImportDialog::Update);
    if (m_start && request.frameAt) {
        m_frame = new QFutureWatcher<QImage>(this);
        connect(m_frame, &QFutureWatcherBase::finished, this, [this] {
            if (const QImage frame = m_frame->result(); !frame.isNull())
                m_view->SetPicture(frame);
            // The start may have moved while this frame was read.
            if (Ms(m_start) != m_shownStartMs)
                ShowFrameAtStart();
        });
        connect(m_start, &QDoubleSpinBox::valueChanged, this, [this] {
            if (!m_frame->isRunning())
                ShowFrameAtStart();
        });
        if (proposed.startMs > 0)
            ShowFrameAtStart();
    }
    Update();
    m_fit->setFocus();
}

QDoubleSpinBox *ClipImportDialog::SecondsBox(const QString &name, double seconds, double maximum)
{
    auto *box = new QDoubleSpinBox(this);
    box->setObjectName(name);
    box->setDecimals(2);
    box->setRange(0, maximum);
    box->setSingleStep(0.5);
    box->setValue(seconds);
    connect(box, &QDoubleSpinBox::valueChanged, this, &ClipImportDialog::Update);
    return box;
}

void ClipImportDialog::ShowFrameAtStart()
{
    m_shownStartMs = Ms(m_start);
    m_frame->setFuture(
        QtConcurrent::run([frameAt = m_request.frameAt, ms = m_shownStartMs] { return frameAt(ms); }));
}

void ClipImportDialog::Update()
{
    const ClipChoices choices = Choices();
    m_view->SetFit(choices.fit);
    m_loopStart->setEnabled(choices.timing == FrameTiming::Boot);
    const ClipPlan plan = m_request.plan ? m_request.plan(choices) : ClipPlan{};
    m_result->setText(ClipPlanText(plan));
    if (m_ok)
        m_ok->setEnabled(plan.problem.isEmpty());
}

ClipChoices ClipImportDialog::Choices() const
{
    ClipChoices choices;
    choices.fit = FrameFit(m_fit->currentData().toInt());
    choices.timing = FrameTiming(m_timing->currentData().toInt());
    choices.startMs = Ms(m_start);
    choices.endMs = Ms(m_end);
    choices.loopStartMs = Ms(m_loopStart);
    return choices;
}

} // namespace mrv
