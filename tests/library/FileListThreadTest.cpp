#include "library/FileListThread.h"

#include "library/ScreensaverList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        return {[this] { ++starts; }, [this](const std::string& path) { list.AddScreensaverRow(path); },
                [this] { ++ends; }};
    }

    test::TempDir dir;
    NoIcons provider;
    IconCache icons{provider};
    ScreensaverList list{icons};
    SerialUiThread ui;
    std::mutex scanLock;
    int starts = 0;
    int ends = 0;
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

TEST_F(ScanTest, AStopEndsTheScanAfterTheCurrentFolderAndTheEndStepRuns)
{
    std::unique_ptr<TFileListThread> worker;
    std::atomic<bool> ready{false};
    ScanSteps steps = Steps();
    steps.File = [&](const std::string& path) {
        while (!ready) {
            std::this_thread::yield();
        }
        worker->RequestStop(); // asked while the first folder is being handed over
        list.AddScreensaverRow(path);
    };
    worker =
        std::make_unique<TFileListThread>(std::vector<std::string>{dir.file("a"), dir.file("b")}, steps, scanLock, ui);
    ready = true;
    worker->StopAndWait();
    EXPECT_TRUE(worker->Finished());
    EXPECT_EQ(list.Count(), 4u) << "the first folder is finished, the second never started";
    EXPECT_EQ(ends, 1);
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
    steps.File = [&](const std::string& path) {
        leftOut += list.AddScreensaverRow(path) == ScreensaverList::Addition::CannotKeep ? 1u : 0u;
    };
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
