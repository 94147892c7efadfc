#include "scheduler/EventsFile.h"
#include "ui/MainWindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>

namespace kelvane::ui {
namespace {

class EventEditorTest : public test::MainWindowTest
{
protected:
    // The stored events: A, B, C and D, A a minute-based one run with a close command.
    std::unique_ptr<test::TestWindow> CreateWithFourEvents()
    {
        std::vector<ScheduledEvent> rows(4);
        for (size_t i = 0; i < rows.size(); ++i) {
            rows[i].SetName(std::string(1, static_cast<char>('A' + i)));
            rows[i].SetEventTime("07/0" + std::to_string(i + 2) + "/2024 10:00:00 AM");
            rows[i].SetCloseCommand("False");
            rows[i].SetAction("Activate");
            rows[i].SetScreensaver("/s/" + rows[i].Name() + ".scr");
            rows[i].SetEventType("One-Time Events");
            rows[i].SetLastRun("12/30/1899 12:00:00 AM");
        }
        rows[0].Enabled = true;
        rows[0].SetEventTime("07/04/2024 09:15:45 PM");
        rows[0].SetCloseCommand("true");
        rows[0].SetAction("Run");
        rows[0].SetEventType("Minute-Based Events");
        rows[0].SetMinutes("30");
        dir.write("events.dat", SerializeEvents(rows, zone, regional.formats).value());
        return Create();
    }
    static void Select(test::TestWindow& window, int row)
    {
        QTreeView* list = window.Scheduler().Controls().eventListViewII;
        list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    static std::string Names(test::TestWindow& window)
    {
        std::string names;
        for (const ScheduledEvent& row : window.Data().Events().Rows) {
            names += row.Name();
        }
        return names;
    }
    // The rows as "Save Changes" last wrote them.
    std::vector<ScheduledEvent> Stored() const
    {
        EventTable stored;
        EXPECT_FALSE(LoadEvents(dataFolder + "events.dat", stored, zone, regional).Problem);
        return stored.Rows;
    }
    // Answers the modal dialog that the next step opens.
    static void AnswerDialog(const std::function<void(QDialog&)>& answer)
    {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
        });
    }
};

TEST_F(EventEditorTest, TheSelectedRowFillsThePanelAndABadRowIsToldOnce)
{
    auto window = CreateWithFourEvents();
    const EventEditPanel& p = window->Scheduler().Controls().editor;
    EXPECT_EQ(p.DatePicker1->date(), QDate(2024, 7, 4)) << "the first row is loaded at start";
    EXPECT_EQ(p.TimePicker1->time(), QTime(21, 15, 45));
    EXPECT_TRUE(p.enabledCheckBox->isChecked());
    EXPECT_EQ(p.nameEdit->text(), QStringLiteral("A"));
    EXPECT_EQ(p.timeEdit->text(), QStringLiteral("07/04/2024 09:15:45 PM"));
    EXPECT_TRUE(p.closeSSCheckBox->isChecked()) << "any letter case";
    EXPECT_EQ(p.actTypeComboBox->currentText(), QStringLiteral("Run"));
    EXPECT_EQ(p.evtTypeComboBox->currentText(), QStringLiteral("Minute-Based Events"));
    EXPECT_TRUE(p.minutesSpin->isEnabled());
    EXPECT_EQ(p.minutesSpin->value(), 30);
    EXPECT_EQ(p.SSEdit->text(), QStringLiteral("/s/A.scr"));

    window->Data().Events().Rows[1].SetEventTime("not a time");
    Select(*window, 1);
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors.front().startsWith(QStringLiteral("Event 2 (\"B\"): ")))
        << messages.errors.front().toStdString();
    EXPECT_EQ(p.nameEdit->text(), QStringLiteral("A")) << "nothing of the bad row is half loaded";
    EXPECT_EQ(window->Data().Events().SelectedIndex, 1);

    window->Data().Events().Rows[2].SetCloseCommand("maybe");
    Select(*window, 2);
    ASSERT_EQ(messages.errors.size(), 2);
    EXPECT_TRUE(messages.errors.back().contains(QStringLiteral("\"maybe\""))) << messages.errors.back().toStdString();
    Select(*window, 3);
    EXPECT_EQ(messages.errors.size(), 2) << "the window goes on working";
    EXPECT_EQ(p.nameEdit->text(), QStringLiteral("D"));
    EXPECT_FALSE(p.minutesSpin->isEnabled());
}

TEST_F(EventEditorTest, AChosenTypePresetsThePickersAndSaveWritesTheRow)
{
    auto window = CreateWithFourEvents(); // the clock reads 1 July 2024, 09:00
    const EventEditPanel& p = window->Scheduler().Controls().editor;
    const auto choose = [&](const char* type) {
        const int index = p.evtTypeComboBox->findText(QString::fromUtf8(type));
        p.evtTypeComboBox->setCurrentIndex(index);
        window->Scheduler().evtTypeComboBoxSelect(index);
    };
    choose("Monthly Recurring Events");
    EXPECT_EQ(p.timeEdit->text(), QStringLiteral("08/01/2024 09:00:00 AM"));
    EXPECT_FALSE(p.minutesSpin->isEnabled());
    EXPECT_EQ(p.minutesSpin->value(), 30) << "disabled, not changed";
    choose("Minute-Based Events");
    EXPECT_EQ(p.timeEdit->text(), QStringLiteral("07/01/2024 09:15:00 AM")) << "15 minutes whatever the field holds";

    p.TimePicker1->setTime(QTime(18, 30, 0));
    EXPECT_EQ(p.timeEdit->text(), QStringLiteral("07/01/2024 06:30:00 PM"));
    p.nameEdit->setText(QStringLiteral("Evening"));
    p.minutesSpin->setValue(-5);
    QApplication::processEvents();
    EXPECT_EQ(p.minutesSpin->value(), 0) << "held at 0 or above";
    p.saveChangesBtn->click();

    EventTable saved;
    ASSERT_FALSE(LoadEvents(dataFolder + "events.dat", saved, zone, regional).Problem);
    ASSERT_EQ(saved.Rows.size(), 4u);
    EXPECT_EQ(saved.Rows[0].Name(), "Evening");
    EXPECT_EQ(saved.Rows[0].EventTime(), "07/01/2024 06:30:00 PM");
    EXPECT_EQ(saved.Rows[0].EventType(), "Minute-Based Events");
    EXPECT_EQ(saved.Rows[0].Minutes(), "0");
}

TEST_F(EventEditorTest, ASaveThatCannotWriteKeepsTheEditsAndSaysWhy)
{
    auto window = CreateWithFourEvents();
    std::filesystem::remove_all(dir.path());
    window->Scheduler().Controls().editor.nameEdit->setText(QStringLiteral("Kept"));
    window->Scheduler().Controls().editor.saveChangesBtn->click();
    EXPECT_EQ(window->Data().Events().Rows[0].Name(), "Kept");
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors.front().contains(QStringLiteral("events.dat")))
        << messages.errors.front().toStdString();
}

TEST_F(EventEditorTest, CreateAddsAnUntickedRowOnlyOnOk)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n");
    auto window = CreateWithFourEvents();
    AnswerDialog([](QDialog& dialog) { dialog.reject(); });
    window->Scheduler().Controls().editor.NewEventBtn->click();
    EXPECT_EQ(Names(*window), "ABCD");

    window->Scheduler().Controls().editor.closeSSCheckBox->setChecked(false);
    AnswerDialog([](QDialog& dialog) {
        const QList<QLineEdit*> boxes = dialog.findChildren<QLineEdit*>();
        EXPECT_EQ(boxes.back()->text(), QStringLiteral("/s/a.scr")) << "the list's first row, picked for the user";
        dialog.findChild<QComboBox*>()->setCurrentIndex(1);
        EXPECT_EQ(boxes.back()->text(), QStringLiteral("/s/b.scr"));
        dialog.accept();
    });
    window->Scheduler().Controls().editor.NewEventBtn->click();
    ASSERT_EQ(Names(*window), "ABCDNew Event");
    const ScheduledEvent& added = window->Data().Events().Rows.back();
    EXPECT_FALSE(added.Enabled);
    EXPECT_EQ(added.Screensaver(), "/s/b.scr");
    EXPECT_EQ(added.EventTime(), "07/01/2024 09:00:00 AM");
    EXPECT_EQ(window->Data().Events().SelectedIndex, 4) << "the new row is selected and loaded";
    EXPECT_EQ(window->Scheduler().Controls().editor.nameEdit->text(), QStringLiteral("New Event"));

    EventTable stored;
    ASSERT_FALSE(LoadEvents(dataFolder + "events.dat", stored, zone, regional).Problem);
    EXPECT_EQ(stored.Rows.size(), 4u) << "the file waits for Save Changes";
}

TEST_F(EventEditorTest, OnlyTheSelectorsEntriesReachTheScreensaverField)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n");
    auto window = CreateWithFourEvents();
    AnswerDialog([](QDialog& dialog) {
        auto* selector = dialog.findChild<QComboBox*>();
        QLineEdit* field = dialog.findChildren<QLineEdit*>().back();
        const struct
        {
            const char* typed;
            const char* field;
        } cases[] = {
            {"/s/b.scr", "/s/b.scr"}, // the text of an entry picks it
            {"/s/typed.scr", ""},     // no entry: no earlier pick stays behind
            {"/S/A.SCR", "/s/a.scr"}, // Enter picks the entry the text matches, shown as the entry is
            {"/s/a", ""},
        };
        for (const auto& c : cases) {
            selector->setEditText(QString::fromUtf8(c.typed));
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(selector->lineEdit(), &enter);
            EXPECT_EQ(field->text(), QString::fromUtf8(c.field)) << c.typed;
            if (!field->text().isEmpty()) {
                EXPECT_EQ(selector->currentText(), field->text())
                    << c.typed << ": the field shows what the selector does";
            }
            EXPECT_EQ(selector->count(), 2) << c.typed << ": typed text never becomes an entry";
        }
        field->setText(QStringLiteral("/elsewhere/own.scr")); // a path outside the list goes into the field
        dialog.accept();
    });
    window->Scheduler().Controls().editor.NewEventBtn->click();
    EXPECT_EQ(window->Data().Events().Rows.back().Screensaver(), "/elsewhere/own.scr");
}

TEST_F(EventEditorTest, DeleteAsksFirstAndDragDropsAboveTheTarget)
{
    auto window = CreateWithFourEvents();
    Select(*window, 1);
    messages.answer = false;
    window->Scheduler().Controls().editor.delEventButton->click();
    EXPECT_EQ(Names(*window), "ABCD");
    EXPECT_EQ(messages.questions.back(), QStringLiteral("Confirm|Are you sure you want to Delete this Event?\r\nB"));
    messages.answer = true;
    window->Scheduler().Controls().editor.delEventButton->click();
    EXPECT_EQ(Names(*window), "ACD");

    QAbstractItemModel* model = window->Scheduler().Controls().eventListViewII->model();
    EXPECT_TRUE(model->flags(model->index(2, 1)) & Qt::ItemIsDragEnabled) << "without it no drag ever starts";
    Select(*window, 2); // D
    window->Scheduler().eventListViewIIDragDrop(0);
    EXPECT_EQ(Names(*window), "DAC");
    EXPECT_EQ(window->Scheduler().Controls().editor.nameEdit->text(), QStringLiteral("D"))
        << "the moved row stays selected";
    window->Scheduler().eventListViewIIDragDrop(-1);
    EXPECT_EQ(Names(*window), "DAC") << "no drop below the last row";
}

TEST_F(EventEditorTest, TheCheckBoxesAndDisableAllEventsFollowTheTable)
{
    dir.write("settings.ini", "[Settings]\r\nEventTimerEnabled=0\r\n");
    auto window = CreateWithFourEvents();
    const EventEditPanel& p = window->Scheduler().Controls().editor;
    EXPECT_TRUE(p.allEventsOffCheckBox->isChecked());
    QAbstractItemModel* model = window->Scheduler().Controls().eventListViewII->model();
    model->setData(model->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_FALSE(p.enabledCheckBox->isChecked()) << "the shown row's own box";
    model->setData(model->index(2, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_FALSE(p.enabledCheckBox->isChecked()) << "another row's box is not the shown row's";

    p.allEventsOffCheckBox->click();
    EXPECT_TRUE(window->Scheduler().evtTimer()->isActive());
    window->Menus().loggingEnabled->trigger();
    p.allEventsOffCheckBox->click();
    EXPECT_FALSE(window->Scheduler().evtTimer()->isActive());
    EXPECT_EQ(window->Data().Log().Lines().back(), "Event Schedules are OFF");

    p.Button1->click();
    EXPECT_EQ(messages.shown.back(),
              QStringLiteral("Next Event C in: 3 Day(s), 1 Hour(s), 0 Minute(s), and 0 Second(s)"));
}

TEST_F(EventEditorTest, SaveChangesWritesTheRowTheEditorShows)
{
    auto window = CreateWithFourEvents();
    const EventEditPanel& p = window->Scheduler().Controls().editor;
    Select(*window, 1);
    window->Scheduler().Controls().editor.delEventButton->click(); // B; the list moves on to C
    ASSERT_EQ(Names(*window), "ACD");
    ASSERT_EQ(p.nameEdit->text().toStdString(), "C");
    EXPECT_EQ(window->Data().Events().SelectedIndex, 1);
    p.nameEdit->setText(QStringLiteral("C edited"));
    p.saveChangesBtn->click();
    EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join(u'|').toStdString();
    EXPECT_EQ(Names(*window), "AC editedD");
    const std::vector<ScheduledEvent> stored = Stored();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[1].Name(), "C edited");
    EXPECT_EQ(stored[1].EventTime(), "07/04/2024 10:00:00 AM") << "the rest of the row is C's";

    // A row that cannot be shown leaves the editor on the row it showed, and that row is the one saved.
    window->Data().Events().Rows[2].SetEventTime("not a time");
    Select(*window, 2);
    ASSERT_EQ(p.nameEdit->text().toStdString(), "C edited");
    p.nameEdit->setText(QStringLiteral("C again"));
    p.saveChangesBtn->click();
    EXPECT_EQ(Names(*window), "AC againD");
}

TEST_F(EventEditorTest, SaveChangesSaysSoWhenTheShownRowIsGone)
{
    {
        dir.write("events.dat", "");
        auto empty = Create();
        const EventEditPanel& p = empty->Scheduler().Controls().editor;
        p.saveChangesBtn->click();
        EXPECT_TRUE(messages.warnings.isEmpty()) << "nothing was edited, so nothing is lost";
        p.nameEdit->setText(QStringLiteral("typed into an empty table"));
        p.saveChangesBtn->click();
        EXPECT_EQ(messages.warnings.size(), 1);
        EXPECT_TRUE(empty->Data().Events().Rows.empty());
        messages.warnings.clear();
    }
    auto window = CreateWithFourEvents();
    const EventEditPanel& p = window->Scheduler().Controls().editor;
    for (int left = 4; left > 0; --left) {
        p.delEventButton->click(); // each time the list moves on to another row, until none is left
    }
    ASSERT_EQ(Names(*window), "");
    const QString shown = p.nameEdit->text();
    p.nameEdit->setText(shown + QStringLiteral(" edited"));
    p.saveChangesBtn->click();
    ASSERT_EQ(messages.warnings.size(), 1) << "never silent when nothing was saved";
    EXPECT_TRUE(messages.warnings.front().contains(u'"' + shown + u'"')) << messages.warnings.front().toStdString();
    EXPECT_TRUE(Names(*window).empty()) << "the deleted row does not come back";
    EXPECT_TRUE(Stored().empty()) << "the deletions are saved";
}

TEST_F(EventEditorTest, AOneTimeEventThatFiresLeavesTheShownRowAlone)
{
    std::vector<ScheduledEvent> rows(3);
    rows[0].SetName("Shown");
    rows[0].SetEventTime("07/02/2024 10:00:00 AM");
    rows[0].SetEventType("Daily Recurring Events");
    rows[1].SetName("Fires");
    rows[1].SetEventTime("07/01/2024 09:00:00 AM"); // due at the clock's time
    rows[2].SetName("Later");
    rows[2].SetEventTime("07/01/2024 09:10:00 AM");
    for (ScheduledEvent& row : rows) {
        row.Enabled = true;
        row.SetCloseCommand("False");
        row.SetAction("Activate");
        if (row.EventType().empty()) {
            row.SetEventType("One-Time Events");
        }
        row.SetLastRun("12/30/1899 12:00:00 AM");
    }
    dir.write("events.dat", SerializeEvents(rows, zone, regional.formats).value());
    auto window = Create();
    const EventEditPanel& p = window->Scheduler().Controls().editor;
    ASSERT_EQ(p.nameEdit->text().toStdString(), "Shown");

    window->Scheduler().evtTimerTimer();
    const std::vector<ScheduledEvent>& table = window->Data().Events().Rows;
    ASSERT_EQ(table[1].HasRun(), "True") << "the event fired";
    EXPECT_FALSE(table[1].Enabled) << "and unticked itself";
    EXPECT_TRUE(p.enabledCheckBox->isChecked()) << "the shown row's box is not the fired row's";
    p.saveChangesBtn->click();
    std::vector<ScheduledEvent> stored = Stored();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_TRUE(stored[0].Enabled) << "the shown row is saved as the user left it";
    EXPECT_FALSE(stored[1].Enabled);
    EXPECT_EQ(stored[1].RunCount(), "1");

    // Now the row that fires is the one shown: its box follows, and a save does not tick it again.
    Select(*window, 2);
    ASSERT_TRUE(p.enabledCheckBox->isChecked());
    clock.now += 10 * 60 * OneSecond;
    window->Scheduler().evtTimerTimer();
    ASSERT_EQ(table[2].HasRun(), "True");
    EXPECT_FALSE(p.enabledCheckBox->isChecked());
    p.saveChangesBtn->click();
    stored = Stored();
    EXPECT_FALSE(stored[2].Enabled);
    EXPECT_EQ(stored[2].RunCount(), "1");
}

TEST_F(EventEditorTest, ATickThatMovesTheShownRowReachesTheEditor)
{
    const struct
    {
        const char* type;
        const char* before;
        const char* userTime; // what the user set in the time picker, or nothing
        const char* after;    // the event time shown and saved
    } cases[] = {
        // The minute-based row runs at 09:00 and moves 30 minutes on; the daily one moves to tomorrow.
        {"Minute-Based Events", "07/01/2024 09:00:00 AM", nullptr, "07/01/2024 09:30:00 AM"},
        {"Minute-Based Events", "07/01/2024 09:00:00 AM", "18:00", "07/01/2024 06:00:00 PM"},
        {"Daily Recurring Events", "06/30/2024 08:00:00 AM", nullptr, "07/02/2024 08:00:00 AM"},
        {"Daily Recurring Events", "06/30/2024 08:00:00 AM", "18:00", "07/02/2024 06:00:00 PM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + (c.userTime ? " edited" : " untouched"));
        ScheduledEvent row;
        row.Enabled = true;
        row.SetName("Moves");
        row.SetEventTime(c.before);
        row.SetCloseCommand("False");
        row.SetAction("Run");
        row.SetEventType(c.type);
        row.SetMinutes("30");
        row.SetLastRun("12/30/1899 12:00:00 AM");
        dir.write("events.dat", SerializeEvents({row}, zone, regional.formats).value());
        auto window = Create();
        const EventEditPanel& p = window->Scheduler().Controls().editor;
        if (c.userTime) {
            p.TimePicker1->setTime(QTime::fromString(QString::fromUtf8(c.userTime), QStringLiteral("HH:mm")));
            p.nameEdit->setText(QStringLiteral("Renamed"));
        }

        window->Scheduler().evtTimerTimer();
        ASSERT_EQ(window->Data().Events().Rows[0].RunCount(), "1") << "the row ran";
        EXPECT_EQ(p.timeEdit->text().toStdString(), c.after);
        EXPECT_EQ(p.nameEdit->text().toStdString(), c.userTime ? "Renamed" : "Moves") << "an edit stays";
        p.saveChangesBtn->click();
        const std::vector<ScheduledEvent> stored = Stored();
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0].EventTime(), c.after);
        EXPECT_EQ(stored[0].Name(), c.userTime ? "Renamed" : "Moves");
        EXPECT_EQ(stored[0].RunCount(), "1");
        EXPECT_TRUE(stored[0].Enabled);
    }
}

} // namespace
} // namespace kelvane::ui
