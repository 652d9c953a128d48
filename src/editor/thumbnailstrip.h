#pragma once

#include <QDockWidget>
#include <QList>
#include <QPoint>
#include <QStringList>

#include <functional>

class QListView;
class QWidget;

namespace mrv {

class FrameStripModel;
class ProjectDocument;

/// The dock `dockThumbnails` holding the strip `lstThumbnails`: the current frame is marked
/// and kept in view; clicking or stepping with the keys chooses a frame, Shift and Ctrl pick
/// several as the frame list's row numbers do, and picture files dropped between thumbnails
/// become frames there.
class ThumbnailStrip : public QDockWidget
{
    Q_OBJECT

public:
    ThumbnailStrip(ProjectDocument &document, std::function<QString(int)> problem,
                   QWidget *parent = nullptr);

    QListView &View() const { return *m_view; }
    FrameStripModel &Model() const { return *m_model; }
    /// Marks frame `frame` as current and scrolls it into view; the picked frames stay.
    void SetCurrent(int frame);
    /// Shows these frames as the picked ones (the frame list's picks).
    void SetPicked(const QList<int> &frames);
    /// The frame a drop at `pos` on the view's viewport goes before: 1..count+1.
    int DropPlace(QPoint pos) const;

signals:
    /// The user chose frame `frame` in the strip.
    void frameChosen(int frame);
    /// Delete or Insert was pressed while the strip had the focus.
    void deleteKeyPressed();
    void insertKeyPressed();
    /// The user picked these frames (ascending) by clicking or stepping in the strip.
    void picked(const QList<int> &frames);
    /// Files or folders were dropped to go before frame `before` (count + 1: at the end).
    void filesDropped(int before, const QStringList &files);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Takes a drag or drop of local files on the viewport; false for anything else.
    bool TakeFiles(QEvent *event);
    QList<int> Picked() const;
    /// Shows the line between the thumbnails where dropped files would go.
    void ShowDropLine(int before);

    FrameStripModel *m_model;
    QListView *m_view;
    QWidget *m_dropLine;
    bool m_setting = false;
};

} // namespace mrv
