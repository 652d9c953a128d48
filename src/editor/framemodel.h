#pragma once

#include "document/frameorder.h"
#include "editor/thumbnailmaker.h"

#include <QAbstractListModel>
#include <QHash>
#include <QItemSelectionModel>
#include <QList>
#include <QSet>
#include <QTimer>

#include <vector>

namespace mrv {

class PictureCache;
class ProjectDocument;

/// The frames of the open project, one row per frame, for every view that shows them (the
/// frame rows, the thumbnail strip, the frame menu). The rows follow the document's signals;
/// the one selection (`Selection()`: the picked frames and the current one) moves with the
/// frames. A path's problem is judged when the frame arrives and again when its path changes;
/// thumbnails are made on the thread pool as views ask for them.
class FrameModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        StoredPathRole = Qt::UserRole + 1, ///< the path as the project stores it
        ResolvedPathRole,                  ///< the file it names; empty when it names none
        PathProblemRole, ///< why the path names no drawable picture; empty: it does
        ProblemRole,     ///< why the picture cannot be shown (the path's, or the thumbnail's)
        OffsetRole,      ///< QPoint
        LoopStartRole,   ///< true for the first frame of the loop
        LoopRole,        ///< true for the frames of the loop part; false for the intro
    };

    FrameModel(ProjectDocument &document, PictureCache &cache, int thumbSide,
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
    /// The one selection every view of the frames shares.
    QItemSelectionModel &Selection() { return m_selection; }
    const QItemSelectionModel &Selection() const { return m_selection; }

    // Frames are 1-based here, as the user counts them.
    QModelIndex IndexOf(int frame) const { return index(frame - 1); }
    /// The current frame; 0 when there is none.
    int CurrentFrame() const;
    /// The picked frames, ascending.
    QList<int> PickedFrames() const;
    bool IsPicked(int frame) const;
    /// Picks these frames (those outside the list are dropped) and makes `current` current.
    void Pick(const QList<int> &frames, int current);
    /// Makes the frame current as the slider, playback or a command reaches it: a frame not
    /// picked becomes the only pick, so what is marked is what the frame menu acts on.
    void Reach(int frame);

private:
    struct Judged
    {
        QString url;
        QString resolved;
        QString problem;
    };

    ThumbnailJob JobOf(int frame) const;
    /// Why the frame's path names no drawable picture; decoding it when `decode`.
    Judged Judge(int frame, bool decode) const;
    void Reset();
    void Insert(int first, int count);
    void Remove(int first, int count);
    void Reorder(const FrameOrder &order);
    void Change(int frame);
    void NewScene();
    void RequestPending();
    void Made(const QString &key, const QImage &image, bool readable);
    void RowsChanged(int first, int last, const QList<int> &roles = {});

    struct Thumb
    {
        QImage image;
        bool readable = true;
    };

    ProjectDocument &m_document;
    PictureCache &m_cache;
    QItemSelectionModel m_selection;
    ThumbnailMaker m_maker;
    std::vector<Judged> m_judged;
    QHash<QString, Thumb> m_thumbs;
    mutable QSet<QString> m_requested;
    mutable QList<ThumbnailJob> m_pending;
    mutable QTimer m_batch;
};

} // namespace mrv
