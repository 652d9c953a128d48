#pragma once

#include "widgets/optionfield.h"
#include "widgets/prompts.h"

#include <QDialog>

#include <memory>
#include <vector>

class QLabel;
class QPushButton;

namespace mrv {

/// The one options dialog of an export run (`frmExportOptions`), built from the target's
/// option specs: a box for each option in order, `lblProblem` saying what is wrong with a
/// box marked red (its `invalid` property set), under a text the export changes what it
/// writes (`lbl<Option>Written`), and `cmdOK`, which stays disabled while a
/// box in use holds a value the option cannot take, and `cmdCancel`. Boxes an option does
/// not use with the values shown are greyed.
class ExportOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ExportOptionsDialog(const OptionsRequest &request, QWidget *parent = nullptr);
    ~ExportOptionsDialog() override;

    /// The proposed options with the values the boxes hold; a greyed box holding no usable
    /// value keeps the proposed one.
    ExportOptions Chosen() const;

private:
    /// Marks the boxes that hold no usable value, greys the unused ones and enables OK.
    void Review();

    OptionsRequest m_request;
    std::vector<std::unique_ptr<OptionField>> m_fields;
    std::vector<QLabel *> m_labels; ///< entry i: the label of field i, null for a check box
    /// Entry i: what field i's text is written as, for an option that changes it; else null.
    std::vector<QLabel *> m_written;
    QLabel *m_problem;
    QPushButton *m_ok;
};

} // namespace mrv
