#pragma once

#include "platform/TimeZone.h"

#include <QTimeZone>

#include <string>

namespace kelvane::platform {

// A zone of the system's tz database, read through Qt: the user's own zone, or a named one.
class QtTimeZone final : public TimeZone
{
public:
    QtTimeZone(); // the system's zone
    explicit QtTimeZone(const std::string& ianaId);

    bool IsValid() const { return m_zone.isValid(); }
    OffsetPeriod PeriodAt(int64_t utcSeconds) const override;

private:
    QTimeZone m_zone;
};

} // namespace kelvane::platform
