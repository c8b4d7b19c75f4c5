#pragma once

#include <string>

#include "editor_session.h"

// Shows the editor's window (framewright_window_ids.h) and runs its messages on
// the calling thread until the user closes it. Returns why it ended
// (editor_run_end.h). A WM_QUIT meant for the host closes the window and is
// posted again for the host's own message loop.
std::string RunMachineListWindow(const EditorSession& session);
