#pragma once

#include "document/documentcommand.h"

namespace mrv {

/// Two 16-bit values set together: a screen size or an offset.
struct ValuePair
{
    qint16 first = 0;
    qint16 second = 0;

    bool operator==(const ValuePair &) const = default;
};

/// Merge ids: one per kind of value.
enum class ValueKind
{
    Name = 1,
    ScreenSize,
    BackgroundUrl,
    BackgroundOffset,
    FrameUrl,
    FrameOffset
};

/// Sets one value of the project. Consecutive edits of the same value (same kind, same frame)
/// made in the same edit session merge into one step; a merged step that ends where it began
/// is obsolete and leaves the history.
template <typename T> class ValueCommand : public DocumentCommand
{
public:
    int id() const override { return int(m_kind); }
    void redo() override { apply(m_after); }
    void undo() override { apply(m_before); }

    bool mergeWith(const QUndoCommand *other) override
    {
        // The stack asks only for the same id, and each kind is one class.
        const auto *next = static_cast<const ValueCommand *>(other);
        if (m_session == NoEditSession || next->m_session != m_session ||
            next->m_target != m_target || next->m_before != m_after)
            return false;
        m_after = next->m_after;
        setObsolete(m_after == m_before);
        return true;
    }

protected:
    ValueCommand(ProjectDocument &document, const QString &text, ValueKind kind, int target,
                 EditSession session, T before, T after)
        : DocumentCommand(document, text), m_kind(kind), m_target(target), m_session(session),
          m_before(std::move(before)), m_after(std::move(after))
    {}

    virtual void apply(const T &value) = 0;
    /// The frame the value belongs to; 0 for values of the project or the background.
    int target() const { return m_target; }

private:
    ValueKind m_kind;
    int m_target;
    EditSession m_session;
    T m_before;
    T m_after;
};

class NameCommand : public ValueCommand<QString>
{
public:
    NameCommand(ProjectDocument &document, EditSession session, QString before, QString after);

protected:
    void apply(const QString &name) override;
};

class ScreenSizeCommand : public ValueCommand<ValuePair>
{
public:
    ScreenSizeCommand(ProjectDocument &document, EditSession session, ValuePair before,
                      ValuePair after);

protected:
    void apply(const ValuePair &size) override;
};

class BackgroundUrlCommand : public ValueCommand<QString>
{
public:
    BackgroundUrlCommand(ProjectDocument &document, EditSession session, QString before,
                         QString after);

protected:
    void apply(const QString &url) override;
};

class BackgroundOffsetCommand : public ValueCommand<ValuePair>
{
public:
    BackgroundOffsetCommand(ProjectDocument &document, ValuePair before, ValuePair after);

protected:
    void apply(const ValuePair &offset) override;
};

class FrameUrlCommand : public ValueCommand<QString>
{
public:
    FrameUrlCommand(ProjectDocument &document, int frame, EditSession session, QString before,
                    QString after);

protected:
    void apply(const QString &url) override;
};

class FrameOffsetCommand : public ValueCommand<ValuePair>
{
public:
    FrameOffsetCommand(ProjectDocument &document, int frame, ValuePair before, ValuePair after);

protected:
    void apply(const ValuePair &offset) override;
};

} // namespace mrv
