#include "support/atomicfile.h"
#include "support/stagedfolder.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace mrv;
using namespace mrv::test;

namespace {

QStringList Leftovers(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                  QDir::NoDotAndDotDot);
}

} // namespace

TEST(AtomicFile, AFullDiskLeavesTheOldFileAndNoTemporaryFile)
{
    SmallDisk disk;
    MIROVANE_SKIP_WITHOUT_DISK(disk);
    const QString path = disk.file(QStringLiteral("p.mrv"));
    ASSERT_TRUE(WriteFileAtomically(path, "old contents", Durability::Sync));
    disk.Fill();
    for (const Durability durability : {Durability::Flush, Durability::Sync}) {
        const Status full = WriteFileAtomically(path, QByteArray(32 * 1024, 'n'), durability);
        ASSERT_FALSE(full.ok());
        EXPECT_TRUE(full.message().contains(path)) << full.message();
        EXPECT_TRUE(full.message().contains(QStringLiteral("No space left"))) << full.message();
        EXPECT_EQ(ReadAll(path), "old contents");
        EXPECT_EQ(Leftovers(disk.path()),
                  QStringList({QStringLiteral("filler"), QStringLiteral("p.mrv")}));
    }
}

TEST(AtomicFile, OnlyWritableRegularFilesAreReplaced)
{
    TempFolder dir;
    const QString fifo = dir.file(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString readOnly = dir.write(QStringLiteral("ro.mrv"), "mine");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    for (const QString &name :
         {QStringLiteral("fifo"), QStringLiteral("ro.mrv"), QStringLiteral("folder")}) {
        const QString path = dir.file(name);
        const Status refused = WriteFileAtomically(path, "new");
        EXPECT_FALSE(refused.ok()) << name;
        EXPECT_TRUE(refused.message().contains(path)) << refused.message();
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_EQ(ReadAll(readOnly), "mine");
    EXPECT_EQ(Leftovers(dir.path()).size(), 3);

    // A link stays a link; the file it names gets the new bytes and keeps its permissions.
    const QString real = dir.write(QStringLiteral("real.png"), "old");
    QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString link = dir.file(QStringLiteral("link.png"));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadAll(real), "new");
    const auto modeBits = QFileDevice::Permissions::fromInt(0x7077); // owner, group, others
    EXPECT_EQ(QFileInfo(real).permissions() & modeBits,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(StagedFolder, AFailedSetLeavesTheEarlierSetAndACompleteOneReplacesIt)
{
    SmallDisk disk(128);
    MIROVANE_SKIP_WITHOUT_DISK(disk);
    const QString out = disk.file(QStringLiteral("out"));
    const auto writeSet = [&](const QByteArray &contents, int files) {
        StagedFolder staged(out);
        if (const Status opened = staged.Open(); !opened)
            return opened;
        for (int n = 1; n <= files; ++n) {
            const QString path = QDir(out).filePath(QStringLiteral("sub/%1.png").arg(n));
            if (const Status made = staged.MakeFolder(QFileInfo(path).absolutePath()); !made)
                return made;
            QFile file(staged.StagedPath(path));
            if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
                file.write(contents) != contents.size())
                return Status::Fail(QStringLiteral("write failed"));
        }
        return staged.Commit();
    };
    // A destination that does not exist appears whole.
    ASSERT_TRUE(writeSet("first", 3));
    EXPECT_EQ(Leftovers(disk.path()), QStringList(QStringLiteral("out")));

    disk.Fill(40 * 1024);
    EXPECT_FALSE(writeSet(QByteArray(8 * 1024, 's'), 10));
    EXPECT_EQ(Leftovers(QDir(out).filePath(QStringLiteral("sub"))).size(), 3);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(ReadAll(QDir(out).filePath(QStringLiteral("sub/%1.png").arg(n))), "first");
    EXPECT_EQ(Leftovers(out), QStringList(QStringLiteral("sub"))) << "staging folder left";

    ASSERT_TRUE(writeSet("second", 2));
    EXPECT_EQ(ReadAll(QDir(out).filePath(QStringLiteral("sub/1.png"))), "second");
    EXPECT_EQ(ReadAll(QDir(out).filePath(QStringLiteral("sub/3.png"))), "first");

    // Something that is not a regular file in the way: refused before anything moves.
    const QString fifo = QDir(out).filePath(QStringLiteral("sub/2.png"));
    QFile::remove(fifo);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    EXPECT_FALSE(writeSet("third", 2));
    EXPECT_EQ(ReadAll(QDir(out).filePath(QStringLiteral("sub/1.png"))), "second");
}
