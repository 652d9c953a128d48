#pragma once

namespace mrv {

/// Waits, for at most maxMs, until the threads of Qt's thread pools have ended in the
/// system, not only in Qt's view. Qt's threads are detached: QThread::wait() returns before
/// the system thread has run its thread-local clean-up, which frees the thread's data. A
/// process that ends in between leaves that data referenced only from an unscanned thread's
/// storage, which the sanitizers' leak check reports as leaked. Call it after the thread
/// pools are destroyed (after the application object), just before the process returns.
/// Does nothing where the system's thread list cannot be read.
void WaitForPoolThreadsToEnd(int maxMs = 2000);

} // namespace mrv
