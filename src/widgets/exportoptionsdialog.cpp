#include "widgets/exportoptionsdialog.h"

#include "widgets/dialogbuttons.h"
#include "widgets/numberbox.h"
#include "support/appinfo.h"
#include "support/tr.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace mrv {

ExportOptionsDialog::ExportOptionsDialog(const OptionsRequest &request, QWidget *parent)
    : QDialog(parent), m_request(request), m_problem(new QLabel(this))
{
    setObjectName(QStringLiteral("frmExportOptions"));
    setWindowTitle(request.title.isEmpty() ? AppInfo::Title() : request.title);
    setStyleSheet(InvalidBoxStyle());
    setMinimumWidth(380);
    KeepTitleWhole(*this);

    auto *column = new QVBoxLayout(this);
    for (const ExportOptionSpec &spec : request.specs) {
        std::unique_ptr<OptionField> field = MakeOptionField(request.targetId, spec, this);
        field->setValue(request.proposed.values.value(spec.name, spec.defaultValue));
        connect(field.get(), &OptionField::edited, this, &ExportOptionsDialog::Review);
        QLabel *label = nullptr;
        // Labels above their boxes, the width of the dialog: the loop question is a sentence.
        if (!field->captioned()) {
            label = new QLabel(spec.prompt.isEmpty() ? spec.name : spec.prompt, this);
            label->setObjectName(OptionObjectName(QStringLiteral("lbl"), spec.name));
            label->setWordWrap(true);
            label->setBuddy(field->widget());
            column->addWidget(label);
        }
        column->addWidget(field->widget());
        QLabel *written = nullptr;
        if (spec.writtenAs) {
            written = new QLabel(this);
            written->setObjectName(OptionObjectName(QStringLiteral("lbl"), spec.name) +
                                   QStringLiteral("Written"));
            written->setWordWrap(true);
            column->addWidget(written);
        }
        column->addSpacing(4);
        m_labels.push_back(label);
        m_written.push_back(written);
        m_fields.push_back(std::move(field));
    }

    m_problem->setObjectName(QStringLiteral("lblProblem"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #d00000;"));
    QDialogButtonBox *buttons = MakeOkCancelButtons(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);

    column->addStretch(1);
    column->addWidget(m_problem);
    column->addWidget(buttons);
    Review();
    // Wrapped labels take fewer lines at the dialog's width than at their own narrower guess.
    const int width = std::max(minimumWidth(), sizeHint().width());
    resize(width, heightForWidth(width));
    for (const auto &field : m_fields)
        if (field->widget()->isEnabled()) {
            field->widget()->setFocus();
            break;
        }
}

ExportOptionsDialog::~ExportOptionsDialog() = default;

ExportOptions ExportOptionsDialog::Chosen() const
{
    ExportOptions chosen = m_request.proposed;
    for (const auto &field : m_fields)
        if (const Result<QVariant> value = field->value())
            chosen.values.insert(field->spec().name, *value);
    return chosen;
}

void ExportOptionsDialog::Review()
{
    const ExportOptions current = Chosen();
    QString problem;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const OptionField &field = *m_fields[i];
        const bool used = !m_request.used || m_request.used(field.spec().name, current);
        field.widget()->setEnabled(used);
        if (m_labels[i])
            m_labels[i]->setEnabled(used);
        const Result<QVariant> value = field.value();
        MarkInvalid(*field.markedBox(), !value);
        if (QLabel *written = m_written[i]) {
            // What the export makes of the text, so that nothing is replaced unseen.
            written->setText(value ? Tr::tr("将写为“%1”").arg(field.spec().writtenAs(value->toString()))
                                   : QString());
            written->setVisible(value.ok());
        }
        if (!value && used && problem.isEmpty())
            problem = Tr::tr("%1：%2").arg(field.spec().prompt.isEmpty() ? field.spec().name
                                                                  : field.spec().prompt,
                                            value.message());
    }
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    m_ok->setEnabled(problem.isEmpty());
    // The problem line takes room the open dialog may not have: it grows rather than
    // squeezing the labels.
    if (isVisible())
        if (const int needed = heightForWidth(width()); needed > height())
            resize(width(), needed);
}

} // namespace mrv
