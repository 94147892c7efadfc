#include "platform/linux/LinuxPathsAndInstance.h"

#include "platform/linux/LinuxEnvironment.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kelvane::platform {
namespace {

constexpr const char* kLockFileName = "kelvane.lock";
constexpr const char* kSocketFileName = "kelvane.sock";
constexpr size_t kMaxRequestBytes = 64;

// Why a folder is not one that only this user can reach (owned by the user, not a link, no rights for
// others); empty when it is.
std::string WhyNotPrivate(const std::string& path)
{
    struct stat info
    {};
    if (lstat(path.c_str(), &info) != 0) {
        return "it cannot be created";
    }
    if (S_ISLNK(info.st_mode)) {
        return "it is a link";
    }
    if (!S_ISDIR(info.st_mode)) {
        return "it is not a folder";
    }
    if (info.st_uid != getuid()) {
        return "it belongs to another user";
    }
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        return "other users may use it";
    }
    return {};
}

// Creates the folder for the user alone when it is missing; the reason when it is not private.
std::string MakePrivateFolder(const std::string& path)
{
    ::mkdir(path.c_str(), 0700);
    return WhyNotPrivate(path);
}

// The user's own folder for the lock when the shared temporary one cannot be trusted; empty without a home.
std::string FallbackFolder(const std::string& uid)
{
    const std::string home = HomeFolder();
    const std::string cache = AbsoluteFolderOr("XDG_CACHE_HOME", home.empty() ? std::string() : home + "/.cache");
    return cache.empty() ? std::string() : cache + "/kelvane-" + uid;
}

// Whether an instance holds the lock in that folder; nothing is created to find out.
bool LockHeldIn(const std::string& folder)
{
    if (folder.empty() || !WhyNotPrivate(folder).empty()) {
        return false;
    }
    const int fd = ::open((folder + "/" + kLockFileName).c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

bool FillSocketAddress(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

const char* RequestText(InstanceRequest request)
{
    return request == InstanceRequest::Exit ? "exit\n" : "show\n";
}

} // namespace

struct LinuxPathsAndInstance::Connection
{
    int fd = -1;
    std::string received;
    std::unique_ptr<QSocketNotifier> notifier;
};

LinuxPathsAndInstance::LinuxPathsAndInstance() = default;

LinuxPathsAndInstance::~LinuxPathsAndInstance()
{
    for (auto& connection : m_connections) {
        connection->notifier.reset();
        ::close(connection->fd);
    }
    m_listenNotifier.reset();
    if (m_listenFd >= 0) {
        // Still holding the lock, so no other instance can have put its own socket there.
        ::unlink(m_socketPath.c_str());
        ::close(m_listenFd);
    }
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
    }
}

std::string LinuxPathsAndInstance::AppDataFolder()
{
    const std::string home = HomeFolder();
    return AbsoluteFolderOr("XDG_DATA_HOME", home.empty() ? std::string() : home + "/.local/share");
}

std::string LinuxPathsAndInstance::ExecutableFolder()
{
    std::error_code ec;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return "./";
    }
    return WithoutTrailingSlashes(executable.parent_path().string()) + "/";
}

LinuxPathsAndInstance::RuntimeFolderChoice LinuxPathsAndInstance::ChooseRuntimeFolder()
{
    const std::string runtime = EnvironmentValue("XDG_RUNTIME_DIR");
    if (!runtime.empty() && runtime.front() == '/') {
        return {WithoutTrailingSlashes(runtime), {}, {}};
    }
    std::error_code ec;
    auto temporary = std::filesystem::temp_directory_path(ec);
    if (ec) {
        temporary = "/tmp";
    }
    const std::string uid = std::to_string(static_cast<unsigned long>(getuid()));
    const std::string shared = WithoutTrailingSlashes(temporary.string()) + "/kelvane-" + uid;
    const std::string fallback = FallbackFolder(uid);
    const std::string sharedProblem = MakePrivateFolder(shared);
    if (sharedProblem.empty()) {
        return {shared, {}, fallback};
    }
    // Someone else may have taken that name in the shared temporary folder first. The user's own cache
    // folder is out of their reach; every start looks there next, so instances still find each other.
    if (!fallback.empty()) {
        std::filesystem::create_directories(std::filesystem::path(fallback).parent_path(), ec);
        if (MakePrivateFolder(fallback).empty()) {
            return {fallback, {}, {}};
        }
    }
    return {{},
            "Cannot start: the instance lock belongs in " + shared + ", but " + sharedProblem +
                ", so another user could take it over. Remove " + shared +
                ", or set XDG_RUNTIME_DIR to a folder of your own.",
            {}};
}

std::string LinuxPathsAndInstance::RuntimeFolder()
{
    return ChooseRuntimeFolder().Folder;
}

InstanceLock LinuxPathsAndInstance::AcquireInstanceLock()
{
    const RuntimeFolderChoice choice = ChooseRuntimeFolder();
    if (choice.Folder.empty()) {
        return {InstanceLock::State::Unavailable, choice.Problem};
    }
    const std::string folder = choice.Folder;
    const std::string lockPath = folder + "/" + kLockFileName;
    m_lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_lockFd < 0) {
        return {InstanceLock::State::Unavailable,
                "Cannot start: the instance lock " + lockPath + " cannot be opened (" + std::strerror(errno) + ")."};
    }
    m_requestFolder = folder;
    // An instance that started while the temporary folder was unsafe runs from the fallback folder until
    // it ends, even when the temporary one has become usable since.
    if (LockHeldIn(choice.Fallback)) {
        m_requestFolder = choice.Fallback;
    }
    if (m_requestFolder != folder || ::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
        return {InstanceLock::State::HeldElsewhere, {}};
    }
    const InstanceLock taken{InstanceLock::State::Taken, {}};

    // The socket is bound under a name of its own and renamed into place once it listens, so a second
    // start that finds the socket always finds it listening. Requests sent before the window exists
    // wait in the socket's queue.
    const std::string socketPath = folder + "/" + kSocketFileName;
    const std::string pendingPath = socketPath + "." + std::to_string(getpid());
    sockaddr_un address{};
    if (!FillSocketAddress(pendingPath, address)) {
        return taken; // first instance all the same, only unreachable for second starts
    }
    m_listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listenFd < 0) {
        return taken;
    }
    ::unlink(pendingPath.c_str());
    const bool listening = ::bind(m_listenFd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 &&
                           ::chmod(pendingPath.c_str(), 0600) == 0 && ::listen(m_listenFd, 16) == 0 &&
                           ::rename(pendingPath.c_str(), socketPath.c_str()) == 0;
    if (!listening) {
        ::unlink(pendingPath.c_str());
        ::close(m_listenFd);
        m_listenFd = -1;
        return taken;
    }
    m_socketPath = socketPath;
    return taken;
}

void LinuxPathsAndInstance::PostInstanceRequest(InstanceRequest request)
{
    const std::string folder = m_requestFolder.empty() ? RuntimeFolder() : m_requestFolder;
    sockaddr_un address{};
    if (folder.empty() || !FillSocketAddress(folder + "/" + kSocketFileName, address)) {
        return;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return;
    }
    // Non-blocking: a first instance that does not answer must not hold the second start up.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
        const char* text = RequestText(request);
        [[maybe_unused]] const auto sent = ::send(fd, text, std::strlen(text), MSG_NOSIGNAL);
    }
    ::close(fd);
}

void LinuxPathsAndInstance::ListenForInstanceRequests(std::function<void(InstanceRequest)> handler)
{
    m_handler = std::move(handler);
    if (m_listenFd < 0 || m_listenNotifier) {
        return;
    }
    m_listenNotifier = std::make_unique<QSocketNotifier>(m_listenFd, QSocketNotifier::Read);
    QObject::connect(m_listenNotifier.get(), &QSocketNotifier::activated, this, [this] { AcceptConnections(); });
}

void LinuxPathsAndInstance::AcceptConnections()
{
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            return;
        }
        ucred peer{};
        socklen_t length = sizeof(peer);
        if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 || peer.uid != getuid()) {
            ::close(fd);
            continue;
        }
        auto connection = std::make_unique<Connection>();
        connection->fd = fd;
        connection->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        Connection* raw = connection.get();
        QObject::connect(raw->notifier.get(), &QSocketNotifier::activated, this, [this, raw] { ReadConnection(raw); });
        m_connections.push_back(std::move(connection));
    }
}

void LinuxPathsAndInstance::ReadConnection(Connection* connection)
{
    char buffer[kMaxRequestBytes];
    bool ended = false;
    for (;;) {
        const auto count = ::read(connection->fd, buffer, sizeof(buffer));
        if (count > 0) {
            connection->received.append(buffer, static_cast<size_t>(count));
            if (connection->received.size() > kMaxRequestBytes) {
                ended = true;
                break;
            }
            continue;
        }
        ended = count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
        break;
    }
    const size_t newline = connection->received.find('\n');
    if (newline == std::string::npos && !ended) {
        return; // the rest of the line is still on its way
    }
    const std::string line = connection->received.substr(0, newline);
    CloseConnection(connection);

    // The handler may run the event loop (bringing the window up does), so it is called last, when
    // this connection is gone.
    if (!m_handler) {
        return;
    }
    if (line == "show") {
        m_handler(InstanceRequest::Show);
    } else if (line == "exit") {
        m_handler(InstanceRequest::Exit);
    }
}

void LinuxPathsAndInstance::CloseConnection(Connection* connection)
{
    const auto found = std::find_if(m_connections.begin(), m_connections.end(),
                                    [connection](const auto& owned) { return owned.get() == connection; });
    if (found == m_connections.end()) {
        return;
    }
    std::unique_ptr<Connection> owned = std::move(*found);
    m_connections.erase(found);
    owned->notifier->setEnabled(false);
    // The notifier may be the sender of the signal being handled: it goes when control is back in the loop.
    owned->notifier.release()->deleteLater();
    ::close(owned->fd);
}

} // namespace kelvane::platform
