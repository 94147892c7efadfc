// Both lists' table models under Qt's own model checker, through the changes the window makes to the
// core's tables: a row announced at the wrong place, or a move given the wrong destination, leaves the
// views' selections and persistent indexes pointing at the wrong rows.
#include "scheduler/EventsFile.h"
#include "ui/MainWindowFixture.h"
#include "ui/QtUiThread.h"
#include "ui/scheduler/EventListModel.h"
#include "ui/screensavers/ScreensaverListModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QItemSelectionModel>
#include <QPersistentModelIndex>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>

namespace kelvane::ui {
namespace {

// Each complaint of the model checker fails the running test; other messages go where they went.
class ModelCheckerFailures
{
public:
    ModelCheckerFailures() { s_previous = qInstallMessageHandler(&Handle); }
    ~ModelCheckerFailures() { qInstallMessageHandler(s_previous); }
    ModelCheckerFailures(const ModelCheckerFailures&) = delete;
    ModelCheckerFailures& operator=(const ModelCheckerFailures&) = delete;

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        const bool complaint = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
        if (complaint && context.category && std::string_view(context.category) == "qt.modeltest") {
            ADD_FAILURE() << "model checker: " << message.toStdString();
        } else if (s_previous) {
            s_previous(type, context, message);
        }
    }
    static inline QtMessageHandler s_previous = nullptr;
};

class TableModelsTest : public test::MainWindowTest
{
protected:
    // Warns rather than aborts, so that the handler above turns each finding into a failed expectation.
    static std::unique_ptr<QAbstractItemModelTester> Check(QAbstractItemModel* model)
    {
        return std::make_unique<QAbstractItemModelTester>(model,
                                                          QAbstractItemModelTester::FailureReportingMode::Warning);
    }

    ModelCheckerFailures failures;
};

// What the screensaver list shows, row by row, against what the core holds.
void ExpectShowsTheList(const QAbstractItemModel& model, const std::vector<std::string>& paths)
{
    ASSERT_EQ(model.rowCount(), static_cast<int>(paths.size()));
    for (size_t row = 0; row < paths.size(); ++row) {
        EXPECT_EQ(model.index(static_cast<int>(row), 1).data().toString().toStdString(), paths[row]) << row;
    }
}

TEST_F(TableModelsTest, TheScreensaverListStaysAWellFormedModelThroughTheWindowsChanges)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n/s/c.scr\r\n/s/d.scr\r\n/s/e.scr\r\n");
    std::filesystem::create_directories(dir.file("tree/sub"));
    for (const char* name : {"tree/x.scr", "tree/sub/y.scr", "tree/sub/z.scr"}) {
        dir.write(name, "");
    }
    dir.write("folderList.txt", dir.file("tree") + "\r\n");
    auto window = Create();
    const ScreensaversControls& c = window->Screens().Controls();
    QAbstractItemModel* model = c.SSListBox->model();
    ASSERT_NE(dynamic_cast<ScreensaverListModel*>(model), nullptr);
    const auto checker = Check(model);
    const auto paths = [&] { return window->Data().Screensavers().Paths(); };
    const auto select = [&](std::initializer_list<int> rows) {
        c.SSListBox->selectionModel()->clearSelection();
        for (const int row : rows) {
            c.SSListBox->selectionModel()->select(model->index(row, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    };

    // Each button on a row at either end and in between, a neighbour's place included: the moved
    // row's persistent index must follow it.
    const struct
    {
        int row;
        QPushButton* button;
        int landsAt;
    } moves[] = {
        {2, c.upButton, 1},  {1, c.downButton, 2},   {0, c.downButton, 1}, {4, c.upButton, 3},
        {0, c.upButton, 0},  {4, c.downButton, 4},   {3, c.topButton, 0},  {1, c.bottomButton, 4},
        {0, c.topButton, 0}, {4, c.bottomButton, 4}, {4, c.topButton, 0},  {0, c.bottomButton, 4},
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(move.button->text().toStdString() + " from row " + std::to_string(move.row));
        const std::string moving = paths()[static_cast<size_t>(move.row)];
        select({move.row});
        const QPersistentModelIndex followed(model->index(move.row, 1));
        move.button->click();
        EXPECT_EQ(paths()[static_cast<size_t>(move.landsAt)], moving);
        EXPECT_EQ(followed.row(), move.landsAt);
        ExpectShowsTheList(*model, paths());
    }

    window->Data().Screensavers().AddScreensaverRow("/s/f.scr");
    window->Screens().AddScreensaverFiles({"/s/g.scr", "/s/h.scr"});
    ExpectShowsTheList(*model, paths());
    select({2});
    c.setActiveButton->click(); // the highlight moves to another row
    ASSERT_EQ(platform.setting, paths()[2]);

    select({0, 2, 3, 6});
    const QPersistentModelIndex kept(model->index(5, 1));
    c.removeButton->click();
    EXPECT_EQ(kept.row(), 2) << "three rows above it went";
    ExpectShowsTheList(*model, paths());

    c.findButton->click();
    QtUiThread(window.get()).ProcessUntil([&] { return !window->Screens().IsProcessing(); });
    ASSERT_EQ(paths().size(), 7u) << "the scan added its three files";
    ExpectShowsTheList(*model, paths());

    // A list read from a file takes the place of the whole list.
    dir.write("other.txt", "/s/one.scr\r\n/s/two.scr\r\n");
    window->Data().Screensavers().ImportListFiles({dir.file("other.txt")});
    ExpectShowsTheList(*model, {"/s/one.scr", "/s/two.scr"});
    select({0, 1});
    c.removeButton->click();
    EXPECT_EQ(model->rowCount(), 0);
    window->Exit1Click();
}

// A row that is due at the start: minute-based, so that a tick runs it and moves its time on.
ScheduledEvent DueRow(const std::string& name)
{
    ScheduledEvent row;
    row.Enabled = true;
    row.SetName(name);
    row.SetEventTime("07/01/2024 09:00:00 AM");
    row.SetCloseCommand("False");
    row.SetAction("Run");
    row.SetScreensaver("/s/" + name + ".scr");
    row.SetEventType("Minute-Based Events");
    row.SetMinutes("30");
    row.SetLastRun("12/30/1899 12:00:00 AM");
    return row;
}

TEST_F(TableModelsTest, TheEventListStaysAWellFormedModelThroughTheWindowsChanges)
{
    dir.write("ssList.txt", "/s/a.scr\r\n");
    dir.write("events.dat",
              SerializeEvents({DueRow("A"), DueRow("B"), DueRow("C"), DueRow("D")}, zone, regional.formats).value());
    auto window = Create();
    QTreeView* list = window->Scheduler().Controls().eventListViewII;
    QAbstractItemModel* model = list->model();
    ASSERT_NE(dynamic_cast<EventListModel*>(model), nullptr);
    const auto checker = Check(model);
    const auto names = [&] {
        std::string all;
        for (const ScheduledEvent& row : window->Data().Events().Rows) {
            all += row.Name();
        }
        return all;
    };
    const auto shown = [&] {
        std::string all;
        for (int row = 0; row < model->rowCount(); ++row) {
            all += model->index(row, 1).data().toString().toStdString(); // the name
        }
        return all;
    };
    const auto select = [&](int row) {
        list->selectionModel()->setCurrentIndex(model->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };

    window->Scheduler().evtTimerTimer(); // every row runs and is rewritten in place
    ASSERT_EQ(window->Data().Events().Rows[3].RunCount(), "1");
    model->setData(model->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_FALSE(window->Data().Events().Rows[1].Enabled);

    // A drop puts the dragged row before the target: down by one, down by more, up, and onto itself.
    const struct
    {
        int dragged;
        int target;
        const char* after;
    } drops[] = {
        {0, 2, "BACD"}, {0, 3, "ACBD"}, {3, 0, "DACB"}, {1, 1, "DACB"}, {2, 3, "DACB"},
    };
    for (const auto& drop : drops) {
        SCOPED_TRACE(std::to_string(drop.dragged) + " onto " + std::to_string(drop.target));
        const char moving = names()[static_cast<size_t>(drop.dragged)];
        select(drop.dragged);
        const QPersistentModelIndex followed(model->index(drop.dragged, 0));
        window->Scheduler().eventListViewIIDragDrop(drop.target);
        EXPECT_EQ(names(), drop.after);
        EXPECT_EQ(shown(), drop.after);
        ASSERT_TRUE(followed.isValid());
        EXPECT_EQ(names()[static_cast<size_t>(followed.row())], moving);
    }

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->accept();
    });
    window->Scheduler().Controls().editor.NewEventBtn->click();
    EXPECT_EQ(shown(), "DACBNew Event");

    messages.answer = true;
    for (const int row : {1, 3, 0}) {
        select(row);
        window->Scheduler().Controls().editor.delEventButton->click();
        EXPECT_EQ(shown(), names());
    }
    EXPECT_EQ(names(), "CB");
    window->Exit1Click();
}

} // namespace
} // namespace kelvane::ui
