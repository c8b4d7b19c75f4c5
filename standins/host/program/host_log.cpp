#include "host_log.h"

#include <cstdio>

namespace standin {

void HostLog::Line(const std::string& text) const
{
    if (path_.empty()) {
        return;
    }
    // Opened for each line, so that every line is on disk before the next step.
    if (std::FILE* file = ::_wfopen(path_.c_str(), L"ab")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fputc('\n', file);
        std::fclose(file);
    }
}

} // namespace standin
