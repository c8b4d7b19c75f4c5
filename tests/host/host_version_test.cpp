#include <gtest/gtest.h>

#include <climits>

#include "expected_version_bases.h"
#include "host_version.h"

namespace {

TEST(HostVersion, EveryReleaseAnswersWithinItsOwnWindowOnly)
{
    for (const ExpectedVersionBase& expected : kExpectedVersionBases) {
        const int base = host::VersionBaseOfRelease(expected.release);
        EXPECT_EQ(base, expected.base) << expected.release;
        for (const VersionProbe& probe : kVersionProbes) {
            const int version = ProbeVersion(probe, expected.base);
            EXPECT_EQ(host::AnswerWithinWindow(base, version), probe.answeredAsGiven ? version : expected.base)
                << expected.release << " " << probe.name;
        }
    }
}

TEST(HostVersion, UnknownReleaseHasNoBase)
{
    EXPECT_EQ(host::VersionBaseOfRelease(2020), 0);
    EXPECT_EQ(host::VersionBaseOfRelease(2028), 0);
}

TEST(HostVersion, ExtremeVersionsDoNotOverflow)
{
    EXPECT_EQ(host::AnswerWithinWindow(2900, INT_MAX), 2900);
    EXPECT_EQ(host::AnswerWithinWindow(2900, INT_MIN), 2900);
}

} // namespace
