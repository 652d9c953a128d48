#pragma once

#include "document/projectdocument.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

namespace mrv::test {

/// A view of a document kept up to date from its signals alone, the way the editor's list and
/// preview will be. If a signal is missing or names the wrong frame, the copy drifts from the
/// document and Matches says so.
class DocumentMirror : public QObject
{
public:
    explicit DocumentMirror(const ProjectDocument &document);

    /// Empty when the copy equals the document; otherwise what differs.
    QString Differences() const;
    /// Signals that named frames outside the list at the time they came.
    int badIndexes = 0;

private:
    void reloadAll();
    const ProjectDocument &m_document;
    QString m_name;
    qint16 m_width = 0;
    qint16 m_height = 0;
    aImage m_background;
    QString m_backgroundPath;
    std::vector<aImage> m_frames;
    QStringList m_framePaths;
};

} // namespace mrv::test
