#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

// Shows how a long export is getting on, on standard error: nothing for the
// first second, then one line (redrawn in a console, repeated now and then
// elsewhere) with the step and its percentage.
class ProgressLine {
public:
    explicit ProgressLine(std::wstring subject);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Update(std::string_view step, std::uint64_t done, std::uint64_t total);

private:
    using Clock = std::chrono::steady_clock;

    std::wstring subject_;
    bool console_;
    Clock::time_point start_;
    Clock::time_point lastShown_{};
    std::string lastStep_;
    bool shown_ = false;
};
