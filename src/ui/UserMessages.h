#pragma once

#include <QString>

class QWidget;

namespace kelvane::ui {

// The modal message boxes of the program, behind an interface so that window tests can record them
// instead of blocking on them.
class UserMessages
{
public:
    virtual ~UserMessages() = default;
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // A warning with one OK button: something to know, nothing that failed.
    virtual void ShowWarning(QWidget* parent, const QString& text) = 0;
    // A plain message under the program's title, with one OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool Confirm(QWidget* parent, const QString& title, const QString& text) = 0;
};

class MessageBoxMessages final : public UserMessages
{
public:
    void ShowError(QWidget* parent, const QString& text) override;
    void ShowWarning(QWidget* parent, const QString& text) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& title, const QString& text) override;
};

} // namespace kelvane::ui
