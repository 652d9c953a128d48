#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

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
