#pragma once

#include "common/ListChange.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace kelvane {

// One row of the scheduled-events table. Every field is the text shown on screen; whoever needs a
// number or a date-time converts the text at each use and writes the result back as text.
struct ScheduledEvent
{
    bool Enabled = false;       // the row's check box: the event takes part in scheduling
    std::string Caption;        // the row's own caption, empty in every row the program makes
    std::string Name;           // free text
    std::string EventTime;      // local date-time text: the next (or only) time the event is due
    std::string CloseCommand;   // "True" or "False": close a running screensaver first
    std::string Action;         // "Activate" or "Run"
    std::string Screensaver;    // full path of a .scr file
    std::string EventType;      // one of EventTypeNames, or any text (then never due)
    std::string LastRun;        // local date-time text; the zero date-time text when it never ran
    std::string Minutes = "15"; // the period of a minute-based event, decimal
    std::string HasRun = "False";
    std::string RunCount = "0";

    bool operator==(const ScheduledEvent&) const = default;

    // The ten fields after the caption, in column order (name first), as the list shows them.
    static constexpr size_t SubItemCount = 10;
    std::string& SubItem(size_t index);
    const std::string& SubItem(size_t index) const;
};

// The whole table: the only copy of the scheduled events while the program runs. Whoever changes rows
// that a view may show does it through the functions below, which tell the view.
struct EventTable
{
    std::vector<ScheduledEvent> Rows;
    // The row last selected in the list; -1 when none.
    int SelectedIndex = -1;

    void SetObserver(ListObserver* observer) { m_observer = observer; }
    void AppendRows(std::vector<ScheduledEvent> rows);
    void EraseRow(size_t row);
    // The row at `from` goes to position `to`, counted in the table after the move.
    void MoveRow(size_t from, size_t to);
    // The rows from `first` were changed in place.
    void RowsUpdated(size_t first, size_t count = 1);

private:
    ListObserver* m_observer = nullptr;
};

} // namespace kelvane
