#pragma once

class QDialog;
class QDialogButtonBox;
class QPushButton;
class QWidget;

namespace mrv {

/// The OK (`cmdOK`, the default) and Cancel (`cmdCancel`) buttons of one of the program's own
/// dialogs, in the program's language, accepting and rejecting the dialog.
QDialogButtonBox *MakeOkCancelButtons(QDialog &dialog);

/// Makes the window at least as wide as its title needs beside a window manager's buttons,
/// which cut a longer one ("Export Animated Pic…re"). Call once the title is set.
void KeepTitleWhole(QWidget &window);

/// Widens a small fixed button to its text with some room at each end; a caption that fits
/// (a short Chinese one) keeps its design width.
void WidenToText(QPushButton &button);

} // namespace mrv
