#include "platform/qt/QtIconProvider.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::platform {
namespace {

TEST(QtIconProvider, FilesOfOneExtensionShareOneIconAndMissingFilesHaveNone)
{
    test::TempDir dir;
    dir.write("a.scr", "MZ");
    dir.write("b.SCR", "MZ");
    dir.write("notes.txt", "text");
    QtIconProvider icons;

    const FileIcon first = icons.LoadFileIcon(dir.path() + "/a.scr");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(icons.LoadFileIcon(dir.path() + "/b.SCR"), first) << "looked up once per extension, in any case";
    EXPECT_NE(icons.LoadFileIcon(dir.path() + "/notes.txt"), first);
    EXPECT_EQ(icons.LoadFileIcon(dir.path() + "/gone.scr"), nullptr);
    EXPECT_EQ(icons.LoadFileIcon(""), nullptr);
}

TEST(QtIconProvider, ManyFilesAtOnceGetWhatOneByOneWouldGive)
{
    test::TempDir dir;
    // Enough files in one folder for it to be listed rather than asked about file by file.
    for (int i = 0; i < 40; ++i) {
        dir.write("saver" + std::to_string(i) + ".scr", "MZ");
    }
    std::filesystem::create_directories(dir.file("few"));
    dir.write("few/one.scr", "MZ");
    std::filesystem::create_directories(dir.file("folder.scr"));
    std::filesystem::create_symlink(dir.file("saver1.scr"), dir.file("link.scr"));
    std::filesystem::create_symlink(dir.file("gone.scr"), dir.file("dangling.scr"));
    const std::string d = dir.path();
    const struct
    {
        std::string path;
        bool hasIcon;
    } cases[] = {
        {d + "/saver0.scr", true},
        {d + "/saver39.scr", true},
        {d + "/saver0.scr", true}, // asked twice
        {d + "/Saver0.scr", false},
        {d + "/missing.scr", false},
        {d + "/folder.scr", true},
        {d + "/link.scr", true},
        {d + "/dangling.scr", false},
        {d + "/few/one.scr", true},
        {d + "/few/two.scr", false},
        {d + "//saver2.scr", true},
        {d + "/./saver3.scr", true},
        {d + "/few/../saver4.scr", true},
        {d + "/nowhere/saver5.scr", false},
        {"saver6.scr", false},
        {"", false},
    };
    std::vector<std::string_view> paths;
    for (const auto& c : cases) {
        paths.emplace_back(c.path);
    }
    for (int i = 7; i < 40; ++i) {
        paths.emplace_back(cases[0].path); // keeps the listed folder well above the threshold
    }
    QtIconProvider icons;
    const std::vector<FileIcon> together = icons.LoadFileIcons(paths);
    ASSERT_EQ(together.size(), paths.size());
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(together[i] != nullptr, cases[i].hasIcon) << cases[i].path;
        EXPECT_EQ(together[i], icons.LoadFileIcon(cases[i].path)) << cases[i].path;
    }
}

} // namespace
} // namespace kelvane::platform
