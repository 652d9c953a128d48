#include "imaging/bmpfile.h"

#include "exporttestdata.h"
#include "testsupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace mrv {
namespace {

using test::At;
using test::Flat;
using test::SmallDisk;
using test::TempFolder;

/// The colour of block `index`: every block differs from the others.
QColor BlockColour(int index)
{
    return QColor(index * 3 % 256, 255 - index % 256, index * 7 % 256);
}

/// Writes `blocks` blocks of `rows` rows, 40 pixels wide, from `threads` threads at once,
/// block k by thread k % threads; returns the first failure.
Status WriteBlocks(BmpBlockWriter &file, int blocks, int rows, int threads)
{
    std::vector<Status> failures(static_cast<size_t>(threads), Status::Ok());
    std::vector<std::thread> writers;
    for (int t = 0; t < threads; ++t)
        writers.emplace_back([&, t] {
            for (int k = t; k < blocks; k += threads)
                if (const Status written = file.WriteRows(k * rows, Flat(40, rows, BlockColour(k)));
                    !written && failures[static_cast<size_t>(t)])
                    failures[static_cast<size_t>(t)] = written;
        });
    for (std::thread &writer : writers)
        writer.join();
    for (const Status &failure : failures)
        if (!failure)
            return failure;
    return Status::Ok();
}

TEST(BmpBlockWriter, BlocksFromManyThreadsAllLandInPlace)
{
    // Threads that find another one writing leave their rows to it; none may be lost.
    for (const int threads : {1, 2, 8}) {
        TempFolder folder;
        const QString path = folder.file(QStringLiteral("strip.bmp"));
        constexpr int Blocks = 120, Rows = 5;
        BmpBlockWriter file(path, QSize(40, Blocks * Rows));
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(WriteBlocks(file, Blocks, Rows, threads));
        ASSERT_TRUE(file.Commit());
        const QImage written(path);
        ASSERT_EQ(written.size(), QSize(40, Blocks * Rows)) << threads;
        for (int k = 0; k < Blocks; ++k)
            for (const int y : {k * Rows, k * Rows + Rows - 1})
                ASSERT_EQ(At(written, 39, y), BlockColour(k)) << threads << " threads, block " << k;
    }
}

TEST(BmpBlockWriter, AFullDiskFailsTheWriteOrTheCommitAndLeavesNoFile)
{
    SmallDisk disk(256);
    MIROVANE_SKIP_WITHOUT_DISK(disk);
    disk.Fill(64 * 1024);
    const QString path = disk.file(QStringLiteral("strip.bmp"));
    constexpr int Blocks = 400, Rows = 10; // 480 KB of rows
    BmpBlockWriter file(path, QSize(40, Blocks * Rows));
    ASSERT_TRUE(file.Open());
    const Status written = WriteBlocks(file, Blocks, Rows, 4);
    const Status committed = file.Commit();
    EXPECT_FALSE(committed);
    EXPECT_TRUE(committed.message().contains(QStringLiteral("No space left")))
        << committed.message() << " / " << written.message();
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace mrv
