#pragma once

#include "project/aimage.h"

#include <QString>

#include <memory>
#include <vector>

namespace mrv {

/// The frames of an animation in playing order. Positions are 1-based; an entry may carry a
/// unique text key. Entries are shared: an aImage returned here is the frame itself.
class aFrame
{
public:
    aFrame() = default;
    /// Copies are deep: a copied list does not share frames with the original.
    aFrame(const aFrame &other);
    aFrame &operator=(const aFrame &other);
    aFrame(aFrame &&) noexcept = default;
    aFrame &operator=(aFrame &&) noexcept = default;

    /// Appends a new frame; stored under the key when it is a non-empty text not yet used
    /// (a used key returns nullptr and adds nothing).
    aImage *Add(const QString &url, qint16 x, qint16 y, const QString &key = {});
    /// The frame at a 1-based position, or nullptr outside 1..Count.
    aImage *Item(int position) const;
    /// The frame stored under a key, or nullptr.
    aImage *Item(const QString &key) const;
    int Count() const { return int(m_items.size()); }
    /// Removes one frame; the frames behind it move up. False when there is none.
    bool Remove(int position);
    bool Remove(const QString &key);
    void Reserve(int count) { m_items.reserve(size_t(count)); }

    class Iterator
    {
    public:
        using Inner = std::vector<std::shared_ptr<aImage>>::const_iterator;
        explicit Iterator(Inner it) : m_it(it) {}
        aImage &operator*() const { return **m_it; }
        aImage *operator->() const { return m_it->get(); }
        Iterator &operator++()
        {
            ++m_it;
            return *this;
        }
        bool operator==(const Iterator &) const = default;

    private:
        Inner m_it;
    };
    Iterator begin() const { return Iterator(m_items.cbegin()); }
    Iterator end() const { return Iterator(m_items.cend()); }

private:
    int indexOfKey(const QString &key) const;

    std::vector<std::shared_ptr<aImage>> m_items;
    std::vector<QString> m_keys; ///< parallel to m_items; empty for entries without key
};

} // namespace mrv
