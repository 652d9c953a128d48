#include "import/importer.h"

#include "import/frameimporter.h"
#include "import/longpictureimporter.h"

namespace mrv {

QString Importer::cliUsage() const
{
    QString usage = QStringLiteral("%1 PROJECT %2").arg(id(), sourceName());
    for (const ImportOptionSpec &option : options())
        usage += QStringLiteral(" [%1 %2]").arg(option.cliFlag, option.valueName);
    return usage + QStringLiteral(" [--output OUT]");
}

const std::vector<const Importer *> &ImportRegistry::All()
{
    static const LongPictureImporter longPicture;
    static const FrameImporter frames;
    static const std::vector<const Importer *> all{&longPicture, &frames};
    return all;
}

const Importer *ImportRegistry::Find(QStringView id)
{
    for (const Importer *importer : All())
        if (importer->id() == id)
            return importer;
    return nullptr;
}

} // namespace mrv
