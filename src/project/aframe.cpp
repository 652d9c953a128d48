#include "project/aframe.h"

namespace mrv {

aFrame::aFrame(const aFrame &other) : m_keys(other.m_keys)
{
    m_items.reserve(other.m_items.size());
    for (const auto &item : other.m_items)
        m_items.push_back(std::make_shared<aImage>(*item));
}

aFrame &aFrame::operator=(const aFrame &other)
{
    if (this != &other) {
        aFrame copy(other);
        *this = std::move(copy);
    }
    return *this;
}

aImage *aFrame::Add(const QString &url, qint16 x, qint16 y, const QString &key)
{
    if (!key.isEmpty() && indexOfKey(key) >= 0)
        return nullptr;
    m_items.push_back(std::make_shared<aImage>(aImage{url, x, y}));
    m_keys.push_back(key);
    return m_items.back().get();
}

aImage *aFrame::Item(int position) const
{
    if (position < 1 || position > Count())
        return nullptr;
    return m_items[size_t(position - 1)].get();
}

aImage *aFrame::Item(const QString &key) const
{
    const int index = indexOfKey(key);
    return index < 0 ? nullptr : m_items[size_t(index)].get();
}

bool aFrame::Remove(int position)
{
    if (position < 1 || position > Count())
        return false;
    m_items.erase(m_items.begin() + (position - 1));
    m_keys.erase(m_keys.begin() + (position - 1));
    return true;
}

bool aFrame::Remove(const QString &key)
{
    const int index = indexOfKey(key);
    return index >= 0 && Remove(index + 1);
}

int aFrame::indexOfKey(const QString &key) const
{
    if (key.isEmpty())
        return -1;
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i] == key)
            return int(i);
    return -1;
}

} // namespace mrv
