#pragma once

#include "platform/PathsAndInstance.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

namespace kelvane::platform {

// The instance rule on Linux: a lock file held with flock, and a local socket beside it that carries
// the requests. Both live in $XDG_RUNTIME_DIR (else a folder of the user's own under the temporary
// folder), so each user, and each test that sets that variable, has its own instance.
class LinuxPathsAndInstance final : public QObject, public PathsAndInstance
{
public:
    LinuxPathsAndInstance();
    ~LinuxPathsAndInstance() override;

    std::string AppDataFolder() override;
    std::string ExecutableFolder() override;
    InstanceLock AcquireInstanceLock() override;
    void PostInstanceRequest(InstanceRequest request) override;
    void ListenForInstanceRequests(std::function<void(InstanceRequest)> handler) override;

    // The folder of the lock and the socket, created user-only when missing: $XDG_RUNTIME_DIR, else a
    // folder of the user's own in the temporary folder, else (when someone else holds that name) one in
    // the user's cache folder. Empty, with the reason, when no safe one exists.
    struct RuntimeFolderChoice
    {
        std::string Folder;
        std::string Problem;
        // With the temporary folder chosen: the fallback folder, where an instance that started while
        // the temporary one was unsafe may still run.
        std::string Fallback;
    };
    static RuntimeFolderChoice ChooseRuntimeFolder();
    static std::string RuntimeFolder();

private:
    struct Connection;

    void AcceptConnections();
    void ReadConnection(Connection* connection);
    void CloseConnection(Connection* connection);

    int m_lockFd = -1;
    int m_listenFd = -1;
    std::string m_socketPath;    // set while this instance listens
    std::string m_requestFolder; // where the lock holder listens, once the lock was asked for
    std::unique_ptr<QSocketNotifier> m_listenNotifier;
    std::vector<std::unique_ptr<Connection>> m_connections;
    std::function<void(InstanceRequest)> m_handler;
};

} // namespace kelvane::platform
