#pragma once

#include <QStringView>

#include <vector>

namespace mrv {

class Exporter;

/// The export targets the program offers; the menu and the command line list them from here.
class ExportRegistry
{
public:
    /// Every target, in the order of the editor's File menu (project images, frame sequence,
    /// long picture).
    static const std::vector<const Exporter *> &All();
    /// The target with a command-line id, nullptr for none.
    static const Exporter *Find(QStringView id);
};

} // namespace mrv
