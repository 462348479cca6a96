#pragma once

#include <chrono>
#include <string>

namespace orb {

// The date source of everything that stamps a row, so tests can fix "today".
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::year_month_day today() const = 0;
};

class SystemClock : public Clock {
public:
    std::chrono::year_month_day today() const override;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(std::chrono::year_month_day day) : day_(day) {}
    std::chrono::year_month_day today() const override { return day_; }
    void set(std::chrono::year_month_day day) { day_ = day; }

private:
    std::chrono::year_month_day day_;
};

// "yyyy/mm/dd", the form of every date that ORB stores for a style.
std::string formatStyleDate(std::chrono::year_month_day day);

}  // namespace orb
