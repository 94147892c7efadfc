#pragma once

#include "common/Clock.h"
#include "common/DateTime.h"
#include "common/Status.h"
#include "platform/RegionalSettings.h"
#include "platform/TimeZone.h"
#include "scheduler/ScheduledEvent.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace kelvane {

// The events file: binary, little-endian. A signed 32-bit row count, then each row: the enabled byte,
// the caption, the name, the event time as a UTC day count (an IEEE double), then the other eight
// fields; every text is its UTF-8 bytes after their count as an unsigned base-128 number (at most
// five bytes, lowest seven bits first).

inline constexpr const char* EventsFileBaseName = "events.dat";
std::string EventsFileName(const std::string& dataFolder);

// The file's bytes for these rows. Each event time is read with the regional separators and turned into
// UTC by the zone's rules at that date; a time that cannot be read, or that falls in the hour skipped
// when daylight saving time begins, fails and names its row.
Result<std::string> SerializeEvents(const std::vector<ScheduledEvent>& rows, const TimeZone& zone,
                                    const RegionalFormats& formats);

// Writes the whole table. The file is replaced in one step, so it is either the old file or the whole
// new one; when a row cannot be written the old file stays as it was.
Status SaveEvents(const std::string& file, const EventTable& table, const TimeZone& zone,
                  const RegionalSettings& regional);

struct EventsLoadResult
{
    size_t RowsAdded = 0;
    // Why the file is not whole (cut, corrupt, or a row count that does not match its rows), or why it
    // could not be read at all; the rows read completely stay, a row read only in part is dropped.
    std::optional<std::string> Problem;
    // The file itself could not be read: nothing of it is known, not even whether it is damaged.
    bool Unreadable = false;
    // Where a copy of a damaged file was kept before anything could overwrite it; or why no copy could
    // be made.
    std::optional<std::string> BackupFile;
    std::optional<std::string> BackupProblem;
};

// Appends the rows stored in the bytes. The stored count is never trusted: reading ends with the data,
// and a count that is negative or leaves bytes after its rows makes the file damaged, whose further rows
// are read all the same (zero bytes at the end, a crash's leftovers, are no rows).
EventsLoadResult ParseEvents(std::string_view bytes, std::vector<ScheduledEvent>& rows, const TimeZone& zone,
                             const RegionalFormats& formats);

// Appends the rows of the file to the table; a cut or corrupt file is also copied beside itself (with
// ".bak" added to its name).
EventsLoadResult LoadEvents(const std::string& file, EventTable& table, const TimeZone& zone,
                            const RegionalSettings& regional);

// Replaces the table by the two example events: the ribbons screensaver run three minutes from now and
// the bubbles screensaver made active two minutes after that.
void CreateDefaultEvents(EventTable& table, const Clock& clock, const RegionalSettings& regional);

// What the event editor holds for one event.
struct EventEditorFields
{
    int32_t Year = 1899, Month = 12, Day = 30;                 // the date picker
    int32_t Hour = 0, Minute = 0, Second = 0, Millisecond = 0; // the time picker
    bool Enabled = false;
    std::string Name;
    bool SendCloseCommand = false;
    std::string Action;
    std::string Screensaver;
    std::string EventType;
    int32_t Minutes = 15;

    // The two pickers together.
    CivilDateTime Moment() const { return {{Year, Month, Day}, {Hour, Minute, Second, Millisecond}}; }
    void SetMoment(const CivilDateTime& moment)
    {
        std::tie(Year, Month, Day) = std::tie(moment.Date.Year, moment.Date.Month, moment.Date.Day);
        std::tie(Hour, Minute, Second, Millisecond) =
            std::tie(moment.Time.Hour, moment.Time.Minute, moment.Time.Second, moment.Time.Millisecond);
    }
};

// The editor's fields, one for each control that the user sets.
enum class EditorField : uint8_t
{
    Date,
    Time,
    Enabled,
    Name,
    CloseCommand,
    Action,
    Screensaver,
    EventType,
    Minutes,
};
inline constexpr size_t EditorFieldCount = 9;

// Some of the editor's fields: those the user edited, for instance.
class EditorFieldSet
{
public:
    static EditorFieldSet All() { return EditorFieldSet((1u << EditorFieldCount) - 1); }
    EditorFieldSet() = default;
    EditorFieldSet(std::initializer_list<EditorField> fields)
    {
        for (const EditorField field : fields) {
            Add(field);
        }
    }
    bool Has(EditorField field) const { return (m_bits & Bit(field)) != 0; }
    void Add(EditorField field) { m_bits |= Bit(field); }
    bool Empty() const { return m_bits == 0; }
    // Every field that is not in this set.
    EditorFieldSet Others() const { return EditorFieldSet(All().m_bits & ~m_bits); }
    bool operator==(const EditorFieldSet&) const = default;

private:
    explicit EditorFieldSet(uint32_t bits) : m_bits(bits) {}
    static uint32_t Bit(EditorField field) { return 1u << static_cast<uint32_t>(field); }

    uint32_t m_bits = 0;
};

// Copies the fields the user edited into the row the editor shows, found by its serial wherever it is
// now. Every other field stays as the row has it now: the scheduler may have changed it since the editor
// loaded it, and writing back what the editor loaded would undo that (last run, has run and run count are
// never the editor's). A date or time edited alone goes with the row's own time or date. Returns where
// the row is; nothing, and no change, when it is no longer in the table.
std::optional<size_t> UpdateSelectedEvent(EventTable& table, RowSerial shown, EditorFieldSet edited,
                                          const EventEditorFields& fields, const RegionalSettings& regional);

} // namespace kelvane
