#include "export/exportregistry.h"

#include "export/animationexporter.h"
#include "export/bootanimationexporter.h"
#include "export/longpictureexporter.h"
#include "export/plymouthexporter.h"
#include "export/projectimagesexporter.h"
#include "export/sequenceexporter.h"

namespace mrv {

const std::vector<const Exporter *> &ExportRegistry::All()
{
    static const ProjectImagesExporter images;
    static const SequenceExporter sequence;
    static const LongPictureExporter longPicture;
    static const AnimationExporter animation;
    static const PlymouthExporter plymouth;
    static const BootAnimationExporter bootAnimation;
    static const std::vector<const Exporter *> all{&images,    &sequence, &longPicture,
                                                   &animation, &plymouth, &bootAnimation};
    return all;
}

const Exporter *ExportRegistry::Find(QStringView id)
{
    for (const Exporter *exporter : All())
        if (exporter->id() == id)
            return exporter;
    return nullptr;
}

} // namespace mrv
