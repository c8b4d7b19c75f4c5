#include "generic_machines.h"

#include <filesystem>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Names of the entries whose extension is ".mcfg" exactly (case matters).
std::set<std::wstring> MachineNames(const fs::path& folder)
{
    std::set<std::wstring> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path name = it->path().filename();
        if (name.extension() == L".mcfg") {
            names.insert(name.wstring());
        }
    }
    return names;
}

bool CopyFolderWithoutOverwriting(const fs::path& source, const fs::path& target)
{
    std::error_code error;
    fs::create_directories(target, error);
    if (error) {
        return false;
    }
    bool complete = true;
    for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
        const fs::path destination = target / it->path().filename();
        std::error_code entryError;
        if (it->is_directory(entryError)) {
            complete = CopyFolderWithoutOverwriting(it->path(), destination) && complete;
        } else if (!fs::exists(destination, entryError)) {
            fs::copy_file(it->path(), destination, fs::copy_options::skip_existing, entryError);
            complete = complete && !entryError;
        }
    }
    return complete && !error;
}

} // namespace

int CopyMissingGenericMachines(const std::wstring& genericFolder, const std::wstring& machineDirectory)
{
    const fs::path generic(genericFolder);
    const fs::path machines(machineDirectory);
    std::error_code error;
    if (!fs::is_directory(machines, error)) {
        return 0;  // the copy never makes the machine directory itself
    }
    const std::set<std::wstring> present = MachineNames(machines);
    int copied = 0;
    for (const std::wstring& name : MachineNames(generic)) {
        if (present.count(name) != 0) {
            continue;
        }
        // The machine file goes last: once it is there the machine counts as
        // present and is never copied again, so a machine whose folder could
        // not be copied in full must not get it yet.
        const std::wstring folderName = name.substr(0, name.size() - 5);
        const fs::path folder = generic / folderName;
        if (fs::is_directory(folder, error) && !CopyFolderWithoutOverwriting(folder, machines / folderName)) {
            continue;
        }
        if (!fs::copy_file(generic / name, machines / name, fs::copy_options::none, error)) {
            continue;
        }
        ++copied;
    }
    return copied;
}
