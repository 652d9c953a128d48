// The project file reader: the editor's validity check, then OpenFile, then a save of what
// was read, which must read back to the same project.
#include "project/mvk.h"

#include "fuzzapp.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzApplication<QCoreApplication>();
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.mrv"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    if (!mrv::CheckProjectFile(path).ok())
        return 0;
    mrv::MVK project;
    if (!project.OpenFile(path).ok())
        return 0;
    const QString out = dir.filePath(QStringLiteral("out.mrv"));
    mrv::MVK copy = project;
    if (!copy.SaveFile(out, mrv::SaveOptions{size % 2 == 0, QString()}).ok())
        abort();
    mrv::MVK reread;
    if (!reread.OpenFile(out).ok() || reread.aFrame.Count() != project.aFrame.Count()
        || reread.aName != project.aName || reread.aWidth != project.aWidth)
        abort();
    return 0;
}
