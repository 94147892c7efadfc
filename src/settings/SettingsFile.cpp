#include "settings/SettingsFile.h"

#include "settings/fileFunc.h"

#include <algorithm>
#include <utility>

namespace kelvane {
namespace {

// Runs writes in order and stops at the first one refused.
class WriteSequence
{
public:
    explicit WriteSequence(const std::string& file) : m_file(file) {}

    WriteSequence& Bool(const char* section, const char* key, bool value)
    {
        return Then([&] { return WriteIniBool(m_file, section, key, value); });
    }
    WriteSequence& Integer(const char* section, const char* key, int32_t value)
    {
        return Then([&] { return WriteIniInteger(m_file, section, key, value); });
    }
    WriteSequence& String(const char* section, const char* key, const std::string& value)
    {
        return Then([&] { return WriteIniString(m_file, section, key, value); });
    }
    Status Done() { return std::move(m_status); }

private:
    template <typename Write>
    WriteSequence& Then(Write write)
    {
        if (m_status.ok()) {
            m_status = write();
        }
        return *this;
    }

    const std::string& m_file;
    Status m_status = Status::Ok();
};

std::string ColumnKey(size_t index)
{
    return "Column" + std::to_string(index);
}

const char* ColumnSection(bool maximized)
{
    return maximized ? MaximizedColumnWidthsSection : NormalColumnWidthsSection;
}

} // namespace

void ToggleStartMinimized(StartupFlags& flags)
{
    if (flags.StartMax && !flags.StartMin) {
        flags.StartMax = false;
    }
    flags.StartMin = !flags.StartMin;
}

void ToggleStartMaximized(StartupFlags& flags)
{
    if (flags.StartMin && !flags.StartMax) {
        flags.StartMin = false;
    }
    flags.StartMax = !flags.StartMax;
}

std::string SettingsFileName(const std::string& dataFolder)
{
    return dataFolder + SettingsFileBaseName;
}

WindowSettings ReadWindowSettings(const std::string& file, ScreenSize primaryScreen)
{
    WindowSettings result;
    result.Flags.Startup = ReadIniBool(file, SettingsSection, "Startup", false);
    result.Flags.StartMin = ReadIniBool(file, SettingsSection, "StartMin", false);
    result.Flags.StartMax = ReadIniBool(file, SettingsSection, "StartMax", false);
    result.Flags.MinToTray = ReadIniBool(file, SettingsSection, "MinToTray", false);

    WindowRect& rect = result.Rect;
    rect.Width = ReadIniInteger(file, PlacementSection, "Width", 1024);
    rect.Height = ReadIniInteger(file, PlacementSection, "Height", 780);
    // Computed in 64 bits: a stored size far outside the screen must not overflow the centring.
    rect.Left = ReadIniInteger(file, PlacementSection, "Left",
                               static_cast<int32_t>((int64_t{primaryScreen.Width} - rect.Width) / 2));
    rect.Top = ReadIniInteger(file, PlacementSection, "Top",
                              static_cast<int32_t>((int64_t{primaryScreen.Height} - rect.Height) / 2));

    if (result.Flags.StartMax) {
        result.State = WindowState::Maximized;
    } else if (result.Flags.StartMin) {
        result.State = WindowState::Minimized;
    } else {
        const int32_t stored = ReadIniInteger(file, PlacementSection, "WindowState", 0);
        result.State = (stored == 1 || stored == 2) ? static_cast<WindowState>(stored) : WindowState::Normal;
    }
    return result;
}

WindowRect ReadWindowRect(const std::string& file, const WindowRect& current)
{
    return {ReadIniInteger(file, PlacementSection, "Left", current.Left),
            ReadIniInteger(file, PlacementSection, "Top", current.Top),
            ReadIniInteger(file, PlacementSection, "Width", current.Width),
            ReadIniInteger(file, PlacementSection, "Height", current.Height)};
}

Status WriteStartupFlags(const std::string& file, const StartupFlags& flags)
{
    return WriteSequence(file)
        .Bool(SettingsSection, "Startup", flags.Startup)
        .Bool(SettingsSection, "StartMin", flags.StartMin)
        .Bool(SettingsSection, "StartMax", flags.StartMax)
        .Bool(SettingsSection, "MinToTray", flags.MinToTray)
        .Done();
}

Status WriteWindowPlacement(const std::string& file, WindowState state, const WindowRect& rect)
{
    return WriteSequence(file)
        .Integer(PlacementSection, "WindowState", static_cast<int32_t>(state))
        .Integer(PlacementSection, "Left", rect.Left)
        .Integer(PlacementSection, "Top", rect.Top)
        .Integer(PlacementSection, "Width", rect.Width)
        .Integer(PlacementSection, "Height", rect.Height)
        .Done();
}

ProgramSettings ReadProgramSettings(const std::string& file, RotationAction currentAction)
{
    ProgramSettings s;
    s.MaxLogLines = ReadIniInteger(file, SettingsSection, "MaxLogLines", s.MaxLogLines);
    s.EventTimerEnabled = ReadIniBool(file, SettingsSection, "EventTimerEnabled", s.EventTimerEnabled);
    s.EventTimerInterval = ReadIniInteger(file, SettingsSection, "EventTimerInterval", s.EventTimerInterval);
    s.ToleranceSeconds = std::clamp(ReadIniInteger(file, SettingsSection, "EventTimerTolerance", s.ToleranceSeconds),
                                    MinToleranceSeconds, MaxToleranceSeconds);
    s.Interval = std::clamp(ReadIniInteger(file, SettingsSection, "Interval", s.Interval), MinRotationInterval,
                            MaxRotationInterval);
    const int32_t action = ReadIniInteger(file, SettingsSection, "Action", static_cast<int32_t>(currentAction));
    s.Action = (action == 0 || action == 1) ? static_cast<RotationAction>(action) : currentAction;
    s.SwitchEnabled = ReadIniBool(file, SettingsSection, "SwitchEnabled", s.SwitchEnabled);
    s.LogIsOn = ReadIniBool(file, SettingsSection, "LogIsOn", s.LogIsOn);
    s.SaveLog = ReadIniBool(file, SettingsSection, "SaveLog", s.SaveLog);
    s.UpdatesNotify = ReadIniBool(file, SettingsSection, "UpdatesNotify", s.UpdatesNotify);
    s.Skin = ReadIniString(file, SettingsSection, "Skin", DefaultSkin);
    return s;
}

Status WriteProgramSettings(const std::string& file, const StartupFlags& flags, const ProgramSettings& s)
{
    if (Status status = WriteStartupFlags(file, flags); !status) {
        return status;
    }
    return WriteSequence(file)
        .Integer(SettingsSection, "Interval", s.Interval)
        .Bool(SettingsSection, "SwitchEnabled", s.SwitchEnabled)
        .Integer(SettingsSection, "Action", static_cast<int32_t>(s.Action))
        .Bool(SettingsSection, "LogIsOn", s.LogIsOn)
        .Bool(SettingsSection, "SaveLog", s.SaveLog)
        .Bool(SettingsSection, "UpdatesNotify", s.UpdatesNotify)
        .Integer(SettingsSection, "MaxLogLines", s.MaxLogLines)
        .Bool(SettingsSection, "EventTimerEnabled", s.EventTimerEnabled)
        .Integer(SettingsSection, "EventTimerInterval", s.EventTimerInterval)
        .Integer(SettingsSection, "EventTimerTolerance", s.ToleranceSeconds)
        .String(SettingsSection, "Skin", s.Skin)
        .Done();
}

std::vector<int32_t> ReadColumnWidths(const std::string& file, bool maximized, std::vector<int32_t> current)
{
    for (size_t i = 0; i < current.size(); ++i) {
        current[i] = ReadIniInteger(file, ColumnSection(maximized), ColumnKey(i), current[i]);
    }
    return current;
}

Status WriteColumnWidths(const std::string& file, bool maximized, const std::vector<int32_t>& widths)
{
    for (size_t i = 0; i < widths.size(); ++i) {
        if (Status status = WriteIniInteger(file, ColumnSection(maximized), ColumnKey(i), widths[i]); !status) {
            return status;
        }
    }
    return Status::Ok();
}

std::string WindowStateTrace(const std::string& text, WindowState state, const WindowRect& rect)
{
    return text + ": WindowState=" + std::to_string(static_cast<int32_t>(state)) +
           ", Left=" + std::to_string(rect.Left) + ", Top=" + std::to_string(rect.Top) +
           ", Width=" + std::to_string(rect.Width) + ", Height=" + std::to_string(rect.Height);
}

int32_t EventTimerPeriodMs(int32_t toleranceSeconds)
{
    return std::max<int32_t>(1000, toleranceSeconds * 250);
}

} // namespace kelvane
