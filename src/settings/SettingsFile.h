#pragma once

#include "common/Status.h"
#include "settings/fileFunc.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelvane {

// Names and value rules of "settings.ini". The main window reads these at creation, from one read of
// the file (ReadIniValues), and writes them at exit; the helpers of fileFunc do the file work.

inline constexpr const char* SettingsFileBaseName = "settings.ini";
inline constexpr const char* SettingsSection = "Settings";
inline constexpr const char* PlacementSection = "PosSave";
inline constexpr const char* NormalColumnWidthsSection = "NormalColumnWidths";
inline constexpr const char* MaximizedColumnWidthsSection = "MaximizedColumnWidths";

std::string SettingsFileName(const std::string& dataFolder);

enum class WindowState : int32_t
{
    Normal = 0,
    Minimized = 1,
    Maximized = 2,
};

struct StartupFlags
{
    bool Startup = false;
    bool StartMin = false;
    bool StartMax = false;
    bool MinToTray = false;

    bool operator==(const StartupFlags&) const = default;
};

// The window's normal (neither minimised nor maximised) rectangle: its outer frame, title bar included.
struct WindowRect
{
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 1024;
    int32_t Height = 780;

    bool operator==(const WindowRect&) const = default;
};

// "Start Minimized" and "Start Maximized" exclude each other: turning one on turns the other off.
void ToggleStartMinimized(StartupFlags& flags);
void ToggleStartMaximized(StartupFlags& flags);

struct ScreenSize
{
    int32_t Width = 0;
    int32_t Height = 0;
};

struct WindowSettings
{
    StartupFlags Flags;
    WindowRect Rect;
    WindowState State = WindowState::Normal;
};

// The four start-up flags and the placement; a missing position centres the window on the primary
// screen. The state is maximised when StartMax is set, else minimised when StartMin is set, else the
// stored one.
WindowSettings ReadWindowSettings(const IniValues& stored, ScreenSize primaryScreen);

// The stored normal rectangle, each value defaulting to the one given (bringing the window back from
// the tray).
WindowRect ReadWindowRect(const IniValues& stored, const WindowRect& current);

// Each Write writes its keys in one step; each Put adds them to an edit that writes many at once.
Status WriteStartupFlags(const std::string& file, const StartupFlags& flags);
Status WriteWindowPlacement(const std::string& file, WindowState state, const WindowRect& rect);
void PutStartupFlags(IniFileEdit& edit, const StartupFlags& flags);
void PutWindowPlacement(IniFileEdit& edit, WindowState state, const WindowRect& rect);

enum class RotationAction : int32_t
{
    Run = 0,
    ActivateOnly = 1,
};

inline constexpr int32_t MinRotationInterval = 10;
inline constexpr int32_t MaxRotationInterval = 2147483;
inline constexpr int32_t MinToleranceSeconds = 1;
inline constexpr int32_t MaxToleranceSeconds = 300;
inline constexpr const char* DefaultSkin = "Windows";

// Everything of the section "Settings" besides the start-up flags.
struct ProgramSettings
{
    int32_t MaxLogLines = 1000;
    bool EventTimerEnabled = true;
    int32_t EventTimerInterval = 20000;
    int32_t ToleranceSeconds = 20;
    int32_t Interval = 3600;
    RotationAction Action = RotationAction::ActivateOnly;
    bool SwitchEnabled = true;
    bool LogIsOn = false;
    bool SaveLog = false;
    bool UpdatesNotify = true;
    std::string Skin = DefaultSkin;

    bool operator==(const ProgramSettings&) const = default;
};

// Reads the section. The tolerance is brought into 1 to 300 and the interval into 10 to 2147483, the
// ranges of their controls; an action that names no choice keeps the one given.
ProgramSettings ReadProgramSettings(const IniValues& stored, RotationAction currentAction);

// The flags and the settings.
Status WriteProgramSettings(const std::string& file, const StartupFlags& flags, const ProgramSettings& settings);
void PutProgramSettings(IniFileEdit& edit, const StartupFlags& flags, const ProgramSettings& settings);

// One set of the scheduled-events list's column widths, "Column0" upward; each missing key keeps the
// width given.
std::vector<int32_t> ReadColumnWidths(const IniValues& stored, bool maximized, std::vector<int32_t> current);
Status WriteColumnWidths(const std::string& file, bool maximized, const std::vector<int32_t>& widths);
void PutColumnWidths(IniFileEdit& edit, bool maximized, const std::vector<int32_t>& widths);

// The developer's trace of the window's state and geometry, for example
// "Loading settings: WindowState=0, Left=448, Top=150, Width=1024, Height=780".
std::string WindowStateTrace(const std::string& text, WindowState state, const WindowRect& rect);

// The event timer ticks four times per tolerance span, but not more often than once a second.
int32_t EventTimerPeriodMs(int32_t toleranceSeconds);

} // namespace kelvane
