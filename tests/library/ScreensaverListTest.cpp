#include "library/ScreensaverList.h"

#include "library/ListFiles.h"
#include "library/Rotation.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace kelvane {
namespace {

using namespace std::string_literals;
constexpr auto Added = ScreensaverList::Addition::Added;
constexpr auto AlreadyListed = ScreensaverList::Addition::AlreadyListed;

// Icons that name their path, and a count of the look-ups that reached the platform.
class CountingIcons : public IconProvider
{
public:
    int lookups = 0;
    FileIcon LoadFileIcon(const std::string& path) override
    {
        ++lookups;
        return std::make_shared<const std::string>(path);
    }
};

class ListTest : public testing::Test
{
protected:
    std::vector<std::string> Paths() const { return list.Paths(); }
    void Fill(std::initializer_list<const char*> paths)
    {
        for (const char* path : paths) {
            list.AddScreensaverRow(path);
        }
    }
    void Select(std::initializer_list<size_t> rows)
    {
        for (const size_t row : rows) {
            list.SetSelected(row, true);
        }
    }
    // Asks for every row's icon, as a view drawing the whole list would; each must name its own path.
    void DrawAll()
    {
        for (size_t row = 0; row < list.Count(); ++row) {
            const auto* icon = static_cast<const std::string*>(list.IconOfRow(row).get());
            ASSERT_NE(icon, nullptr);
            EXPECT_EQ(*icon, list.Rows()[row].Path) << "each row shows the icon of its own path";
        }
    }

    CountingIcons provider;
    IconCache icons{provider};
    ScreensaverList list{icons};
};

TEST_F(ListTest, AddingKeepsOrderAndDropsOnlyExactDuplicates)
{
    EXPECT_EQ(list.AddScreensaverRow("/s/a.scr"), Added);
    EXPECT_EQ(list.AddScreensaverRow("/s/a.scr"), AlreadyListed);
    EXPECT_EQ(list.AddScreensaverRow("/s/A.scr"), Added) << "another letter case is another row";
    EXPECT_EQ(list.AddScreensaverRow("/s/a.scr "), Added) << "paths are not normalised";
    EXPECT_EQ(Paths(), (std::vector<std::string>{"/s/a.scr", "/s/A.scr", "/s/a.scr "}));
    EXPECT_EQ(list.Rows()[2].IconIndex, 2);
    EXPECT_EQ(provider.lookups, 0) << "nothing is looked up before its row is drawn";
    DrawAll();
    EXPECT_EQ(provider.lookups, 3);

    Select({0});
    list.DeleteSelectedRows();
    EXPECT_EQ(list.AddScreensaverRow("/s/a.scr"), Added) << "a removed path can be added again";
    EXPECT_EQ(list.Rows().back().IconIndex, 3) << "images only grow";
    DrawAll();
    EXPECT_EQ(provider.lookups, 3) << "the cache answers for a path seen before";
}

TEST_F(ListTest, ALoadedListAsksForIconsOnlyAsItsRowsAreDrawn)
{
    test::TempDir dir;
    dir.write("list.txt", "/s/a.scr\r\n/s/b.scr\r\n/s/a.scr\r\n/s/c.scr\r\n");
    ASSERT_TRUE(list.LoadListFromFile(dir.file("list.txt")));
    EXPECT_EQ(provider.lookups, 0);
    list.IconOfRow(2);
    list.IconOfRow(2);
    EXPECT_EQ(provider.lookups, 1) << "a drawn row keeps its icon";
    list.IconOfRow(0);
    EXPECT_EQ(provider.lookups, 1) << "rows of one path share one look-up";
    Select({0, 1});
    list.DeleteSelectedRows(); // b goes without ever being drawn
    EXPECT_EQ(list.AddScreensaverRow("/s/b.scr"), Added);
    DrawAll();
    EXPECT_EQ(provider.lookups, 3) << "b and c once each";
}

TEST_F(ListTest, TheDuplicateTestAndTheIconsFollowRowsThroughMovesAndRemovals)
{
    test::TempDir dir;
    dir.write("twice.txt", "/s/b.scr\r\n/s/b.scr\r\n");
    dir.write("new_twice.txt", "/s/e.scr\r\n/s/f.scr\r\n/s/e.scr\r\n");
    const struct
    {
        const char* name;
        std::function<void()> operation;
        const char* added; // the path then offered to AddScreensaverRow
        bool accepted;
        int lookups; // look-ups that reached the platform once every row was drawn, all told
    } cases[] = {
        {"fresh", [] {}, "/s/c.scr", true, 3},
        {"moved_to_top",
         [&] {
             Select({2});
             list.MoveSelectedToTop();
         },
         "/s/c.scr", false, 3},
        {"first_removed_after_the_move",
         [&] {
             list.SelectAllRows();
             list.DeleteSelectedRows();
             Fill({"/s/a.scr", "/s/c.scr"});
             Select({0});
             list.DeleteSelectedRows();
         },
         "/s/c.scr", false, 3},
        {"removed_then_back", [&] { list.Clear(); }, "/s/a.scr", true, 3},
        {"file_duplicates_one_removed",
         [&] {
             list.Clear();
             (void)list.LoadListFromFile(dir.file("twice.txt"));
             Select({0});
             list.DeleteSelectedRows();
         },
         "/s/b.scr", false, 3},
        {"file_duplicates_both_removed", [&] { list.Clear(); }, "/s/b.scr", true, 3},
        {"cleared_twice_then_all_back",
         [&] {
             list.Clear();
             Fill({"/s/c.scr", "/s/d.scr", "/s/b.scr"});
             list.Clear();
         },
         "/s/d.scr", true, 4},
        {"new_path_twice_in_a_file", [&] { (void)list.LoadListFromFile(dir.file("new_twice.txt")); }, "/s/e.scr", false,
         6},
    };
    Fill({"/s/a.scr", "/s/b.scr"});
    for (const auto& c : cases) {
        c.operation();
        const std::vector<std::string> before = Paths();
        EXPECT_EQ(list.AddScreensaverRow(c.added) == Added, c.accepted) << c.name;
        EXPECT_EQ(Paths().size(), before.size() + (c.accepted ? 1 : 0)) << c.name;
        SCOPED_TRACE(c.name);
        DrawAll();
        EXPECT_EQ(provider.lookups, c.lookups);
    }
}

TEST_F(ListTest, MovesTakeTheFirstSelectedRowAndKeepTheSelection)
{
    const struct
    {
        const char* name;
        std::vector<size_t> selected;
        void (ScreensaverList::*move)();
        std::vector<std::string> order;
        std::vector<size_t> selectedAfter;
    } cases[] = {
        {"top_from_1_and_3", {1, 3}, &ScreensaverList::MoveSelectedToTop, {"b", "a", "c", "d"}, {0, 3}},
        {"top_of_first", {0}, &ScreensaverList::MoveSelectedToTop, {"a", "b", "c", "d"}, {0}},
        {"bottom", {1, 2}, &ScreensaverList::MoveSelectedToBottom, {"a", "c", "d", "b"}, {1, 3}},
        {"up", {2}, &ScreensaverList::MoveSelectedUp, {"a", "c", "b", "d"}, {1}},
        {"up_on_first", {0, 2}, &ScreensaverList::MoveSelectedUp, {"a", "b", "c", "d"}, {0, 2}},
        {"down", {1}, &ScreensaverList::MoveSelectedDown, {"a", "c", "b", "d"}, {2}},
        {"down_on_last", {3}, &ScreensaverList::MoveSelectedDown, {"a", "b", "c", "d"}, {3}},
        {"nothing_selected", {}, &ScreensaverList::MoveSelectedToTop, {"a", "b", "c", "d"}, {}},
        {"remove", {0, 2}, &ScreensaverList::DeleteSelectedRows, {"b", "d"}, {}},
        {"remove_nothing", {}, &ScreensaverList::DeleteSelectedRows, {"a", "b", "c", "d"}, {}},
    };
    for (const auto& c : cases) {
        list.Clear();
        Fill({"a", "b", "c", "d"});
        for (const size_t row : c.selected) {
            list.SetSelected(row, true);
        }
        (list.*c.move)();
        EXPECT_EQ(Paths(), c.order) << c.name;
        EXPECT_EQ(list.SelectedRows(), c.selectedAfter) << c.name;
    }
    list.SelectAllRows();
    list.DeleteSelectedRows();
    EXPECT_EQ(list.Count(), 0u);
}

// A view's copy of the rows, kept only from the list's change notices.
class MirrorView : public ListObserver
{
public:
    explicit MirrorView(const ScreensaverList& list) : m_list(list) {}
    std::vector<std::string> rows;
    std::vector<ListChange> changes;
    bool countsAgreed = true; // before each change the copy and the list have the same length

    void RowsChanging(const ListChange& change) override
    {
        countsAgreed = countsAgreed && rows.size() == m_list.Count();
        changes.push_back(change);
    }
    void RowsChanged(const ListChange& change) override
    {
        const auto at = [this](size_t i) { return rows.begin() + static_cast<std::ptrdiff_t>(i); };
        switch (change.What) {
        case ListChange::Kind::Insert:
            for (size_t i = change.First; i < change.First + change.Count; ++i) {
                rows.insert(at(i), m_list.Rows()[i].Path);
            }
            break;
        case ListChange::Kind::Remove:
            rows.erase(at(change.First), at(change.First + change.Count));
            break;
        case ListChange::Kind::Move: {
            std::string moved = rows[change.First];
            rows.erase(at(change.First));
            rows.insert(at(change.To), moved);
            break;
        }
        case ListChange::Kind::Update:
            break;
        }
    }

private:
    const ScreensaverList& m_list;
};

TEST_F(ListTest, EveryChangeIsToldAsInsertRemoveOrMove)
{
    using Kind = ListChange::Kind;
    test::TempDir dir;
    dir.write("more.txt", "x\r\ny\r\n");
    MirrorView view(list);
    list.SetObserver(&view);
    const struct
    {
        const char* name;
        std::function<void()> operation;
        std::vector<ListChange> told;
    } cases[] = {
        {"add",
         [&] {
             Fill({"a", "b", "c", "d", "e"});
         },
         {{Kind::Insert, 0, 1},
          {Kind::Insert, 1, 1},
          {Kind::Insert, 2, 1},
          {Kind::Insert, 3, 1},
          {Kind::Insert, 4, 1}}},
        {"duplicate", [&] { Fill({"a"}); }, {}},
        {"load", [&] { (void)list.LoadListFromFile(dir.file("more.txt")); }, {{Kind::Insert, 5, 2}}},
        {"up",
         [&] {
             Select({3});
             list.MoveSelectedUp();
         },
         {{Kind::Move, 3, 1, 2}}},
        {"bottom", [&] { list.MoveSelectedToBottom(); }, {{Kind::Move, 2, 1, 6}}},
        {"top", [&] { list.MoveSelectedToTop(); }, {{Kind::Move, 6, 1, 0}}},
        {"down", [&] { list.MoveSelectedDown(); }, {{Kind::Move, 0, 1, 1}}},
        {"remove_runs",
         [&] {
             list.SetSelected(1, false);
             Select({0, 2, 3, 6});
             list.DeleteSelectedRows();
         },
         {{Kind::Remove, 6, 1}, {Kind::Remove, 2, 2}, {Kind::Remove, 0, 1}}},
        {"clear", [&] { list.Clear(); }, {{Kind::Remove, 0, 3}}},
        {"batch",
         [&] {
             Fill({"a"});
             EXPECT_EQ(list.AddScreensaverRows({"f", "a", "g", "f", "tab\there", "A"}), 1u) << "left out";
         },
         {{Kind::Insert, 0, 1}, {Kind::Insert, 1, 3}}},
    };
    for (const auto& c : cases) {
        view.changes.clear();
        c.operation();
        EXPECT_EQ(view.changes, c.told) << c.name;
        EXPECT_EQ(view.rows, Paths()) << c.name << ": the view follows the notices alone";
    }
    EXPECT_TRUE(view.countsAgreed);
    list.SetObserver(nullptr);
}

TEST_F(ListTest, ListFilesReadEveryFormAndWriteCrLf)
{
    test::TempDir dir;
    const struct
    {
        const char* name;
        std::string bytes;
        std::vector<std::string> paths;
    } cases[] = {
        {"mixed_line_ends", "a.scr\r\nb.scr\nc.scr\rd.scr", {"a.scr", "b.scr", "c.scr", "d.scr"}},
        {"tab_and_more", "a.scr\tsize 10\textra\r\n\r\n\"q q.scr\"\tx\r\n\tafter tab\r\n", {"a.scr", "q q.scr", ""}},
        {"twice", "a.scr\r\na.scr\r\n", {"a.scr", "a.scr"}},
        {"utf8_mark",
         "\xEF\xBB\xBF"
         "\xC3\xA9.scr\r\n",
         {"\xC3\xA9.scr"}},
        {"utf16le_mark",
         "\xFF\xFE"
         "\xE9\0.\0s\0c\0r\0\r\0\n\0"s,
         {"\xC3\xA9.scr"}},
        {"utf16be_mark", "\xFE\xFF\0\xE9\0.\0s\0c\0r"s, {"\xC3\xA9.scr"}},
#ifdef _WIN32
        {"eight_bit", "caf\xE9.scr\r\n", {"caf\xC3\xA9.scr"}},
#else
        {"eight_bit", "caf\xE9.scr\r\n", {"caf\xE9.scr"}}, // a Linux path is bytes
#endif
        {"long_line", std::string(100000, 'x') + "\r\n", {std::string(100000, 'x')}},
    };
    for (const auto& c : cases) {
        dir.write("list.txt", c.bytes);
        list.Clear();
        ASSERT_TRUE(list.LoadListFromFile(dir.file("list.txt")).ok()) << c.name;
        EXPECT_EQ(Paths(), c.paths) << c.name;
    }

    list.Clear();
    Fill({"/s/a.scr", "/s/Zo\xC3\xAB.scr"});
    ASSERT_TRUE(list.SaveListToFile(dir.file("out.txt")).ok());
#ifdef _WIN32
    EXPECT_EQ(dir.read("out.txt"), "/s/a.scr\r\n/s/Zo\xEB.scr\r\n") << "the western Windows code page";
#else
    EXPECT_EQ(dir.read("out.txt"), "/s/a.scr\r\n/s/Zo\xC3\xAB.scr\r\n");
#endif
    EXPECT_FALSE(list.SaveListToFile(dir.file("missing/out.txt")).ok());
    EXPECT_FALSE(list.LoadListFromFile(dir.file("missing.txt")).ok());
}

TEST_F(ListTest, ImportReplacesTheRowsWithThoseOfEveryReadableFile)
{
    test::TempDir dir;
    dir.write("one.txt", "/s/a.scr\r\n/s/b.scr\r\n");
    dir.write("two.txt", "/s/a.scr\r\n");
    Fill({"/old.scr"});
    list.ImportListFiles({dir.file("one.txt"), dir.file("missing.txt"), dir.file("two.txt")});
    EXPECT_EQ(Paths(), (std::vector<std::string>{"/s/a.scr", "/s/b.scr", "/s/a.scr"}));
}

TEST(ListFileEncoding, FolderFilesKeepTheirMarkAndUnwritablePathsAreNotLost)
{
    const ListFileText folders = ParseListFile("\xFF\xFE"
                                               "C\0:\0\\\0\r\0\n\0\r\0\n\0"s);
    EXPECT_EQ(folders.Lines, (std::vector<std::string>{"C:\\", ""})) << "empty lines are kept";
    EXPECT_TRUE(folders.HadByteOrderMark);
    EXPECT_EQ(SerializeListFile(folders.Lines, folders.Encoding), "\xFF\xFE"
                                                                  "C\0:\0\\\0\r\0\n\0\r\0\n\0"s);

    EXPECT_EQ(SerializeListFile({"caf\xC3\xA9"}, TextEncoding::Windows1252), "caf\xE9\r\n");
    EXPECT_EQ(SerializeListFile({"\xE4\xB8\xAD.scr"}, TextEncoding::Windows1252), "\xEF\xBB\xBF\xE4\xB8\xAD.scr\r\n")
        << "a path the code page cannot hold makes the file UTF-8 with a mark";
}

// One list file, and what each system reads from it. Written back, the lines read as the same lines, so
// no damage grows from one start to the next.
struct MixedListCase
{
    const char* name;
    std::string bytes;
    std::vector<std::string> linux;   // KeepLocalPathBytes
    std::vector<std::string> windows; // CodePage
    std::string linuxWritten;         // what a Linux program writes back (UTF-8, its default)
};

const MixedListCase kMixedLists[] = {
    {"all_utf8",
     "/s/\xC3\x9C"
     "ber.scr\r\n/s/a.scr\r\n",
     {"/s/\xC3\x9C"
      "ber.scr",
      "/s/a.scr"},
     {"/s/\xC3\x9C"
      "ber.scr",
      "/s/a.scr"},
     "/s/\xC3\x9C"
     "ber.scr\r\n/s/a.scr\r\n"},
    {"one_latin1_line",
     "/s/\xC3\x9C"
     "ber.scr\r\n/s/caf\xE9.scr\n/s/a.scr",
     {"/s/\xC3\x9C"
      "ber.scr",
      "/s/caf\xE9.scr", "/s/a.scr"},
     {"/s/\xC3\x9C"
      "ber.scr",
      "/s/caf\xC3\xA9.scr", "/s/a.scr"},
     "/s/\xC3\x9C"
     "ber.scr\r\n/s/caf\xE9.scr\r\n/s/a.scr\r\n"},
    {"drive_letter_paths_are_windows_ones",
     "C:\\caf\xE9.scr\r\n\"d:\\na\xEFve.scr\"\tmore\r\n/s/caf\xE9.scr\r\n",
     {"C:\\caf\xC3\xA9.scr", "\"d:\\na\xC3\xAFve.scr\"\tmore", "/s/caf\xE9.scr"},
     {"C:\\caf\xC3\xA9.scr", "\"d:\\na\xC3\xAFve.scr\"\tmore", "/s/caf\xC3\xA9.scr"},
     "C:\\caf\xC3\xA9.scr\r\n\"d:\\na\xC3\xAFve.scr\"\tmore\r\n/s/caf\xE9.scr\r\n"},
    {"utf8_mark_and_a_latin1_line",
     "\xEF\xBB\xBF/s/\xC3\x9C"
     "ber.scr\r\n/s/caf\xE9.scr\r\n",
     {"/s/\xC3\x9C"
      "ber.scr",
      "/s/caf\xE9.scr"},
     {"/s/\xC3\x9C"
      "ber.scr",
      "/s/caf\xC3\xA9.scr"},
     "/s/\xC3\x9C"
     "ber.scr\r\n/s/caf\xE9.scr\r\n"},
    {"all_code_page",
     "C:\\caf\xE9.scr\r\nC:\\\x80.scr\r\n/s/na\xEFve.scr\r\n",
     {"C:\\caf\xC3\xA9.scr", "C:\\\xE2\x82\xAC.scr", "/s/na\xEFve.scr"},
     {"C:\\caf\xC3\xA9.scr", "C:\\\xE2\x82\xAC.scr", "/s/na\xC3\xAFve.scr"},
     "C:\\caf\xC3\xA9.scr\r\nC:\\\xE2\x82\xAC.scr\r\n/s/na\xEFve.scr\r\n"},
};

// The paths ListFilePaths finds, which must be those of ParseListFile's lines.
std::vector<std::string> PathsOf(const std::string& bytes, NonUtf8Lines rule)
{
    const ListFilePaths paths(bytes, rule);
    std::vector<std::string> found;
    for (size_t i = 0; i < paths.Count(); ++i) {
        found.emplace_back(paths.Path(i));
    }
    return found;
}

std::vector<std::string> LinePaths(const std::vector<std::string>& lines)
{
    std::vector<std::string> paths;
    for (const std::string& line : lines) {
        if (const auto path = ListLinePath(line)) {
            paths.emplace_back(*path);
        }
    }
    return paths;
}

TEST(ListFileEncoding, EachLineIsReadByItself)
{
    for (const MixedListCase& c : kMixedLists) {
        for (const auto& [rule, lines, encoding] :
             {std::tuple{NonUtf8Lines::KeepLocalPathBytes, c.linux, TextEncoding::Utf8},
              std::tuple{NonUtf8Lines::CodePage, c.windows, TextEncoding::Windows1252}}) {
            const std::string system = rule == NonUtf8Lines::CodePage ? "windows" : "linux";
            SCOPED_TRACE(std::string(c.name) + " on " + system);
            const ListFileText text = ParseListFile(c.bytes, rule);
            EXPECT_EQ(text.Lines, lines);
            EXPECT_EQ(PathsOf(c.bytes, rule), LinePaths(lines));
            const std::string written = SerializeListFile(text.Lines, text.HadByteOrderMark ? text.Encoding : encoding);
            EXPECT_EQ(ParseListFile(written, rule).Lines, lines) << "the next start reads the same lines";
            if (rule == NonUtf8Lines::KeepLocalPathBytes) {
                const std::string mark = text.HadByteOrderMark ? "\xEF\xBB\xBF" : "";
                EXPECT_EQ(written, mark + c.linuxWritten) << "each line keeps its bytes";
            }
        }
    }
}

TEST_F(ListTest, AListFileWithANonUtf8LineSurvivesRestarts)
{
    test::TempDir dir;
    dir.write("ssList.txt", kMixedLists[1].bytes);
    for (int start = 0; start < 3; ++start) {
        list.Clear();
        ASSERT_TRUE(list.LoadListFromFile(dir.file("ssList.txt")));
        ASSERT_TRUE(list.SaveListToFile(dir.file("ssList.txt")));
    }
#ifdef _WIN32
    EXPECT_EQ(Paths(), kMixedLists[1].windows);
#else
    EXPECT_EQ(Paths(), kMixedLists[1].linux) << "every row still names its file";
    EXPECT_EQ(dir.read("ssList.txt"), kMixedLists[1].linuxWritten);
#endif
}

TEST_F(ListTest, APathAListFileCannotKeepIsNotListed)
{
    const struct
    {
        std::string path;
        ScreensaverList::Addition result;
    } cases[] = {
        {"/s/new\nline.scr", ScreensaverList::Addition::CannotKeep},
        {"/s/carriage\rreturn.scr", ScreensaverList::Addition::CannotKeep},
        {"/s/tab\there.scr", ScreensaverList::Addition::CannotKeep},
        {"\"/s/quoted.scr\"", ScreensaverList::Addition::CannotKeep},
        {"", ScreensaverList::Addition::CannotKeep},
        {"/s/\"inner\" quotes.scr", Added},
        {"\"/s/one quote.scr", Added},
        {"/s/caf\xC3\xA9.scr", Added},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(list.AddScreensaverRow(c.path), c.result) << c.path;
        EXPECT_EQ(ListFileCanKeep(c.path), c.result == Added) << c.path;
    }
    // Whatever was listed comes back from the list file as the same rows.
    test::TempDir dir;
    const std::vector<std::string> listed = Paths();
    ASSERT_TRUE(list.SaveListToFile(dir.file("ssList.txt")));
    list.Clear();
    ASSERT_TRUE(list.LoadListFromFile(dir.file("ssList.txt")));
    EXPECT_EQ(Paths(), listed);
    EXPECT_EQ(LeftOutOfListText(1), "1 file left out: a list file cannot keep a name with a line break, a tab or "
                                    "enclosing double quotes");
    EXPECT_EQ(LeftOutOfListText(2).substr(0, 18), "2 files left out: ");
}

TEST(ActiveRowRule, LetterCaseDoesNotMatter)
{
    EXPECT_TRUE(IsActiveRow("C:\\Windows\\System32\\Ribbons.scr", "c:\\windows\\system32\\RIBBONS.SCR"));
    EXPECT_TRUE(IsActiveRow("/s/\xC3\xA9t\xC3\xA9.scr", "/S/\xC3\x89T\xC3\x89.SCR"));
    EXPECT_FALSE(IsActiveRow("/s/a.scr", "None"));
}

TEST(RotationSteps, WalkTheListAndWrap)
{
    test::FakePlatform platform;
    ActiveScreensaverControl active(platform, platform, platform);
    RotationState state;
    const std::vector<std::string> three{"/a.scr", "/b.scr", "/c.scr"};
    std::vector<std::string> used;
    EXPECT_EQ(RotationStep(state, {}, RotationAction::ActivateOnly, active), std::nullopt);
    EXPECT_EQ(state.RotationIndex, -1);
    for (int i = 0; i < 4; ++i) {
        used.push_back(*RotationStep(state, three, RotationAction::ActivateOnly, active));
    }
    EXPECT_EQ(used, (std::vector<std::string>{"/a.scr", "/b.scr", "/c.scr", "/a.scr"}));
    EXPECT_EQ(platform.setting, "/a.scr");

    state.RotationIndex = 4; // rows were removed since the last step
    EXPECT_EQ(RotationStep(state, three, RotationAction::Run, active), "/a.scr");
    EXPECT_EQ(platform.calls.back(), "run /a.scr");
    EXPECT_EQ(state.RotationCount, 3);

    platform.calls.clear();
    platform.runningExeNames = {"B.SCR"};
    RotationStep(state, three, RotationAction::Run, active);
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"find a.scr", "find b.scr", "exit input", "run /b.scr"}))
        << "a running screensaver of the list is closed first";
}

TEST(RotationSteps, ARowWhoseFileIsMissingIsPassedOver)
{
    test::FakePlatform platform;
    ActiveScreensaverControl active(platform, platform, platform);
    RotationState state;
    const std::vector<std::string> three{"/a.scr", "/gone.scr", "/c.scr"};
    platform.missingFiles = {"/gone.scr"};
    for (const RotationAction action : {RotationAction::Run, RotationAction::ActivateOnly}) {
        platform.calls.clear();
        platform.setting.reset();
        state = {0, 3}; // the next step takes the missing row
        EXPECT_EQ(RotationStep(state, three, action, active), "/gone.scr");
        EXPECT_EQ(platform.calls, (std::vector<std::string>{"find a.scr", "find gone.scr", "find c.scr"}))
            << "nothing started, nothing written";
        EXPECT_FALSE(platform.setting.has_value());
        EXPECT_EQ(RotationStep(state, three, action, active), "/c.scr") << "the next step goes on from there";
    }
}

TEST(IntervalBox, LimitsAndMessages)
{
    const IntervalChange tooLow = IntervalBoxChange(9);
    EXPECT_FALSE(tooLow.TimerMs.has_value());
    EXPECT_EQ(tooLow.Status, "You have entered an interval that is too low, please adjust to prevent excessive "
                             "resource use. Interval value not allowed.");
    EXPECT_EQ(IntervalBoxChange(0).Status, tooLow.Status) << "an emptied box counts as 0";
    EXPECT_EQ(IntervalBoxChange(10).TimerMs, 10000);
    EXPECT_FALSE(IntervalBoxChange(2147482).Warning.has_value());
    const IntervalChange maximum = IntervalBoxChange(2147483);
    EXPECT_EQ(maximum.TimerMs, 2147483000);
    EXPECT_EQ(
        maximum.Warning,
        "You have entered the maximum allowed seconds.\r\nPlease use the Event Scheduler for extended intervals.");
}

} // namespace
} // namespace kelvane
