#include "preview/frmoptions.h"

#include "settings/settings.h"
#include "widgets/keyfilter.h"
#include "widgets/makecontrol.h"
#include "widgets/numberbox.h"
#include "widgets/playback.h"
#include "widgets/prompts.h"
#include "preview/frametime.h"
#include "support/tr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <utility>

namespace mrv {

namespace {

const QString EditorWindow = QStringLiteral("frmEditer");
const QString FullscreenWindow = QStringLiteral("frmFullscreen");

QString WindowTimeTitle()
{
    return Tr::tr("窗体动画每帧时间输入错误");
}

QString FullscreenTimeTitle()
{
    return Tr::tr("全屏动画每帧时间输入错误");
}

} // namespace

frmOptions::frmOptions(Settings &settings, Prompts &prompts, FrameTimer &editorTimer,
                       int &fullscreenFrameTime, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_prompts(prompts), m_editorTimer(editorTimer),
      m_fullscreenFrameTime(fullscreenFrameTime)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(Tr::tr("选项"));
    setModal(true);
    BuildControls();
    connect(m_cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
}

void frmOptions::BuildControls()
{
    m_lblFrameTime_W = MakeControl<QLabel>(*this, "lblFrameTime_W", QRect(16, 20, 210, 22));
    m_lblFrameTime_W->setText(Tr::tr("窗口动画每帧时间 (毫秒)"));
    m_txtFrameTime_W = MakeControl<QLineEdit>(*this, "txtFrameTime_W", QRect(232, 18, 120, 26));
    m_lblFrameTime_F = MakeControl<QLabel>(*this, "lblFrameTime_F", QRect(16, 56, 210, 22));
    m_lblFrameTime_F->setText(Tr::tr("全屏动画每帧时间 (毫秒)"));
    m_txtFrameTime_F = MakeControl<QLineEdit>(*this, "txtFrameTime_F", QRect(232, 54, 120, 26));
    for (QLineEdit *box : {m_txtFrameTime_W, m_txtFrameTime_F}) {
        box->installEventFilter(new KeyFilterObject(KeyFilter::FrameTime, box));
        connect(box, &QLineEdit::textChanged, this, &frmOptions::Review);
    }
    setStyleSheet(InvalidBoxStyle());

    m_lblLanguage = MakeControl<QLabel>(*this, "lblLanguage", QRect(16, 92, 210, 22));
    m_lblLanguage->setText(Tr::tr("界面语言"));
    m_comLanguage = MakeControl<QComboBox>(*this, "comLanguage", QRect(232, 90, 120, 26));
    m_comLanguage->addItem(Tr::tr("跟随系统"), int(LanguageChoice::System));
    // untranslated: each language by its own name, found even from a language one cannot read.
    m_comLanguage->addItem(QStringLiteral("简体中文"), int(LanguageChoice::Chinese));
    m_comLanguage->addItem(QStringLiteral("English"), int(LanguageChoice::English));
    m_lblLanguage->setBuddy(m_comLanguage);

    m_chkFormatProject = MakeControl<QCheckBox>(*this, "chkFormatProject", QRect(16, 130, 336, 24));
    m_chkFormatProject->setText(Tr::tr("格式化输出工程文件"));
    m_chkFrameFocus = MakeControl<QCheckBox>(*this, "chkFrameFocus", QRect(16, 158, 336, 24));
    m_chkFrameFocus->setText(Tr::tr("拖动滑条，帧列表自动跳转到帧焦点"));

    m_lblProblem = MakeControl<QLabel>(*this, "lblProblem", QRect(16, 188, 336, 36));
    m_lblProblem->setWordWrap(true);
    m_lblProblem->setStyleSheet(QStringLiteral("color: #d00000;"));

    m_cmdOK = MakeControl<QPushButton>(*this, "cmdOK", QRect(176, 230, 84, 28));
    m_cmdOK->setText(Tr::tr("确定"));
    m_cmdOK->setDefault(true);
    m_cmdCancel = MakeControl<QPushButton>(*this, "cmdCancel", QRect(268, 230, 84, 28));
    m_cmdCancel->setText(Tr::tr("取消"));
    m_cmdCancel->setAutoDefault(false);
    setFixedSize(368, 274);
}

void frmOptions::Form_Load()
{
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect s = screen->geometry();
        move(s.left() + (s.width() - width()) / 2, s.top() + (s.height() - height()) / 2);
    }
    m_chkFormatProject->setChecked(m_settings.FormatProject);
    m_chkFrameFocus->setChecked(m_settings.FrameFocus);
    m_txtFrameTime_W->setText(QString::number(m_editorTimer.FrameTime()));
    m_txtFrameTime_F->setText(QString::number(m_fullscreenFrameTime));
    m_comLanguage->setCurrentIndex(m_comLanguage->findData(int(m_settings.Language)));
    Review();
}

void frmOptions::Review()
{
    QString problem;
    for (const auto &[box, title] : {std::pair{m_txtFrameTime_W, WindowTimeTitle()},
                                     std::pair{m_txtFrameTime_F, FullscreenTimeTitle()}}) {
        const Result<int> time = ParseFrameTime(box->text());
        MarkInvalid(*box, !time);
        if (!time && problem.isEmpty())
            problem = Tr::tr("%1：%2").arg(title, time.message());
    }
    m_lblProblem->setText(problem);
    m_cmdOK->setEnabled(problem.isEmpty());
}

std::optional<int> frmOptions::CheckedTime(QLineEdit &box, const QString &title)
{
    const Result<int> time = ParseFrameTime(box.text());
    if (time)
        return *time;
    m_prompts.Message({time.message(), title, MsgIcon::Warning, MsgButtons::Ok, MsgAnswer::Ok});
    box.setFocus();
    box.selectAll();
    return std::nullopt;
}

void frmOptions::cmdOK_Click()
{
    const auto windowTime = CheckedTime(*m_txtFrameTime_W, WindowTimeTitle());
    if (!windowTime)
        return;
    m_editorTimer.SetFrameTime(*windowTime);
    const auto fullscreenTime = CheckedTime(*m_txtFrameTime_F, FullscreenTimeTitle());
    if (!fullscreenTime)
        return;
    m_fullscreenFrameTime = *fullscreenTime;

    // The times are in force already; failing to record them costs only the next start's
    // values, so each write is tried on its own.
    pugi::xml_document &document = *m_settings.WindowDocument;
    static_cast<void>(StoreFrameTime(document, EditorWindow, *windowTime));
    static_cast<void>(StoreFrameTime(document, FullscreenWindow, *fullscreenTime));
    m_settings.FrameFocus = m_chkFrameFocus->isChecked();
    m_settings.FormatProject = m_chkFormatProject->isChecked();
    ApplyLanguage();
    accept();
}

void frmOptions::ApplyLanguage()
{
    const auto chosen = LanguageChoice(m_comLanguage->currentData().toInt());
    if (chosen == m_settings.Language)
        return;
    m_settings.Language = chosen;
    // Every window builds its texts once; the new language reaches them all at the next start.
    m_prompts.Message({Tr::tr("新的界面语言在下次启动 Mirovane 时使用。"), windowTitle(),
                       MsgIcon::Information, MsgButtons::Ok, MsgAnswer::Ok});
}

void frmOptions::cmdCancel_Click()
{
    reject();
}

} // namespace mrv
