#include "platform/linux/XScreenSaverDaemon.h"

#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <memory>

namespace kelvane::platform {

XScreenSaverDaemon::XScreenSaverDaemon(StatusNotices& notices, std::chrono::milliseconds timeLimit)
    : m_notices(notices), m_timeLimit(timeLimit)
{}

XScreenSaverDaemon::~XScreenSaverDaemon()
{
    // A command still on its way ends with its sender, and tells nobody: whoever it would have told may
    // be gone already.
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect();
        process->kill();
        process->waitForFinished(1000);
        delete process;
    }
}

void XScreenSaverDaemon::Send(const QStringList& arguments, Done done, bool quietFailure)
{
    Then([this, arguments, done = std::move(done), quietFailure](std::function<void()> finished) {
        Run(arguments, done, quietFailure, finished);
    });
}

void XScreenSaverDaemon::Then(Step step)
{
    m_waiting.push_back(std::move(step));
    if (!m_busy) {
        Next();
    }
}

void XScreenSaverDaemon::Next()
{
    if (m_waiting.empty()) {
        m_busy = false;
        return;
    }
    m_busy = true;
    Step step = std::move(m_waiting.front());
    m_waiting.pop_front();
    // Called once, from the step or from whatever it waits for; a daemon object that is gone by then
    // has nothing left to run.
    auto called = std::make_shared<bool>(false);
    step([self = QPointer<XScreenSaverDaemon>(this), called] {
        if (!*called && self) {
            *called = true;
            // On the event loop, never inside the step: a step that finishes at once must not run the
            // rest of the order from within itself.
            QTimer::singleShot(0, self, [self] {
                if (self) {
                    self->Next();
                }
            });
        }
    });
}

void XScreenSaverDaemon::Run(const QStringList& arguments, const Done& done, bool quietFailure,
                             const std::function<void()>& finished)
{
    auto* process = new QProcess(this);
    auto* limit = new QTimer(process);
    limit->setSingleShot(true);
    const QString command = QStringLiteral("xscreensaver-command ") + arguments.join(QLatin1Char(' '));
    auto concluded = std::make_shared<bool>(false);
    auto conclude = [this, process, done, quietFailure, finished, concluded](bool answered, const QString& why) {
        if (*concluded) {
            return;
        }
        *concluded = true;
        if (!answered && !quietFailure) {
            m_notices.Report(why.toStdString());
        }
        if (done) {
            done(answered, answered ? QString::fromLocal8Bit(process->readAllStandardOutput()) : QString());
        }
        process->deleteLater();
        finished();
    };
    QObject::connect(limit, &QTimer::timeout, process, [process, conclude, command, this] {
        process->kill();
        conclude(false, QStringLiteral("XScreenSaver did not answer \"%1\" within %2 seconds")
                            .arg(command)
                            .arg(std::chrono::duration<double>(m_timeLimit).count()));
    });
    QObject::connect(
        process, &QProcess::finished, process, [process, conclude, command](int code, QProcess::ExitStatus status) {
            const QString said = QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
            const bool answered = status == QProcess::NormalExit && code == 0;
            conclude(answered, QStringLiteral("XScreenSaver could not carry out \"%1\": %2")
                                   .arg(command, said.isEmpty() ? QStringLiteral("no daemon answered") : said));
        });
    QObject::connect(process, &QProcess::errorOccurred, process, [conclude, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            conclude(false, QStringLiteral("xscreensaver-command could not be started: ") + process->errorString());
        }
    });
    limit->start(m_timeLimit);
    process->start(QStringLiteral("xscreensaver-command"), arguments);
}

} // namespace kelvane::platform
