#pragma once

// The version handshake: the host calls the add-in's m_version with its own
// version number, and loads the add-in only when the answer equals it. Each
// host release has a window of one hundred version numbers from its base.

namespace host {

struct ReleaseVersion {
    int release;
    int base;
};

inline constexpr ReleaseVersion kReleaseVersions[] = {
    {2021, 2300}, {2022, 2400}, {2023, 2500}, {2024, 2600}, {2025, 2700}, {2026, 2800}, {2027, 2900},
};

// 0 for a release the add-in is not built for.
constexpr int VersionBaseOfRelease(int release)
{
    for (const ReleaseVersion& entry : kReleaseVersions) {
        if (entry.release == release) {
            return entry.base;
        }
    }
    return 0;
}

// The host's version when it lies in the window [base, base + 100), else the
// base, which tells the host which release the add-in was built for.
constexpr int AnswerWithinWindow(int base, int hostVersion)
{
    return hostVersion >= base && hostVersion - base < 100 ? hostVersion : base;
}

} // namespace host
