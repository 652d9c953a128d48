#pragma once

#include "support/result.h"

#include <QDialog>
#include <QPoint>

#include <pugixml.hpp>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mrv {

class MVK;
class Prompts;

/// The largest offset the dialog stores; larger entries are cut to it.
inline constexpr int MaxOffset = 30000;

/// Reads an offset box's text: a whole decimal number, optionally with a leading "-", cut to
/// MaxOffset and required to fit the 16-bit offsets. Fails with a message naming the box
/// (`name`, "X" or "Y") for empty text, a lone "-", anything malformed, or a value out of range.
Result<qint16> ParseOffsetText(const QString &text, const QString &name);

/// The offset moved by an arrow key's step, kept within -32768..MaxOffset.
qint16 NudgeOffset(qint16 value, int step);

/// What the dialog says it edits: "背景" for index 0, "第 n 帧" for frame n.
QString PictureName(int index);

/// The offset dialog: the X and Y offset of the background (`PicIndex` 0) or of frame
/// `PicIndex`, named in `lblPicture`. Make a new dialog for each opening, set `PicIndex`, call
/// `Form_Load` and run it modally; it is accepted with the chosen offsets in `Offset()`,
/// rejected when nothing is to change. The arrow keys nudge the offsets (Left/Right X,
/// Up/Down Y; by 1, with Shift by 10). Storing the offsets, redrawing and previewing are the
/// caller's.
class frmSetting : public QDialog
{
    Q_OBJECT

public:
    frmSetting(const MVK &project, const pugi::xml_node &layout, Prompts &prompts,
               QWidget *parent = nullptr);

    /// 0 edits the background, n >= 1 frame n. Deliberately no Qt property, so the window
    /// document cannot redirect the dialog to another picture.
    qint16 PicIndex = 0;

    /// Applies the window document's layout, then shows the picture's current offsets.
    void Form_Load();
    /// Accepts both offsets and closes; a box whose text is no usable offset is named in a
    /// message and the dialog stays open.
    void cmdSave_Click();
    /// The offsets accepted by Save.
    QPoint Offset() const { return m_offset; }
    /// Closes without storing anything.
    void cmdCancel_Click();

    QLineEdit &TxtX() const { return *m_txtX; }
    QLineEdit &TxtY() const { return *m_txtY; }
    QPushButton &CmdSave() const { return *m_cmdSave; }
    QPushButton &CmdCancel() const { return *m_cmdCancel; }
    QLabel &LblPicture() const { return *m_lblPicture; }

signals:
    /// The boxes changed and both hold usable offsets (cut to MaxOffset as Save stores
    /// them), so the caller can show the picture there before anything is stored.
    void offsetsChanged(qint16 x, qint16 y);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildControls();
    /// Applies an arrow key to its box; false for any other key.
    bool Nudge(const QKeyEvent &key);
    void EmitOffsets();
    /// The offset in the box, or nothing after telling the user what is wrong with it.
    std::optional<qint16> CheckedOffset(QLineEdit &box, const QString &name);

    const MVK &m_project;
    QPoint m_offset;
    const pugi::xml_node m_layout;
    Prompts &m_prompts;
    QLabel *m_lblPicture = nullptr;
    QLabel *m_lblX = nullptr;
    QLineEdit *m_txtX = nullptr;
    QLabel *m_lblY = nullptr;
    QLineEdit *m_txtY = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};

} // namespace mrv
