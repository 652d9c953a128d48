#pragma once

#include <QStringView>

#include <vector>

namespace mrv {

class Exporter;

/// The export targets the program offers; the menu and the command line list them from here,
/// each in the order the targets' texts give.
class ExportRegistry
{
public:
    /// Every target, in the order of the editor's File menu: by group, then by order.
    static const std::vector<const Exporter *> &All();
    /// Every target, in the order of the command line's help.
    static std::vector<const Exporter *> InCliOrder();
    /// The targets sorted into the File menu's order: by group, then by order within it.
    static std::vector<const Exporter *> InMenuOrder(std::vector<const Exporter *> targets);
    /// The target with a command-line id, nullptr for none.
    static const Exporter *Find(QStringView id);
};

} // namespace mrv
