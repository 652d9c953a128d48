#include "editor/trimworkingset.h"

#include <QtGlobal>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace mrv {

void TrimWorkingSet()
{
#if defined(Q_OS_WIN)
    SetProcessWorkingSetSize(GetCurrentProcess(), SIZE_T(-1), SIZE_T(-1));
#elif defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace mrv
