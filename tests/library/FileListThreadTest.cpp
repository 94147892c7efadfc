#include "library/FileListThread.h"

#include "library/ScreensaverList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace kelvane {
namespace {

namespace fs = std::filesystem;

// Runs each handed-over step on the worker's own thread, one at a time, as the real hand-over would
// run it on the user-interface thread.
class SerialUiThread : public UiThread
{
public:
    void RunAndWait(const std::function<void()>& step) override
    {
        const std::lock_guard lock(m_mutex);
        step();
    }
    void ProcessUntil(const std::function<bool()>& done) override
    {
        while (!done()) {
            std::this_thread::yield();
        }
    }

private:
    std::mutex m_mutex;
};

class NoIcons : public IconProvider
{
public:
    FileIcon LoadFileIcon(const std::string&) override { return {}; }
};

class ScanTest : public testing::Test
{
protected:
    ScanTest()
    {
        for (const char* file : {"a/one.scr", "a/two.SCR", "a/readme.txt", "a/sub/three.Scr", "a/sub/deeper/four.scr",
                                 "a/notes.scr.txt", "b/five.scr"}) {
            fs::create_directories(fs::path(dir.file(file)).parent_path());
            dir.write(file, "");
        }
        fs::create_directories(dir.file("a/folder.scr")); // a folder is no file
        std::error_code noLinks; // Windows may refuse links to ordinary users; the walk is tested without then
        fs::create_directory_symlink(dir.file("a"), dir.file("a/sub/loop"), noLinks);
    }

    // A found path: the folder text, one separator, the path below it with the platform's separators.
    static std::string Found(const std::string& folder, std::string below)
    {
        const char sep = static_cast<char>(fs::path::preferred_separator);
        std::replace(below.begin(), below.end(), '/', sep);
        return folder + sep + below;
    }

    std::vector<std::string> Sorted(std::vector<std::string> paths)
    {
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    ScanSteps Steps()
    {
        return {[this] { ++starts; },
                [this](const std::vector<std::string>& paths) {
                    batches.push_back(paths);
                    list.AddScreensaverRows(paths);
                },
                [this] { ++ends; }};
    }

    // Folders of files, each named after its place, as a big scan meets them.
    void MakeTree(const std::string& name, int folders, int filesPerFolder)
    {
        for (int f = 0; f < folders; ++f) {
            const std::string folder = name + "/d" + std::to_string(f);
            fs::create_directories(dir.file(folder));
            for (int i = 0; i < filesPerFolder; ++i) {
                dir.write(folder + "/s" + std::to_string(i) + ".scr", "");
            }
        }
    }

    // Batches go over by their size alone, whatever the machine's speed.
    static constexpr ScanBatching BySize(size_t files) { return {files, std::chrono::hours(1)}; }

    test::TempDir dir;
    NoIcons provider;
    IconCache icons{provider};
    ScreensaverList list{icons};
    SerialUiThread ui;
    std::mutex scanLock;
    int starts = 0;
    int ends = 0;
    std::vector<std::vector<std::string>> batches;
};

TEST_F(ScanTest, TheWalkFindsEveryScreensaverFileBelowAFolder)
{
    const std::string a = dir.file("a");
    EXPECT_EQ(Sorted(CollectScreensaverFiles(a)), Sorted({Found(a, "one.scr"), Found(a, "two.SCR"),
                                                          Found(a, "sub/three.Scr"), Found(a, "sub/deeper/four.scr")}));
    const std::string withSeparator = a + static_cast<char>(fs::path::preferred_separator);
    EXPECT_EQ(Sorted(CollectScreensaverFiles(withSeparator)), Sorted(CollectScreensaverFiles(a)))
        << "exactly one separator joins folder and file";
    for (const std::string& nothing : {std::string(), dir.file("missing"), dir.file("a/one.scr")}) {
        EXPECT_TRUE(CollectScreensaverFiles(nothing).empty()) << nothing;
    }
}

TEST_F(ScanTest, OverlappingFoldersAreListedOnceOtherSpellingsTwice)
{
    const std::string a = dir.file("a");
    {
        ScanWorkers workers(ui);
        workers.Start({a, Found(a, "sub"), dir.file("missing"), "", Found(a, "."), dir.file("b")}, Steps(), scanLock);
        ui.ProcessUntil([&] { return !workers.AnyRunning(); });
    }
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(list.Count(), 4u + 4u + 1u) << "a/sub's files once; a/. is another spelling of a";
}

TEST_F(ScanTest, TheWalkLooksForAStopBeforeEveryEntryOfAWideOrDeepFolder)
{
    MakeTree("wide", 1, 500);
    std::string deep = "deep";
    for (int level = 0; level < 100; ++level) {
        deep += "/level" + std::to_string(level);
        fs::create_directories(dir.file(deep));
        dir.write(deep + "/s.scr", "");
    }
    for (const char* folder : {"wide", "deep"}) {
        for (const int allowed : {0, 1, 37}) {
            int asked = 0;
            std::vector<std::string> found;
            const bool whole = WalkScreensaverFiles(
                dir.file(folder), nullptr, [&](std::string path) { found.push_back(std::move(path)); },
                [&] { return asked++ < allowed; });
            EXPECT_FALSE(whole) << folder << " " << allowed;
            EXPECT_EQ(asked, allowed + 1) << "no entry is read once the stop is seen";
            const std::vector<std::string> all = CollectScreensaverFiles(dir.file(folder));
            ASSERT_LE(found.size(), static_cast<size_t>(allowed));
            EXPECT_TRUE(std::equal(found.begin(), found.end(), all.begin())) << "what was found, in the walk's order";
        }
    }
}

TEST_F(ScanTest, AFolderTooDeepToOpenIsPassedOverAndTheWalkGoesOn)
{
#ifdef _WIN32
    GTEST_SKIP() << "made with the POSIX calls that create a folder relative to another";
#else
    // Deeper than a path can name: made one level at a time, relative to the level above.
    const std::string top = dir.file("top");
    fs::create_directories(top);
    int level = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(level, 0);
    const std::string name(200, 'x');
    for (int depth = 0; depth < 30; ++depth) {
        ASSERT_EQ(::mkdirat(level, name.c_str(), 0700), 0);
        const int below = ::openat(level, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(level);
        ASSERT_GE(below, 0);
        level = below;
    }
    ::close(::openat(level, "deepest.scr", O_WRONLY | O_CREAT, 0600));
    ::close(level);
    // Beside it, files the walk meets before and after the deep folder, whatever the listing order.
    std::vector<std::string> beside;
    for (int i = 0; i < 40; ++i) {
        dir.write("top/s" + std::to_string(i) + ".scr", "");
        beside.push_back(Found(top, "s" + std::to_string(i) + ".scr"));
    }
    std::vector<std::string> found;
    EXPECT_TRUE(WalkScreensaverFiles(
        top, nullptr, [&](std::string path) { found.push_back(std::move(path)); }, [] { return true; }));
    EXPECT_EQ(Sorted(found), Sorted(beside));
#endif
}

TEST_F(ScanTest, AStopDuringABigWalkEndsItAfterTheBatchThatWasGoingOver)
{
    MakeTree("big", 40, 100);
    const std::string big = dir.file("big");
    const std::vector<std::string> walk = CollectScreensaverFiles(big);
    ASSERT_EQ(walk.size(), 4000u);

    std::unique_ptr<TFileListThread> worker;
    std::atomic<bool> ready{false};
    ScanSteps steps = Steps();
    steps.Files = [&](const std::vector<std::string>& paths) {
        while (!ready) {
            std::this_thread::yield();
        }
        worker->RequestStop(); // asked while the first batch goes over
        batches.push_back(paths);
        list.AddScreensaverRows(paths);
    };
    worker = std::make_unique<TFileListThread>(std::vector<std::string>{big, dir.file("b")}, steps, scanLock, ui,
                                               nullptr, BySize(64));
    ready = true;
    ui.ProcessUntil([&] { return worker->Finished(); });
    EXPECT_EQ(ends, 1);
    ASSERT_EQ(batches.size(), 1u) << "nothing more is walked once the stop is seen";
    EXPECT_EQ(list.Paths(), std::vector<std::string>(walk.begin(), walk.begin() + 64))
        << "the rows found so far, in the walk's order; the second folder never started";
}

TEST_F(ScanTest, BatchesKeepTheOrderOfTheWalkAcrossFolders)
{
    MakeTree("big", 3, 10);
    const std::vector<std::string> folders{dir.file("big"), dir.file("missing"), dir.file("a"), dir.file("b")};
    std::vector<std::string> walk;
    for (const std::string& folder : folders) {
        const std::vector<std::string> found = CollectScreensaverFiles(folder);
        walk.insert(walk.end(), found.begin(), found.end());
    }
    ASSERT_EQ(walk.size(), 30u + 4u + 1u);

    const struct
    {
        ScanBatching batching;
        size_t batchSize; // of every batch but the last
    } cases[] = {{BySize(7), 7}, {BySize(1000), 35}, {{1000, std::chrono::milliseconds(0)}, 1}};
    for (const auto& c : cases) {
        batches.clear();
        list.Clear();
        {
            ScanWorkers workers(ui, nullptr, c.batching);
            workers.Start(folders, Steps(), scanLock);
            ui.ProcessUntil([&] { return !workers.AnyRunning(); });
        }
        EXPECT_EQ(list.Paths(), walk) << c.batchSize;
        ASSERT_FALSE(batches.empty());
        std::vector<std::string> handedOver;
        for (size_t i = 0; i < batches.size(); ++i) {
            if (i + 1 < batches.size()) {
                EXPECT_EQ(batches[i].size(), c.batchSize) << "batch " << i;
            }
            handedOver.insert(handedOver.end(), batches[i].begin(), batches[i].end());
        }
        EXPECT_EQ(handedOver, walk) << c.batchSize;
    }
}

TEST_F(ScanTest, NamesWithALineBreakOrATabAreFoundButNotListed)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows file names hold no line break and no tab";
#else
    const struct
    {
        const char* name;
        bool listed;
    } cases[] = {
        {"new\nline.scr", false},          {"carriage\rreturn.scr", false}, {"tab\there.scr", false},
        {"sub\nfolder/inside.scr", false}, {"blank and 'quote'.scr", true}, {"caf\xE9.scr", true},
    };
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        fs::create_directories(fs::path(dir.file("odd/" + std::string(c.name))).parent_path());
        dir.write("odd/" + std::string(c.name), "");
        if (c.listed) {
            expected.push_back(Found(dir.file("odd"), c.name));
        }
    }
    size_t leftOut = 0;
    ScanSteps steps = Steps();
    steps.Files = [&](const std::vector<std::string>& paths) { leftOut += list.AddScreensaverRows(paths); };
    {
        ScanWorkers workers(ui);
        workers.Start({dir.file("odd")}, steps, scanLock);
        ui.ProcessUntil([&] { return !workers.AnyRunning(); });
    }
    EXPECT_EQ(CollectScreensaverFiles(dir.file("odd")).size(), std::size(cases)) << "the walk finds every one";
    EXPECT_EQ(Sorted(list.Paths()), Sorted(expected));
    EXPECT_EQ(leftOut, 4u);
#endif
}

TEST_F(ScanTest, TwoScansSideBySideFillOneListWithoutDuplicates)
{
    {
        ScanWorkers workers(ui);
        workers.Start({dir.file("a")}, Steps(), scanLock);
        workers.Start({dir.file("a"), dir.file("b")}, Steps(), scanLock);
        ui.ProcessUntil([&] { return !workers.AnyRunning(); });
    }
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(list.Count(), 5u);
}

} // namespace
} // namespace kelvane
