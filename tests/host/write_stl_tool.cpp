// Writes the entities of one level of a stand-in drawing as STL through the
// host view, for checking the files with other tools:
//   standin_write_stl DRAWING LEVEL TOLERANCE OUTPUT

#include <cstdio>
#include <cwchar>
#include <string>

#include "host_view.h"
#include "standin_host_control.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: standin_write_stl DRAWING LEVEL TOLERANCE OUTPUT\n");
        return 2;
    }
    std::string error;
    if (!StandinOpenDrawingFile(argv[1], error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 3;
    }
    const int level = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    const double tolerance = std::wcstod(argv[3], nullptr);
    for (host::EntityRef entity : host::Entities()) {
        if (host::ReadEntity(entity).level == level) {
            host::SelectEntity(entity);
        } else {
            host::UnselectEntity(entity);
        }
    }
    host::StlFile file;
    if (!file.Open(argv[4])) {
        std::fprintf(stderr, "cannot open the output file\n");
        return 4;
    }
    file.WriteSelected(tolerance);
    return 0;
}
