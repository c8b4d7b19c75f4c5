#include "geometry_callback.h"

#include <cstring>
#include <optional>

#include "file_dialog.h"
#include "framewright_api.h"
#include "geometry_pipe_client.h"
#include "program_state.h"
#include "text_encoding.h"
#include "user_messages.h"

namespace {

constexpr size_t kLocalDialogNameChars = 10240;

} // namespace

bool CopyToEditorBuffer(const std::string& text, char* buffer)
{
    // The text ends at its first NUL, as the editor will read it.
    const size_t length = std::strlen(text.c_str());
    if (length >= kEditorBufferSize) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, text.c_str(), length + 1);
    return true;
}

std::string ChooseLocalStlFiles()
{
    FileDialogRequest request;
    request.filter = L"STL Files (*.stl)|*.stl|All Files (*.*)|*.*||";
    request.defaultExtension = L".stl";
    const std::vector<std::wstring> files = ShowOpenFilesDialog(request, kLocalDialogNameChars);
    std::wstring joined;
    for (const std::wstring& file : files) {
        if (!joined.empty()) {
            joined += L';';
        }
        joined += file;
    }
    return WideToUtf8(joined);
}

void CreateStlCallback(char* buffer)
{
    if (buffer == nullptr) {
        return;
    }
    std::optional<std::string> reply = RequestStlPathsOverPipe(Program().pipeName);
    // A reply that fills the whole buffer has no room for its terminator: the
    // add-in never sends one, so treat it like a failed read.
    if (reply && reply->size() < kEditorBufferSize) {
        CopyToEditorBuffer(*reply, buffer);
        return;
    }
    const std::string chosen = ChooseLocalStlFiles();
    if (!CopyToEditorBuffer(chosen, buffer)) {
        ShowUserWarning(L"The selected files have too long a list of paths for the editor. "
                        L"Please select fewer files at a time.");
    }
}
