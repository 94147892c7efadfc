#include "library/FileListThread.h"

#include "common/FileIO.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kelvane {
namespace {

namespace fs = std::filesystem;

bool HasScreensaverExtension(const fs::path::string_type& name)
{
    if (name.size() < 4) {
        return false;
    }
    const auto* tail = name.data() + name.size() - 4;
    auto lower = [](auto c) { return (c >= 'A' && c <= 'Z') ? static_cast<decltype(c)>(c - 'A' + 'a') : c; };
    return tail[0] == '.' && lower(tail[1]) == 's' && lower(tail[2]) == 'c' && lower(tail[3]) == 'r';
}

// A program of the catalogue's is only taken where it can run: an executable regular file.
bool IsScreensaverProgram(const fs::directory_entry& entry, const fs::path::string_type& name,
                          const platform::ScreensaverCatalogue& programs)
{
    if (!programs.LabelOf(PathToUtf8(fs::path(name)))) {
        return false;
    }
    std::error_code ec;
    const fs::file_status status = entry.status(ec);
    constexpr fs::perms anyExecute = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return !ec && fs::is_regular_file(status) && (status.permissions() & anyExecute) != fs::perms::none;
}

bool IsSeparator(char c)
{
    return c == '/' || c == static_cast<char>(fs::path::preferred_separator);
}

} // namespace

std::vector<std::string> CollectScreensaverFiles(const std::string& folder,
                                                 const platform::ScreensaverCatalogue* programs)
{
    std::vector<std::string> found;
    std::error_code ec;
    const fs::path root = PathFromUtf8(folder);
    if (folder.empty() || !fs::is_directory(root, ec)) {
        return found;
    }
    std::string prefix = folder;
    if (!IsSeparator(prefix.back())) {
        prefix += static_cast<char>(fs::path::preferred_separator);
    }
    const size_t rootLength = root.native().size();
    // The directory entries already say which are folders, so no file is looked at on its own; links to
    // folders are not followed, so a link loop cannot trap the walk.
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        const auto& native = entry.path().native();
        const size_t nameStart = native.find_last_of(fs::path::preferred_separator) + 1;
        if (HasScreensaverExtension(native.substr(nameStart))) {
            std::error_code typeError;
            if (entry.is_directory(typeError)) {
                continue;
            }
        } else if (!programs || !IsScreensaverProgram(entry, native.substr(nameStart), *programs)) {
            continue;
        }
        size_t relativeStart = rootLength;
        while (relativeStart < native.size() && native[relativeStart] == fs::path::preferred_separator) {
            ++relativeStart;
        }
        found.push_back(prefix + PathToUtf8(fs::path(native.substr(relativeStart))));
    }
    return found;
}

TFileListThread::TFileListThread(std::vector<std::string> folders, ScanSteps steps, std::mutex& criticalSection,
                                 UiThread& ui, const platform::ScreensaverCatalogue* programs)
    : FFolders(std::move(folders)), m_steps(std::move(steps)), FCriticalSection(criticalSection), m_ui(ui),
      m_programs(programs), m_thread([this] { Execute(); })
{}

TFileListThread::~TFileListThread()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void TFileListThread::Execute()
{
    const auto handOver = [this](const std::function<void()>& step) {
        if (!step) {
            return;
        }
        const std::lock_guard lock(FCriticalSection);
        m_ui.RunAndWait(step);
    };
    handOver(m_steps.Start);
    try {
        for (const std::string& folder : FFolders) {
            // The whole tree of one folder is collected before its first file is handed over.
            for (const std::string& path : CollectScreensaverFiles(folder, m_programs)) {
                if (m_steps.File) {
                    handOver([this, &path] { m_steps.File(path); });
                }
            }
            if (m_stopRequested) {
                break;
            }
        }
    } catch (...) {
        // An error inside a walk ends the body; the end step still runs.
    }
    handOver(m_steps.End);
    m_finished = true;
}

void TFileListThread::StopAndWait()
{
    RequestStop();
    m_ui.ProcessUntil([this] { return Finished(); });
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool ScanWorkers::Start(std::vector<std::string> folders, ScanSteps steps, std::mutex& criticalSection)
{
    if (m_stopping) {
        return false;
    }
    std::erase_if(m_workers, [](const auto& worker) { return worker->Finished(); });
    m_workers.push_back(
        std::make_unique<TFileListThread>(std::move(folders), std::move(steps), criticalSection, m_ui, m_programs));
    return true;
}

void ScanWorkers::StopAll()
{
    if (m_stopping) {
        return; // a wait for the workers is already under way further up
    }
    m_stopping = true;
    // Taken out of the list first: whatever runs during the wait cannot change what is waited for.
    const std::vector<std::unique_ptr<TFileListThread>> stopping = std::move(m_workers);
    m_workers.clear();
    for (const auto& worker : stopping) {
        worker->RequestStop();
    }
    for (const auto& worker : stopping) {
        worker->StopAndWait();
    }
    m_stopping = false;
}

bool ScanWorkers::AnyRunning() const
{
    return std::any_of(m_workers.begin(), m_workers.end(), [](const auto& worker) { return !worker->Finished(); });
}

} // namespace kelvane
