#pragma once

// The version window bases the host releases announce, as the tests expect
// them (kept apart from the code's own table on purpose).
struct ExpectedVersionBase {
    int release;
    int base;
};

inline constexpr ExpectedVersionBase kExpectedVersionBases[] = {
    {2021, 2300}, {2022, 2400}, {2023, 2500}, {2024, 2600}, {2025, 2700}, {2026, 2800}, {2027, 2900},
};

// A version number given to m_version and whether the answer is that number
// (true) or the release's base (false).
struct VersionProbe {
    const char* name;
    int offsetFromBase;  // ignored when absolute is set
    bool absolute;
    int version;
    bool answeredAsGiven;
};

inline constexpr VersionProbe kVersionProbes[] = {
    {"Base", 0, false, 0, true},
    {"LastOfWindow", 99, false, 0, true},
    {"BelowWindow", -1, false, 0, false},
    {"PastWindow", 100, false, 0, false},
    {"Zero", 0, true, 0, false},
};

constexpr int ProbeVersion(const VersionProbe& probe, int base)
{
    return probe.absolute ? probe.version : base + probe.offsetFromBase;
}
