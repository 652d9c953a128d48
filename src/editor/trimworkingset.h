#pragma once

namespace mrv {

/// Hands memory the process no longer uses back to the operating system, after a project has
/// been replaced. On glibc this releases free heap pages; on Windows it shrinks the working set.
void TrimWorkingSet();

} // namespace mrv
