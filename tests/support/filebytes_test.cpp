#include "support/filebytes.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <vector>

namespace mrv {
namespace {

TEST(FileBytes, WritesEveryPartInOrderAcrossTheWriteBatches)
{
    constexpr int Batch = 1 << 20;
    // Part sizes around the batch size: parts that fill a batch exactly, overrun it, are written
    // on their own, and many small ones that take several batches.
    const std::vector<std::vector<int>> cases = {
        {},
        {1},
        {10, 0, 20},
        {Batch - 1, 2},
        {Batch, 3},
        {3, Batch + 1, 5},
        std::vector<int>(3000, 1000),
        {Batch / 2, Batch / 2, Batch / 2, 7},
    };
    for (const std::vector<int> &sizes : cases) {
        FileBytes file;
        QByteArray expected;
        for (size_t i = 0; i < sizes.size(); ++i) {
            // Each part's bytes differ from its neighbours', so a misplaced part shows.
            const QByteArray part(sizes[i], char('a' + i % 26));
            file.Append(part);
            expected += part;
        }
        QBuffer written;
        ASSERT_TRUE(written.open(QIODevice::WriteOnly));
        EXPECT_TRUE(file.WriteTo(written)) << sizes.size() << " parts";
        EXPECT_EQ(written.data(), expected) << sizes.size() << " parts";
        EXPECT_EQ(file.Joined(), expected) << sizes.size() << " parts";
        EXPECT_EQ(file.Size(), expected.size());
    }
}

} // namespace
} // namespace mrv
