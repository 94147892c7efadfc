#include "platform/qt/QtIconProvider.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kelvane::platform {
namespace {

TEST(QtIconProvider, FilesOfOneExtensionShareOneIconAndMissingFilesHaveNone)
{
    test::TempDir dir;
    dir.write("a.scr", "MZ");
    dir.write("b.SCR", "MZ");
    dir.write("notes.txt", "text");
    std::filesystem::create_symlink(dir.file("a.scr"), dir.file("link.scr"));
    std::filesystem::create_symlink(dir.file("gone.scr"), dir.file("dangling.scr"));
    QtIconProvider icons;

    const FileIcon first = icons.LoadFileIcon(dir.path() + "/a.scr");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(icons.LoadFileIcon(dir.path() + "/b.SCR"), first) << "looked up once per extension, in any case";
    EXPECT_NE(icons.LoadFileIcon(dir.path() + "/notes.txt"), first);
    EXPECT_EQ(icons.LoadFileIcon(dir.path() + "/gone.scr"), nullptr);
    EXPECT_EQ(icons.LoadFileIcon(dir.path() + "/link.scr"), first) << "a link is followed";
    EXPECT_EQ(icons.LoadFileIcon(dir.path() + "/dangling.scr"), nullptr);
    EXPECT_EQ(icons.LoadFileIcon(""), nullptr);
}

} // namespace
} // namespace kelvane::platform
