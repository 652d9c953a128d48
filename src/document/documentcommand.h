#pragma once

#include "document/projectdocument.h"

#include <QUndoCommand>

namespace mrv {

/// Base of the document's undo steps: the only way in to the document's change functions.
class DocumentCommand : public QUndoCommand
{
protected:
    DocumentCommand(ProjectDocument &document, const QString &text) : m_document(document)
    {
        setText(text);
    }

    void applyName(const QString &name) const { m_document.applyName(name); }
    void applyScreenSize(qint16 width, qint16 height) const
    {
        m_document.applyScreenSize(width, height);
    }
    void applyBackgroundUrl(const QString &url) const { m_document.applyBackgroundUrl(url); }
    void applyBackgroundOffset(qint16 x, qint16 y) const { m_document.applyBackgroundOffset(x, y); }
    void applyFrameUrl(int frame, const QString &url) const
    {
        m_document.applyFrameUrl(frame, url);
    }
    void applyFrameOffset(int frame, qint16 x, qint16 y) const
    {
        m_document.applyFrameOffset(frame, x, y);
    }
    void applyFrames(const std::vector<aImage> &frames) const { m_document.applyFrames(frames); }
    void applyInsert(int first, const std::vector<aImage> &frames) const
    {
        m_document.applyInsert(first, frames);
    }
    void applyRemove(int first, int count) const { m_document.applyRemove(first, count); }
    void applyOrder(const FrameOrder &order) const { m_document.applyOrder(order); }

private:
    ProjectDocument &m_document;
};

} // namespace mrv
