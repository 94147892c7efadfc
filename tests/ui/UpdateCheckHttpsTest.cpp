// The update check against a real HTTPS server on this machine.
#include "platform/qt/ModuleHttpGet.h"
#include "platform/qt/QtHttpGet.h"
#include "support/LocalHttpsServer.h"
#include "ui/UpdateWindowFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <fstream>
#include <optional>
#include <string_view>

namespace kelvane::ui {
namespace {

using namespace std::chrono_literals;
using platform::HttpResponse;

// Runs the event loop until the condition holds; false when the time runs out first.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 10s)
{
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer wake; // so that the loop looks at the condition at least every few milliseconds
    wake.start(10);
    while (!condition()) {
        if (elapsed.hasExpired(limit.count())) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// One figure of this process's /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 where there is none.
long OwnMemoryKiB(std::string_view field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field) && line.size() > field.size() && line[field.size()] == ':') {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return -1;
}

// Starts this process's peak of resident memory (VmHWM) afresh from what it holds now.
bool ResetOwnMemoryPeak()
{
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return static_cast<bool>(clearRefs);
}

// A body of 200 MB in chunks of 64 KiB: no length is announced ahead.
const std::string ChunkedBodyPath = "/chunked/" + std::to_string(200 * 1024 * 1024);

class HttpsUpdateTest : public test::UpdateWindowFixture
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new test::TempDir;
        s_server = new test::LocalHttpsServer;
        s_error = s_server->Start(s_folder->path());
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        delete s_folder;
    }
    void SetUp() override { ASSERT_EQ(s_error, "") << "the local HTTPS server did not start"; }

    // A client that trusts the test's server, with a time-out short enough for a quick test.
    static platform::QtHttpGet::Options TrustingOptions()
    {
        platform::QtHttpGet::Options options;
        options.Timeout = 1500ms;
        options.ExtraCaCertificates = s_server->Certificates();
        return options;
    }
    static std::string Address(const std::string& path) { return s_server->Address(path); }

    static HttpResponse Fetch(platform::HttpGet& http, const std::string& address, size_t maxBodyBytes = 65536)
    {
        std::optional<HttpResponse> answer;
        http.Get(address, maxBodyBytes, [&answer](const HttpResponse& response) { answer = response; });
        EXPECT_FALSE(answer) << "answered from inside the call";
        EXPECT_TRUE(WaitUntil([&answer] { return answer.has_value(); })) << address;
        return answer.value_or(HttpResponse{});
    }

    platform::QtHttpGet http{TrustingOptions()};

    static inline test::TempDir* s_folder = nullptr;
    static inline test::LocalHttpsServer* s_server = nullptr;
    static inline std::string s_error;
};

TEST_F(HttpsUpdateTest, ANewerVersionShowsThePopupWithItsMessageAndAddress)
{
    auto window = Create(http, Address("/newer"));
    window->ShowAtStart();
    UpdateTimer(*window).Advance(5000);
    ASSERT_TRUE(WaitUntil([&] { return !window->Updates()->IsChecking(); }));

    ASSERT_EQ(Popups(*window).size(), 1u);
    TfrmNotification& popup = *Popups(*window)[0];
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.lblMessage()->text(), QStringLiteral("Kelvane 1.02 is available"));
    EXPECT_EQ(popup.URL(), "https://www.quillfen.example/download");
    popup.lblMessageClick();
    EXPECT_EQ(browser.opened, std::vector<std::string>{"https://www.quillfen.example/download"});
    EXPECT_EQ(UpdateTimer(*window).Interval(), 86400000);
}

TEST_F(HttpsUpdateTest, AFileAddressInTheVersionFileIsNeverOpened)
{
    auto window = Create(http, Address("/file-address"));
    window->ShowAtStart();
    UpdateTimer(*window).Advance(5000);
    ASSERT_TRUE(WaitUntil([&] { return !window->Updates()->IsChecking(); }));
    ASSERT_EQ(Popups(*window).size(), 1u);
    TfrmNotification& popup = *Popups(*window)[0];
    EXPECT_EQ(popup.URL(), "file:///etc/passwd");
    popup.lblMessageClick();
    EXPECT_TRUE(browser.opened.empty());
    EXPECT_TRUE(popup.IsClosing());
}

TEST_F(HttpsUpdateTest, EveryOtherAnswerEndsAsNoUpdateWithoutADialogOrAFrozenWindow)
{
    const std::string refused = "https://127.0.0.1:" + std::to_string(test::LocalHttpsServer::UnusedPort()) + "/v";
    const std::string addresses[] = {Address("/equal"),   Address("/older"), Address("/malformed"),
                                     Address("/missing"), Address("/large"), Address(ChunkedBodyPath),
                                     Address("/silent"),  Address("/loop"),  refused};
    for (const std::string& address : addresses) {
        auto window = Create(http, address);
        window->ShowAtStart();
        UpdateTimer(*window).Advance(5000);
        // The tick has returned before the answer: the window keeps answering meanwhile.
        ASSERT_TRUE(window->Updates()->IsChecking()) << address;
        bool windowAnswered = false;
        QTimer::singleShot(0, window.get(), [&windowAnswered] { windowAnswered = true; });

        ASSERT_TRUE(WaitUntil([&] { return !window->Updates()->IsChecking(); })) << address;
        EXPECT_TRUE(windowAnswered) << address;
        EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("No update available")) << address;
        EXPECT_TRUE(Popups(*window).empty()) << address;
        EXPECT_TRUE(messages.errors.isEmpty()) << address;
        EXPECT_EQ(UpdateTimer(*window).Interval(), 86400000) << address;
        EXPECT_TRUE(UpdateTimer(*window).IsRunning()) << address;
    }
}

TEST_F(HttpsUpdateTest, TheClientTellsAnswersFromFailures)
{
    using Outcome = HttpResponse::Outcome;
    const HttpResponse newer = Fetch(http, Address("/newer"));
    EXPECT_EQ(newer.Result, Outcome::Answered);
    EXPECT_EQ(newer.StatusCode, 200);
    EXPECT_EQ(newer.Body, "1.02\r\nhttps://www.quillfen.example/download\r\nKelvane 1.02 is available\r\n");

    const HttpResponse missing = Fetch(http, Address("/missing"));
    EXPECT_EQ(missing.Result, Outcome::Answered);
    EXPECT_EQ(missing.StatusCode, 404);

    // The character set the answer names is turned into UTF-8.
    EXPECT_EQ(Fetch(http, Address("/latin1")).Body, "1.02\nhttps://www.quillfen.example/d\nCaf\xC3\xA9 1.02\n");

    EXPECT_EQ(Fetch(http, Address("/large")).Result, Outcome::BodyTooLarge);
    EXPECT_EQ(Fetch(http, Address("/newer"), 20).Result, Outcome::BodyTooLarge);
    EXPECT_EQ(Fetch(http, Address("/loop")).Result, Outcome::Failed);
    EXPECT_EQ(Fetch(http, Address("/silent")).Result, Outcome::Failed);

    // Only web addresses are fetched.
    for (const std::string address : {"file:///etc/hostname", "ftp://127.0.0.1/x", "not an address"}) {
        EXPECT_EQ(Fetch(http, address).Result, Outcome::Failed) << address;
    }
}

TEST_F(HttpsUpdateTest, AChunkedBodyIsReadUpToTheLimitAndCutJustPastIt)
{
    using Outcome = HttpResponse::Outcome;
    const HttpResponse whole = Fetch(http, Address("/chunked/65536"));
    EXPECT_EQ(whole.Result, Outcome::Answered);
    EXPECT_EQ(whole.Body, std::string(65536, 'x'));
    EXPECT_EQ(Fetch(http, Address("/chunked/65537")).Result, Outcome::BodyTooLarge);
    // Cut at the limit, not read to the end: within the client's 1.5 s, whatever the server would send.
    EXPECT_EQ(Fetch(http, Address(ChunkedBodyPath)).Result, Outcome::BodyTooLarge);
}

// The window's thread may be busy for a while (a long load, a slow paint) while the body comes in. The
// network thread must then leave the rest on the connection: reading on into memory, a 200 MB body would
// end up whole in this process before the limit is ever looked at.
TEST_F(HttpsUpdateTest, AChunkedBodyWaitsForABusyThreadInsteadOfFillingMemory)
{
    if (!ResetOwnMemoryPeak()) {
        GTEST_SKIP() << "this system cannot start the peak of resident memory afresh";
    }
    const long before = OwnMemoryKiB("VmRSS");
    ASSERT_GT(before, 0);

    // A deadline far beyond the busy spells below, so that only the limit can end the download.
    platform::QtHttpGet patient(platform::QtHttpGet::Options{30s, 5, s_server->Certificates()});
    std::optional<HttpResponse> answer;
    patient.Get(Address(ChunkedBodyPath), 65536, [&answer](const HttpResponse& response) { answer = response; });
    QElapsedTimer elapsed;
    elapsed.start();
    while (!answer && !elapsed.hasExpired(20000)) {
        // A moment for the events that wait, then a busy spell that takes none.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::msleep(500);
    }
    const long peak = OwnMemoryKiB("VmHWM");

    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->Result, HttpResponse::Outcome::BodyTooLarge);
    EXPECT_LT(peak - before, 16 * 1024) << "resident memory grew from " << before << " KiB to " << peak << " KiB";
}

TEST_F(HttpsUpdateTest, AServerWhoseCertificateIsNotTrustedGivesNoAnswer)
{
    platform::QtHttpGet systemTrustOnly(platform::QtHttpGet::Options{1500ms, 5, {}});
    EXPECT_EQ(Fetch(systemTrustOnly, Address("/newer")).Result, HttpResponse::Outcome::Failed);
}

#ifdef KELVANE_HTTP_MODULE
struct DebugLines : platform::DebugOutput
{
    std::vector<std::string> lines;
    void Write(std::string_view line) override { lines.emplace_back(line); }
};

// One plain HTTP answer on 127.0.0.1 to whoever asks.
class OneAnswerServer
{
public:
    explicit OneAnswerServer(QByteArray answer) : m_answer(std::move(answer))
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            QTcpSocket* client = m_server.nextPendingConnection();
            QObject::connect(client, &QTcpSocket::readyRead, client, [this, client] {
                if (client->readAll().contains("\r\n\r\n")) {
                    client->write(m_answer);
                    client->disconnectFromHost();
                }
            });
        });
    }
    std::string Address() const { return "http://127.0.0.1:" + std::to_string(m_server.serverPort()) + "/v"; }

private:
    QByteArray m_answer;
    QTcpServer m_server;
};

std::optional<HttpResponse> FetchOnce(platform::HttpGet& http, const std::string& address)
{
    std::optional<HttpResponse> answer;
    http.Get(address, 65536, [&answer](const HttpResponse& response) { answer = response; });
    EXPECT_FALSE(answer) << "answered from inside the call";
    EXPECT_TRUE(WaitUntil([&answer] { return answer.has_value(); }));
    return answer;
}

TEST(ModuleHttpGet, TheClientComesFromTheModuleOnTheFirstRequest)
{
    OneAnswerServer server("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\n1.02\n");
    DebugLines debug;
    platform::ModuleHttpGet http(KELVANE_HTTP_MODULE, debug);
    for (int request = 0; request < 2; ++request) {
        const auto answer = FetchOnce(http, server.Address());
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->Result, HttpResponse::Outcome::Answered);
        EXPECT_EQ(answer->StatusCode, 200);
        EXPECT_EQ(answer->Body, "1.02\n");
    }
    EXPECT_TRUE(debug.lines.empty());
}

TEST(ModuleHttpGet, AModuleThatCannotBeLoadedFailsEachRequestLaterAndSaysWhy)
{
    test::TempDir dir;
    dir.write("kelvane_http.so", "not a library");
    for (const std::string& module : {dir.file("missing.so"), dir.file("kelvane_http.so")}) {
        DebugLines debug;
        platform::ModuleHttpGet http(module, debug);
        for (int request = 0; request < 2; ++request) {
            const auto answer = FetchOnce(http, "http://127.0.0.1:1/v");
            ASSERT_TRUE(answer) << module;
            EXPECT_EQ(answer->Result, HttpResponse::Outcome::Failed) << module;
        }
        ASSERT_EQ(debug.lines.size(), 2u) << module << ": tried again at the next request";
        EXPECT_NE(debug.lines[0].find("The network module cannot be loaded: "), std::string::npos) << debug.lines[0];
    }
}
#endif

} // namespace
} // namespace kelvane::ui
