#pragma once

#include <QDate>
#include <chrono>

namespace orbelquint {

// The calendar control speaks QDate, the week numbering std::chrono.
inline std::chrono::year_month_day ToCalendarDate(QDate date) {
    return std::chrono::year_month_day{std::chrono::year{date.year()},
                                       std::chrono::month{static_cast<unsigned>(date.month())},
                                       std::chrono::day{static_cast<unsigned>(date.day())}};
}

inline QDate ToQDate(std::chrono::year_month_day date) {
    return QDate(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                 static_cast<int>(static_cast<unsigned>(date.day())));
}

}  // namespace orbelquint
