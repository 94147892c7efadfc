// The Screensavers tab: the list and its files, scans, the buttons and popup, the rotation interval.
#include "library/FileListThread.h"
#include "ui/MainWindowFixture.h"
#include "ui/QtUiThread.h"
#include "ui/screensavers/IntervalSpinBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kelvane::ui {
namespace {

using test::MainWindowTest;

// An ssList.txt of "/s/0.scr", "/s/1.scr" and so on.
void WriteNumberedList(test::TempDir& dir, int rows)
{
    std::string list;
    for (int i = 0; i < rows; ++i) {
        list += "/s/" + std::to_string(i) + ".scr\r\n";
    }
    dir.write("ssList.txt", list);
}

TEST_F(MainWindowTest, TheListFilesComeThroughARunUnchanged)
{
    using namespace std::string_literals;
    const std::string list = "/s/b.scr\r\n/s/a.scr\r\n/s/a.scr\r\n";
    const std::string folders = "\xFF\xFE/\0s\0\r\0\n\0\r\0\n\0"s; // UTF-16 with its mark, an empty line kept
    dir.write("ssList.txt", list);
    dir.write("folderList.txt", folders);
    auto window = Create();
    EXPECT_EQ(window->Data().Screensavers().Paths(), (std::vector<std::string>{"/s/b.scr", "/s/a.scr", "/s/a.scr"}));
    EXPECT_EQ(window->Data().FolderLines(), (std::vector<std::string>{"/s", ""}));
    window->Exit1Click();
    EXPECT_EQ(dir.read("ssList.txt"), list);
    EXPECT_EQ(dir.read("folderList.txt"), folders);
}

TEST_F(MainWindowTest, AFirstStartScansTheWindowsFoldersAndRotatesByActivation)
{
    platform.windowsFolder = dir.path() + "/windows";
    auto window = Create();
    EXPECT_EQ(window->Data().FolderLines(),
              (std::vector<std::string>{dir.path() + "/windows", dir.path() + "/windows/System32"}));
    EXPECT_TRUE(window->Screens().switchTimer()->isActive());
    EXPECT_EQ(window->Screens().switchTimer()->interval(), 3600 * 1000);

    std::filesystem::create_directories(dir.file("windows/System32"));
    dir.write("windows/System32/ribbons.scr", "");
    dir.write("windows/System32/Bubbles.SCR", "");
    dir.write("windows/notes.txt", "");
    window->Screens().findButtonClick();
    EXPECT_TRUE(window->Screens().IsProcessing());
    window->Screens().findButtonClick(); // nothing while a scan runs
    QtUiThread(window.get()).ProcessUntil([&] { return !window->Screens().IsProcessing(); });
    std::vector<std::string> found = window->Data().Screensavers().Paths();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{dir.path() + "/windows/System32/Bubbles.SCR",
                                               dir.path() + "/windows/System32/ribbons.scr"}))
        << "the overlapping second folder adds nothing twice";

    window->Screens().switchTimerTimer();
    window->Screens().switchTimerTimer();
    window->Screens().switchTimerTimer();
    EXPECT_EQ(platform.setting, window->Data().Screensavers().Paths()[0])
        << "three steps over two rows wrap to the top";
}

TEST_F(MainWindowTest, NamesAListFileCannotKeepAreLeftOutAndCounted)
{
#ifndef _WIN32
    for (const char* name : {"tree/new\nline.scr", "tree/tab\there.scr", "tree/kept.scr"}) {
        std::filesystem::create_directories(dir.file("tree"));
        dir.write(name, "");
    }
    dir.write("folderList.txt", dir.file("tree") + "\r\n");
    auto window = Create();
    window->Screens().findButtonClick();
    QtUiThread(window.get()).ProcessUntil([&] { return !window->Screens().IsProcessing(); });
    EXPECT_EQ(window->Data().Screensavers().Paths(), std::vector<std::string>{dir.file("tree/kept.scr")});
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Active: None - 2 files left out: a list file cannot keep a "
                                                         "name with a line break, a tab or enclosing double quotes"));

    window->Screens().AddScreensaverFiles({"/s/one\nmore.scr", "/s/added.scr"});
    EXPECT_EQ(window->StatusPanelText(2).left(17), QStringLiteral("1 file left out: "));
    window->Exit1Click();
    EXPECT_EQ(dir.read("ssList.txt"), dir.file("tree/kept.scr") + "\r\n/s/added.scr\r\n");
#endif
}

TEST_F(MainWindowTest, ARowOfAMissingFileRunsNothingAndSaysSo)
{
    dir.write("ssList.txt", "/s/gone.scr\r\n/s/caf\xE9.scr\r\n");
    platform.missingFiles = {"/s/gone.scr"};
    auto window = Create();
    const ScreensaversControls& c = window->Screens().Controls();
    QAbstractItemModel* model = c.SSListBox->model();
    EXPECT_FALSE(model->data(model->index(1, 1)).toString().isEmpty()) << "a row that is not UTF-8 still shows";
    c.SSListBox->selectionModel()->select(model->index(0, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    platform.calls.clear();
    for (QPushButton* button : {c.runButton, c.setActiveButton}) {
        button->click();
        EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Screensaver file is missing, nothing done: /s/gone.scr"));
    }
    c.SSFileItems.Options->trigger();
    EXPECT_EQ(platform.calls, std::vector<std::string>{});
    EXPECT_FALSE(platform.setting.has_value());
    window->Exit1Click();
    EXPECT_EQ(dir.read("ssList.txt"), "/s/gone.scr\r\n/s/caf\xE9.scr\r\n") << "the rows stay, and keep their bytes";
}

TEST_F(MainWindowTest, AScanShowsWhatItAddsAndEndsWithTheActiveScreensaver)
{
    for (int i = 0; i < 3000; ++i) {
        std::filesystem::create_directories(dir.file("tree/d" + std::to_string(i % 30)));
        dir.write("tree/d" + std::to_string(i % 30) + "/s" + std::to_string(i) + ".scr", "");
    }
    dir.write("folderList.txt", dir.file("tree") + "\r\n");
    auto window = Create();
    const ScreensaversControls& c = window->Screens().Controls();
    // Looked at whenever rows join: inside a step of the scan.
    struct Seen
    {
        QString panel;
        QString lastRow;
        bool busy;
        bool findEnabled;
    };
    std::vector<Seen> seen;
    QObject::connect(
        c.SSListBox->model(), &QAbstractItemModel::rowsInserted, window.get(), [&](const QModelIndex&, int, int last) {
            const QCursor* cursor = QApplication::overrideCursor();
            seen.push_back(
                {window->StatusPanelText(2),
                 QString::fromStdString(window->Data().Screensavers().Rows()[static_cast<size_t>(last)].Path),
                 cursor && cursor->shape() == Qt::WaitCursor, c.findButton->isEnabled()});
        });
    window->Screens().findButtonClick();
    QtUiThread(window.get()).ProcessUntil([&] { return !window->Screens().IsProcessing(); });

    EXPECT_EQ(window->Data().Screensavers().Paths(), CollectScreensaverFiles(dir.file("tree")));
    ASSERT_FALSE(seen.empty());
    EXPECT_LT(seen.size(), 3000u / 10) << "rows join in batches";
    for (const Seen& step : seen) {
        EXPECT_EQ(step.panel, QStringLiteral("Processing: ") + step.lastRow);
        EXPECT_TRUE(step.busy);
        EXPECT_FALSE(step.findEnabled);
    }
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Active: None"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(c.findButton->isEnabled());
    window->Exit1Click();
}

TEST_F(MainWindowTest, ClosingDuringAScanTakesNoInputAndSavesEverything)
{
    for (int i = 0; i < 200; ++i) {
        std::filesystem::create_directories(dir.file("tree/d" + std::to_string(i)));
        dir.write("tree/d" + std::to_string(i) + "/s.scr", "");
    }
    dir.write("folderList.txt", "/first\r\n");
    auto window = Create();
    window->show();
    window->Screens().ScanAddedFolder(dir.path() + "/tree");
    EXPECT_EQ(window->Screens().Controls().foldersMemo->toPlainText(),
              QString::fromStdString("/first\n" + dir.path() + "/tree"))
        << "the added folder is the folder text's last line";

    // A click on "Add Folders" is queued as the close begins. Should it open the folder dialog, the dialog
    // is closed again and the test fails instead of hanging.
    bool dialogOpened = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, &guard, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            dialogOpened = true;
            modal->close();
        }
    });
    guard.start(50);
    QPushButton* addFolders = window->Screens().Controls().addFolderButton;
    const QPointF middle = QRectF(addFolders->rect()).center();
    const QPointF global = addFolders->mapToGlobal(middle);
    QCoreApplication::postEvent(addFolders, new QMouseEvent(QEvent::MouseButtonPress, middle, global, Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(addFolders, new QMouseEvent(QEvent::MouseButtonRelease, middle, global, Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
    window->Exit1Click();
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(window->Screens().IsProcessing());
    // The walk stops at once; the files it had found are listed and saved, in the order it found them.
    const std::vector<std::string> rows = window->Data().Screensavers().Paths();
    const std::vector<std::string> walk = CollectScreensaverFiles(dir.path() + "/tree");
    ASSERT_LE(rows.size(), walk.size());
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), walk.begin()));
    std::string saved;
    for (const std::string& row : rows) {
        saved += row + "\r\n";
    }
    EXPECT_EQ(dir.read("ssList.txt"), saved);
    EXPECT_EQ(dir.read("folderList.txt"), "/first\r\n" + dir.path() + "/tree\r\n");

    QCoreApplication::processEvents(); // the click arrives after the exit: it starts nothing
    EXPECT_FALSE(dialogOpened);
    EXPECT_FALSE(window->Screens().IsProcessing());
}

TEST_F(MainWindowTest, AnExitWhileTwoScansRunSideBySideStopsBothAndSavesWhatTheyFound)
{
    for (const char* tree : {"one", "two"}) {
        for (int i = 0; i < 3000; ++i) {
            const std::string folder = std::string(tree) + "/d" + std::to_string(i % 30);
            std::filesystem::create_directories(dir.file(folder));
            dir.write(folder + "/s" + std::to_string(i) + ".scr", "");
        }
    }
    dir.write("folderList.txt", dir.file("one") + "\r\n");
    auto window = Create();
    window->show();
    // The exit is asked for as the first rows join, and comes before any further step of either scan.
    bool asked = false;
    QObject::connect(window->Screens().Controls().SSListBox->model(), &QAbstractItemModel::rowsInserted, window.get(),
                     [&] {
                         if (!asked) {
                             asked = true;
                             QMetaObject::invokeMethod(window.get(), &TfrmMain::Exit1Click, Qt::QueuedConnection);
                         }
                     });
    window->Screens().findButtonClick();
    window->Screens().ScanAddedFolder(dir.file("two"));
    QtUiThread(window.get()).ProcessUntil([&] { return exits == 1; });

    EXPECT_FALSE(window->Screens().IsProcessing());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "both scans ran their end step";
    EXPECT_TRUE(window->Screens().Controls().findButton->isEnabled());
    // Each scan's rows are what it had found, in its own order; neither walked on after the exit.
    const std::vector<std::string> rows = window->Data().Screensavers().Paths();
    // The batch that asked, and at most one more that each scan had gathered: far from all 6000 files.
    EXPECT_LE(rows.size(), 3 * ScanBatching{}.MaxFiles);
    std::string saved;
    std::vector<std::string> byTree[2];
    for (const std::string& row : rows) {
        saved += row + "\r\n";
        byTree[row.rfind(dir.file("one"), 0) == 0 ? 0 : 1].push_back(row);
    }
    EXPECT_EQ(dir.read("ssList.txt"), saved);
    for (int tree = 0; tree < 2; ++tree) {
        const std::vector<std::string> walk = CollectScreensaverFiles(dir.file(tree == 0 ? "one" : "two"));
        EXPECT_TRUE(std::equal(byTree[tree].begin(), byTree[tree].end(), walk.begin())) << tree;
    }
}

TEST_F(MainWindowTest, TheListKeepsItsSelectionAndScrollOverAddsAndMoves)
{
    WriteNumberedList(dir, 100);
    auto window = Create();
    window->resize(800, 600);
    window->show();
    QTreeView* view = window->Screens().Controls().SSListBox;
    const QModelIndex row50 = view->model()->index(50, 1);
    view->selectionModel()->select(row50, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(row50, QAbstractItemView::PositionAtTop);
    const int scrolled = view->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    const auto selectedRows = [view] {
        std::vector<int> rows;
        for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
        return rows;
    };

    window->Data().Screensavers().AddScreensaverRow("/s/found-by-a-scan.scr"); // as each scan step does
    EXPECT_EQ(selectedRows(), std::vector<int>{50});
    EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);

    window->Screens().Controls().upButton->click();
    EXPECT_EQ(selectedRows(), std::vector<int>{49}) << "the moved row stays selected";
    EXPECT_EQ(window->Data().Screensavers().Rows()[49].Path, "/s/50.scr");
    window->Screens().Controls().bottomButton->click();
    EXPECT_EQ(selectedRows(), std::vector<int>{100});
    EXPECT_EQ(window->Data().Screensavers().Rows().back().Path, "/s/50.scr");
    window->Screens().Controls().topButton->click();
    EXPECT_EQ(selectedRows(), std::vector<int>{0});
    EXPECT_EQ(view->model()->index(0, 1).data().toString(), QStringLiteral("/s/50.scr"));
    window->Exit1Click();
}

TEST_F(MainWindowTest, ALongListAsksForTheIconsOfTheRowsOnScreenOnly)
{
    WriteNumberedList(dir, 5000);
    auto window = Create();
    EXPECT_EQ(platform.iconLookups, 0) << "nothing is asked before the list is drawn";
    window->resize(800, 600);
    window->show();
    QTreeView* view = window->Screens().Controls().SSListBox;
    view->viewport()->grab();
    const int onScreen = view->viewport()->height() / view->sizeHintForRow(0) + 1;
    EXPECT_GT(platform.iconLookups, 0);
    EXPECT_LE(platform.iconLookups, onScreen);

    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    view->viewport()->grab();
    EXPECT_LE(platform.iconLookups, 2 * onScreen) << "scrolled to the end: the last screenful more";
    window->Exit1Click();
}

TEST_F(MainWindowTest, TheScreensaverButtonsFollowTheSelectionRules)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n/s/c.scr\r\n/s/d.scr\r\n");
    auto window = Create();
    const ScreensaversControls& c = window->Screens().Controls();
    QAbstractItemModel* model = c.SSListBox->model();
    const auto select = [&](std::initializer_list<int> rows) {
        c.SSListBox->selectionModel()->clearSelection();
        for (const int row : rows) {
            c.SSListBox->selectionModel()->select(model->index(row, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    };
    const auto selectedRows = [&] {
        std::vector<int> rows;
        for (const QModelIndex& index : c.SSListBox->selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    };

    select({1, 3});
    c.topButton->click();
    EXPECT_EQ(window->Data().Screensavers().Paths(),
              (std::vector<std::string>{"/s/b.scr", "/s/a.scr", "/s/c.scr", "/s/d.scr"}));
    EXPECT_EQ(selectedRows(), (std::vector<int>{0, 3})) << "the moved row and the other selected one";

    c.runButton->click();
    EXPECT_EQ(platform.calls.back(), "run /s/b.scr") << "Run takes the upper selected row";
    c.setActiveButton->click();
    EXPECT_FALSE(platform.setting.has_value()) << "Set: Active needs exactly one row";
    select({2});
    c.setActiveButton->click();
    EXPECT_EQ(platform.setting, "/s/c.scr");
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("Active: /s/c.scr"));
    c.setNoneButton->click();
    EXPECT_FALSE(platform.setting.has_value());
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("Active: None"));

    select({0, 1, 2, 3});
    c.removeButton->click();
    EXPECT_EQ(window->Data().Screensavers().Count(), 0u);
    EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(MainWindowTest, ThePopupActionsNeedExactlyOneRow)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n");
    auto window = Create();
    const ScreensaversControls& m = window->Screens().Controls();
    m.SelectAll->trigger();
    platform.calls.clear();
    for (QAction* action : {m.SSFileItems.Run, m.SSFileItems.SetActive, m.SSFileItems.ShowInFolder,
                            m.SSFileItems.ShowFileProperties, m.SSFileItems.CopyFilepath, m.SSFileItems.Options}) {
        action->trigger();
    }
    EXPECT_EQ(platform.calls, std::vector<std::string>{}) << "two rows selected: nothing happens";

    window->Screens().Controls().SSListBox->selectionModel()->select(
        window->Screens().Controls().SSListBox->model()->index(1, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (QAction* action : {m.SSFileItems.Run, m.SSFileItems.ShowInFolder, m.SSFileItems.ShowFileProperties,
                            m.SSFileItems.CopyFilepath, m.SSFileItems.Options}) {
        action->trigger();
    }
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"run /s/b.scr", "folder /s/b.scr", "properties /s/b.scr",
                                                        "copy /s/b.scr", "configure /s/b.scr"}));
    m.DeleteSelected->trigger();
    EXPECT_EQ(window->Data().Screensavers().Paths(), std::vector<std::string>{"/s/a.scr"});
}

TEST_F(MainWindowTest, ThePopupOffersOnlyWhatTheSelectionAllows)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n");
    auto window = Create();
    const ScreensaversControls& m = window->Screens().Controls();
    const auto select = [&](std::initializer_list<int> rows) {
        m.SSListBox->selectionModel()->clearSelection();
        for (const int row : rows) {
            m.SSListBox->selectionModel()->select(m.SSListBox->model()->index(row, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    };
    const std::vector<QAction*> fileItems{m.SSFileItems.Run,          m.SSFileItems.SetActive,
                                          m.SSFileItems.ShowInFolder, m.SSFileItems.ShowFileProperties,
                                          m.SSFileItems.CopyFilepath, m.SSFileItems.Options};
    const struct
    {
        std::initializer_list<int> rows;
        bool fileItems;
        bool deleteSelected;
    } cases[] = {{{}, false, false}, {{1}, true, true}, {{0, 1}, false, true}};
    for (const auto& c : cases) {
        select(c.rows);
        for (QAction* item : fileItems) {
            EXPECT_EQ(item->isEnabled(), c.fileItems) << item->text().toStdString() << " with " << c.rows.size();
        }
        EXPECT_EQ(m.DeleteSelected->isEnabled(), c.deleteSelected) << c.rows.size();
        EXPECT_TRUE(m.SelectAll->isEnabled());
        EXPECT_TRUE(m.SSFileItems.Settings->isEnabled()) << "needs no file";
    }

    select({1});
    m.DeleteSelected->trigger();
    select({0});
    m.DeleteSelected->trigger();
    EXPECT_EQ(window->Data().Screensavers().Count(), 0u);
    EXPECT_FALSE(m.SelectAll->isEnabled()) << "nothing to select";
    EXPECT_FALSE(m.SSFileItems.Run->isEnabled()) << "the removed row is no longer selected";
    EXPECT_FALSE(m.DeleteSelected->isEnabled());
}

TEST_F(MainWindowTest, DeleteRemovesTheSelectedRowsAndEnterRunsTheFirst)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n/s/c.scr\r\n");
    auto window = Create();
    QTreeView* list = window->Screens().Controls().SSListBox;
    const auto press = [list](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(list, &event);
    };
    const auto select = [list](std::initializer_list<int> rows) {
        list->selectionModel()->clearSelection();
        for (const int row : rows) {
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    };
    platform.calls.clear();
    select({1, 2});
    press(Qt::Key_Return);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"run /s/b.scr", "run /s/b.scr"})) << "the uppermost, as Run";

    press(Qt::Key_Delete);
    EXPECT_EQ(window->Data().Screensavers().Paths(), std::vector<std::string>{"/s/a.scr"});
    select({});
    press(Qt::Key_Delete);
    press(Qt::Key_Return);
    EXPECT_EQ(window->Data().Screensavers().Paths(), std::vector<std::string>{"/s/a.scr"}) << "nothing selected";
    EXPECT_EQ(platform.calls.size(), 2u);
}

TEST_F(MainWindowTest, TheTabKeyFollowsTheScreensaversTabsLayout)
{
    auto window = Create();
    window->ShowAtStart();
    const ScreensaversControls& c = window->Screens().Controls();
    const std::vector<QWidget*> expected{
        c.findButton,    c.addScreenSaverButton, c.addFolderButton, c.foldersMemo, c.runButton, c.setActiveButton,
        c.setNoneButton, c.setBlankButton,       c.upButton,        c.downButton,  c.topButton, c.bottomButton,
        c.removeButton,  c.autoSwitchCheckBox,   c.IntervalBox,     c.ActionBox,   c.SSListBox};
    std::vector<QWidget*> order{expected.front()};
    for (QWidget* at = expected.front()->nextInFocusChain(); order.size() < expected.size() && at != expected.front();
         at = at->nextInFocusChain()) {
        if (at->focusPolicy() & Qt::TabFocus && std::find(expected.begin(), expected.end(), at) != expected.end()) {
            order.push_back(at);
        } else if (at->focusPolicy() & Qt::TabFocus && at->isVisibleTo(&window->Screens()) &&
                   window->Screens().isAncestorOf(at) && !c.IntervalBox->isAncestorOf(at) &&
                   !c.foldersMemo->isAncestorOf(at) && !c.SSListBox->isAncestorOf(at)) {
            ADD_FAILURE() << "an unexpected stop: " << at->metaObject()->className();
        }
    }
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, AnEmptyListSaysHowToFillIt)
{
    dir.write("ssList.txt", "");
    auto window = Create();
    window->ShowAtStart();
    QCoreApplication::processEvents();
    QTreeView* list = window->Screens().Controls().SSListBox;
    const auto hint = [list] {
        for (QLabel* label : list->viewport()->findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("Nothing listed yet")) {
                return label;
            }
        }
        return static_cast<QLabel*>(nullptr);
    };
    ASSERT_NE(hint(), nullptr);
    EXPECT_TRUE(hint()->isVisible());
    EXPECT_EQ(hint()->geometry().center().y(), list->viewport()->rect().center().y()) << "in its middle";

    window->Screens().AddScreensaverFiles({"/s/a.scr"});
    EXPECT_FALSE(hint()->isVisible()) << "a listed file takes its place";
    list->selectAll();
    window->Screens().Controls().removeButton->click();
    EXPECT_TRUE(hint()->isVisible()) << "back once the list is empty again";
}

TEST_F(MainWindowTest, TheIntervalBoxTakesEveryTypedTextAndRefusesTooLowOnes)
{
    const QString tooLow = QString::fromUtf8(IntervalTooLowMessage);
    const QString maximum = QString::fromUtf8(IntervalMaximumWarning);
    const struct
    {
        const char* typed;
        int timerSeconds; // after the text, starting from 3600
        bool refused;     // with the message in the third panel
        QStringList warnings;
    } cases[] = {
        // clang-format off
        {"5", 3600, true, {}},
        {"", 3600, true, {}}, // an emptied box counts as 0
        {"9", 3600, true, {}},
        {"10", 10, false, {}},
        {"2147483", 2147483, false, {maximum}},
        // clang-format on
    };
    for (const auto& c : cases) {
        messages = {};
        auto window = Create();
        window->Screens().Controls().IntervalBox->Editor()->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(window->Screens().switchTimer()->interval(), c.timerSeconds * 1000) << c.typed;
        EXPECT_EQ(window->StatusPanelText(2) == tooLow, c.refused) << c.typed;
        EXPECT_EQ(messages.warnings, c.warnings) << c.typed;
        EXPECT_TRUE(messages.errors.isEmpty()) << c.typed;
        window->Exit1Click();
        EXPECT_EQ(Ini("Settings", "Interval"), std::to_string(c.timerSeconds)) << "the interval in force is kept";
    }
}

TEST_F(MainWindowTest, TheIntervalBoxThePanelAndTheTimerAgreeOnceEditingEnds)
{
    const QString tooLow = QString::fromUtf8(IntervalTooLowMessage);
    const QString hour = QStringLiteral("Auto Rotate: ON | Interval: 0 days, 1 hours, 0 minutes, 0 seconds");
    auto window = Create();
    IntervalSpinBox* box = window->Screens().Controls().IntervalBox;
    const auto endEditing = [box] {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
    };
    for (const char* refused : {"5", ""}) {
        box->Editor()->setText(QString::fromUtf8(refused));
        EXPECT_EQ(window->StatusPanelText(2), tooLow) << refused;
        EXPECT_EQ(window->StatusPanelText(0), hour) << "the panel shows the interval in force: " << refused;
        endEditing();
        EXPECT_EQ(box->text(), QStringLiteral("3600")) << "back to the running interval: " << refused;
        EXPECT_EQ(window->Screens().switchTimer()->interval(), 3600 * 1000);
        EXPECT_EQ(window->StatusPanelText(0), hour);
        EXPECT_EQ(window->StatusPanelText(2), QString()) << "the refusal goes with the refused value";
    }

    box->Editor()->setText(QStringLiteral("5"));
    box->Editor()->setText(QStringLiteral("50"));
    EXPECT_EQ(window->StatusPanelText(2), QString()) << "the refusal goes as soon as the value is valid";
    EXPECT_EQ(window->StatusPanelText(0),
              QStringLiteral("Auto Rotate: ON | Interval: 0 days, 0 hours, 0 minutes, 50 seconds"));
    EXPECT_EQ(window->Screens().switchTimer()->interval(), 50 * 1000);

    box->Editor()->setText(QStringLiteral("5"));
    notices.Report("a later message");
    QCoreApplication::processEvents();
    box->Editor()->setText(QStringLiteral("60"));
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("a later message")) << "only its own message is taken back";
}

TEST_F(MainWindowTest, TheIntervalArrowsStayInRangeAndPageByAMinute)
{
    auto window = Create();
    IntervalSpinBox* box = window->Screens().Controls().IntervalBox;
    box->Editor()->setText(QStringLiteral("5"));
    box->stepBy(1);
    EXPECT_EQ(box->value(), 10) << "an arrow from a refused value lands on the least one";
    QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(box, &pageUp);
    EXPECT_EQ(box->value(), 70);
    EXPECT_EQ(window->Screens().switchTimer()->interval(), 70 * 1000);
    box->stepBy(-1000);
    EXPECT_EQ(box->value(), 10);
}

TEST_F(MainWindowTest, AStoredMaximumIntervalWarnsAtStartAndAStoredLowOneIsRaised)
{
    dir.write("settings.ini", "[Settings]\r\nInterval=2147483\r\n");
    auto window = Create();
    EXPECT_EQ(messages.warnings, QStringList{QString::fromUtf8(IntervalMaximumWarning)});
    EXPECT_EQ(window->Screens().switchTimer()->interval(), 2147483000);
    window.reset();

    messages = {};
    dir.write("settings.ini", "[Settings]\r\nInterval=3\r\n");
    window = Create();
    EXPECT_EQ(window->Screens().switchTimer()->interval(), 10 * 1000) << "the arrows' range holds the stored value";
    EXPECT_TRUE(messages.warnings.isEmpty());
}

} // namespace
} // namespace kelvane::ui
