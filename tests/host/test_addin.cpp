// A tiny add-in for the stand-in host program's tests: built once per release
// against that release's host view, it answers the version handshake as the
// product's add-in does and records every call, with what it sees of the
// drawing, in the file named by STANDIN_TEST_ADDIN_LOG.

#include <windows.h>

#include <cstdio>
#include <string>

#include "host_view.h"

namespace {

void Record(const std::string& line)
{
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableW(L"STANDIN_TEST_ADDIN_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    if (std::FILE* file = ::_wfopen(path, L"ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

std::string DescribeDrawing()
{
    std::string text = "release " + std::to_string(host::Release()) + (host::IsMetric() ? ", mm" : ", inch") +
                       ", active levels";
    for (int level : host::ActiveLevelNumbers()) {
        text += ' ';
        text += std::to_string(level);
    }
    int entities = 0;
    for ([[maybe_unused]] host::EntityRef entity : host::Entities()) {
        ++entities;
    }
    return text + ", entities " + std::to_string(entities);
}

} // namespace

extern "C" __declspec(dllexport) int m_version(int hostVersion)
{
    const int answer = host::AnswerVersion(hostVersion);
    Record("m_version " + std::to_string(hostVersion) + " -> " + std::to_string(answer));
    return answer;
}

extern "C" __declspec(dllexport) int m_main(void* /*parameters*/)
{
    std::string line = "m_main ";
    line += DescribeDrawing();
    Record(line);
    return 0;
}
