#include "support/threadshutdown.h"

#include <QtGlobal>

#include <chrono>
#include <thread>

#ifdef Q_OS_LINUX
#include <dirent.h>

#include <fstream>
#include <string>
#endif

namespace mrv {

namespace {

#ifdef Q_OS_LINUX
/// Whether a thread of this process still carries the name Qt gives its pool threads.
bool PoolThreadAlive()
{
    DIR *tasks = opendir("/proc/self/task");
    if (!tasks)
        return false;
    bool alive = false;
    while (const dirent *entry = readdir(tasks)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
        std::string name;
        if (std::getline(comm, name) && name == "Thread (pooled)") {
            alive = true;
            break;
        }
    }
    closedir(tasks);
    return alive;
}
#else
bool PoolThreadAlive()
{
    return false;
}
#endif

} // namespace

void WaitForPoolThreadsToEnd(int maxMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
    while (PoolThreadAlive() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace mrv
