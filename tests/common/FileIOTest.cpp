#include "common/FileIO.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#ifndef _WIN32
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#endif

namespace kelvane {
namespace {

namespace fs = std::filesystem;

size_t EntryCount(const std::string& folder)
{
    return static_cast<size_t>(std::distance(fs::recursive_directory_iterator(folder), {}));
}

// Every entry of the folder: a file by its content, a link by where it points.
std::map<std::string, std::string> Snapshot(const test::TempDir& dir)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        const std::string name = PathToUtf8(entry.path().filename());
        entries[name] = entry.is_symlink() ? "-> " + PathToUtf8(fs::read_symlink(entry.path())) : dir.read(name);
    }
    return entries;
}

// Endings ".0.tmp", ".1.tmp" and so on, in this order.
TemporarySuffixSource CountingSuffixes()
{
    return [next = 0]() mutable { return "." + std::to_string(next++) + ".tmp"; };
}

// Whatever already holds a would-be temporary name is passed over and left exactly as it was.
TEST(DurableReplace, TakenTemporaryNamesArePassedOver)
{
    const auto takenBy = [](int count, std::function<void(test::TempDir&, const std::string&)> plant) {
        return [count, plant](test::TempDir& dir) {
            for (int i = 0; i < count; ++i) {
                plant(dir, "data.txt." + std::to_string(i) + ".tmp");
            }
        };
    };
    const auto file = [](test::TempDir& dir, const std::string& name) { dir.write(name, "planted"); };
    const struct
    {
        const char* name;
        std::function<void(test::TempDir&)> plant;
        bool saved;
    } cases[] = {
        {"a file under the first name", takenBy(1, file), true},
        {"files under all names but the last", takenBy(TemporaryNameAttempts - 1, file), true},
        {"files under every name", takenBy(TemporaryNameAttempts, file), false},
#ifndef _WIN32
        {"a link to another file under the first name",
         takenBy(1,
                 [](test::TempDir& dir, const std::string& name) {
                     dir.write("victim", "untouched");
                     fs::create_symlink(dir.file("victim"), dir.file(name));
                 }),
         true},
        {"a link to a file not made yet under the first name",
         takenBy(1,
                 [](test::TempDir& dir, const std::string& name) {
                     fs::create_symlink(dir.file("made-through-the-link"), dir.file(name));
                 }),
         true},
#endif
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        dir.write("data.txt", "old");
        c.plant(dir);
        auto before = Snapshot(dir);

        EXPECT_EQ(ReplaceFileDurably(PathFromUtf8(dir.file("data.txt")), "new", CountingSuffixes()).ok(), c.saved)
            << c.name;
        auto after = Snapshot(dir);
        EXPECT_EQ(after["data.txt"], c.saved ? "new" : "old") << c.name;
        before.erase("data.txt");
        after.erase("data.txt");
        EXPECT_EQ(after, before) << c.name;
    }
}

TEST(AtomicWrite, ReplacesTheContentAndLeavesNoTemporaryFile)
{
    test::TempDir dir;
    dir.write("a.txt", "old");
    ASSERT_TRUE(WriteFileAtomically(dir.file("a.txt"), "new").ok());
    EXPECT_EQ(dir.read("a.txt"), "new");
    ASSERT_TRUE(WriteFileAtomically(dir.file("b.txt"), "made").ok());
    EXPECT_EQ(dir.read("b.txt"), "made");
    EXPECT_EQ(EntryCount(dir.path()), 2u);
}

TEST(AtomicWrite, TheQuestionBeforeTheReplaceSeesTheWholeNewFileAndCanStopIt)
{
    for (const bool goAhead : {true, false}) {
        test::TempDir dir;
        dir.write("a.txt", "old");
        std::map<std::string, std::string> seen;
        const Status status = WriteFileAtomically(dir.file("a.txt"), "new", [&] {
            seen = Snapshot(dir);
            return goAhead;
        });
        EXPECT_EQ(status.ok(), goAhead);
        EXPECT_EQ(dir.read("a.txt"), goAhead ? "new" : "old");
        EXPECT_EQ(EntryCount(dir.path()), 1u) << "no temporary file is left";
        // Asked at the last moment: the new content is complete beside the untouched target.
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen["a.txt"], "old");
        seen.erase("a.txt");
        EXPECT_TRUE(IsTemporaryNameFor(seen.begin()->first, "a.txt")) << seen.begin()->first;
        EXPECT_EQ(seen.begin()->second, "new");
    }
}

TEST(AtomicWrite, OnlyTheTemporaryNamesOfTheTargetsOwnSavesAreRemovedAtTheNextWrite)
{
    const struct
    {
        const char* name;
        bool removed;
    } cases[] = {
        {"data.txt.0123456789abcdef.tmp", true},      {"data.txt.0123.tmp", false},
        {"data.txt.00000000DEADBEEF.tmp", false},     {"data.txt.0123456789abcdeg.tmp", false},
        {"data.txt.0123456789abcdef.tmp.bak", false}, {"data.txt-0123456789abcdef.tmp", false},
        {"xdata.txt.0123456789abcdef.tmp", false},    {"other.txt.0123456789abcdef.tmp", false},
    };
    test::TempDir dir;
    dir.write("data.txt", "old");
    for (const auto& c : cases) {
        dir.write(c.name, "left");
    }
    // A folder under the name of a temporary file is nobody's leftover.
    fs::create_directory(dir.file("data.txt.fedcba9876543210.tmp"));
    ASSERT_TRUE(WriteFileAtomically(dir.file("data.txt"), "new").ok());
    EXPECT_EQ(dir.read("data.txt"), "new");
    for (const auto& c : cases) {
        EXPECT_EQ(fs::exists(dir.file(c.name)), !c.removed) << c.name;
    }
    EXPECT_TRUE(fs::is_directory(dir.file("data.txt.fedcba9876543210.tmp")));
}

TEST(AtomicWrite, AFailureKeepsTheOldFile)
{
    test::TempDir dir;
    dir.write("ro.txt", "kept");
    fs::permissions(dir.file("ro.txt"), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(WriteFileAtomically(dir.file("ro.txt"), "lost").ok());
    EXPECT_EQ(dir.read("ro.txt"), "kept");

    dir.write("blocker", "a file where a folder should be");
    const Status status = WriteFileAtomically(dir.file("blocker/x.txt"), "x");
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message().empty());
}

#ifndef _WIN32
// What a data file may be on a user's disk, and what a save must do with it.
TEST(AtomicWrite, LinksModesAndFailuresOnDisk)
{
    const struct
    {
        const char* name;
        // Prepares the folder; the file saved is "data.txt", which holds "old" unless the case says.
        std::function<void(test::TempDir&)> arrange;
        bool saved;
        std::function<void(test::TempDir&)> check;
        // Files the save adds; no temporary file may stay behind.
        size_t made = 0;
    } cases[] = {
        {"a link to a dotfile keeps its link, its target takes the content",
         [](test::TempDir& dir) {
             fs::create_directories(dir.file("dotfiles"));
             dir.write("dotfiles/data.txt", "old");
             fs::create_symlink("dotfiles/data.txt", dir.file("data.txt"));
         },
         true,
         [](test::TempDir& dir) {
             EXPECT_TRUE(fs::is_symlink(dir.file("data.txt")));
             EXPECT_EQ(dir.read("dotfiles/data.txt"), "new");
         }},
        {"a chain of links leads to the file that takes the content",
         [](test::TempDir& dir) {
             fs::create_directories(dir.file("dotfiles"));
             dir.write("dotfiles/data.txt", "old");
             fs::create_symlink("dotfiles/data.txt", dir.file("middle"));
             fs::create_symlink(dir.file("middle"), dir.file("data.txt"));
         },
         true,
         [](test::TempDir& dir) {
             EXPECT_EQ(fs::read_symlink(dir.file("data.txt")), dir.file("middle"));
             EXPECT_TRUE(fs::is_symlink(dir.file("middle")));
             EXPECT_EQ(dir.read("dotfiles/data.txt"), "new");
         }},
        {"a link to a file not made yet keeps its link and makes the file",
         [](test::TempDir& dir) {
             fs::create_directories(dir.file("dotfiles"));
             fs::create_symlink("dotfiles/data.txt", dir.file("data.txt"));
         },
         true,
         [](test::TempDir& dir) {
             EXPECT_TRUE(fs::is_symlink(dir.file("data.txt")));
             EXPECT_EQ(dir.read("dotfiles/data.txt"), "new");
         },
         1},
        {"a link planted under a temporary name is not written through",
         [](test::TempDir& dir) {
             dir.write("data.txt", "old");
             dir.write("victim", "untouched");
             fs::create_symlink(dir.file("victim"), dir.file("data.txt.tmp"));
         },
         true,
         [](test::TempDir& dir) {
             EXPECT_EQ(dir.read("victim"), "untouched");
             EXPECT_EQ(dir.read("data.txt"), "new");
             EXPECT_TRUE(fs::is_symlink(dir.file("data.txt.tmp")));
         }},
        {"a private file stays private",
         [](test::TempDir& dir) {
             dir.write("data.txt", "old");
             fs::permissions(dir.file("data.txt"), fs::perms::owner_read | fs::perms::owner_write,
                             fs::perm_options::replace);
         },
         true,
         [](test::TempDir& dir) {
             EXPECT_EQ(fs::status(dir.file("data.txt")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
         }},
        {"a new file gets the usual mode of new files", [](test::TempDir&) {}, true,
         [](test::TempDir& dir) {
             const mode_t mask = ::umask(0);
             ::umask(mask);
             EXPECT_EQ(static_cast<mode_t>(fs::status(dir.file("data.txt")).permissions()), 0666 & ~mask);
         },
         1},
        {"a folder that cannot be written leaves the old file whole",
         [](test::TempDir& dir) {
             dir.write("data.txt", "old");
             fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
         },
         false, nullptr},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        c.arrange(dir);
        const size_t entries = EntryCount(dir.path());
        if (!c.saved && ::geteuid() == 0) {
            fs::permissions(dir.path(), fs::perms::owner_all, fs::perm_options::replace);
            continue; // permissions do not bind the superuser; the failing write below covers it
        }
        EXPECT_EQ(WriteFileAtomically(dir.file("data.txt"), "new").ok(), c.saved) << c.name;
        if (c.check) {
            c.check(dir);
        }
        if (!c.saved) {
            EXPECT_EQ(dir.read("data.txt"), "old") << c.name;
        }
        EXPECT_EQ(EntryCount(dir.path()), entries + c.made) << c.name << ": no temporary file is left";
        fs::permissions(dir.path(), fs::perms::owner_all, fs::perm_options::replace);
    }
}

TEST(AtomicWrite, AWriteThatFailsHalfwayLeavesTheOldFileAndNoTemporary)
{
    test::TempDir dir;
    dir.write("data.txt", "old");
    // The process may not grow a file beyond 4 bytes, whoever runs it: the write fails partway.
    rlimit saved = {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status status = WriteFileAtomically(dir.file("data.txt"), std::string(100, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(dir.read("data.txt"), "old");
    EXPECT_EQ(EntryCount(dir.path()), 1u);
}

TEST(AtomicWrite, ASaveKilledBeforeItsRenameLeavesATemporaryFileTheNextSaveRemoves)
{
    test::TempDir dir;
    dir.write("data.txt", "old");
    const pid_t saver = ::fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
        // Killed at the last moment, with the whole new file written beside the target.
        (void)WriteFileAtomically(dir.file("data.txt"), "killed", [] { return ::raise(SIGKILL) == 0; });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(saver, &status, 0), saver);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(EntryCount(dir.path()), 2u) << "the killed save's temporary file";

    // A running save's file is left to it: its lock says so. Here the test holds one such file.
    dir.write("data.txt.00000000000000ff.tmp", "still being written");
    const int running = ::open(dir.file("data.txt.00000000000000ff.tmp").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);
    // A link under such a name is not followed, nor taken away.
    dir.write("victim", "untouched");
    fs::create_symlink(dir.file("victim"), dir.file("data.txt.0000000000000aaa.tmp"));

    ASSERT_TRUE(WriteFileAtomically(dir.file("data.txt"), "new").ok());
    ::close(running);
    EXPECT_EQ(Snapshot(dir), (std::map<std::string, std::string>{
                                 {"data.txt", "new"},
                                 {"data.txt.00000000000000ff.tmp", "still being written"},
                                 {"data.txt.0000000000000aaa.tmp", "-> " + dir.file("victim")},
                                 {"victim", "untouched"},
                             }));
}
#endif

TEST(FileChecks, AFolderIsNotAFile)
{
    test::TempDir dir;
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(ReadFileBytes(dir.path()).ok());
    EXPECT_FALSE(FileExists(dir.file("missing")));
    EXPECT_FALSE(ReadFileBytes(dir.file("missing")).ok());
}

#ifndef _WIN32
// Reads the file on a thread of its own, so that a read that waits fails the test instead of holding it.
Result<std::string> ReadWithin(const std::string& path, std::chrono::seconds limit)
{
    auto promise = std::make_shared<std::promise<Result<std::string>>>();
    std::future<Result<std::string>> read = promise->get_future();
    std::thread([promise, path] { promise->set_value(ReadFileBytes(path)); }).detach();
    if (read.wait_for(limit) == std::future_status::ready) {
        return read.get();
    }
    // A writer that comes and goes lets a read that waits on a pipe finish, and the thread with it.
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) {
        ::close(writer);
    }
    read.wait();
    return Result<std::string>::Error("the read waited");
}

// A pipe nobody writes into would hold a read for good, and a device may never end: anything but a
// regular file is refused at once, as a file that cannot be read, and is no missing file either.
TEST(FileChecks, OnlyARegularFileIsRead)
{
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    fs::create_symlink(dir.file("pipe"), dir.file("link to pipe"));
    dir.write("data.txt", "kept");
    fs::create_symlink(dir.file("data.txt"), dir.file("link to data"));

    for (const std::string& path : {dir.file("pipe"), dir.file("link to pipe"), std::string("/dev/zero")}) {
        const Result<std::string> read = ReadWithin(path, std::chrono::seconds(10));
        ASSERT_NE(read.message(), "the read waited") << path;
        EXPECT_EQ(read.message(), "the file cannot be opened: it is not a regular file") << path;
        EXPECT_TRUE(FileExists(path)) << path;
    }
    const Result<std::string> linked = ReadWithin(dir.file("link to data"), std::chrono::seconds(10));
    ASSERT_TRUE(linked.ok()) << linked.message();
    EXPECT_EQ(linked.value(), "kept");
}

TEST(FileChecks, AFileIsReadWholeWhateverItsSize)
{
    test::TempDir dir;
    for (const size_t size : {size_t(0), size_t(1), size_t(65536), size_t(3 * 65536 + 7)}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>(i * 7 + size);
        }
        dir.write("data.bin", bytes);
        const Result<std::string> read = ReadFileBytes(dir.file("data.bin"));
        ASSERT_TRUE(read.ok()) << read.message();
        EXPECT_EQ(read.value(), bytes) << size;
    }
    // Sizes the system cannot tell in advance: the file's end is where the reads end.
    const Result<std::string> reported = ReadFileBytes("/proc/self/status");
    ASSERT_TRUE(reported.ok()) << reported.message();
    EXPECT_NE(reported.value().find("Pid:"), std::string::npos);
}
#else
TEST(FileChecks, ADeviceIsNotRead)
{
    const Result<std::string> read = ReadFileBytes("NUL");
    EXPECT_EQ(read.message(), "the file cannot be opened: it is not a regular file");
}
#endif

} // namespace
} // namespace kelvane
