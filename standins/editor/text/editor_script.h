#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a script tells the stand-in editor to do, one action per line.
enum class ScriptActionKind {
    RequestGeometry, // request-geometry
    AssignGeometry,  // assign-geometry<TAB>machine document<TAB>component GUID
    Export,          // export<TAB>machine document
    Close,           // close
};

struct ScriptAction {
    ScriptActionKind kind = ScriptActionKind::Close;
    std::vector<std::string> arguments;
    int line = 0; // 1-based, for messages
};

struct EditorScript {
    std::vector<ScriptAction> actions;
    // Empty when every line was understood; otherwise no action is kept.
    std::string error;
    int errorLine = 0;
};

// Script text: UTF-8 (a leading byte order mark is skipped), LF or CRLF line
// ends, fields separated by one tab each and taken literally (blanks belong to
// them). Empty lines and lines starting with '#' are ignored.
EditorScript ParseEditorScript(std::string_view text);
