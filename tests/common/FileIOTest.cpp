#include "common/FileIO.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kelvane {
namespace {

TEST(AtomicWrite, ReplacesTheContentAndLeavesNoTemporaryFile)
{
    test::TempDir dir;
    dir.write("a.txt", "old");
    ASSERT_TRUE(WriteFileAtomically(dir.file("a.txt"), "new").ok());
    EXPECT_EQ(dir.read("a.txt"), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicWrite, AFailureKeepsTheOldFile)
{
    test::TempDir dir;
    dir.write("ro.txt", "kept");
    std::filesystem::permissions(dir.file("ro.txt"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(WriteFileAtomically(dir.file("ro.txt"), "lost").ok());
    EXPECT_EQ(dir.read("ro.txt"), "kept");

    dir.write("blocker", "a file where a folder should be");
    const Status status = WriteFileAtomically(dir.file("blocker/x.txt"), "x");
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message().empty());
}

TEST(FileChecks, AFolderIsNotAFile)
{
    test::TempDir dir;
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(ReadFileBytes(dir.path()).ok());
    EXPECT_FALSE(FileExists(dir.file("missing")));
    EXPECT_FALSE(ReadFileBytes(dir.file("missing")).ok());
}

} // namespace
} // namespace kelvane
