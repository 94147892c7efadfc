#pragma once

#include "common/Status.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::platform {

// One entry of XScreenSaver's "programs" list: "[-] [visual:] ["Pretty Name"] command".
struct HackProgramEntry
{
    bool Enabled = true;
    std::string Visual;     // "GL" for "GL:", empty when none
    std::string PrettyName; // without its quotes
    std::string Command;    // the command line that the daemon hands to /bin/sh

    // The command's first word: the hack's name, or the program that hosts it (such as "wine").
    std::string ProgramName() const;
};

// XScreenSaver's preferences in its resource-file syntax: the user's ~/.xscreensaver ("mode: one") or
// the system's app-defaults file ("*mode: one"). Reads the few resources the program needs and changes
// them in place: every other line stays exactly as it was, so the user's comments, settings and the
// layout of the list survive an edit.
class XScreenSaverPreferences
{
public:
    // Lines end in LF; a CR before it is dropped (the daemon cuts a list short at one). Text that is not
    // a comment, a blank line or "name: value" is refused with the number of its line, as is a NUL byte:
    // a file that is not understood is never written back.
    static Result<XScreenSaverPreferences> Parse(std::string_view text);

    // The preferences a new user starts with, taken from the system's defaults: the simple settings and
    // the programs list, written in the user file's syntax.
    static XScreenSaverPreferences FromSystemDefaults(const XScreenSaverPreferences& defaults);

    // A resource's value, continuation lines joined and blanks around it trimmed; the last one counts.
    std::optional<std::string> Value(std::string_view name) const;
    bool HasResource(std::string_view name) const { return FindLast(name) >= 0; }

    // Every entry of the programs list in order, disabled ones included: the daemon's "selected:" and
    // its "-select N" count them all.
    std::vector<HackProgramEntry> Programs() const;

    // Replaces the resource's value, keeping the text up to the value; a new resource goes before the
    // programs list (else at the end).
    void SetValue(std::string_view name, std::string_view value);

    // Adds an entry at the end of the programs list (creating the list when there is none) and returns
    // its index. The entry is written as it is: the caller makes sure it holds no line break or escape.
    size_t AddProgram(std::string_view entryText);

    // Writes another command over an entry's command where it stands whole on one line of the list,
    // keeping the rest of the line; false when no line holds it so. Written as it is, like AddProgram.
    bool ReplaceCommand(std::string_view oldCommand, std::string_view newCommand);

    // The whole text, LF line ends.
    std::string Text() const;

private:
    struct Resource
    {
        std::string Name;     // without a leading "*"
        size_t FirstLine = 0; // the physical lines it spans
        size_t LineCount = 1;
        size_t ValueColumn = 0; // where the value starts on the first line
    };

    // The raw value: the lines joined with their continuation backslashes taken out.
    std::string RawValue(const Resource& resource) const;
    int FindLast(std::string_view name) const;
    void AppendLine(std::string line);
    // Finds the resources again after an edit; the first line that is neither a resource, a comment nor
    // blank, if any.
    std::optional<size_t> Reindex();

    std::vector<std::string> m_lines;
    std::vector<Resource> m_resources;
};

// Splits a programs value (escapes as written in the file) into its entries.
std::vector<HackProgramEntry> ParseHackPrograms(std::string_view rawValue);

} // namespace kelvane::platform
