#pragma once

#include "editor/framerowlayout.h"

#include <QLineEdit>
#include <QList>
#include <QObject>
#include <QPersistentModelIndex>
#include <QPoint>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QScrollBar;
class QWidget;

namespace mrv {

class FrameModel;

/// The keys that act on frames wherever the frames are shown (the list, the strip): Delete
/// and Insert without modifiers.
enum class FrameKey
{
    None,
    Delete,
    Insert,
};
FrameKey FrameKeyOf(const QKeyEvent &key);

/// A row's path box: while it is not being edited, a path too long for it shows with its
/// middle left out, so the file name at its end stays in view.
class PathBox : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    /// The text as the box shows it now.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect TextArea() const;
};

/// The frame list: the outer panel `picFrame` clipping the inner panel `picFrame_In`, which
/// holds one row per frame (the control arrays `lblFrame`, `txtFrame`, `cmdFrame_Browse`,
/// `cmdFrame_Setting`, made from the hidden template row 0), the highlight `shaFrame` and the
/// scrollbar `vscFrame`.
///
/// Every row has its place on the inner panel, but widgets exist only for the rows that show
/// (and a few around them): rows that scroll out of view hand their widgets on to the rows
/// that scroll in, except the row holding the focus, which keeps its widgets. A row's widgets are
/// made like the template row's and then receive the window-layout document's element for their
/// index (see SetRowLayoutHook).
class FrameList : public QObject
{
    Q_OBJECT

public:
    /// Builds the list's controls inside the panel.
    explicit FrameList(QFrame &panel);

    QFrame *Panel() const { return m_panel; }
    QWidget *Inner() const { return m_inner; }
    QScrollBar *ScrollBar() const { return m_scroll; }
    QFrame *Highlight() const { return m_highlight; }

    /// The template row's geometry and the highlight's left edge, as they stand now.
    RowTemplate Template() const;
    /// Measures the row metrics from the template row and sizes the highlight.
    void MeasureRows(int listDistance);
    const RowMetrics &Metrics() const { return m_metrics; }

    /// The frames the rows show and the selection they share with the other views; the rows
    /// follow the model from now on.
    void SetModel(FrameModel &model);
    int RowCount() const;
    /// The stored path of row `row`'s frame.
    QString RowText(int row) const;
    /// Why row `row`'s picture cannot be read (empty: it can); the path box shows it
    /// whichever widgets the row is given (see MarkPathBox).
    QString RowProblem(int row) const;

    /// Lays out the rows in the panel and sets up the scrollbar; ends with vscFrame_Change.
    void ArrangeFrameRows();
    const RowArrangement &Arrangement() const { return m_arrangement; }
    /// Moves the inner panel for the scrollbar's value (`vscFrame_Change`).
    void vscFrame_Change();
    /// True when row `row` and its highlight show whole in the panel.
    bool RowInView(int row) const;
    /// Scrolls the list as little as it takes to show row `row` whole; a row in view stays put.
    void RevealRow(int row);

    /// Row widgets that exist right now, for tests and for later editing: nullptr when the
    /// row is out of view.
    QLabel *RowLabel(int row) const;
    QLineEdit *RowPath(int row) const;
    QPushButton *RowBrowse(int row) const;
    QPushButton *RowSetting(int row) const;

    /// The picked rows, ascending: the model's selection.
    QList<int> Selection() const;
    bool IsPicked(int row) const;
    /// What a click on row `row`'s number does: Shift picks the range from the last row
    /// clicked, Ctrl adds or drops the row, a plain click picks it alone; the row becomes
    /// current.
    void ClickLabel(int row, Qt::KeyboardModifiers modifiers);
    /// The row at a height on the inner panel: 1..RowCount(), or RowCount() + 1 below the
    /// last row.
    int RowAt(int innerY) const;

    /// Called for each control of a row when its widgets take up that row (after they were
    /// made like the template row); the editor applies the layout document here.
    void SetRowLayoutHook(std::function<void(QObject &)> hook) { m_layoutHook = std::move(hook); }

    /// Called once for every path box and browse button that rows use, now and later, so
    /// the editor can take file drops on them; a row's controls carry its number in "Index".
    void SetRowDropHook(std::function<void(QWidget &)> hook);

signals:
    /// The user changed the text of a row's path box.
    void rowTextEdited(int row, const QString &text);
    void browseClicked(int row);
    void settingClicked(int row);
    /// The row menu was asked for over a row (its number, its buttons or the space around).
    void rowMenuRequested(int row, QPoint globalPos);
    /// Delete or Insert was pressed while the list (not a path box) had the focus.
    void deleteKeyPressed();
    void insertKeyPressed();
    /// Several files, or a folder, were dropped over a row's number or the space around the
    /// rows (row RowCount() + 1 below the last); the path boxes and browse buttons keep taking
    /// only a drop's first file.
    void filesDropped(int row, const QStringList &files);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row
    {
        QLabel *label = nullptr;
        QLineEdit *path = nullptr;
        QPushButton *browse = nullptr;
        QPushButton *setting = nullptr;
        int index = 0;
    };

    void Realize();
    /// How far the inner panel can move up.
    int Travel() const;
    /// Gives up every row's widgets, so the rows take new numbers; then lays them out again.
    void Renumber();
    Row TakeRow();
    void ReleaseRow(Row row);
    /// True when one of the row's widgets is the window's focus widget.
    bool HoldsFocus(const Row &row) const;
    /// Gives the focus to the list panel when a row's widget has it, before rows go away.
    void KeepFocusOffRows();
    void PlaceRow(const Row &row) const;
    void ShowRow(Row &row, int index);
    const Row *Find(int row) const;
    void WheelScroll(int angle);
    /// The current row, the one the keys step from and the highlight frames; 1 when there
    /// is none, where the highlight waits for the first row.
    int CurrentRow() const;
    /// Moves the highlight to the current row.
    void ShowCurrentRow();
    /// The rows in first..last show their frames' texts and marks again.
    void ShowRows(int first, int last);
    /// Up/Down/PageUp/PageDown/Home/End: the row the key leads to from the current one, or 0.
    int KeyTarget(int key) const;
    void ShowSelected(const Row &row) const;
    /// Handles a drag or drop of several files or of a folder; false for anything else.
    bool TakeManyFiles(QObject *watched, QEvent *event);
    int RowOf(QObject *watched, QPoint pos) const;

    QFrame *m_panel;
    QWidget *m_viewport;
    QWidget *m_inner;
    QScrollBar *m_scroll;
    QFrame *m_highlight;
    Row m_template;
    RowMetrics m_metrics;
    RowArrangement m_arrangement;
    FrameModel *m_model = nullptr;
    /// Where a Shift-click's range starts: the last row clicked, wherever it has moved since.
    QPersistentModelIndex m_anchor;
    std::map<int, Row> m_active;
    std::vector<Row> m_pool;
    std::function<void(QObject &)> m_layoutHook;
    std::function<void(QWidget &)> m_dropHook;
};

} // namespace mrv
