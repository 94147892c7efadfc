#pragma once

// A program started by a Windows test, ended by force if it still runs when the test is done.

#include <optional>
#include <string>
#include <windows.h>

namespace kelvane::test {

class ChildProcess
{
public:
    explicit ChildProcess(std::wstring commandLine)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        m_started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &m_process) != 0;
    }
    ~ChildProcess()
    {
        if (m_started) {
            if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(m_process.hProcess, 1);
            }
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_started; }
    // The exit status once the process has ended within the time.
    std::optional<DWORD> WaitForExit(DWORD milliseconds = 60000)
    {
        DWORD status = 0;
        if (!m_started || WaitForSingleObject(m_process.hProcess, milliseconds) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(m_process.hProcess, &status)) {
            return std::nullopt;
        }
        return status;
    }

private:
    bool m_started = false;
    PROCESS_INFORMATION m_process{};
};

} // namespace kelvane::test
