#include "startup_settings.h"

#include "machine_directory.h"
#include "text_encoding.h"

std::string StartupMachineDirectory(const ConfigPaths& paths)
{
    const std::string quilraMachines = WideToUtf8(paths.machineCfgDir);
    if (!paths.installPath.empty() && FolderHasMachineFile(quilraMachines)) {
        return quilraMachines;
    }
    return DefaultMachineDirectoryUtf8();
}

std::string PreconfiguredMachineList(const ConfigPaths& paths, const std::string& installDirectoryUtf8)
{
    std::string list;
    if (!paths.installPath.empty()) {
        // The same folder for either form of the installation path: the program
        // file, or the folder with its final separator.
        list = WideToUtf8(ParentPath(paths.installPath)) + "\\MachineCfg;";
    }
    std::string installDirectory = installDirectoryUtf8;
    if (!installDirectory.empty() && installDirectory.back() != '\\' && installDirectory.back() != '/') {
        installDirectory += '\\';
    }
    list += installDirectory + "Generic Machines";
    return list;
}
