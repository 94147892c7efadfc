#pragma once

#include <QList>
#include <QProcess>
#include <QSslCertificate>

#include <string>

namespace kelvane::test {

// The version file server of version_file_server.py, on 127.0.0.1 with a self-signed certificate made
// afresh in the given folder. Clients trust it by adding Certificates() to their own.
class LocalHttpsServer
{
public:
    LocalHttpsServer() = default;
    ~LocalHttpsServer();
    LocalHttpsServer(const LocalHttpsServer&) = delete;
    LocalHttpsServer& operator=(const LocalHttpsServer&) = delete;

    // Empty on success, else what went wrong.
    std::string Start(const std::string& folder);

    std::string Address(const std::string& path) const;
    const QList<QSslCertificate>& Certificates() const { return m_certificates; }

    // A port on 127.0.0.1 where nothing listens.
    static int UnusedPort();

private:
    QProcess m_server;
    int m_port = 0;
    QList<QSslCertificate> m_certificates;
};

} // namespace kelvane::test
