#pragma once

#include "common/UiThread.h"
#include "platform/ScreensaverCatalogue.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kelvane {

// Every file under the folder (at any depth) whose name ends in ".scr", letters compared without
// regard to case, or that is an executable file the catalogue names as one of the desktop's own
// screensaver programs; in the order the file system lists them, each subfolder walked where it is met.
// A path is the folder text as given, one separator, and the file's path below it. Nothing for a text
// that names no folder; subfolders that cannot be read are passed over.
std::vector<std::string> CollectScreensaverFiles(const std::string& folder,
                                                 const platform::ScreensaverCatalogue* programs = nullptr);

// What a scan does on the user-interface thread, each as one handed-over step.
struct ScanSteps
{
    std::function<void()> Start;                  // busy cursor, "Find Screensavers" disabled
    std::function<void(const std::string&)> File; // "Processing: " and the path, then the row is added
    std::function<void()> End;                    // normal cursor, the button enabled, the display refreshed
};

// The folder scan worker. It starts at once on a thread of its own, walks the folders in order and
// hands every change to the user-interface thread, holding the scan lock around each hand-over. A stop
// is looked at between folders.
class TFileListThread
{
public:
    TFileListThread(std::vector<std::string> folders, ScanSteps steps, std::mutex& criticalSection, UiThread& ui,
                    const platform::ScreensaverCatalogue* programs = nullptr);
    ~TFileListThread(); // the caller has waited for the end (StopAndWait); this only joins
    TFileListThread(const TFileListThread&) = delete;
    TFileListThread& operator=(const TFileListThread&) = delete;

    void RequestStop() { m_stopRequested = true; }
    bool Finished() const { return m_finished; }

    // On the user-interface thread: asks the worker to stop and runs its remaining steps until it ends.
    void StopAndWait();

private:
    void Execute();

    const std::vector<std::string> FFolders;
    const ScanSteps m_steps;
    std::mutex& FCriticalSection;
    UiThread& m_ui;
    const platform::ScreensaverCatalogue* m_programs;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

// Every scan worker the window started, also those that run side by side; all are stopped and joined
// before the lists are saved.
class ScanWorkers
{
public:
    explicit ScanWorkers(UiThread& ui, const platform::ScreensaverCatalogue* programs = nullptr)
        : m_ui(ui), m_programs(programs)
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
    std::vector<std::unique_ptr<TFileListThread>> m_workers;
    bool m_stopping = false;
};

} // namespace kelvane
