#pragma once

#include <memory>
#include <string>

#include "geometry_channel_server.h"
#include "unique_handle.h"

class STLPicker;

// Everything the add-in keeps between commands: the channel to the editor host
// program, the program's process and the texts it is started with (fixed at
// the first command).
class AddinState {
public:
    AddinState(std::wstring editorProgramPath, std::wstring languageTag, std::wstring machineDirectory);
    ~AddinState();
    AddinState(const AddinState&) = delete;
    AddinState& operator=(const AddinState&) = delete;

    // The one state of this add-in, made at the first call with these texts.
    static AddinState& Instance(const std::wstring& editorProgramPath, const std::wstring& languageTag,
                                const std::wstring& machineDirectory);

    [[nodiscard]] bool EditorIsRunning() const;
    void BringEditorToFront() const;
    // Starts the editor host program (true when it started) and gives it a new picker.
    bool StartEditor(bool hostIsMetric);

    [[nodiscard]] const std::string& PipeName() const noexcept { return channel_.PipeName(); }
    [[nodiscard]] const std::wstring& MachineDirectory() const noexcept { return machineDirectory_; }
    [[nodiscard]] std::shared_ptr<GeometryPicker> CurrentPicker() const { return channel_.CurrentPicker(); }

private:
    std::wstring editorProgramPath_;
    UniqueHandle editorProcess_;
    std::wstring languageTag_;
    std::wstring machineDirectory_;
    GeometryChannelServer channel_;
};
