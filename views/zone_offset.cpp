#include "views/zone_offset.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

namespace tovel {

std::optional<UtcOffsetAt> ZoneOffset(const std::string& ianaId) {
    const QByteArray id = QByteArray::fromStdString(ianaId);
    if (id.isEmpty() || !QTimeZone::isTimeZoneIdAvailable(id)) return std::nullopt;
    QTimeZone zone(id);
    if (!zone.isValid()) return std::nullopt;
    return UtcOffsetAt([zone](std::int64_t utcSeconds) {
        return zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::UTC));
    });
}

std::string SystemZone() {
    const QByteArray id = QTimeZone::systemTimeZoneId();
    return id.isEmpty() ? std::string("UTC") : id.toStdString();
}

}  // namespace tovel
