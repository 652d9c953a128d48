#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QtEndian>

#include <ostream>

namespace mrv::test {

/// A temporary folder for one test, removed afterwards.
class TempFolder
{
public:
    TempFolder();
    QString path() const { return m_dir.path(); }
    /// Absolute path of a file inside the folder.
    QString file(const QString &name) const;
    /// Writes bytes to a file inside the folder (creating sub-folders) and returns its path.
    QString write(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

QByteArray ReadAll(const QString &path);

/// v as big-endian bytes, as PNG and APNG fields store it.
inline QByteArray Be32(quint32 v)
{
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}
inline QByteArray Be16(quint16 v)
{
    QByteArray b(2, '\0');
    qToBigEndian(v, b.data());
    return b;
}

/// A small tmpfs mounted on a temporary folder, the real thing for full-disk tests; unmounted
/// afterwards. Mounting needs root: elsewhere Mounted() is false and the test skips, saying so.
class SmallDisk
{
public:
    explicit SmallDisk(int kilobytes = 64);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool Mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.file(name); }
    /// Takes the free space with a filler file until no more than `leave` bytes remain.
    void Fill(qint64 leave = 0) const;

private:
    TempFolder m_dir;
    bool m_mounted = false;
};

#define MIROVANE_SKIP_WITHOUT_DISK(disk)                                                           \
    if (!(disk).Mounted())                                                                         \
    GTEST_SKIP() << "SKIPPED: mounting a small tmpfs needs root; the full-disk case did not run"

} // namespace mrv::test

// Readable failure output for Qt strings in GoogleTest messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"' << bytes.toStdString() << '"';
}
inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << text.toStdString();
}
