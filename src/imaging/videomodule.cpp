#include "imaging/videomodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <algorithm>

namespace mrv {

namespace {

QString ExecutableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

Result<VideoSourceFactory> Load()
{
    const QStringList candidates = VideoModule::Candidates(ExecutableFolder());
    const auto it = std::find_if(candidates.begin(), candidates.end(),
                                 [](const QString &path) { return QFileInfo::exists(path); });
    if (it == candidates.end()) {
        const auto folder = [&](int i) {
            return QDir::toNativeSeparators(QFileInfo(candidates[i]).absolutePath());
        };
        // Packages ship the module on its own; its package is what the user lacks.
        return Result<VideoSourceFactory>::Fail(
            Tr::tr("无法加载视频模块“%1”：“%2”和“%3”中都没有它。请安装软件包 %4")
                .arg(QStringLiteral(MIROVANE_VIDEO_MODULE), folder(0), folder(1),
                     QStringLiteral(MIROVANE_VIDEO_PACKAGE)));
    }
    // Never unloaded: sources it made may live until the process ends.
    static QLibrary library;
    library.setFileName(*it);
    const auto factory = reinterpret_cast<VideoSourceFactory>(
        library.resolve(QT_STRINGIFY(MIROVANE_VIDEO_FACTORY)));
    if (!factory)
        return Result<VideoSourceFactory>::Fail(Tr::tr("无法加载视频模块“%1”：%2")
                                                    .arg(QDir::toNativeSeparators(*it),
                                                         library.errorString()));
    return factory;
}

} // namespace

Result<VideoSourceFactory> VideoModule::Factory()
{
    static const Result<VideoSourceFactory> loaded = Load();
    return loaded;
}

QStringList VideoModule::Candidates(const QString &executableFolder)
{
    const QDir folder(executableFolder);
    return {folder.filePath(QStringLiteral(MIROVANE_VIDEO_MODULE)),
            QDir::cleanPath(folder.filePath(QStringLiteral(MIROVANE_VIDEO_MODULE_DIR "/")
                                            + QStringLiteral(MIROVANE_VIDEO_MODULE)))};
}

} // namespace mrv
