#pragma once

#include <chrono>
#include <string>

namespace orb {

// The date and time source of everything that stamps a row or a file, so tests can fix "now".
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::year_month_day today() const = 0;
    // The person's local time, as "yyyy-mm-dd hh:mm:ss".
    virtual std::string localTime() const = 0;
};

class SystemClock : public Clock {
public:
    std::chrono::year_month_day today() const override;
    std::string localTime() const override;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(std::chrono::year_month_day day, std::string time = "12:00:00")
        : day_(day), time_(std::move(time)) {}
    std::chrono::year_month_day today() const override { return day_; }
    std::string localTime() const override;
    void set(std::chrono::year_month_day day) { day_ = day; }
    // "hh:mm:ss" of the fixed day.
    void setTime(std::string time) { time_ = std::move(time); }

private:
    std::chrono::year_month_day day_;
    std::string time_;
};

// "yyyy/mm/dd", the form of every date that ORB stores for a style.
std::string formatStyleDate(std::chrono::year_month_day day);

}  // namespace orb
