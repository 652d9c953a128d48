#include "update/updatemessages.h"

#include "update/changelog.h"

#include <QStringList>

namespace mrv {

UpdateMessage FetchFailedMessage()
{
    return {QStringLiteral("连接失败"),
            QStringLiteral("获取最新版本号失败，请检查是否连接上Internet，也有可能是服务器不正常。")};
}

UpdateMessage NewVersionMessage(const VersionInfo &info, const VersionNumber &running)
{
    const QString head = QStringList{
        QStringLiteral(" 检测到有新的版本"),
        QStringLiteral("发布时间") + info.Time,
        QString(),
        QStringLiteral("您的当前版本：") + VersionText(running),
        QStringLiteral("最新版本：    ") + NewestVersionText(info),
        QStringLiteral("更新日志："),
    }.join(UpdateLineBreak);
    return {info.Name + QStringLiteral("发现新版本"),
            head + UpdateLineBreak + ParseChangeLog(info.Log) + UpdateLineBreak + UpdateLineBreak
                + QStringLiteral("立即更新吗？")};
}

UpdateMessage NoNewVersionMessage(const VersionInfo &info, const VersionNumber &running)
{
    const QString text = QStringList{
        QStringLiteral("未发现新版本"),
        QString(),
        QStringLiteral("您的当前版本：") + VersionText(running),
        QStringLiteral("最新版本：") + NewestVersionText(info),
        QString(),
        QStringLiteral("是否访问网站查看？"),
    }.join(UpdateLineBreak);
    return {info.Name + QStringLiteral("未发现新版本"), text};
}

} // namespace mrv
