#include "platform/qt/QtHttpGet.h"

#include "platform/qt/QtText.h"

#include <QByteArray>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <memory>

namespace kelvane::platform {
namespace {

// The character set that a Content-Type header names, if any.
QByteArray CharsetOf(const QByteArray& contentType)
{
    for (const QByteArray& parameter : contentType.split(';')) {
        const QByteArray trimmed = parameter.trimmed();
        if (trimmed.toLower().startsWith("charset=")) {
            QByteArray name = trimmed.mid(8);
            if (name.size() >= 2 && name.startsWith('"') && name.endsWith('"')) {
                name = name.mid(1, name.size() - 2);
            }
            return name;
        }
    }
    return {};
}

// The body as UTF-8. A character set that Qt does not know leaves the bytes as they are.
std::string BodyAsUtf8(const QByteArray& body, const QByteArray& contentType)
{
    const QByteArray charset = CharsetOf(contentType);
    const auto encoding = QStringConverter::encodingForName(charset.constData());
    if (!charset.isEmpty() && encoding && *encoding != QStringConverter::Utf8) {
        QStringDecoder decoder(*encoding);
        const QString text = decoder.decode(body);
        const QByteArray utf8 = text.toUtf8();
        return {utf8.constData(), static_cast<size_t>(utf8.size())};
    }
    return {body.constData(), static_cast<size_t>(body.size())};
}

// Whether the reply ended with the server's whole answer, an error status included; a connection that
// broke off in the middle of the body is no answer.
bool IsHttpAnswer(QNetworkReply::NetworkError error)
{
    const int code = static_cast<int>(error);
    return error == QNetworkReply::NoError ||
           (code >= QNetworkReply::ContentAccessDenied && code <= QNetworkReply::UnknownContentError) ||
           (code >= QNetworkReply::InternalServerError && code <= QNetworkReply::UnknownServerError);
}

// The most of a body that waits between the network thread and this one.
constexpr size_t MaxReadAhead = 64 * 1024;

// What one request has gathered so far.
struct PendingRequest
{
    std::function<void(const HttpResponse&)> Done;
    size_t MaxBodyBytes = 0;
    QByteArray Body;
    bool TooLarge = false;
    bool TimedOut = false;
};

void Deliver(QObject* context, std::function<void(const HttpResponse&)> done, HttpResponse response)
{
    // Never from inside Get: the caller may not be ready for its answer yet.
    QMetaObject::invokeMethod(
        context, [done = std::move(done), response = std::move(response)] { done(response); }, Qt::QueuedConnection);
}

} // namespace

QtHttpGet::QtHttpGet() : QtHttpGet(Options{}) {}

QtHttpGet::QtHttpGet(Options options) : m_options(std::move(options))
{
    m_manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

QtHttpGet::~QtHttpGet() = default;

void QtHttpGet::Get(const std::string& address, size_t maxBodyBytes, std::function<void(const HttpResponse&)> done)
{
    const QUrl url(FromUtf8(address), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"https" && scheme != u"http")) {
        Deliver(&m_manager, std::move(done), {});
        return;
    }

    QNetworkRequest request(url);
    request.setMaximumRedirectsAllowed(m_options.MaxRedirects);
    if (!m_options.ExtraCaCertificates.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(m_options.ExtraCaCertificates);
        request.setSslConfiguration(ssl);
    }

    QNetworkReply* reply = m_manager.get(request);
    // The network thread reads ahead no further than this before the body so far is taken here, so the
    // limit is checked as the data comes in, whether its length was announced or not (chunked), and a
    // thread too busy to take it leaves the rest unread on the connection rather than in memory.
    // One byte past the limit is enough to know; never 0, which would mean no bound at all.
    reply->setReadBufferSize(static_cast<qint64>(std::min(maxBodyBytes, MaxReadAhead - 1) + 1));
    auto pending = std::make_shared<PendingRequest>();
    pending->Done = std::move(done);
    pending->MaxBodyBytes = maxBodyBytes;

    // One deadline for the whole request: a server that sends a byte now and then must not hold it open.
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [reply, pending] {
        pending->TimedOut = true;
        reply->abort();
    });
    deadline->start(m_options.Timeout);

    QObject::connect(reply, &QIODevice::readyRead, reply, [reply, pending] {
        if (pending->TooLarge) {
            return;
        }
        pending->Body += reply->readAll();
        if (static_cast<size_t>(pending->Body.size()) > pending->MaxBodyBytes) {
            pending->TooLarge = true;
            pending->Body.clear();
            reply->abort();
        }
    });

    QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, pending] {
        reply->deleteLater();
        if (!pending->TooLarge && !pending->TimedOut) {
            pending->Body += reply->readAll();
            pending->TooLarge = static_cast<size_t>(pending->Body.size()) > pending->MaxBodyBytes;
        }
        HttpResponse response;
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (pending->TooLarge) {
            response.Result = HttpResponse::Outcome::BodyTooLarge;
            response.StatusCode = status.toInt();
        } else if (pending->TimedOut || !status.isValid() || !IsHttpAnswer(reply->error())) {
            response.Result = HttpResponse::Outcome::Failed;
        } else {
            response.Result = HttpResponse::Outcome::Answered;
            response.StatusCode = status.toInt();
            response.Body = BodyAsUtf8(pending->Body, reply->header(QNetworkRequest::ContentTypeHeader).toByteArray());
        }
        Deliver(&m_manager, std::move(pending->Done), std::move(response));
    });
}

} // namespace kelvane::platform
