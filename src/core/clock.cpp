#include "core/clock.h"

#include <QDateTime>
#include <cstdio>

namespace orb {

std::chrono::year_month_day SystemClock::today() const {
    // The person's calendar day, not UTC's.
    const QDate date = QDate::currentDate();
    return std::chrono::year_month_day{std::chrono::year{date.year()},
                                       std::chrono::month{static_cast<unsigned>(date.month())},
                                       std::chrono::day{static_cast<unsigned>(date.day())}};
}

std::string SystemClock::localTime() const {
    return QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss").toStdString();
}

std::string FixedClock::localTime() const {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u ", static_cast<int>(day_.year()),
                  static_cast<unsigned>(day_.month()), static_cast<unsigned>(day_.day()));
    return text + time_;
}

std::string formatStyleDate(std::chrono::year_month_day day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d/%02u/%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

}  // namespace orb
