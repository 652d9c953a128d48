#include "documentmirror.h"

namespace mrv::test {

DocumentMirror::DocumentMirror(const ProjectDocument &document) : m_document(document)
{
    reloadAll();
    connect(&document, &ProjectDocument::nameChanged, this,
            [this] { m_name = m_document.Project().aName; });
    connect(&document, &ProjectDocument::screenSizeChanged, this, [this] {
        m_width = m_document.Project().aWidth;
        m_height = m_document.Project().aHeight;
    });
    connect(&document, &ProjectDocument::backgroundChanged, this, [this] {
        m_background = m_document.Project().aBackground.value_or(aImage{});
        m_backgroundPath = m_document.BackgroundPath();
    });
    connect(&document, &ProjectDocument::frameChanged, this, [this](int frame) {
        if (frame < 1 || frame > int(m_frames.size()) || frame > m_document.FrameCount()) {
            ++badIndexes;
            return;
        }
        m_frames[size_t(frame - 1)] = *m_document.Frame(frame);
        m_framePaths[frame - 1] = m_document.FramePaths()[frame - 1];
    });
    connect(&document, &ProjectDocument::framesReset, this, [this] { reloadAll(); });
    connect(&document, &ProjectDocument::framesInserted, this, [this](int first, int count) {
        if (first < 1 || first > int(m_frames.size()) + 1 || count < 1 ||
            first + count - 1 > m_document.FrameCount()) {
            ++badIndexes;
            return;
        }
        for (int k = 0; k < count; ++k) {
            m_frames.insert(m_frames.begin() + (first - 1 + k), *m_document.Frame(first + k));
            m_framePaths.insert(first - 1 + k, m_document.FramePaths()[first - 1 + k]);
        }
    });
    connect(&document, &ProjectDocument::framesRemoved, this, [this](int first, int count) {
        if (first < 1 || count < 1 || first + count - 1 > int(m_frames.size())) {
            ++badIndexes;
            return;
        }
        m_frames.erase(m_frames.begin() + (first - 1), m_frames.begin() + (first - 1 + count));
        m_framePaths.remove(first - 1, count);
    });
}

void DocumentMirror::reloadAll()
{
    const MVK &project = m_document.Project();
    m_name = project.aName;
    m_width = project.aWidth;
    m_height = project.aHeight;
    m_background = project.aBackground.value_or(aImage{});
    m_backgroundPath = m_document.BackgroundPath();
    m_frames.clear();
    for (const aImage &frame : project.aFrame)
        m_frames.push_back(frame);
    m_framePaths = m_document.FramePaths();
}

QString DocumentMirror::Differences() const
{
    const MVK &project = m_document.Project();
    QStringList found;
    if (m_name != project.aName)
        found << QStringLiteral("name");
    if (m_width != project.aWidth || m_height != project.aHeight)
        found << QStringLiteral("screen size");
    if (m_background != project.aBackground.value_or(aImage{}) ||
        m_backgroundPath != m_document.BackgroundPath())
        found << QStringLiteral("background");
    if (int(m_frames.size()) != m_document.FrameCount()) {
        found << QStringLiteral("frame count %1, document %2")
                     .arg(m_frames.size())
                     .arg(m_document.FrameCount());
    } else {
        for (int k = 0; k < m_document.FrameCount(); ++k)
            if (m_frames[size_t(k)] != *m_document.Frame(k + 1) ||
                m_framePaths[k] != m_document.FramePaths()[k])
                found << QStringLiteral("frame %1").arg(k + 1);
    }
    if (badIndexes)
        found << QStringLiteral("%1 signals out of range").arg(badIndexes);
    return found.join(QStringLiteral(", "));
}

} // namespace mrv::test
