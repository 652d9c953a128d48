#pragma once

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <type_traits>
#include <vector>

namespace mrv {

/// Computes make(i) for i = 0 .. count-1 on the pool's threads and hands each result to
/// consume(i, result) on the calling thread, in order of i, as soon as it is ready. Stops
/// early, without waiting for the rest, when consume returns false or the cancel flag is set;
/// make should then return quickly (it may test the same flag). Returns true when every
/// result was consumed.
/// meanwhile() runs on the calling thread once the work has started, before anything is
/// consumed.
template <typename Make, typename Consume, typename Meanwhile = void (*)()>
bool ForEachOrdered(
    QThreadPool &pool, int count, Make make, Consume consume, const std::atomic_bool *cancel,
    Meanwhile meanwhile = [] {})
{
    if (count <= 0) {
        meanwhile();
        return true;
    }
    std::vector<int> indices(size_t(count), 0);
    std::iota(indices.begin(), indices.end(), 0);
    auto future = QtConcurrent::mapped(&pool, std::move(indices), make);
    meanwhile();
    bool complete = true;
    for (int i = 0; i < count; ++i) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            complete = false;
            break;
        }
        if (!consume(i, future.resultAt(i))) {
            complete = false;
            break;
        }
    }
    if (!complete)
        future.cancel();
    future.waitForFinished();
    return complete;
}

/// Runs work(i) for i = 0 .. count-1, in no particular order, on the calling thread and the
/// pool's other threads; the calling thread first runs meanwhile(). For work that puts its
/// results in place: nothing is handed over item by item, so no thread sleeps until the next
/// one is ready. Stops handing out items once work returns false (those under way finish);
/// returns true when every item's work returned true.
template <typename Work, typename Meanwhile>
bool ForEachTogether(QThreadPool &pool, int count, Work work, Meanwhile meanwhile)
{
    std::atomic_int next = 0;
    std::atomic_bool stopped = false;
    auto drain = [&] {
        for (int i = next++; i < count && !stopped; i = next++)
            if (!work(i))
                stopped = true;
    };
    // The calling thread is one of the workers.
    QList<QFuture<void>> helpers;
    for (int h = std::min(pool.maxThreadCount() - 1, count - 1); h > 0; --h)
        helpers << QtConcurrent::run(&pool, drain);
    meanwhile();
    drain();
    for (QFuture<void> &helper : helpers)
        helper.waitForFinished();
    return !stopped;
}

/// What MakeInOrder made: every item when complete, else those kept before it stopped.
template <typename Item> struct OrderedItems
{
    std::vector<Item> items;
    bool failed = false; ///< an item was refused
    bool complete = false;
};

/// The skeleton of every export's parallel part: makes make(i) for i = 0 .. count-1 on the
/// pool's threads and keeps each in order. Stops at the first item refused(i, item) refuses
/// (failed), when step(i), called after item i is kept, returns false, or at the cancel flag.
template <typename Make, typename Refused, typename Step>
auto MakeInOrder(QThreadPool &pool, int count, Make make, Refused refused, Step step,
                 const std::atomic_bool *cancel)
{
    using Item = std::decay_t<std::invoke_result_t<Make, int>>;
    OrderedItems<Item> run;
    run.items.resize(size_t(count > 0 ? count : 0));
    run.complete = ForEachOrdered(
        pool, count, make,
        [&](int i, const Item &item) {
            if (refused(i, item)) {
                run.failed = true;
                return false;
            }
            run.items[size_t(i)] = item;
            return step(i);
        },
        cancel);
    return run;
}

/// Runs work(first, last) over bands of the rows 0 .. rows-1, on all cores when there are
/// enough rows to be worth it. The calling thread takes part, so this is safe from any thread.
template <typename Work> void ForEachBand(int rows, Work work)
{
    constexpr int RowsPerBand = 512;
    const int bands = rows / RowsPerBand;
    if (bands < 2) {
        work(0, rows);
        return;
    }
    std::vector<int> indices(size_t(bands), 0);
    std::iota(indices.begin(), indices.end(), 0);
    QtConcurrent::blockingMap(indices, [&](int band) {
        work(int(qint64(rows) * band / bands), int(qint64(rows) * (band + 1) / bands));
    });
}

/// A pool for one export, with one thread per core, so that an export run from a thread of
/// the global pool never waits on a pool it occupies itself.
class ExportPool : public QThreadPool
{
public:
    ExportPool() { setMaxThreadCount(QThread::idealThreadCount()); }
    ~ExportPool() override { waitForDone(); }
};

} // namespace mrv
