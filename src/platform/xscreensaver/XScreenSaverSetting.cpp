#include "platform/xscreensaver/XScreenSaverSetting.h"

#include "common/FileIO.h"
#include "common/FileNames.h"
#include "common/TextCase.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace kelvane::platform {
namespace {

namespace fs = std::filesystem;

// One word for /bin/sh with no backslash in it: XScreenSaver's reader of its file takes a backslash out
// before the shell sees the line. A quote ends the single-quoted run, stands in double quotes of its
// own, and a new run begins.
std::string ShellWordWithoutBackslash(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\"'\"'") : std::string(1, c);
    }
    return quoted + "'";
}

// How older versions quoted a path, a quote as '\''. The file's reader turns that into ''', so the
// shell pairs the quotes up differently and the entry runs something else, or nothing.
std::string OlderSingleQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string WineEntry(const std::string& path)
{
    return "wine " + ShellWordWithoutBackslash(path) + " /s";
}

constexpr std::string_view WinePrefixAssignment = "WINEPREFIX=";

std::string Replaced(std::string text, char from, char to)
{
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

// A drive-letter path as Wine's own form with slashes, which the entry can carry, in the prefix where
// it was found.
std::string WineDriveEntry(const std::string& path, const std::string& winePrefix)
{
    return "env " + std::string(WinePrefixAssignment) + ShellWordWithoutBackslash(winePrefix) + " wine " +
           ShellWordWithoutBackslash(Replaced(path, '\\', '/')) + " /s";
}

// The next word of a shell command line from "at" on, with its quotes taken out: single and double
// quotes (a quote in double quotes is how entries are written now), and a backslash before a character
// as entries of older versions hold it. "at" moves past the word.
std::string NextShellWord(std::string_view text, size_t& at)
{
    std::string word;
    size_t i = at;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    for (; i < text.size() && text[i] != ' ' && text[i] != '\t'; ++i) {
        if (text[i] == '\'' || text[i] == '"') {
            const size_t close = text.find(text[i], i + 1);
            const size_t end = close == std::string_view::npos ? text.size() : close;
            word.append(text.substr(i + 1, end - i - 1));
            i = end;
        } else if (text[i] == '\\' && i + 1 < text.size()) {
            word += text[++i];
        } else {
            word += text[i];
        }
    }
    at = std::min(i, text.size());
    return word;
}

// What an entry that runs a ".scr" through Wine names: the file as the entry gives it, and the Wine
// prefix when the entry sets one.
struct WineRun
{
    std::string File;
    std::optional<std::string> Prefix;
};

std::optional<WineRun> WineRunOf(const HackProgramEntry& entry)
{
    size_t at = 0;
    std::string program = NextShellWord(entry.Command, at);
    std::optional<std::string> prefix;
    if (program == "env") {
        const std::string assignment = NextShellWord(entry.Command, at);
        if (!assignment.starts_with(WinePrefixAssignment)) {
            return std::nullopt;
        }
        prefix = assignment.substr(WinePrefixAssignment.size());
        program = NextShellWord(entry.Command, at);
    }
    if (program != "wine") {
        return std::nullopt;
    }
    std::string file = NextShellWord(entry.Command, at);
    if (!EndsWithScr(file)) {
        return std::nullopt;
    }
    return WineRun{std::move(file), std::move(prefix)};
}

std::string EntryText(HackProgramEntry entry)
{
    std::string text;
    if (!entry.Enabled) {
        text += "- ";
    }
    if (!entry.Visual.empty()) {
        text += entry.Visual + ": ";
    }
    if (!entry.PrettyName.empty()) {
        text += "\"" + entry.PrettyName + "\" ";
    }
    return text + entry.Command;
}

// The list the daemon runs: the user's entries, then the system's that the user's list lacks (the
// daemon adds those at its start). A user without a list of their own runs the system's.
std::vector<HackProgramEntry> DaemonList(const XScreenSaverPreferences& user,
                                         const std::vector<HackProgramEntry>& systemEntries)
{
    std::vector<HackProgramEntry> list = user.Programs();
    const size_t own = list.size();
    for (const HackProgramEntry& entry : systemEntries) {
        bool listed = false;
        for (size_t i = 0; i < own && !listed; ++i) {
            listed = list[i].Command == entry.Command;
        }
        if (!listed) {
            list.push_back(entry);
        }
    }
    return list;
}

bool EntryRuns(const HackProgramEntry& entry, const std::string& path, const XScreenSaverPlaces& places)
{
    if (HasDriveLetter(path)) {
        // The same file as Wine finds it: either separator, any letter case, and the same prefix.
        const std::optional<WineRun> run = WineRunOf(entry);
        return run && run->Prefix == places.WinePrefix &&
               EqualsIgnoringAsciiCase(Replaced(run->File, '\\', '/'), Replaced(path, '\\', '/'));
    }
    const std::string runs = PathOfHackEntry(entry, places.HackFolder);
    // A hack runs by its name wherever the list found it.
    return runs == path || (!EndsWithScr(path) && ExecutableFileName(runs) == ExecutableFileName(path) &&
                            entry.ProgramName().find('/') == std::string::npos);
}

// Entries that older versions wrote for a Windows screensaver with a quote in its path run something
// else, or nothing: each save writes them again the way the shell reads them as meant.
void RequoteOlderEntries(XScreenSaverPreferences& preferences)
{
    for (const HackProgramEntry& entry : preferences.Programs()) {
        if (entry.ProgramName() != "wine" || entry.Command.find('\\') == std::string::npos) {
            continue;
        }
        const std::string file = PathOfHackEntry(entry, {});
        if (EndsWithScr(file) && entry.Command == "wine " + OlderSingleQuoted(file) + " /s") {
            preferences.ReplaceCommand(entry.Command, WineEntry(file));
        }
    }
}

} // namespace

Result<std::string> HackEntryForPath(const std::string& path, const ScreensaverCatalogue& hacks,
                                     const std::vector<HackProgramEntry>& systemEntries, const std::string& winePrefix)
{
    const std::string name = ExecutableFileName(path);
    if (EndsWithScr(path)) {
        const auto cannotCarry = [](const std::string& text, bool backslashes) {
            return std::any_of(text.begin(), text.end(), [backslashes](char c) {
                return (c == '\\' && !backslashes) || static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
            });
        };
        if (HasDriveLetter(path)) {
            // Its backslashes become slashes, so only a control character cannot go.
            if (cannotCarry(path, true)) {
                return Result<std::string>::Error(path +
                                                  " holds a control character, which XScreenSaver's list cannot carry");
            }
            if (winePrefix.empty() || winePrefix.front() != '/' || cannotCarry(winePrefix, false)) {
                return Result<std::string>::Error(path + " is on the drive of the Wine prefix \"" + winePrefix +
                                                  "\", which XScreenSaver's list cannot carry");
            }
            return WineDriveEntry(path, winePrefix);
        }
        if (path.empty() || path.front() != '/') {
            return Result<std::string>::Error(path + " is not a full path, so XScreenSaver cannot run it");
        }
        if (cannotCarry(path, false)) {
            return Result<std::string>::Error(
                path + " holds a backslash or a control character, which XScreenSaver's list cannot carry");
        }
        return WineEntry(path);
    }
    if (!hacks.LabelOf(name)) {
        return Result<std::string>::Error(path + " is neither an XScreenSaver hack nor a Windows screensaver, so "
                                                 "XScreenSaver cannot show it");
    }
    for (HackProgramEntry entry : systemEntries) {
        if (entry.ProgramName() == name) {
            entry.Enabled = true;
            return EntryText(std::move(entry));
        }
    }
    return name + " --root";
}

std::string PathOfHackEntry(const HackProgramEntry& entry, const std::string& hackFolder)
{
    if (const std::optional<WineRun> run = WineRunOf(entry)) {
        // The entry carries a drive-letter path with slashes, the list holds it with backslashes.
        return HasDriveLetter(run->File) ? Replaced(run->File, '/', '\\') : run->File;
    }
    const std::string program = entry.ProgramName();
    if (program.find('/') != std::string::npos) {
        return program;
    }
    return hackFolder + "/" + program;
}

XScreenSaverSetting::XScreenSaverSetting(XScreenSaverPlaces places, const ScreensaverCatalogue& hacks,
                                         std::string windowsFolder, StatusNotices& notices,
                                         std::function<bool()> settingsProgramRuns, FileWriter writeFile)
    : m_places(std::move(places)), m_hacks(hacks), m_windowsFolder(std::move(windowsFolder)), m_notices(notices),
      m_settingsProgramRuns(std::move(settingsProgramRuns)), m_writeFile(std::move(writeFile))
{}

std::vector<HackProgramEntry> XScreenSaverSetting::SystemEntries() const
{
    if (const Result<std::string> bytes = ReadFileBytes(m_places.SystemDefaults)) {
        if (const Result<XScreenSaverPreferences> defaults = XScreenSaverPreferences::Parse(bytes.value())) {
            return defaults.value().Programs();
        }
    }
    return {};
}

std::string XScreenSaverSetting::BlankPath() const
{
    return BlankScreensaverPath(m_windowsFolder);
}

Result<XScreenSaverSetting::Loaded> XScreenSaverSetting::Load()
{
    std::error_code ec;
    if (!fs::exists(PathFromUtf8(m_places.UserFile), ec)) {
        const Result<std::string> bytes = ReadFileBytes(m_places.SystemDefaults);
        Result<XScreenSaverPreferences> defaults =
            XScreenSaverPreferences::Parse(bytes ? std::string_view(bytes.value()) : std::string_view());
        if (!defaults) {
            defaults = XScreenSaverPreferences::Parse("");
        }
        return Loaded{std::move(defaults).value(), Source::SystemDefaults, std::nullopt};
    }
    const Result<std::string> bytes = ReadFileBytes(m_places.UserFile);
    if (!bytes) {
        return Result<Loaded>::Error("XScreenSaver's settings cannot be read: " + bytes.message());
    }
    Result<XScreenSaverPreferences> preferences = XScreenSaverPreferences::Parse(bytes.value());
    if (!preferences) {
        return Result<Loaded>::Error(m_places.UserFile + " is not understood (" + preferences.message() +
                                     "), so Kelvane leaves it as it is");
    }
    return Loaded{std::move(preferences).value(), Source::UserFile, bytes.value()};
}

std::string XScreenSaverSetting::ReadActiveScreensaverPath()
{
    const Result<Loaded> loaded = Load();
    if (!loaded) {
        m_notices.Report(loaded.message());
        return {};
    }
    const XScreenSaverPreferences& preferences = loaded.value().Preferences;
    const std::string mode = preferences.Value("mode").value_or("random");
    if (mode == "off") {
        return {};
    }
    if (mode == "blank") {
        return BlankPath();
    }
    if (mode != "one") {
        m_notices.Report("XScreenSaver picks its screensaver at random (mode: " + mode + ")");
        return {};
    }
    const std::string selectedText = preferences.Value("selected").value_or("");
    size_t selected = 0;
    size_t used = 0;
    try {
        selected = std::stoul(selectedText, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != selectedText.size()) {
        m_notices.Report("XScreenSaver's \"selected:\" setting (\"" + selectedText + "\") is not a number");
        return {};
    }
    std::vector<HackProgramEntry> list = preferences.Programs();
    // The system's entries the daemon adds count only past the user's own: the defaults are read then alone.
    if (selected >= list.size() && loaded.value().From == Source::UserFile) {
        list = DaemonList(preferences, SystemEntries());
    }
    if (selected >= list.size()) {
        m_notices.Report("XScreenSaver's \"selected:\" setting (" + selectedText + ") is past the end of its " +
                         std::to_string(list.size()) + " screensavers");
        return {};
    }
    const HackProgramEntry& entry = list[selected];
    const std::string path = PathOfHackEntry(entry, m_places.HackFolder);
    if (entry.ProgramName() != "wine" && !WineRunOf(entry) && entry.ProgramName().find('/') == std::string::npos &&
        !m_hacks.LabelOf(entry.ProgramName())) {
        m_notices.Report("XScreenSaver's chosen screensaver \"" + entry.ProgramName() + "\" is not installed");
    }
    return path;
}

Status XScreenSaverSetting::WriteActiveScreensaverPath(const std::string& path)
{
    if (path == BlankPath()) {
        return Change([](XScreenSaverPreferences& preferences) {
            preferences.SetValue("mode", "blank");
            return Status::Ok();
        });
    }
    return Change([&](XScreenSaverPreferences& preferences) {
        const std::vector<HackProgramEntry> systemEntries = SystemEntries();
        const Result<std::string> entryText = HackEntryForPath(path, m_hacks, systemEntries, m_places.WinePrefix);
        if (!entryText) {
            return Status::Error(entryText.message());
        }
        // A user list that is missing is the system's list to the daemon: write that out first, so
        // that the places of its entries stay what the daemon counts.
        if (!preferences.HasResource("programs")) {
            for (const HackProgramEntry& entry : systemEntries) {
                preferences.AddProgram(EntryText(entry));
            }
        }
        const std::vector<HackProgramEntry> own = preferences.Programs();
        size_t index = own.size();
        for (size_t i = 0; i < own.size(); ++i) {
            if (EntryRuns(own[i], path, m_places)) {
                index = i;
                break;
            }
        }
        if (index == own.size()) {
            index = preferences.AddProgram(entryText.value());
        }
        preferences.SetValue("mode", "one");
        preferences.SetValue("selected", std::to_string(index));
        return Status::Ok();
    });
}

Status XScreenSaverSetting::ClearActiveScreensaverPath()
{
    return Change([](XScreenSaverPreferences& preferences) {
        preferences.SetValue("mode", "off");
        return Status::Ok();
    });
}

std::optional<size_t> XScreenSaverSetting::DaemonListNumber(const std::string& path)
{
    const Result<Loaded> loaded = Load();
    if (!loaded) {
        return std::nullopt;
    }
    const std::vector<HackProgramEntry> list =
        DaemonList(loaded.value().Preferences,
                   loaded.value().From == Source::UserFile ? SystemEntries() : std::vector<HackProgramEntry>{});
    for (size_t i = 0; i < list.size(); ++i) {
        if (EntryRuns(list[i], path, m_places)) {
            return i + 1;
        }
    }
    return std::nullopt;
}

Status XScreenSaverSetting::Change(const std::function<Status(XScreenSaverPreferences&)>& edit)
{
    if (m_settingsProgramRuns && m_settingsProgramRuns()) {
        return Status::Error("XScreenSaver's settings window is open and would undo this change: close it first");
    }
    // Each time the file moved under the save, the change starts again from what it holds now.
    constexpr int Attempts = 5;
    for (int attempt = 1;; ++attempt) {
        Result<Loaded> loaded = Load();
        if (!loaded) {
            return Status::Error(loaded.message());
        }
        const std::optional<std::string> asRead = loaded.value().UserBytes;
        XScreenSaverPreferences preferences =
            loaded.value().From == Source::SystemDefaults
                ? XScreenSaverPreferences::FromSystemDefaults(loaded.value().Preferences)
                : std::move(loaded).value().Preferences;
        RequoteOlderEntries(preferences);
        if (Status edited = edit(preferences); !edited) {
            return edited;
        }
        bool moved = false;
        const Status saved = Save(preferences, asRead, moved);
        if (moved && attempt < Attempts) {
            continue;
        }
        if (moved) {
            return Status::Error("Another program kept changing " + m_places.UserFile +
                                 " while Kelvane saved it, so Kelvane's change was not saved");
        }
        return saved;
    }
}

bool XScreenSaverSetting::UserFileIs(const std::optional<std::string>& bytes) const
{
    std::error_code ec;
    if (!fs::exists(PathFromUtf8(m_places.UserFile), ec)) {
        return !bytes && !ec;
    }
    const Result<std::string> now = ReadFileBytes(m_places.UserFile);
    return bytes && now && now.value() == *bytes;
}

Status XScreenSaverSetting::Save(const XScreenSaverPreferences& preferences, const std::optional<std::string>& asRead,
                                 bool& moved)
{
    const fs::path file = PathFromUtf8(m_places.UserFile);
    std::error_code ec;
    const auto before = fs::last_write_time(file, ec);
    const bool existed = !ec;
    const Status written = m_writeFile(m_places.UserFile, preferences.Text(), [&] {
        moved = !UserFileIs(asRead);
        return !moved;
    });
    if (!written) {
        return Status::Error("XScreenSaver's settings could not be saved: " + written.message());
    }
    // The daemon notices a change by the file's time in whole seconds: a second change within the
    // same second would go unseen, so the new time is moved past the old one's second.
    if (existed) {
        using std::chrono::floor;
        using std::chrono::seconds;
        const auto after = fs::last_write_time(file, ec);
        if (!ec && floor<seconds>(after) <= floor<seconds>(before)) {
            fs::last_write_time(file, floor<seconds>(before) + seconds(1), ec);
        }
    }
    return Status::Ok();
}

} // namespace kelvane::platform
