#pragma once

#include <QDockWidget>
#include <QList>
#include <QPoint>
#include <QStringList>

class QListView;
class QWidget;

namespace mrv {

class FrameModel;

/// The dock `dockThumbnails` holding the strip `lstThumbnails`, a view of the frames and of
/// their selection: the current frame is marked and kept in view; clicking or stepping with
/// the keys chooses a frame, Shift and Ctrl pick several as the frame list's row numbers do,
/// dragging thumbnails moves their frames, and picture files dropped between thumbnails
/// become frames there.
class ThumbnailStrip : public QDockWidget
{
    Q_OBJECT

public:
    explicit ThumbnailStrip(FrameModel &model, QWidget *parent = nullptr);

    QListView &View() const { return *m_view; }
    FrameModel &Model() const { return *m_model; }
    /// The frame a drop at `pos` on the view's viewport goes before: 1..count+1.
    int DropPlace(QPoint pos) const;

signals:
    /// Delete or Insert was pressed while the strip had the focus.
    void deleteKeyPressed();
    void insertKeyPressed();
    /// Files or folders were dropped to go before frame `before` (count + 1: at the end).
    void filesDropped(int before, const QStringList &files);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Takes a drag or drop of local files on the viewport; false for anything else.
    bool TakeFiles(QEvent *event);
    /// Keeps the current thumbnail in view.
    void FollowCurrent(const QModelIndex &current);
    /// Shows the line between the thumbnails where dropped files would go.
    void ShowDropLine(int before);

    FrameModel *m_model;
    QListView *m_view;
    QWidget *m_dropLine;
};

} // namespace mrv
