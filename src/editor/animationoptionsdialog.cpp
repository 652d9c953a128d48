#include "editor/animationoptionsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace mrv {

AnimationOptionsDialog::AnimationOptionsDialog(const AnimationChoices &proposed, QWidget *parent)
    : QDialog(parent), m_loops(new QSpinBox(this)), m_area(new QComboBox(this)),
      m_repeat(new QCheckBox(QStringLiteral("循环播放"), this))
{
    setObjectName(QStringLiteral("frmAnimationOptions"));
    setWindowTitle(QStringLiteral("导出动画图片"));
    m_loops->setObjectName(QStringLiteral("spnLoops"));
    m_loops->setRange(1, 255);
    m_loops->setValue(proposed.loops);
    m_area->setObjectName(QStringLiteral("cboArea"));
    m_area->addItem(QStringLiteral("动画区域（200×200）"));
    m_area->addItem(QStringLiteral("整个屏幕"));
    m_area->setCurrentIndex(proposed.screen ? 1 : 0);
    m_repeat->setObjectName(QStringLiteral("chkRepeat"));
    m_repeat->setChecked(proposed.repeat);

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
    form->addRow(QStringLiteral("循环部分播放次数："), m_loops);
    form->addRow(QStringLiteral("画面："), m_area);
    form->addRow(m_repeat);
    form->addRow(buttons);
    m_loops->setFocus();
    m_loops->selectAll();
}

AnimationChoices AnimationOptionsDialog::Choices() const
{
    // A half-typed number ("" or "0") is not a value yet; the box keeps its last one.
    return {m_loops->value(), m_area->currentIndex() == 1, m_repeat->isChecked()};
}

} // namespace mrv
