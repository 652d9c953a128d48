#include "cli/cliapp.h"

namespace mrv::cli {

std::vector<Command> ExportCommands()
{
    return {};
}

} // namespace mrv::cli
