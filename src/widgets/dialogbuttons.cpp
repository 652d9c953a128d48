#include "widgets/dialogbuttons.h"

#include "support/tr.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPushButton>

#include <algorithm>

namespace mrv {

QDialogButtonBox *MakeOkCancelButtons(QDialog &dialog)
{
    auto *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setText(Tr::tr("确定"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setText(Tr::tr("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

void KeepTitleWhole(QWidget &window)
{
    // Title bars draw in a bold face of about the window's size; the icon and three buttons
    // take about 110 pixels of it.
    QFont title = window.font();
    title.setBold(true);
    const int needed = QFontMetrics(title).horizontalAdvance(window.windowTitle()) + 110;
    window.setMinimumWidth(std::max(window.minimumWidth(), needed));
}

void WidenToText(QPushButton &button)
{
    constexpr int Room = 8; // at each end, so the caption does not touch the border
    const int needed = button.fontMetrics().horizontalAdvance(button.text()) + 2 * Room;
    if (needed > button.width())
        button.resize(needed, button.height());
}

} // namespace mrv
