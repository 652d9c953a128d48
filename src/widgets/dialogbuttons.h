#pragma once

class QDialog;
class QDialogButtonBox;

namespace mrv {

/// The OK (`cmdOK`, the default) and Cancel (`cmdCancel`) buttons of one of the program's own
/// dialogs, in the program's language, accepting and rejecting the dialog.
QDialogButtonBox *MakeOkCancelButtons(QDialog &dialog);

} // namespace mrv
