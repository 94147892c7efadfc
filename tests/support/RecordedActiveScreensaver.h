#pragma once

#include "library/ActiveScreensaver.h"

#include <string>
#include <vector>

namespace kelvane::test {

// What the active screensaver told its listeners, in order; it listens for as long as it lives.
class RecordedActiveScreensaver final : public ActiveScreensaverListener
{
public:
    explicit RecordedActiveScreensaver(ActiveScreensaverControl& control) : m_control(control)
    {
        m_control.AddListener(this);
    }
    ~RecordedActiveScreensaver() override { m_control.RemoveListener(this); }
    RecordedActiveScreensaver(const RecordedActiveScreensaver&) = delete;
    RecordedActiveScreensaver& operator=(const RecordedActiveScreensaver&) = delete;

    void ActiveScreensaverChanged(const std::string& activeText) override { changes.push_back(activeText); }
    void ActiveScreensaverProblem(const std::string& message) override { problems.push_back(message); }

    std::vector<std::string> changes;
    std::vector<std::string> problems;

private:
    ActiveScreensaverControl& m_control;
};

} // namespace kelvane::test
