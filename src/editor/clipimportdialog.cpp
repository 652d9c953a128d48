#include "editor/clipimportdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

namespace mrv {

ClipImportDialog::ClipImportDialog(const ClipChoices &proposed, QWidget *parent)
    : QDialog(parent), m_fit(new QComboBox(this)), m_timing(new QComboBox(this))
{
    setObjectName(QStringLiteral("frmClipImport"));
    setWindowTitle(QStringLiteral("导入帧序列"));
    m_fit->setObjectName(QStringLiteral("cboFit"));
    m_fit->addItem(QStringLiteral("适应"), int(FrameFit::Contain));
    m_fit->addItem(QStringLiteral("填满"), int(FrameFit::Cover));
    m_fit->addItem(QStringLiteral("原始大小"), int(FrameFit::None));
    m_fit->setCurrentIndex(m_fit->findData(int(proposed.fit)));
    m_timing->setObjectName(QStringLiteral("cboTiming"));
    m_timing->addItem(QStringLiteral("按开机时间"), int(FrameTiming::Boot));
    m_timing->addItem(QStringLiteral("逐帧"), int(FrameTiming::Frames));
    m_timing->setCurrentIndex(m_timing->findData(int(proposed.timing)));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setText(QStringLiteral("确定"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("画面大小："), m_fit);
    form->addRow(QStringLiteral("帧时间："), m_timing);
    form->addRow(buttons);
    m_fit->setFocus();
}

ClipChoices ClipImportDialog::Choices() const
{
    return {FrameFit(m_fit->currentData().toInt()), FrameTiming(m_timing->currentData().toInt())};
}

} // namespace mrv
