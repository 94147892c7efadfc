#include "ui/scheduler/ToleranceHelp.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace kelvane::ui {

void TabSheet3Show(QTextEdit* help)
{
    help->clear();
    QTextCursor cursor(help->document());
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const QString breaks = QStringLiteral("\r\n\r\n");
    const auto text = [&](const QString& piece) { cursor.insertText(piece, plain); };
    const auto heading = [&](const QString& piece) { cursor.insertText(piece, bold); };

    text(QStringLiteral("Tolerance is the time window allowed for scheduling events to trigger.") + breaks);
    text(QStringLiteral("For a tolerance value, 20 seconds is a reasonable choice for most scheduling applications. "
                        "Here's why it works well:") +
         breaks);
    heading(QStringLiteral("1. Handling system variations: "));
    text(QStringLiteral("It provides enough buffer to account for system load, minor clock adjustments, and other "
                        "factors that might cause slight timing inconsistencies.") +
         breaks);
    heading(QStringLiteral("2. Missed events: "));
    text(QStringLiteral("When the application starts up after being closed, a 20-second tolerance ensures events are "
                        "correctly identified as missed without being overly sensitive.") +
         breaks);
    heading(QStringLiteral("3. User experience: "));
    text(QStringLiteral("From a user perspective, a 20-second window is small enough to feel \"on time\" but large "
                        "enough to be practical in real-world conditions.") +
         breaks);
    heading(QStringLiteral("4. Resource efficiency: "));
    text(QStringLiteral("It allows your timer check function to run less frequently (perhaps every 10-15 seconds) "
                        "while still reliably catching events.") +
         breaks);
    text(QStringLiteral("If your application requires very precise timing for certain critical operations, you might "
                        "want a smaller value (5-10 seconds). Conversely, if exact timing isn't crucial and you're "
                        "more concerned with reducing processing overhead, you could go higher (30-60 seconds).") +
         breaks);
    text(QStringLiteral("But for most scheduling applications, 20 seconds strikes a good balance between accuracy and "
                        "practicality."));
}

} // namespace kelvane::ui
