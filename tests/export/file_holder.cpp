// Opens the file named on the command line without sharing, says "held" on
// standard output, and keeps it open until standard input closes.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 2) {
        std::fputs("usage: rigsmith_test_file_holder FILE\n", stderr);
        return 2;
    }
    const HANDLE file =
        ::CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::printf("failed %lu\n", ::GetLastError());
        std::fflush(stdout);
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    char buffer[16];
    DWORD read = 0;
    while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    }
    ::CloseHandle(file);
    return 0;
}
