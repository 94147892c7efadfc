#include "e2e/ProgramProcess.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kelvane::test {
namespace {

std::atomic<int> g_runCounter{0};

std::vector<std::string> BuildEnvironment(const ProgramProcess::Options& options)
{
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        const size_t eq = text.find('=');
        if (eq != std::string::npos) {
            variables[text.substr(0, eq)] = text.substr(eq + 1);
        }
    }
    for (const auto& name : options.unsetEnvironment) {
        variables.erase(name);
    }
    for (const auto& [name, value] : options.setEnvironment) {
        variables[name] = value;
    }
    std::vector<std::string> result;
    for (const auto& [name, value] : variables) {
        result.push_back(name + "=" + value);
    }
    return result;
}

} // namespace

ProgramProcess::ProgramProcess(const Options& options)
{
    const std::string base = options.outputFolder + "/run" + std::to_string(g_runCounter++);
    const std::string stdoutPath = base + ".out";
    m_stdoutPath = stdoutPath;
    m_stderrPath = base + ".err";

    std::vector<std::string> argumentTexts{options.executable};
    argumentTexts.insert(argumentTexts.end(), options.arguments.begin(), options.arguments.end());
    std::vector<std::string> environmentTexts = BuildEnvironment(options);
    std::vector<char*> argv;
    for (auto& text : argumentTexts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& text : environmentTexts) {
        envp.push_back(text.data());
    }
    envp.push_back(nullptr);

    m_pid = ::fork();
    if (m_pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (m_pid == 0) {
        const int out = ::open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(m_stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = ::open("/dev/null", O_RDONLY);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
}

ProgramProcess::~ProgramProcess()
{
    if (Running()) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

void ProgramProcess::Signal(int number)
{
    if (Running()) {
        ::kill(m_pid, number);
    }
}

bool ProgramProcess::Running()
{
    if (m_status || m_pid <= 0) {
        return false;
    }
    int status = 0;
    const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
    if (done == m_pid) {
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return true;
}

std::optional<int> ProgramProcess::WaitForExit(std::chrono::milliseconds timeout)
{
    PollUntil([this] { return !Running(); }, timeout);
    return m_status;
}

std::string ProgramProcess::Stdout() const
{
    std::ifstream in(m_stdoutPath, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string ProgramProcess::Stderr() const
{
    std::ifstream in(m_stderrPath, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace kelvane::test
