#include "library/FileListThread.h"

#include <algorithm>

namespace kelvane {

TFileListThread::TFileListThread(std::vector<std::string> folders, ScanSteps steps, std::mutex& criticalSection,
                                 UiThread& ui, const platform::ScreensaverCatalogue* programs, ScanBatching batching)
    : FFolders(std::move(folders)), m_steps(std::move(steps)), FCriticalSection(criticalSection), m_ui(ui),
      m_programs(programs), m_batching(batching), m_thread([this] { Execute(); })
{}

TFileListThread::~TFileListThread()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void TFileListThread::HandOver(const std::function<void()>& step)
{
    const std::lock_guard lock(FCriticalSection);
    m_ui.RunAndWait(step);
}

void TFileListThread::HandOverBatch()
{
    if (m_batch.empty()) {
        return;
    }
    if (m_steps.Files) {
        HandOver([this] { m_steps.Files(m_batch); });
    }
    m_batch.clear();
}

void TFileListThread::Execute()
{
    if (m_steps.Start) {
        HandOver(m_steps.Start);
    }
    const auto found = [this](std::string path) {
        if (m_batch.empty()) {
            m_batchDue = std::chrono::steady_clock::now() + m_batching.MaxWait;
        }
        m_batch.push_back(std::move(path));
        if (m_batch.size() >= m_batching.MaxFiles) {
            HandOverBatch();
        }
    };
    // Asked before every entry: files found a while ago go over even while the walk meets no new ones.
    const auto keepWalking = [this] {
        if (!m_batch.empty() && std::chrono::steady_clock::now() >= m_batchDue) {
            HandOverBatch();
        }
        return !m_stopRequested;
    };
    try {
        for (const std::string& folder : FFolders) {
            if (m_stopRequested || !WalkScreensaverFiles(folder, m_programs, found, keepWalking)) {
                break;
            }
        }
    } catch (...) {
        // An error inside a walk ends the body; the end step still runs.
    }
    try {
        // What was found before the stop (or the error) still joins the list, in order.
        HandOverBatch();
    } catch (...) {
    }
    if (m_steps.End) {
        HandOver(m_steps.End);
    }
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
    m_workers.push_back(std::make_unique<TFileListThread>(std::move(folders), std::move(steps), criticalSection, m_ui,
                                                          m_programs, m_batching));
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
