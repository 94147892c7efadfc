#include "platform/linux/XScreenSaverDaemon.h"

#include <QProcess>
#include <QTimer>

#include <memory>

namespace kelvane::platform {

XScreenSaverDaemon::XScreenSaverDaemon(StatusNotices& notices, std::chrono::milliseconds timeLimit)
    : m_notices(notices), m_timeLimit(timeLimit)
{}

void XScreenSaverDaemon::Send(const QStringList& arguments, Done done, bool quietFailure)
{
    auto* process = new QProcess(this);
    auto* limit = new QTimer(process);
    limit->setSingleShot(true);
    const QString command = QStringLiteral("xscreensaver-command ") + arguments.join(QLatin1Char(' '));
    auto finish = std::make_shared<bool>(false);
    auto conclude = [this, process, done, quietFailure, finish](bool answered, const QString& why) {
        if (*finish) {
            return;
        }
        *finish = true;
        if (!answered && !quietFailure) {
            m_notices.Report(why.toStdString());
        }
        if (done) {
            done(answered);
        }
        process->deleteLater();
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
    process->setStandardOutputFile(QProcess::nullDevice());
    limit->start(m_timeLimit);
    process->start(QStringLiteral("xscreensaver-command"), arguments);
}

} // namespace kelvane::platform
