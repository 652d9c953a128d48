#pragma once

#include "editor/thumbnailmaker.h"

#include <QAbstractListModel>
#include <QHash>
#include <QSet>
#include <QTimer>

#include <functional>

namespace mrv {

class ProjectDocument;

/// The frames of the document as thumbnails, one row per frame. Thumbnails are asked for as
/// the view paints them, made on the thread pool and kept by file and offset; the document's
/// signals say which rows to draw again.
class FrameStripModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        ProblemRole = Qt::UserRole + 1, ///< why the picture cannot be shown; empty: it can
        LoopStartRole,                  ///< true for the first frame of the loop
        LoopRole,                       ///< true for the frames of the loop part
    };

    /// `problem`: the path box's reason for frame i, if any.
    FrameStripModel(ProjectDocument &document, std::function<QString(int)> problem, int side,
                    QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Dragging thumbnails moves their frames, one undo step per drop.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

    ThumbnailMaker &Maker() { return m_maker; }
    /// Frame `frame`'s path box reason changed.
    void ProblemChanged(int frame);

private:
    ThumbnailJob JobOf(int frame) const;
    void Reset();
    void NewScene();
    void RequestPending();
    void Made(const QString &key, const QImage &image, bool readable);
    void RowsChanged(int first, int last);

    struct Thumb
    {
        QImage image;
        bool readable = true;
    };

    ProjectDocument &m_document;
    std::function<QString(int)> m_problem;
    ThumbnailMaker m_maker;
    int m_count = 0;
    QHash<QString, Thumb> m_cache;
    mutable QSet<QString> m_requested;
    mutable QList<ThumbnailJob> m_pending;
    mutable QTimer m_batch;
};

} // namespace mrv
