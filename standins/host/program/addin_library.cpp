#include "addin_library.h"

#include "text_encoding.h"

namespace standin {

namespace {

template <class Entry>
Entry EntryOf(HMODULE module, const char* name)
{
    // Through the generic function pointer type, which converts to any other.
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

} // namespace

std::unique_ptr<AddinLibrary> AddinLibrary::Load(const std::wstring& path, std::string& error)
{
    // An add-in finds the libraries it brings along in its own folder, as the
    // altered search path gives it for a full path.
    wchar_t fullPath[MAX_PATH];
    const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH, fullPath, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        error = "the add-in path is not usable: " + WideToUtf8(path);
        return nullptr;
    }
    const HMODULE module = ::LoadLibraryExW(fullPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) {
        error = "cannot load the add-in " + WideToUtf8(fullPath) + " (error " + std::to_string(::GetLastError()) + ")";
        return nullptr;
    }
    const auto version = EntryOf<AddinVersionEntry>(module, ADDIN_VERSION_ENTRY);
    const auto command = EntryOf<AddinCommandEntry>(module, ADDIN_COMMAND_ENTRY);
    if (version == nullptr || command == nullptr) {
        ::FreeLibrary(module);
        error = "the add-in " + WideToUtf8(fullPath) + " does not export " + ADDIN_VERSION_ENTRY + " and " +
                ADDIN_COMMAND_ENTRY;
        return nullptr;
    }
    return std::unique_ptr<AddinLibrary>(new AddinLibrary(module, version, command));
}

AddinLibrary::~AddinLibrary()
{
    ::FreeLibrary(module_);
}

} // namespace standin
