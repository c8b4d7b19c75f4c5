#include "sample_machine.h"

std::wstring WriteSampleMachine(const PortableScratchFolder& scratch, std::string_view folder)
{
    const std::string base = folder.empty() ? std::string() : std::string(folder) + "/";
    scratch.Write(base + "Mill.mcfg", R"({
  // the test's machine
  "MachineDefinition": {
    "Header": { "GUID": "", "Orientation": "Vertical" },
    "Base": { "GUID": "BASE", "Geometry": null }
  }
})");
    scratch.Write(base + "Mill/config.json",
                  R"({ "UserConfiguration": { "Models": [ { "GUID": "BASE", "Geometry": { "Path": "parts\\base.stl" } } ] } })");
    scratch.Write(base + "Mill/parts/base.stl", kSampleGeometry);
    return scratch.Path(base + "Mill.mcfg");
}
