#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kelvane::test {

// One run of a program in the background, with its own environment and its output kept in files.
class ProgramProcess
{
public:
    struct Options
    {
        std::string executable;
        std::vector<std::string> arguments;
        std::map<std::string, std::string> setEnvironment;
        std::vector<std::string> unsetEnvironment;
        std::string outputFolder; // stdout and stderr go to files there
    };

    explicit ProgramProcess(const Options& options);
    ~ProgramProcess(); // kills a process that still runs
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // The exit status once the process has ended within the time, else nothing.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    bool Running();
    // Sends the signal to the process while it runs.
    void Signal(int number);
    std::string Stdout() const;
    std::string Stderr() const;
    pid_t Pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    std::optional<int> m_status;
    std::string m_stdoutPath;
    std::string m_stderrPath;
};

// Checks the condition every few milliseconds until it holds; false when the time runs out.
bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

} // namespace kelvane::test
