#include "document/valuecommands.h"

#include "support/tr.h"

namespace mrv {

NameCommand::NameCommand(ProjectDocument &document, EditSession session, QString before,
                         QString after)
    : ValueCommand(document, Tr::tr("修改工程名"), ValueKind::Name, 0, session,
                   std::move(before), std::move(after))
{}

void NameCommand::apply(const QString &name)
{
    applyName(name);
}

ScreenSizeCommand::ScreenSizeCommand(ProjectDocument &document, EditSession session,
                                     ValuePair before, ValuePair after)
    : ValueCommand(document, Tr::tr("修改屏幕尺寸"), ValueKind::ScreenSize, 0, session,
                   before, after)
{}

void ScreenSizeCommand::apply(const ValuePair &size)
{
    applyScreenSize(size.first, size.second);
}

BackgroundUrlCommand::BackgroundUrlCommand(ProjectDocument &document, EditSession session,
                                           QString before, QString after)
    : ValueCommand(document, Tr::tr("修改背景图片"), ValueKind::BackgroundUrl, 0, session,
                   std::move(before), std::move(after))
{}

void BackgroundUrlCommand::apply(const QString &url)
{
    applyBackgroundUrl(url);
}

BackgroundOffsetCommand::BackgroundOffsetCommand(ProjectDocument &document, ValuePair before,
                                                 ValuePair after)
    : ValueCommand(document, Tr::tr("移动背景图片"), ValueKind::BackgroundOffset, 0,
                   NoEditSession, before, after)
{}

void BackgroundOffsetCommand::apply(const ValuePair &offset)
{
    applyBackgroundOffset(offset.first, offset.second);
}

FrameUrlCommand::FrameUrlCommand(ProjectDocument &document, int frame, EditSession session,
                                 QString before, QString after)
    : ValueCommand(document, Tr::tr("修改第 %1 帧图片").arg(frame), ValueKind::FrameUrl,
                   frame, session, std::move(before), std::move(after))
{}

void FrameUrlCommand::apply(const QString &url)
{
    applyFrameUrl(target(), url);
}

FrameOffsetCommand::FrameOffsetCommand(ProjectDocument &document, int frame, ValuePair before,
                                       ValuePair after)
    : ValueCommand(document, Tr::tr("移动第 %1 帧图片").arg(frame), ValueKind::FrameOffset,
                   frame, NoEditSession, before, after)
{}

void FrameOffsetCommand::apply(const ValuePair &offset)
{
    applyFrameOffset(target(), offset.first, offset.second);
}

} // namespace mrv
