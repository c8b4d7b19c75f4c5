#pragma once

#include <string>

#include "editor_session.h"

// Runs the script's actions in order against the host's callbacks and returns
// why the run ended (editor_run_end.h). A script with any line that is not
// understood runs no action at all: a half-run script would hide the mistake.
std::string RunEditorScript(const std::wstring& scriptPath, const EditorSession& session);
