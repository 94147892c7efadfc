#include "platform/linux/LinuxPathsAndInstance.h"

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace kelvane::platform {
namespace {

using test::ScopedEnv;

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

    // A folder others can enter is not trusted with the lock.
    ::chmod(folder.c_str(), 0777);
    EXPECT_EQ(LinuxPathsAndInstance::RuntimeFolder(), "");
    LinuxPathsAndInstance instance;
    EXPECT_FALSE(instance.AcquireInstanceLock());
}

TEST(LinuxInstance, OneLockHolderAndRequestsReachItInOrder)
{
    test::TempDir runtimeDir;
    ScopedEnv runtime("XDG_RUNTIME_DIR", runtimeDir.path());

    LinuxPathsAndInstance first;
    ASSERT_TRUE(first.AcquireInstanceLock());
    LinuxPathsAndInstance second;
    EXPECT_FALSE(second.AcquireInstanceLock()) << "the lock is held";

    // Sent before the first instance listens: they wait in the socket's queue.
    second.PostInstanceRequest(InstanceRequest::Show);
    second.PostInstanceRequest(InstanceRequest::Exit);

    std::vector<InstanceRequest> received;
    first.ListenForInstanceRequests([&received](InstanceRequest request) { received.push_back(request); });
    QElapsedTimer timer;
    timer.start();
    while (received.size() < 2 && timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_EQ(received, (std::vector<InstanceRequest>{InstanceRequest::Show, InstanceRequest::Exit}));
}

TEST(LinuxInstance, TheLockIsFreeAgainWhenItsHolderEnds)
{
    test::TempDir runtimeDir;
    ScopedEnv runtime("XDG_RUNTIME_DIR", runtimeDir.path());
    {
        LinuxPathsAndInstance first;
        ASSERT_TRUE(first.AcquireInstanceLock());
    }
    EXPECT_FALSE(std::filesystem::exists(runtimeDir.file("kelvane.sock"))) << "its socket is removed";
    LinuxPathsAndInstance next;
    EXPECT_TRUE(next.AcquireInstanceLock());
}

} // namespace
} // namespace kelvane::platform
