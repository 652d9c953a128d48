#pragma once

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <list>

namespace mrv {

/// Decoded pictures kept between draws, keyed by path and checked against the file's size and
/// modification time, so a picture edited on disk is decoded anew the next time it is asked for.
/// Each picture also keeps one scaled copy, for the size last asked for (the current preview
/// scale). Pictures that cannot be read are remembered as null until their file changes.
/// The least recently used pictures are dropped when the cache grows beyond its budget.
/// Not thread-safe: the editor and the full-screen preview use it from the UI thread.
class PictureCache
{
public:
    static constexpr qint64 DefaultBudget = qint64(384) * 1024 * 1024;

    explicit PictureCache(qint64 budgetBytes = DefaultBudget) : m_budget(budgetBytes) {}

    /// The decoded picture, or a null image when the file is missing or not a picture.
    QImage Picture(const QString &path);

    /// The picture scaled smoothly to exactly `size` (its own pixels at its own size); null
    /// when the file is not a picture or the size is empty.
    QImage Scaled(const QString &path, QSize size);

    /// The piece `part` of the picture scaled to `size` (`part` in the scaled picture's
    /// coordinates, cut to it), made by scaling only the source pixels under that piece, so
    /// a picture scaled far beyond what is shown costs no more than the piece. Not kept; null
    /// when the file is not a picture or the piece is empty.
    QImage ScaledPart(const QString &path, QSize size, const QRect &part);

    /// Forgets every picture.
    void Clear();

    /// How often a file was decoded and a scaled copy made; for tests and benchmarks.
    qint64 DecodeCount() const { return m_decodes; }
    qint64 ScaleCount() const { return m_scales; }
    /// Bytes held by the decoded pictures and their scaled copies.
    qint64 CostBytes() const { return m_cost; }
    int Count() const { return int(m_entries.size()); }

private:
    struct Entry
    {
        qint64 fileSize = -1;
        QDateTime modified;
        QImage picture;
        QImage scaled;
        std::list<QString>::iterator lru;
    };

    /// The entry for the path, decoded anew when the file changed; nullptr when no file exists.
    Entry *Lookup(const QString &path);
    static qint64 Cost(const Entry &e);
    void Trim(const QString &keep);
    void Erase(const QString &path);

    QHash<QString, Entry> m_entries;
    std::list<QString> m_order; ///< most recently used first
    qint64 m_budget;
    qint64 m_cost = 0;
    qint64 m_decodes = 0;
    qint64 m_scales = 0;
};

} // namespace mrv
