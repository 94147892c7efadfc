#include "scheduler/EventsFile.h"

#include "common/EventDateTimeText.h"
#include "common/FileIO.h"
#include "common/LocalTime.h"
#include "scheduler/EventTypes.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace kelvane {
namespace {

// Day counts of 1 January 1 and 31 December 9999, the calendar's ends.
constexpr double kFirstDay = -693593.0;
constexpr double kLastDay = 2958466.0;

// The file's texts carry their length as an unsigned base-128 number of at most five bytes.
constexpr size_t kMaxLengthBytes = 5;

// How many bytes the length of a text takes.
size_t LengthBytes(uint64_t length)
{
    size_t bytes = 1;
    while (length >= 0x80) {
        length >>= 7;
        ++bytes;
    }
    return bytes;
}

void PutInt32(std::string& out, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    char bytes[4];
    for (size_t i = 0; i < sizeof bytes; ++i) {
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bits >> (8 * i)));
    }
    out.append(bytes, sizeof bytes);
}

void PutDouble(std::string& out, double value)
{
    const auto bits = std::bit_cast<uint64_t>(value);
    char bytes[8];
    for (size_t i = 0; i < sizeof bytes; ++i) {
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bits >> (8 * i)));
    }
    out.append(bytes, sizeof bytes);
}

void PutString(std::string& out, std::string_view text)
{
    char bytes[kMaxLengthBytes + 5];
    size_t count = 0;
    uint64_t length = text.size();
    while (length >= 0x80) {
        bytes[count++] = static_cast<char>(static_cast<unsigned char>(length | 0x80));
        length >>= 7;
    }
    bytes[count++] = static_cast<char>(static_cast<unsigned char>(length));
    out.append(bytes, count);
    out.append(text);
}

// Reads the file's fields; the first failure sets the problem and every later read fails too. Texts
// come back as views into the file's bytes, so each byte is copied once, into its row.
class FieldReader
{
public:
    explicit FieldReader(std::string_view bytes) : m_bytes(bytes) {}

    bool Failed() const { return m_problem.has_value(); }
    const std::optional<std::string>& Problem() const { return m_problem; }
    void Fail(std::string problem)
    {
        if (!m_problem) {
            m_problem = std::move(problem);
        }
    }

    std::optional<uint64_t> Raw(size_t size, const char* what)
    {
        if (Failed()) {
            return std::nullopt;
        }
        if (m_bytes.size() - m_pos < size) {
            Fail(std::string("the file ends inside ") + what);
            return std::nullopt;
        }
        uint64_t value = 0;
        for (size_t i = 0; i < size; ++i) {
            value |= uint64_t{static_cast<unsigned char>(m_bytes[m_pos + i])} << (8 * i);
        }
        m_pos += size;
        return value;
    }

    std::optional<std::string_view> String(const char* what)
    {
        if (Failed()) {
            return std::nullopt;
        }
        uint64_t length = 0;
        for (size_t count = 0;; ++count) {
            if (count == kMaxLengthBytes) {
                Fail(std::string("the length of ") + what + " takes more than five bytes");
                return std::nullopt;
            }
            if (m_pos == m_bytes.size()) {
                Fail(std::string("the file ends inside ") + what);
                return std::nullopt;
            }
            const auto byte = static_cast<unsigned char>(m_bytes[m_pos++]);
            length |= uint64_t{byte & 0x7Fu} << (7 * count);
            if ((byte & 0x80) == 0) {
                break;
            }
        }
        if (length > m_bytes.size() - m_pos) {
            Fail(std::string("the file ends inside ") + what);
            return std::nullopt;
        }
        const std::string_view text = m_bytes.substr(m_pos, static_cast<size_t>(length));
        m_pos += static_cast<size_t>(length);
        return text;
    }

    size_t Position() const { return m_pos; }

private:
    std::string_view m_bytes;
    size_t m_pos = 0;
    std::optional<std::string> m_problem;
};

using Field = ScheduledEvent::Field;

// Reads one row and appends it; false (with the reader's problem set, and nothing appended) when the
// row is not whole. `timeText` is room for the event time's text, kept from row to row.
bool ReadRow(FieldReader& in, std::vector<ScheduledEvent>& rows, LocalTimeConverter& converter,
             const RegionalFormats& formats, std::string& timeText)
{
    std::array<std::string_view, ScheduledEvent::FieldCount> texts;
    const auto enabled = in.Raw(1, "the enabled flag");
    const auto caption = in.String("the caption");
    const auto name = in.String("the name");
    const auto time = in.Raw(8, "the event time");
    if (!enabled || !caption || !name || !time) {
        return false;
    }
    const auto utc = std::bit_cast<double>(*time);
    if (!std::isfinite(utc) || utc < kFirstDay || utc >= kLastDay) {
        in.Fail("the event time is no date of the calendar");
        return false;
    }
    texts[static_cast<size_t>(Field::Caption)] = *caption;
    texts[static_cast<size_t>(Field::Name)] = *name;
    timeText.clear();
    AppendEventDateTime(timeText, converter.UtcToLocal(utc), formats);
    texts[static_cast<size_t>(Field::EventTime)] = timeText;
    for (size_t field = static_cast<size_t>(Field::CloseCommand); field < ScheduledEvent::FieldCount; ++field) {
        const auto text = in.String("a text field");
        if (!text) {
            return false;
        }
        texts[field] = *text;
    }
    rows.emplace_back(*enabled != 0, texts);
    return true;
}

} // namespace

std::string EventsFileName(const std::string& dataFolder)
{
    return dataFolder + EventsFileBaseName;
}

Result<std::string> SerializeEvents(const std::vector<ScheduledEvent>& rows, const TimeZone& zone,
                                    const RegionalFormats& formats)
{
    LocalTimeConverter converter(zone);
    // The file's exact size, from the texts' lengths alone: the bytes are then written once, into a
    // buffer that never grows and is never cleared first.
    size_t size = 4;
    for (const auto& row : rows) {
        size += 1 + 8 + row.TextBytes() - row.EventTime().size();
        for (size_t field = 0; field < ScheduledEvent::FieldCount; ++field) {
            if (field != static_cast<size_t>(Field::EventTime)) {
                size += LengthBytes(row.Text(static_cast<Field>(field)).size());
            }
        }
    }
    std::string out;
    out.reserve(size);
    PutInt32(out, static_cast<int32_t>(rows.size()));
    for (size_t index = 0; index < rows.size(); ++index) {
        const ScheduledEvent& row = rows[index];
        auto fail = [&](const std::string& why) {
            return Result<std::string>::Error("The scheduled events were not saved: the event time of row " +
                                              std::to_string(index + 1) + " (\"" + std::string(row.Name()) +
                                              "\") cannot be used: " + why + ".");
        };
        const auto local = ParseEventDateTime(row.EventTime(), formats);
        if (!local) {
            return fail(local.message());
        }
        const auto utc = converter.LocalToUtc(local.value());
        if (!utc) {
            return fail("'" + std::string(row.EventTime()) + "' " + utc.message());
        }
        out.push_back(row.Enabled ? '\x01' : '\x00');
        PutString(out, row.Caption());
        PutString(out, row.Name());
        PutDouble(out, utc.value());
        for (size_t field = static_cast<size_t>(Field::CloseCommand); field < ScheduledEvent::FieldCount; ++field) {
            PutString(out, row.Text(static_cast<Field>(field)));
        }
    }
    return out;
}

Status SaveEvents(const std::string& file, const EventTable& table, const TimeZone& zone,
                  const RegionalSettings& regional)
{
    const auto bytes = SerializeEvents(table.Rows, zone, regional.Read());
    if (!bytes) {
        return Status::Error(bytes.message());
    }
    if (!WriteFileAtomically(file, bytes.value())) {
        return Status::Error("Unable to write to " + file);
    }
    return Status::Ok();
}

EventsLoadResult ParseEvents(std::string_view bytes, std::vector<ScheduledEvent>& rows, const TimeZone& zone,
                             const RegionalFormats& formats)
{
    EventsLoadResult result;
    if (bytes.empty()) {
        return result; // an empty file is an empty table
    }
    FieldReader in(bytes);
    const auto count = in.Raw(4, "the row count");
    if (!count) {
        result.Problem = in.Problem();
        return result;
    }
    const auto declared = static_cast<int32_t>(static_cast<uint32_t>(*count));
    // Room for as many rows as the bytes can hold at the least, whatever the count claims.
    constexpr size_t kSmallestRow = 1 + 2 + 8 + 8;
    rows.reserve(rows.size() +
                 std::min<size_t>(declared > 0 ? static_cast<size_t>(declared) : 0, bytes.size() / kSmallestRow));
    // Where the zero bytes at the file's end begin: a crash can leave a file zero-filled, and zeros read
    // as rows would be empty events nobody made.
    const size_t zeroTail = bytes.find_last_not_of('\0') + 1;
    LocalTimeConverter converter(zone);
    std::string timeText;
    // The count is the file's own word on its size, but the bytes decide: a count that is negative or
    // too small (a damaged or zeroed count) makes the file damaged, and the rows after it are still read.
    for (int64_t index = 0;; ++index) {
        const bool counted = index < declared;
        if (!counted) {
            if (in.Position() == bytes.size() && declared >= 0) {
                break; // a whole file
            }
            if (!result.Problem) {
                result.Problem = declared < 0 ? "the row count " + std::to_string(declared) + " is negative"
                                              : std::to_string(bytes.size() - in.Position()) + " bytes follow the " +
                                                    std::to_string(declared) + " rows the file counts";
            }
            if (in.Position() >= zeroTail) {
                break;
            }
        }
        if (!ReadRow(in, rows, converter, formats, timeText)) {
            // a row read in part is dropped
            if (!result.Problem) {
                result.Problem = "row " + std::to_string(index + 1) + " of " + std::to_string(declared) + ": " +
                                 in.Problem().value_or("unreadable");
            }
            break;
        }
        ++result.RowsAdded;
    }
    return result;
}

EventsLoadResult LoadEvents(const std::string& file, EventTable& table, const TimeZone& zone,
                            const RegionalSettings& regional)
{
    const auto bytes = ReadFileBytes(file);
    if (!bytes) {
        EventsLoadResult result;
        result.Problem = bytes.message();
        result.Unreadable = true;
        return result;
    }
    EventsLoadResult result = ParseEvents(bytes.value(), table.Rows, zone, regional.Read());
    if (result.Problem) {
        // The next save would replace what could not be read; keep it for the user.
        const std::string backup = file + ".bak";
        if (const Status kept = WriteFileAtomically(backup, bytes.value())) {
            result.BackupFile = backup;
        } else {
            result.BackupProblem = kept.message();
        }
    }
    return result;
}

void CreateDefaultEvents(EventTable& table, const Clock& clock, const RegionalSettings& regional)
{
    const RegionalFormats formats = regional.Read();
    const DateTime now = clock.Now();
    auto example = [&](const char* name, double seconds, const char* action, const char* screensaver) {
        ScheduledEvent row;
        row.Enabled = true;
        row.SetName(name);
        row.SetEventTime(FormatEventDateTime(now + seconds * OneSecond, formats));
        row.SetCloseCommand("True");
        row.SetAction(action);
        row.SetScreensaver(screensaver);
        row.SetEventType(std::string(OneTimeEvents));
        row.SetLastRun(ZeroDateTimeText(formats));
        return row;
    };
    table.Rows.clear();
    table.Rows.push_back(example("Ribbons", 180, "Run", "C:\\Windows\\System32\\ribbons.scr"));
    table.Rows.push_back(example("Bubbles", 300, "Activate", "C:\\Windows\\System32\\bubbles.scr"));
}

std::optional<size_t> UpdateSelectedEvent(EventTable& table, RowSerial shown, EditorFieldSet edited,
                                          const EventEditorFields& fields, const RegionalSettings& regional)
{
    const std::optional<size_t> index = table.IndexOf(shown);
    if (!index) {
        return std::nullopt;
    }
    ScheduledEvent& row = table.Rows[*index];
    const RegionalFormats formats = regional.Read();
    using enum EditorField;
    if (edited.Has(Date) || edited.Has(Time)) {
        // The part the user left alone is the row's own, as it is now; the editor's when the row's cannot
        // be read.
        const Result<DateTime> current = ParseEventDateTime(row.EventTime(), formats);
        const bool keepDate = !edited.Has(Date) && current;
        const bool keepTime = !edited.Has(Time) && current;
        CivilDateTime when = fields.Moment();
        if (keepDate) {
            when.Date = DecodeDateTime(current.value()).Date;
        }
        if (keepTime) {
            when.Time = DecodeDateTime(current.value()).Time;
        }
        row.SetEventTime(FormatEventDateTime(EncodeDateTime(when), formats));
    }
    if (edited.Has(Enabled)) {
        row.Enabled = fields.Enabled;
    }
    if (edited.Has(Name)) {
        row.SetName(fields.Name);
    }
    if (edited.Has(CloseCommand)) {
        row.SetCloseCommand(fields.SendCloseCommand ? "True" : "False");
    }
    if (edited.Has(Action)) {
        row.SetAction(fields.Action);
    }
    if (edited.Has(Screensaver)) {
        row.SetScreensaver(fields.Screensaver);
    }
    if (edited.Has(EventType)) {
        row.SetEventType(fields.EventType);
    }
    if (edited.Has(Minutes)) {
        row.SetMinutes(std::to_string(fields.Minutes));
    }
    return index;
}

} // namespace kelvane
