#pragma once

#include "common/UiThread.h"
#include "library/FolderWalk.h"
#include "platform/ScreensaverCatalogue.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kelvane {

// What a scan does on the user-interface thread, each as one handed-over step.
struct ScanSteps
{
    std::function<void()> Start; // busy cursor, "Find Screensavers" disabled
    // A batch of found files, in the order the walk found them: "Processing: " and the last of them,
    // then their rows are added.
    std::function<void(const std::vector<std::string>&)> Files;
    std::function<void()> End; // normal cursor, the button enabled, the display refreshed
};

// How found files are gathered before they go to the user-interface thread: a hand-over per file would
// cost a repaint each, and a hand-over per folder tree would hold a stop until the tree is walked.
struct ScanBatching
{
    size_t MaxFiles = 1000;                // a batch goes over once it holds this many files,
    std::chrono::milliseconds MaxWait{50}; // or once its first file has waited this long
};

// The folder scan worker. It starts at once on a thread of its own, walks the folders in order and
// hands every change to the user-interface thread, holding the scan lock around each hand-over. A stop
// is looked at before every entry of every folder walked; the files found up to then still go over.
class TFileListThread
{
public:
    TFileListThread(std::vector<std::string> folders, ScanSteps steps, std::mutex& criticalSection, UiThread& ui,
                    const platform::ScreensaverCatalogue* programs = nullptr, ScanBatching batching = {});
    ~TFileListThread(); // the caller has waited for the end (StopAndWait); this only joins
    TFileListThread(const TFileListThread&) = delete;
    TFileListThread& operator=(const TFileListThread&) = delete;

    void RequestStop() { m_stopRequested = true; }
    bool Finished() const { return m_finished; }

    // On the user-interface thread: asks the worker to stop and runs its remaining steps until it ends.
    void StopAndWait();

private:
    void Execute();
    // Hands a step to the user-interface thread under the scan lock and waits for it.
    void HandOver(const std::function<void()>& step);
    void HandOverBatch();

    const std::vector<std::string> FFolders;
    const ScanSteps m_steps;
    std::mutex& FCriticalSection;
    UiThread& m_ui;
    const platform::ScreensaverCatalogue* m_programs;
    const ScanBatching m_batching;
    std::vector<std::string> m_batch; // found, not yet handed over; the worker's own
    std::chrono::steady_clock::time_point m_batchDue;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

// Every scan worker the window started, also those that run side by side; all are stopped and joined
// before the lists are saved.
class ScanWorkers
{
public:
    explicit ScanWorkers(UiThread& ui, const platform::ScreensaverCatalogue* programs = nullptr,
                         ScanBatching batching = {})
        : m_ui(ui), m_programs(programs), m_batching(batching)
    {}
    ~ScanWorkers() { StopAll(); }

    // Starts a scan; workers that have ended are let go first. Refused (false) while StopAll waits.
    bool Start(std::vector<std::string> folders, ScanSteps steps, std::mutex& criticalSection);
    // Stops every worker and waits until each has ended.
    void StopAll();
    bool AnyRunning() const;

private:
    UiThread& m_ui;
    const platform::ScreensaverCatalogue* m_programs;
    const ScanBatching m_batching;
    std::vector<std::unique_ptr<TFileListThread>> m_workers;
    bool m_stopping = false;
};

} // namespace kelvane
