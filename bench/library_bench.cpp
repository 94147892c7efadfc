// The screensaver library's two costs that grow with size, each as a ratio from one run:
// - the folder walk over a generated tree of 200,000 files holding 2,000 ".scr" files, beside
//   `find DIR -iname '*.scr'` over the same tree;
// - adding 50,000 paths to the list, against inserting the same paths into a plain
//   std::unordered_set<std::string> (the least any duplicate test keyed by the text can cost), and
//   against ten times the cost of adding 5,000 (1.0 is linear).
#include "BenchSupport.h"
#include "library/FileListThread.h"
#include "library/ScreensaverList.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

using namespace kelvane;
using bench::MedianMilliseconds;
namespace fs = std::filesystem;

class NoIcons final : public IconProvider
{
public:
    FileIcon LoadFileIcon(const std::string&) override { return {}; }
};

std::vector<std::string> MakePaths(size_t count)
{
    std::vector<std::string> paths;
    paths.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        paths.push_back("C:\\Screensavers\\collection\\folder" + std::to_string(i % 97) + "\\saver" +
                        std::to_string(i) + ".scr");
    }
    return paths;
}

// The same paths into a plain hash set: what the memory of this machine makes of the sizes alone.
double InsertIntoHashSet(size_t count)
{
    const std::vector<std::string> paths = MakePaths(count);
    return MedianMilliseconds(
        [&] {
            std::unordered_set<std::string> set;
            for (const std::string& path : paths) {
                set.insert(path);
            }
        },
        5);
}

double AddPaths(size_t count)
{
    const std::vector<std::string> paths = MakePaths(count);
    return MedianMilliseconds(
        [&] {
            NoIcons provider;
            IconCache icons(provider);
            ScreensaverList list(icons);
            for (const std::string& path : paths) {
                list.AddScreensaverRow(path);
            }
        },
        5);
}

} // namespace

int main(int argc, char** argv)
{
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "kelvane-scan-bench";
    if (!fs::exists(root / "done")) {
        std::printf("making the tree under %s ...\n", root.c_str());
        // 200 folders of 10 subfolders of 100 files; one file in a hundred is a screensaver.
        for (int a = 0; a < 200; ++a) {
            for (int b = 0; b < 10; ++b) {
                const fs::path folder = root / ("d" + std::to_string(a)) / ("e" + std::to_string(b));
                fs::create_directories(folder);
                for (int f = 0; f < 100; ++f) {
                    const bool saver = f == 42;
                    std::ofstream(folder / ("file" + std::to_string(f) + (saver ? (b % 2 ? ".SCR" : ".scr") : ".dat")));
                }
            }
        }
        std::ofstream(root / "done");
    }
    size_t found = 0;
    const double walk = MedianMilliseconds([&] { found = CollectScreensaverFiles(root.string()).size(); }, 5);
    const std::string command = "find '" + root.string() + "' -iname '*.scr' > /dev/null";
    const double find = MedianMilliseconds([&] { (void)std::system(command.c_str()); }, 5);
    std::printf("walk: %zu files found in %.1f ms; find: %.1f ms; ratio %.2f\n", found, walk, find, walk / find);

    // Both sizes in every round, alternating, so a drift of the machine's speed touches both alike.
    std::vector<double> smallRuns, largeRuns, smallSet, largeSet;
    for (int round = 0; round < 5; ++round) {
        smallRuns.push_back(AddPaths(5000));
        largeRuns.push_back(AddPaths(50000));
        smallSet.push_back(InsertIntoHashSet(5000));
        largeSet.push_back(InsertIntoHashSet(50000));
    }
    for (auto* runs : {&smallRuns, &largeRuns, &smallSet, &largeSet}) {
        std::sort(runs->begin(), runs->end());
    }
    std::printf("add 5,000 paths: %.2f ms; add 50,000: %.2f ms; ratio to ten times 5,000: %.2f\n", smallRuns[2],
                largeRuns[2], largeRuns[2] / (10 * smallRuns[2]));
    std::printf("for reference, a plain hash set of the same paths: %.2f ms and %.2f ms; ratio %.2f\n", smallSet[2],
                largeSet[2], largeSet[2] / (10 * smallSet[2]));
    std::printf("add 50,000 paths against a plain hash set of them: ratio %.2f\n", largeRuns[2] / largeSet[2]);
    return 0;
}
