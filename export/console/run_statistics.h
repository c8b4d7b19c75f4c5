#pragma once

#include <chrono>

// For --stats: the run's wall time and this process's peak memory, reported on
// standard error at the end, so that benchmarks measure the Windows process
// itself rather than whatever runs it.
class RunStatistics {
public:
    RunStatistics() : start_(std::chrono::steady_clock::now()) {}
    void Report() const;

private:
    std::chrono::steady_clock::time_point start_;
};
