#include "platform/linux/LinuxOwnProcesses.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <limits.h>
#include <memory>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvane::platform {
namespace {

// The arguments that name a program stand near the start of a command line; a longer one is read only
// this far.
constexpr size_t kMaxCommandLineBytes = 64 * 1024;
constexpr size_t kMaxStatusBytes = 16 * 1024;
// The kernel reads no more of a script's first line than this.
constexpr size_t kMaxScriptLineBytes = 256;

std::string ProcFolder(int64_t pid)
{
    return "/proc/" + std::to_string(pid);
}

// Up to maxBytes from the start of a file, opened without waiting; empty when it cannot be read (a
// process may be gone already).
std::string ReadStart(const std::string& path, size_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    std::string text;
    struct stat info = {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        char buffer[4096];
        while (text.size() < maxBytes) {
            const auto count = ::read(fd, buffer, std::min(sizeof(buffer), maxBytes - text.size()));
            if (count > 0) {
                text.append(buffer, static_cast<size_t>(count));
            } else if (count == 0 || errno != EINTR) {
                break;
            }
        }
    }
    ::close(fd);
    return text;
}

// The text after "<field>:" on its line of /proc/<pid>/status, blanks before it skipped.
std::string_view StatusField(std::string_view status, std::string_view field)
{
    for (size_t start = 0; start < status.size();) {
        size_t end = status.find('\n', start);
        if (end == std::string_view::npos) {
            end = status.size();
        }
        const std::string_view line = status.substr(start, end - start);
        if (line.size() > field.size() && line.starts_with(field) && line[field.size()] == ':') {
            const std::string_view value = line.substr(field.size() + 1);
            const size_t first = value.find_first_not_of(" \t");
            return first == std::string_view::npos ? std::string_view() : value.substr(first);
        }
        start = end + 1;
    }
    return {};
}

// A running process of the owner's: its real user (the first of the four ids on the "Uid" line) is
// the owner, and it has not ended (a zombie keeps its entry until its parent reaps it).
bool RunsAs(int64_t pid, uid_t owner)
{
    const std::string status = ReadStart(ProcFolder(pid) + "/status", kMaxStatusBytes);
    const std::string_view uidText = StatusField(status, "Uid");
    uid_t realUid = 0;
    const auto [end, error] = std::from_chars(uidText.data(), uidText.data() + uidText.size(), realUid);
    if (uidText.empty() || error != std::errc() || realUid != owner) {
        return false;
    }
    const std::string_view state = StatusField(status, "State");
    return !state.empty() && state.front() != 'Z' && state.front() != 'X';
}

std::optional<int64_t> ProcessId(std::string_view entryName)
{
    int64_t pid = 0;
    const auto [end, error] = std::from_chars(entryName.data(), entryName.data() + entryName.size(), pid);
    if (entryName.empty() || error != std::errc() || end != entryName.data() + entryName.size() || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

struct DirCloser
{
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The words of a script's "#!" line as the kernel splits them: the interpreter, and the rest of the
// line, blanks trimmed, as one argument when there is any. Empty for a file that is no script.
std::vector<std::string> InterpreterWords(const std::string& file)
{
    const std::string start = ReadStart(file, kMaxScriptLineBytes);
    if (!start.starts_with("#!")) {
        return {};
    }
    const std::string_view line = std::string_view(start).substr(2, start.find('\n') - 2);
    constexpr std::string_view blanks = " \t";
    const size_t interpreterStart = line.find_first_not_of(blanks);
    if (interpreterStart == std::string_view::npos) {
        return {};
    }
    const size_t interpreterEnd = std::min(line.find_first_of(blanks, interpreterStart), line.size());
    std::vector<std::string> words{std::string(line.substr(interpreterStart, interpreterEnd - interpreterStart))};
    const size_t argumentStart = line.find_first_not_of(blanks, interpreterEnd);
    if (argumentStart != std::string_view::npos) {
        const size_t argumentEnd = line.find_last_not_of(blanks);
        words.emplace_back(line.substr(argumentStart, argumentEnd + 1 - argumentStart));
    }
    return words;
}

// Whether the argument, as the process would resolve it, names the file.
bool NamesFile(int64_t pid, const std::string& argument, const struct stat& file)
{
    if (argument.empty()) {
        return false;
    }
    const std::string path = argument.front() == '/' ? argument : ProcFolder(pid) + "/cwd/" + argument;
    struct stat info = {};
    return ::stat(path.c_str(), &info) == 0 && info.st_dev == file.st_dev && info.st_ino == file.st_ino;
}

// Whether the process was started on the script: its arguments are the "#!" line's words and then the
// script. The later words alone count too: "#!/usr/bin/env perl" ends up as "perl <script>".
bool StartedOnScript(int64_t pid, const std::vector<std::string>& words, const struct stat& script)
{
    const std::vector<std::string> arguments = OwnProcesses::Arguments(pid, words.size() + 1);
    for (size_t skipped = 0; skipped < words.size(); ++skipped) {
        const size_t count = words.size() - skipped;
        if (arguments.size() > count &&
            std::equal(words.begin() + static_cast<std::ptrdiff_t>(skipped), words.end(), arguments.begin()) &&
            NamesFile(pid, arguments[count], script)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<int64_t> OwnProcesses::Running() const
{
    std::vector<int64_t> pids;
    const std::unique_ptr<DIR, DirCloser> proc(::opendir("/proc"));
    if (!proc) {
        return pids;
    }
    while (const dirent* entry = ::readdir(proc.get())) {
        if (const std::optional<int64_t> pid = ProcessId(entry->d_name); pid && RunsAs(*pid, m_owner)) {
            pids.push_back(*pid);
        }
    }
    return pids;
}

std::string OwnProcesses::Executable(int64_t pid)
{
    char buffer[PATH_MAX];
    const auto length = ::readlink((ProcFolder(pid) + "/exe").c_str(), buffer, sizeof(buffer));
    if (length <= 0 || static_cast<size_t>(length) >= sizeof(buffer)) {
        return {};
    }
    std::string target(buffer, static_cast<size_t>(length));
    // A program whose file was replaced or removed while it ran (an update, a reinstall) is still that
    // program; the kernel marks its link so.
    constexpr std::string_view deleted = " (deleted)";
    if (target.size() > deleted.size() && target.ends_with(deleted)) {
        target.resize(target.size() - deleted.size());
    }
    return target;
}

std::vector<std::string> OwnProcesses::Arguments(int64_t pid, size_t count)
{
    const std::string commandLine = ReadStart(ProcFolder(pid) + "/cmdline", kMaxCommandLineBytes);
    std::vector<std::string> arguments;
    for (size_t start = 0; arguments.size() < count && start < commandLine.size();) {
        const size_t end = std::min(commandLine.find('\0', start), commandLine.size());
        arguments.push_back(commandLine.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

bool OwnProcesses::AnyRuns(const std::string& programFile) const
{
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::canonical(programFile, ec);
    struct stat programInfo = {};
    if (ec || ::stat(program.c_str(), &programInfo) != 0) {
        return false;
    }
    const std::vector<std::string> words = InterpreterWords(program);
    for (const int64_t pid : Running()) {
        if (Executable(pid) == program.native() || (!words.empty() && StartedOnScript(pid, words, programInfo))) {
            return true;
        }
    }
    return false;
}

} // namespace kelvane::platform
