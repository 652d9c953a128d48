#include "update/updatemessages.h"

#include "update/changelog.h"
#include "support/tr.h"

#include <QStringList>

namespace mrv {

UpdateMessage FetchFailedMessage()
{
    return {Tr::tr("连接失败"),
            Tr::tr("获取最新版本号失败，请检查是否连接上Internet，也有可能是服务器不正常。")};
}

UpdateMessage NewVersionMessage(const VersionInfo &info, const VersionNumber &running)
{
    const QString head = QStringList{
        Tr::tr(" 检测到有新的版本"),
        Tr::tr("发布时间%1").arg(info.Time),
        QString(),
        Tr::tr("您的当前版本：%1").arg(VersionText(running)),
        Tr::tr("最新版本：    %1").arg(NewestVersionText(info)),
        Tr::tr("更新日志："),
    }.join(UpdateLineBreak);
    return {Tr::tr("%1发现新版本").arg(info.Name),
            head + UpdateLineBreak + ParseChangeLog(info.Log) + UpdateLineBreak + UpdateLineBreak
                + Tr::tr("立即更新吗？")};
}

UpdateMessage NoNewVersionMessage(const VersionInfo &info, const VersionNumber &running)
{
    const QString text = QStringList{
        Tr::tr("未发现新版本"),
        QString(),
        Tr::tr("您的当前版本：%1").arg(VersionText(running)),
        Tr::tr("最新版本：%1").arg(NewestVersionText(info)),
        QString(),
        Tr::tr("是否访问网站查看？"),
    }.join(UpdateLineBreak);
    return {Tr::tr("%1未发现新版本").arg(info.Name), text};
}

} // namespace mrv
