#pragma once

#include "common/ListChange.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// A view of one text of an event row. It reads like the string the text is: it joins strings with
// "+" and becomes a std::string where one is asked for. It stays valid until the row changes.
class RowText : public std::string_view
{
public:
    using std::string_view::string_view;
    constexpr RowText(std::string_view text) : std::string_view(text) {}
    constexpr RowText(const RowText&) = default;
    // Only a named view takes another text: `row.Name() = ...` would change nothing, so it does not compile.
    constexpr RowText& operator=(const RowText&) & = default;

    operator std::string() const { return std::string(data(), size()); }
};

inline std::string operator+(std::string left, RowText right)
{
    return left.append(right);
}

inline std::string operator+(RowText left, std::string_view right)
{
    return std::string(left).append(right);
}

// Who a row of the scheduled-events table is while the program runs: a number that no other row of this
// run has had. The file holds no such thing; a row read from it gets a new one. 0 is no row.
using RowSerial = uint64_t;

// One row of the scheduled-events table. Every field is the text shown on screen; whoever needs a
// number or a date-time converts the text at each use and writes the result back as text.
//
// Each row has its serial, so that whoever holds on to a row (the editor) finds it again after rows were
// moved, dragged or deleted around it: a position does not say which row it is. A copy is another row
// and gets a serial of its own; a move keeps it.
//
// The eleven texts lie end to end in one buffer: a table of a hundred thousand rows would otherwise
// hold over a million separate heap blocks, most of them larger than the text they carry.
class ScheduledEvent
{
public:
    // The texts in the file's order: the caption, then the ten sub-items in column order.
    enum class Field : uint8_t
    {
        Caption,
        Name,         // free text
        EventTime,    // local date-time text: the next (or only) time the event is due
        CloseCommand, // "True" or "False": close a running screensaver first
        Action,       // "Activate" or "Run"
        Screensaver,  // full path of a .scr file
        EventType,    // one of EventTypeNames, or any text (then never due)
        LastRun,      // local date-time text; the zero date-time text when it never ran
        Minutes,      // the period of a minute-based event, decimal
        HasRun,       // "True" or "False"
        RunCount,     // decimal
    };
    static constexpr size_t FieldCount = 11;
    // The ten fields after the caption, in column order (name first), as the list shows them.
    static constexpr size_t SubItemCount = 10;

    // Every text empty except the minutes ("15"), has run ("False") and run count ("0").
    ScheduledEvent();
    // The eleven texts in Field order.
    ScheduledEvent(bool enabled, const std::array<std::string_view, FieldCount>& texts);
    ScheduledEvent(const ScheduledEvent& other);
    ScheduledEvent& operator=(const ScheduledEvent& other);
    ScheduledEvent(ScheduledEvent&&) noexcept = default;
    ScheduledEvent& operator=(ScheduledEvent&&) noexcept = default;
    ~ScheduledEvent() = default;

    RowText Text(Field field) const
    {
        const auto index = static_cast<size_t>(field);
        const uint32_t begin = index == 0 ? 0 : m_ends[index - 1];
        return std::string_view(m_texts.get() + begin, m_ends[index] - begin);
    }
    void SetText(Field field, std::string_view text);
    // Replaces all eleven texts at once, in Field order, with one allocation.
    void SetTexts(const std::array<std::string_view, FieldCount>& texts);

    // The row's own caption, empty in every row the program makes.
    RowText Caption() const { return Text(Field::Caption); }
    RowText Name() const { return Text(Field::Name); }
    RowText EventTime() const { return Text(Field::EventTime); }
    RowText CloseCommand() const { return Text(Field::CloseCommand); }
    RowText Action() const { return Text(Field::Action); }
    RowText Screensaver() const { return Text(Field::Screensaver); }
    RowText EventType() const { return Text(Field::EventType); }
    RowText LastRun() const { return Text(Field::LastRun); }
    RowText Minutes() const { return Text(Field::Minutes); }
    RowText HasRun() const { return Text(Field::HasRun); }
    RowText RunCount() const { return Text(Field::RunCount); }

    void SetCaption(std::string_view text) { SetText(Field::Caption, text); }
    void SetName(std::string_view text) { SetText(Field::Name, text); }
    void SetEventTime(std::string_view text) { SetText(Field::EventTime, text); }
    void SetCloseCommand(std::string_view text) { SetText(Field::CloseCommand, text); }
    void SetAction(std::string_view text) { SetText(Field::Action, text); }
    void SetScreensaver(std::string_view text) { SetText(Field::Screensaver, text); }
    void SetEventType(std::string_view text) { SetText(Field::EventType, text); }
    void SetLastRun(std::string_view text) { SetText(Field::LastRun, text); }
    void SetMinutes(std::string_view text) { SetText(Field::Minutes, text); }
    void SetHasRun(std::string_view text) { SetText(Field::HasRun, text); }
    void SetRunCount(std::string_view text) { SetText(Field::RunCount, text); }

    // The sub-item at a column (0 is the name); throws std::out_of_range past the last.
    RowText SubItem(size_t index) const;
    void SetSubItem(size_t index, std::string_view text);

    // The bytes the row's texts take together.
    size_t TextBytes() const { return m_ends.back(); }

    RowSerial Serial() const { return m_serial; }

    // The same check box and texts; which row it is does not count.
    bool operator==(const ScheduledEvent& other) const;

private:
    // Takes a buffer of TextBytes() bytes and the ends that go with it.
    void Adopt(std::unique_ptr<char[]> texts, const std::array<uint32_t, FieldCount>& ends);

    // All eleven texts end to end, exactly as long as they are together; none when all are empty.
    std::unique_ptr<char[]> m_texts;
    // Before the ends, where it needs no padding: the row takes 64 bytes, and would take 72 with the
    // serial after them.
    RowSerial m_serial;
    // Where each text ends in the buffer; each begins where the one before ends.
    std::array<uint32_t, FieldCount> m_ends{};

public:
    // Last, so that it takes the room after the ends rather than a word of its own.
    bool Enabled = false; // the row's check box: the event takes part in scheduling
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
    // Where the row with that serial is now; nothing when it is no longer in the table.
    std::optional<size_t> IndexOf(RowSerial serial) const;

private:
    ListObserver* m_observer = nullptr;
};

} // namespace kelvane
