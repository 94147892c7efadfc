#pragma once

#include "ui/UserMessages.h"

#include <QStringList>

namespace kelvane::test {

// The program's message boxes, written down instead of shown; a question gets the answer set here.
class RecordedMessages : public ui::UserMessages
{
public:
    QStringList errors;
    QStringList warnings;
    QStringList shown;
    QStringList questions;
    bool answer = true;

    void ShowError(QWidget*, const QString& text) override { errors << text; }
    void ShowWarning(QWidget*, const QString& text) override { warnings << text; }
    void ShowMessage(QWidget*, const QString& text) override { shown << text; }
    bool Confirm(QWidget*, const QString& title, const QString& text) override
    {
        questions << title + u'|' + text;
        return answer;
    }
};

} // namespace kelvane::test
