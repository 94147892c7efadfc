#include "platform/qt/QtTimeZone.h"

#include <QByteArray>
#include <QDateTime>

namespace kelvane::platform {

QtTimeZone::QtTimeZone() : m_zone(QTimeZone::systemTimeZone()) {}

QtTimeZone::QtTimeZone(const std::string& ianaId)
    : m_zone(QByteArray(ianaId.data(), static_cast<qsizetype>(ianaId.size())))
{}

OffsetPeriod QtTimeZone::PeriodAt(int64_t utcSeconds) const
{
    OffsetPeriod period;
    if (!m_zone.isValid()) {
        return period; // UTC for ever
    }
    const QDateTime instant = QDateTime::fromSecsSinceEpoch(utcSeconds, QTimeZone::utc());
    period.OffsetSeconds = m_zone.offsetFromUtc(instant);
    if (!m_zone.hasTransitions()) {
        return period;
    }
    // The transition that started this period may fall on this very second.
    const QTimeZone::OffsetData previous = m_zone.previousTransition(instant.addSecs(1));
    if (previous.atUtc.isValid()) {
        period.Begin = previous.atUtc.toSecsSinceEpoch();
    }
    const QTimeZone::OffsetData next = m_zone.nextTransition(instant);
    if (next.atUtc.isValid()) {
        period.End = next.atUtc.toSecsSinceEpoch();
    }
    return period;
}

} // namespace kelvane::platform
