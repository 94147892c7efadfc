#pragma once

#include "platform/HttpGet.h"

#include <QList>
#include <QNetworkAccessManager>
#include <QSslCertificate>

#include <chrono>

namespace kelvane::platform {

// GET requests through Qt Network, over HTTPS with the system's certificates. Answers arrive through
// the event loop of the thread that made the client.
class QtHttpGet final : public HttpGet
{
public:
    struct Options
    {
        // A request that has not ended by then is given up, however slowly data still trickles in.
        std::chrono::milliseconds Timeout{30000};
        int MaxRedirects = 5;
        // Trusted beside the system's certificates (a test's own server).
        QList<QSslCertificate> ExtraCaCertificates;
    };

    QtHttpGet();
    explicit QtHttpGet(Options options);
    ~QtHttpGet() override;

    // Only http and https addresses are fetched; any other fails.
    void Get(const std::string& address, size_t maxBodyBytes, std::function<void(const HttpResponse&)> done) override;

private:
    Options m_options;
    QNetworkAccessManager m_manager;
};

} // namespace kelvane::platform
