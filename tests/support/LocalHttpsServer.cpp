#include "support/LocalHttpsServer.h"

#include "TestPaths.h"

#include <QHostAddress>
#include <QTcpServer>

namespace kelvane::test {

LocalHttpsServer::~LocalHttpsServer()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
}

std::string LocalHttpsServer::Start(const std::string& folder)
{
    const QString cert = QString::fromStdString(folder + "/cert.pem");
    const QString key = QString::fromStdString(folder + "/key.pem");
    QProcess openssl;
    openssl.start(QStringLiteral(KELVANE_OPENSSL),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                   QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=IP:127.0.0.1"), QStringLiteral("-keyout"), key,
                   QStringLiteral("-out"), cert});
    if (!openssl.waitForFinished(20000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        return "openssl could not make a certificate: " + openssl.readAllStandardError().toStdString();
    }
    m_certificates = QSslCertificate::fromPath(cert);
    if (m_certificates.isEmpty()) {
        return "the certificate could not be read";
    }

    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.start(QStringLiteral(KELVANE_PYTHON3), {QStringLiteral(KELVANE_VERSION_FILE_SERVER), cert, key});
    if (!m_server.waitForStarted(10000)) {
        return "the server did not start";
    }
    while (!m_server.canReadLine()) {
        if (!m_server.waitForReadyRead(10000)) {
            return "the server did not tell its port";
        }
    }
    m_port = m_server.readLine().trimmed().toInt();
    return m_port > 0 ? std::string() : "the server told no port";
}

std::string LocalHttpsServer::Address(const std::string& path) const
{
    return "https://127.0.0.1:" + std::to_string(m_port) + path;
}

int LocalHttpsServer::UnusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace kelvane::test
