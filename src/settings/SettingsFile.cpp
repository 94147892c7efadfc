#include "settings/SettingsFile.h"

#include "settings/fileFunc.h"

#include <algorithm>
#include <utility>

namespace kelvane {
namespace {

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

WindowSettings ReadWindowSettings(const IniValues& stored, ScreenSize primaryScreen)
{
    WindowSettings result;
    result.Flags.Startup = ReadIniBool(stored, SettingsSection, "Startup", false);
    result.Flags.StartMin = ReadIniBool(stored, SettingsSection, "StartMin", false);
    result.Flags.StartMax = ReadIniBool(stored, SettingsSection, "StartMax", false);
    result.Flags.MinToTray = ReadIniBool(stored, SettingsSection, "MinToTray", false);

    WindowRect& rect = result.Rect;
    rect.Width = ReadIniInteger(stored, PlacementSection, "Width", 1024);
    rect.Height = ReadIniInteger(stored, PlacementSection, "Height", 780);
    // Computed in 64 bits: a stored size far outside the screen must not overflow the centring.
    rect.Left = ReadIniInteger(stored, PlacementSection, "Left",
                               static_cast<int32_t>((int64_t{primaryScreen.Width} - rect.Width) / 2));
    rect.Top = ReadIniInteger(stored, PlacementSection, "Top",
                              static_cast<int32_t>((int64_t{primaryScreen.Height} - rect.Height) / 2));

    if (result.Flags.StartMax) {
        result.State = WindowState::Maximized;
    } else if (result.Flags.StartMin) {
        result.State = WindowState::Minimized;
    } else {
        const int32_t state = ReadIniInteger(stored, PlacementSection, "WindowState", 0);
        result.State = (state == 1 || state == 2) ? static_cast<WindowState>(state) : WindowState::Normal;
    }
    return result;
}

WindowRect ReadWindowRect(const IniValues& stored, const WindowRect& current)
{
    return {ReadIniInteger(stored, PlacementSection, "Left", current.Left),
            ReadIniInteger(stored, PlacementSection, "Top", current.Top),
            ReadIniInteger(stored, PlacementSection, "Width", current.Width),
            ReadIniInteger(stored, PlacementSection, "Height", current.Height)};
}

void PutStartupFlags(IniFileEdit& edit, const StartupFlags& flags)
{
    edit.SetBool(SettingsSection, "Startup", flags.Startup);
    edit.SetBool(SettingsSection, "StartMin", flags.StartMin);
    edit.SetBool(SettingsSection, "StartMax", flags.StartMax);
    edit.SetBool(SettingsSection, "MinToTray", flags.MinToTray);
}

void PutWindowPlacement(IniFileEdit& edit, WindowState state, const WindowRect& rect)
{
    edit.SetInteger(PlacementSection, "WindowState", static_cast<int32_t>(state));
    edit.SetInteger(PlacementSection, "Left", rect.Left);
    edit.SetInteger(PlacementSection, "Top", rect.Top);
    edit.SetInteger(PlacementSection, "Width", rect.Width);
    edit.SetInteger(PlacementSection, "Height", rect.Height);
}

Status WriteStartupFlags(const std::string& file, const StartupFlags& flags)
{
    IniFileEdit edit(file);
    PutStartupFlags(edit, flags);
    return edit.Commit();
}

Status WriteWindowPlacement(const std::string& file, WindowState state, const WindowRect& rect)
{
    IniFileEdit edit(file);
    PutWindowPlacement(edit, state, rect);
    return edit.Commit();
}

ProgramSettings ReadProgramSettings(const IniValues& stored, RotationAction currentAction)
{
    ProgramSettings s;
    s.MaxLogLines = ReadIniInteger(stored, SettingsSection, "MaxLogLines", s.MaxLogLines);
    s.EventTimerEnabled = ReadIniBool(stored, SettingsSection, "EventTimerEnabled", s.EventTimerEnabled);
    s.EventTimerInterval = ReadIniInteger(stored, SettingsSection, "EventTimerInterval", s.EventTimerInterval);
    s.ToleranceSeconds = std::clamp(ReadIniInteger(stored, SettingsSection, "EventTimerTolerance", s.ToleranceSeconds),
                                    MinToleranceSeconds, MaxToleranceSeconds);
    s.Interval = std::clamp(ReadIniInteger(stored, SettingsSection, "Interval", s.Interval), MinRotationInterval,
                            MaxRotationInterval);
    const int32_t action = ReadIniInteger(stored, SettingsSection, "Action", static_cast<int32_t>(currentAction));
    s.Action = (action == 0 || action == 1) ? static_cast<RotationAction>(action) : currentAction;
    s.SwitchEnabled = ReadIniBool(stored, SettingsSection, "SwitchEnabled", s.SwitchEnabled);
    s.LogIsOn = ReadIniBool(stored, SettingsSection, "LogIsOn", s.LogIsOn);
    s.SaveLog = ReadIniBool(stored, SettingsSection, "SaveLog", s.SaveLog);
    s.UpdatesNotify = ReadIniBool(stored, SettingsSection, "UpdatesNotify", s.UpdatesNotify);
    s.Skin = ReadIniString(stored, SettingsSection, "Skin", DefaultSkin);
    return s;
}

void PutProgramSettings(IniFileEdit& edit, const StartupFlags& flags, const ProgramSettings& s)
{
    PutStartupFlags(edit, flags);
    edit.SetInteger(SettingsSection, "Interval", s.Interval);
    edit.SetBool(SettingsSection, "SwitchEnabled", s.SwitchEnabled);
    edit.SetInteger(SettingsSection, "Action", static_cast<int32_t>(s.Action));
    edit.SetBool(SettingsSection, "LogIsOn", s.LogIsOn);
    edit.SetBool(SettingsSection, "SaveLog", s.SaveLog);
    edit.SetBool(SettingsSection, "UpdatesNotify", s.UpdatesNotify);
    edit.SetInteger(SettingsSection, "MaxLogLines", s.MaxLogLines);
    edit.SetBool(SettingsSection, "EventTimerEnabled", s.EventTimerEnabled);
    edit.SetInteger(SettingsSection, "EventTimerInterval", s.EventTimerInterval);
    edit.SetInteger(SettingsSection, "EventTimerTolerance", s.ToleranceSeconds);
    edit.SetString(SettingsSection, "Skin", s.Skin);
}

Status WriteProgramSettings(const std::string& file, const StartupFlags& flags, const ProgramSettings& s)
{
    IniFileEdit edit(file);
    PutProgramSettings(edit, flags, s);
    return edit.Commit();
}

std::vector<int32_t> ReadColumnWidths(const IniValues& stored, bool maximized, std::vector<int32_t> current)
{
    for (size_t i = 0; i < current.size(); ++i) {
        current[i] = ReadIniInteger(stored, ColumnSection(maximized), ColumnKey(i), current[i]);
    }
    return current;
}

void PutColumnWidths(IniFileEdit& edit, bool maximized, const std::vector<int32_t>& widths)
{
    for (size_t i = 0; i < widths.size(); ++i) {
        edit.SetInteger(ColumnSection(maximized), ColumnKey(i), widths[i]);
    }
}

Status WriteColumnWidths(const std::string& file, bool maximized, const std::vector<int32_t>& widths)
{
    IniFileEdit edit(file);
    PutColumnWidths(edit, maximized, widths);
    return edit.Commit();
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
