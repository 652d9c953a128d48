#pragma once

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mrv {

class FrameTimer;
class Prompts;
struct Settings;

/// The options dialog: the frame times of the editor's and the full-screen animation, the
/// interface language (the system's, Chinese or English; it takes effect at the next start),
/// and the two switches (formatted project files, the frame list following the slider).
///
/// The editor's frame time is its play timer's frame time; the full-screen frame time is the
/// one the full-screen window's play timer takes when it opens, held by the caller.
/// OK applies both at once and records them in the window document.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    frmOptions(Settings &settings, Prompts &prompts, FrameTimer &editorTimer,
               int &fullscreenFrameTime, QWidget *parent = nullptr);

    /// Centres the dialog on the screen and fills the controls from the current values.
    void Form_Load();

    /// Checks and applies both times; then stores them and the switches and closes. A
    /// time that does not pass its check shows a message and keeps the dialog open (OK is
    /// disabled while one does not, so only a direct call meets it).
    void cmdOK_Click();
    /// Closes the dialog; nothing changes.
    void cmdCancel_Click();

    QLineEdit &TxtFrameTimeW() const { return *m_txtFrameTime_W; }
    QLineEdit &TxtFrameTimeF() const { return *m_txtFrameTime_F; }
    QComboBox &ComLanguage() const { return *m_comLanguage; }
    QCheckBox &ChkFormatProject() const { return *m_chkFormatProject; }
    QCheckBox &ChkFrameFocus() const { return *m_chkFrameFocus; }
    QLabel &LblProblem() const { return *m_lblProblem; }
    QPushButton &CmdOK() const { return *m_cmdOK; }
    QPushButton &CmdCancel() const { return *m_cmdCancel; }

private:
    void BuildControls();
    /// The time in the box, or nothing after telling the user what is wrong with it.
    std::optional<int> CheckedTime(QLineEdit &box, const QString &title);
    /// Marks the time boxes that hold no time the timers take, says why in `lblProblem` and
    /// enables OK only when both are good; run as they are typed.
    void Review();
    /// Takes the chosen language, saying when it applies if it changed.
    void ApplyLanguage();

    Settings &m_settings;
    Prompts &m_prompts;
    FrameTimer &m_editorTimer;
    int &m_fullscreenFrameTime;
    QLabel *m_lblFrameTime_W = nullptr;
    QLineEdit *m_txtFrameTime_W = nullptr;
    QLabel *m_lblFrameTime_F = nullptr;
    QLineEdit *m_txtFrameTime_F = nullptr;
    QLabel *m_lblLanguage = nullptr;
    QComboBox *m_comLanguage = nullptr;
    QCheckBox *m_chkFormatProject = nullptr;
    QCheckBox *m_chkFrameFocus = nullptr;
    QLabel *m_lblProblem = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};

} // namespace mrv
