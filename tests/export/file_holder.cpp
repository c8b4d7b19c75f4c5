// Opens the file named on the command line without sharing, as another program
// would, signals the event named second, and keeps the file open until the
// event named third is signalled.
#include <windows.h>

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 4) {
        return 2;
    }
    const HANDLE file =
        ::CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    const HANDLE held = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const HANDLE release = ::OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
    if (held == nullptr || release == nullptr) {
        return 3;
    }
    ::SetEvent(held);
    ::WaitForSingleObject(release, 60000);
    ::CloseHandle(file);
    return 0;
}
