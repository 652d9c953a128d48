#include "export/exportregistry.h"

#include "export/animationexporter.h"
#include "export/bootanimationexporter.h"
#include "export/longpictureexporter.h"
#include "export/plymouthexporter.h"
#include "export/projectimagesexporter.h"
#include "export/sequenceexporter.h"

#include <algorithm>

namespace mrv {

namespace {

template <typename Target> const Exporter *One()
{
    static const Target target;
    return &target;
}

/// Every target, one line each, in no particular order: their texts place them.
std::vector<const Exporter *> Targets()
{
    std::vector<const Exporter *> targets;
    targets.push_back(One<ProjectImagesExporter>());
    targets.push_back(One<SequenceExporter>());
    targets.push_back(One<LongPictureExporter>());
    targets.push_back(One<AnimationExporter>());
    targets.push_back(One<PlymouthExporter>());
    targets.push_back(One<BootAnimationExporter>());
    return targets;
}

} // namespace

const std::vector<const Exporter *> &ExportRegistry::All()
{
    static const std::vector<const Exporter *> all = InMenuOrder(Targets());
    return all;
}

std::vector<const Exporter *> ExportRegistry::InMenuOrder(std::vector<const Exporter *> targets)
{
    std::stable_sort(targets.begin(), targets.end(), [](const Exporter *a, const Exporter *b) {
        const MenuPlace &x = a->texts().menuPlace;
        const MenuPlace &y = b->texts().menuPlace;
        return std::pair(x.group, x.order) < std::pair(y.group, y.order);
    });
    return targets;
}

std::vector<const Exporter *> ExportRegistry::InCliOrder()
{
    std::vector<const Exporter *> targets = All();
    std::stable_sort(targets.begin(), targets.end(), [](const Exporter *a, const Exporter *b) {
        return a->texts().cliOrder < b->texts().cliOrder;
    });
    return targets;
}

const Exporter *ExportRegistry::Find(QStringView id)
{
    for (const Exporter *exporter : All())
        if (exporter->id() == id)
            return exporter;
    return nullptr;
}

} // namespace mrv
