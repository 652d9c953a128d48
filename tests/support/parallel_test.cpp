#include "support/parallel.h"

#include <QThread>

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

namespace mrv {
namespace {

TEST(ForEachTogether, EveryItemOnceWithTheCallerWorkingAndAFalseStoppingTheRest)
{
    struct Case
    {
        int threads;
        int count;
        int stopAt; ///< the item whose work fails; -1: none
    };
    for (const Case c : {Case{1, 0, -1}, Case{1, 1, -1}, Case{2, 200, -1}, Case{4, 3, -1},
                         Case{1, 50, 10}, Case{3, 500, 0}}) {
        QThreadPool pool;
        pool.setMaxThreadCount(c.threads);
        std::mutex lock;
        std::vector<int> calls(size_t(c.count), 0);
        int meanwhile = 0;
        bool callerWorked = false;
        const QThread *caller = QThread::currentThread();
        const bool all = ForEachTogether(
            pool, c.count,
            [&](int i) {
                const std::lock_guard guard(lock);
                ++calls[size_t(i)];
                callerWorked = callerWorked || QThread::currentThread() == caller;
                return i != c.stopAt;
            },
            [&] { ++meanwhile; });
        const auto label = ::testing::Message() << c.threads << " threads, " << c.count << " items";
        EXPECT_EQ(meanwhile, 1) << label;
        EXPECT_EQ(all, c.stopAt < 0) << label;
        int done = 0;
        for (const int n : calls) {
            EXPECT_LE(n, 1) << label;
            done += n;
        }
        if (c.stopAt < 0) {
            EXPECT_EQ(done, c.count) << label;
        }
        // One thread hands out nothing after the failure; more may finish what they took.
        if (c.threads == 1) {
            EXPECT_EQ(done, c.stopAt < 0 ? c.count : c.stopAt + 1) << label;
            EXPECT_EQ(callerWorked, c.count > 0) << label;
        }
    }
}

} // namespace
} // namespace mrv
