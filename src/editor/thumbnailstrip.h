#pragma once

#include <QDockWidget>

#include <functional>

class QListView;

namespace mrv {

class FrameStripModel;
class ProjectDocument;

/// The dock `dockThumbnails` holding the strip `lstThumbnails`: the current frame is marked
/// and kept in view; clicking or stepping with the keys chooses a frame.
class ThumbnailStrip : public QDockWidget
{
    Q_OBJECT

public:
    ThumbnailStrip(ProjectDocument &document, std::function<QString(int)> problem,
                   QWidget *parent = nullptr);

    QListView &View() const { return *m_view; }
    FrameStripModel &Model() const { return *m_model; }
    /// Marks frame `frame` as current and scrolls it into view.
    void SetCurrent(int frame);

signals:
    /// The user chose frame `frame` in the strip.
    void frameChosen(int frame);
    /// Delete or Insert was pressed while the strip had the focus.
    void deleteKeyPressed();
    void insertKeyPressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FrameStripModel *m_model;
    QListView *m_view;
    bool m_setting = false;
};

} // namespace mrv
