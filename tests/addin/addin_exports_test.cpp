// Each release's TorlaRigsmith.dll as the host sees it: its exports by name.

#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>

#include "build_tree.h"
#include "expected_version_bases.h"
#include "process_snapshot.h"

// Names each release's tests by the release.
void PrintTo(const ExpectedVersionBase& entry, std::ostream* os)
{
    *os << entry.release;
}

namespace {

using VersionEntry = int (*)(int);
using CommandEntry = int (*)(void*);

// One release's add-in, loaded from the install directory of the build tree.
class LoadedAddin {
public:
    explicit LoadedAddin(int release)
        : module_(::LoadLibraryW(DistFile("addins/" + std::to_string(release) + "/TorlaRigsmith.dll").c_str()))
    {
    }
    ~LoadedAddin()
    {
        if (module_ != nullptr) {
            ::FreeLibrary(module_);
        }
    }
    LoadedAddin(const LoadedAddin&) = delete;
    LoadedAddin& operator=(const LoadedAddin&) = delete;

    [[nodiscard]] bool Loaded() const { return module_ != nullptr; }
    template <typename Entry>
    Entry Find(const char* name) const
    {
        return reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

class AddinExports : public testing::TestWithParam<ExpectedVersionBase> {};

TEST_P(AddinExports, VersionHandshakeAnswersWithinTheReleasesWindowOnly)
{
    const auto [release, base] = GetParam();
    const LoadedAddin addin(release);
    ASSERT_TRUE(addin.Loaded()) << "error " << ::GetLastError();
    const auto version = addin.Find<VersionEntry>("m_version");
    ASSERT_NE(version, nullptr);
    for (const VersionProbe& probe : kVersionProbes) {
        const int given = ProbeVersion(probe, base);
        EXPECT_EQ(version(given), probe.answeredAsGiven ? given : base) << probe.name;
    }
}

TEST_P(AddinExports, EntriesThatOnlyTheRibbonCallsDoNothing)
{
    const LoadedAddin addin(GetParam().release);
    ASSERT_TRUE(addin.Loaded());
    const auto open = addin.Find<CommandEntry>("m_open");
    const auto ribbon = addin.Find<CommandEntry>("RibbonGroupRigsmith");
    const auto launcher = addin.Find<CommandEntry>("RibbonGroupRigsmithLauncher");
    ASSERT_NE(open, nullptr);
    ASSERT_NE(launcher, nullptr);
    EXPECT_EQ(ribbon, open) << "a second name of the same entry";
    EXPECT_NE(addin.Find<CommandEntry>("m_main"), nullptr);
    EXPECT_EQ(addin.Find<CommandEntry>("m_run_rigsmith"), addin.Find<CommandEntry>("m_main"));

    const DWORD self = ::GetCurrentProcessId();
    const int threadsBefore = ThreadCount(self);
    int marker = 0;
    EXPECT_EQ(open(&marker), 0);
    EXPECT_EQ(ribbon(nullptr), 0);
    EXPECT_EQ(launcher(&marker), 0);
    // Nothing was started: no channel thread, no editor host program.
    EXPECT_EQ(ThreadCount(self), threadsBefore);
    EXPECT_TRUE(ChildProcessIds(self, L"TorlaRigsmithWrapper.exe").empty());
}

INSTANTIATE_TEST_SUITE_P(Releases, AddinExports, testing::ValuesIn(kExpectedVersionBases),
                         [](const auto& info) { return std::to_string(info.param.release); });

} // namespace
