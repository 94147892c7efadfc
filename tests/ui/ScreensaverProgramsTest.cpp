// The desktop's own screensaver programs on the Screensavers tab: found by a scan, shown by their
// label, previewed live, set active through XScreenSaver's file; and the platform's notices in the
// message panel.
#include "platform/xscreensaver/XScreenSaverSetting.h"
#include "ui/MainWindowFixture.h"
#include "ui/QtUiThread.h"
#include "ui/screensavers/PreviewPane.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFont>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>

#include <filesystem>

namespace kelvane::ui {
namespace {

using test::MainWindowTest;

class OneProgram final : public platform::ScreensaverCatalogue
{
public:
    explicit OneProgram(std::string folder) : m_folder(std::move(folder)) {}
    std::optional<std::string> LabelOf(std::string_view fileName) const override
    {
        return fileName == "deco" ? std::optional<std::string>("Deco") : std::nullopt;
    }
    std::string ProgramFolder() const override { return m_folder; }

private:
    std::string m_folder;
};

void SelectRows(QTreeView* view, std::initializer_list<int> rows)
{
    QItemSelection selection;
    for (const int row : rows) {
        selection.select(view->model()->index(row, 0), view->model()->index(row, 1));
    }
    view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

TEST_F(MainWindowTest, AFirstStartScansTheProgramFolderAndShowsAProgramByItsLabel)
{
    const OneProgram catalogue(dir.path() + "/hacks");
    programs = &catalogue;
    platform.windowsFolder = dir.path() + "/windows";
    std::filesystem::create_directories(dir.file("hacks"));
    dir.write("hacks/deco", "");
    dir.write("hacks/notes", "");
    dir.write("hacks/deco.xml", "");
    std::filesystem::permissions(dir.file("hacks/deco"), std::filesystem::perms::owner_all);
    std::filesystem::permissions(dir.file("hacks/notes"), std::filesystem::perms::owner_all);
    auto window = Create();
    EXPECT_EQ(
        window->Data().FolderLines(),
        (std::vector<std::string>{dir.path() + "/windows", dir.path() + "/windows/System32", dir.path() + "/hacks"}));
    window->Screens().findButtonClick();
    QtUiThread(window.get()).ProcessUntil([&] { return !window->Screens().IsProcessing(); });
    ASSERT_EQ(window->Data().Screensavers().Paths(), (std::vector<std::string>{dir.path() + "/hacks/deco"}))
        << "an executable the catalogue names, and nothing else there";
    const QAbstractItemModel* model = window->Screens().Controls().SSListBox->model();
    EXPECT_EQ(model->index(0, 1).data(Qt::DisplayRole).toString().toStdString(),
              "Deco  (" + dir.path() + "/hacks/deco)");
    EXPECT_EQ(model->index(0, 1).data(Qt::ToolTipRole).toString().toStdString(), dir.path() + "/hacks/deco");
}

TEST_F(MainWindowTest, TheSelectedRowIsPreviewedUntilTheSelectionChangesOrTheTabHides)
{
    auto window = Create();
    ScreensaverList& list = window->Data().Screensavers();
    list.AddScreensaverRow("/s/one.scr");
    list.AddScreensaverRow("/s/two.scr");
    window->ShowAtStart();
    QTreeView* view = window->Screens().Controls().SSListBox;
    const uint64_t surface = window->Screens().Controls().Preview->Surface()->winId();

    SelectRows(view, {0});
    ASSERT_EQ(preview.starts.size(), 1u);
    EXPECT_EQ(preview.starts.back().Path, "/s/one.scr");
    EXPECT_EQ(preview.starts.back().Window, surface);

    list.SetSelected(0, true);
    list.MoveSelectedToBottom(); // the same row, moved: it keeps running
    SelectRows(view, {1});
    EXPECT_EQ(preview.starts.size(), 1u);

    SelectRows(view, {0});
    ASSERT_EQ(preview.starts.size(), 2u);
    EXPECT_EQ(preview.starts.back().Path, "/s/two.scr");
    EXPECT_EQ(preview.stops, 1);

    SelectRows(view, {0, 1}); // two rows: no preview
    EXPECT_FALSE(preview.running);

    SelectRows(view, {1});
    ASSERT_TRUE(preview.running);
    window->Screens().Controls().SSListBox->window()->close(); // hidden to the tray
    EXPECT_FALSE(preview.running) << "never left running where nobody sees it";
    window->BringTheWindowUp();
    EXPECT_TRUE(preview.running);
    EXPECT_EQ(preview.starts.back().Path, "/s/one.scr");
}

// Where the system cannot show another program's drawing in the pane, a preview would run unseen.
TEST_F(MainWindowTest, ThePaneStartsNoPreviewItCannotShowAndSaysWhereTheScreensaverShows)
{
    preview.showsInPane = false;
    auto window = Create();
    window->Data().Screensavers().AddScreensaverRow("/s/one.scr");
    window->ShowAtStart();
    PreviewPane* pane = window->Screens().Controls().Preview;
    const QLabel* note = pane->findChild<QLabel*>();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text().toStdString(), previewOwnWindowNote);

    SelectRows(window->Screens().Controls().SSListBox, {0});
    EXPECT_TRUE(preview.starts.empty());
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text().toStdString(), previewOwnWindowNote);
    EXPECT_FALSE(pane->Surface()->isVisible());
}

TEST_F(MainWindowTest, APlatformNoticeShowsInTheMessagePanelAfterTheActiveScreensaver)
{
    notices.Report("XScreenSaver is not installed");
    platform.setting = "/home/u/glow.scr";
    auto window = Create();
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Active: /home/u/glow.scr"));
    QApplication::processEvents();
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("XScreenSaver is not installed"));

    notices.Report("XScreenSaver did not answer");
    QApplication::processEvents();
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("XScreenSaver did not answer"));
}

// A Windows path in the list, as a list from the Windows program holds it, made the desktop's screensaver
// through XScreenSaver's file: the daemon's entry runs that file through Wine in the prefix it was
// found in, and the row is drawn as the active one, at once and at the next start.
TEST_F(MainWindowTest, AWindowsPathSetActiveThroughXScreenSaverIsTheActiveRow)
{
    const OneProgram catalogue(dir.path() + "/hacks");
    const std::string prefix = dir.file("wine prefix");
    platform::XScreenSaverSetting xscreensaver(
        {dir.file(".xscreensaver"), dir.file("defaults"), catalogue.ProgramFolder(), prefix}, catalogue,
        prefix + "/drive_c/windows", notices, {});
    setting = &xscreensaver;
    const std::string ribbons = "C:\\Windows\\System32\\ribbons.scr";
    dir.write("ssList.txt", "/s/other.scr\r\n" + ribbons + "\r\n");
    const auto isActiveRow = [](const kelvane::test::TestWindow& window, int row) {
        const QAbstractItemModel* model = window.Screens().Controls().SSListBox->model();
        return model->index(row, 1).data(Qt::FontRole).value<QFont>().bold();
    };

    auto window = Create();
    SelectRows(window->Screens().Controls().SSListBox, {1});
    window->Screens().Controls().setActiveButton->click();
    EXPECT_NE(
        dir.read(".xscreensaver").find("env WINEPREFIX='" + prefix + "' wine 'C:/Windows/System32/ribbons.scr' /s"),
        std::string::npos)
        << dir.read(".xscreensaver");
    EXPECT_EQ(window->statusBar()->toolTip().toStdString(), "Active: " + ribbons);
    EXPECT_TRUE(isActiveRow(*window, 1));
    EXPECT_FALSE(isActiveRow(*window, 0));
    window->Exit1Click();
    window.reset();

    window = Create();
    EXPECT_TRUE(isActiveRow(*window, 1)) << "read back from XScreenSaver's file";
    EXPECT_FALSE(isActiveRow(*window, 0));
}

} // namespace
} // namespace kelvane::ui
