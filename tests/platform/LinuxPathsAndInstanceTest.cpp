#include "platform/linux/LinuxPathsAndInstance.h"

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <vector>

namespace kelvane::platform {
namespace {

using test::ScopedEnv;

// The requests that reach the instance, once the expected number came or a generous time ran out.
std::vector<InstanceRequest> ReceivedRequests(LinuxPathsAndInstance& instance, size_t expected)
{
    std::vector<InstanceRequest> received;
    instance.ListenForInstanceRequests([&received](InstanceRequest request) { received.push_back(request); });
    QElapsedTimer timer;
    timer.start();
    while (received.size() < expected && timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    instance.ListenForInstanceRequests({});
    return received;
}

TEST(LinuxFolders, DataHomeFollowsTheBaseDirectoryRules)
{
    LinuxPathsAndInstance paths;
    {
        ScopedEnv data("XDG_DATA_HOME", "/data/home//");
        EXPECT_EQ(paths.AppDataFolder(), "/data/home");
    }
    {
        ScopedEnv data("XDG_DATA_HOME", "relative/ignored");
        ScopedEnv home("HOME", "/home/someone");
        EXPECT_EQ(paths.AppDataFolder(), "/home/someone/.local/share");
    }
    const std::string exe = paths.ExecutableFolder();
    EXPECT_EQ(exe.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(exe + "kelvane_platform_tests"));
}

TEST(LinuxFolders, RuntimeFolderFallsBackToAPrivateTemporaryFolder)
{
    test::TempDir tmp;
    ScopedEnv runtime("XDG_RUNTIME_DIR", "");
    ScopedEnv tmpdir("TMPDIR", tmp.path());
    const std::string folder = LinuxPathsAndInstance::RuntimeFolder();
    ASSERT_EQ(folder, tmp.path() + "/kelvane-" + std::to_string(getuid()));
    struct stat info
    {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

// Someone else may take the shared temporary folder's name first; the start then uses the user's own
// cache folder, or, when that cannot be had either, says why it cannot start. Every later start finds the
// first one, whatever became of that name meanwhile.
TEST(LinuxFolders, AnUnsafeTemporaryFolderIsNeverUsedAndNeverEndsTheStartSilently)
{
    const std::string uid = std::to_string(getuid());
    const struct
    {
        const char* name;
        std::function<void(const std::string&)> plant; // at the shared folder's path
        const char* problem;
    } cases[] = {
        {"a link", [](const std::string& at) { std::filesystem::create_directory_symlink("/", at); }, "it is a link"},
        {"a file", [](const std::string& at) { std::ofstream(at) << "x"; }, "it is not a folder"},
        {"open to all",
         [](const std::string& at) {
             std::filesystem::create_directory(at);
             ::chmod(at.c_str(), 0777);
         },
         "other users may use it"},
    };
    for (const auto& c : cases) {
        test::TempDir tmp;
        test::TempDir home;
        ScopedEnv runtime("XDG_RUNTIME_DIR", "");
        ScopedEnv tmpdir("TMPDIR", tmp.path());
        ScopedEnv cache("XDG_CACHE_HOME", home.path() + "/cache");
        const std::string shared = tmp.path() + "/kelvane-" + uid;
        c.plant(shared);

        EXPECT_EQ(LinuxPathsAndInstance::RuntimeFolder(), home.path() + "/cache/kelvane-" + uid) << c.name;
        LinuxPathsAndInstance first;
        EXPECT_EQ(first.AcquireInstanceLock().Outcome, InstanceLock::State::Taken) << c.name;
        LinuxPathsAndInstance second;
        EXPECT_EQ(second.AcquireInstanceLock().Outcome, InstanceLock::State::HeldElsewhere)
            << c.name << ": a second start finds the first in the same place";

        {
            // Without a cache folder of its own either, the start stops and says why.
            const std::string notAFolder = tmp.path() + "/cache-is-a-file";
            std::ofstream(notAFolder) << "x";
            ScopedEnv noCache("XDG_CACHE_HOME", notAFolder);
            LinuxPathsAndInstance stuck;
            const InstanceLock lock = stuck.AcquireInstanceLock();
            EXPECT_EQ(lock.Outcome, InstanceLock::State::Unavailable) << c.name;
            EXPECT_NE(lock.Problem.find(shared), std::string::npos) << lock.Problem;
            EXPECT_NE(lock.Problem.find(c.problem), std::string::npos) << lock.Problem;
        }

        // Once the temporary name is free again, a later start still finds the first where it runs.
        std::filesystem::remove(shared);
        LinuxPathsAndInstance later;
        EXPECT_EQ(later.AcquireInstanceLock().Outcome, InstanceLock::State::HeldElsewhere) << c.name;
        later.PostInstanceRequest(InstanceRequest::Exit);
        EXPECT_EQ(ReceivedRequests(first, 1), std::vector<InstanceRequest>{InstanceRequest::Exit}) << c.name;
    }
}

TEST(LinuxInstance, OneLockHolderAndRequestsReachItInOrder)
{
    test::TempDir runtimeDir;
    ScopedEnv runtime("XDG_RUNTIME_DIR", runtimeDir.path());

    LinuxPathsAndInstance first;
    ASSERT_EQ(first.AcquireInstanceLock().Outcome, InstanceLock::State::Taken);
    LinuxPathsAndInstance second;
    EXPECT_EQ(second.AcquireInstanceLock().Outcome, InstanceLock::State::HeldElsewhere) << "the lock is held";

    // Sent before the first instance listens: they wait in the socket's queue.
    second.PostInstanceRequest(InstanceRequest::Show);
    second.PostInstanceRequest(InstanceRequest::Exit);

    EXPECT_EQ(ReceivedRequests(first, 2), (std::vector<InstanceRequest>{InstanceRequest::Show, InstanceRequest::Exit}));
}

TEST(LinuxInstance, TheLockIsFreeAgainWhenItsHolderEnds)
{
    test::TempDir runtimeDir;
    ScopedEnv runtime("XDG_RUNTIME_DIR", runtimeDir.path());
    {
        LinuxPathsAndInstance first;
        ASSERT_EQ(first.AcquireInstanceLock().Outcome, InstanceLock::State::Taken);
    }
    EXPECT_FALSE(std::filesystem::exists(runtimeDir.file("kelvane.sock"))) << "its socket is removed";
    LinuxPathsAndInstance next;
    EXPECT_EQ(next.AcquireInstanceLock().Outcome, InstanceLock::State::Taken);
}

} // namespace
} // namespace kelvane::platform
