#include "editor_script.h"

#include <array>

#include "split_text.h"

namespace {

struct ActionSyntax {
    std::string_view name;
    ScriptActionKind kind;
    size_t argumentCount;
};

constexpr std::array<ActionSyntax, 4> kActions{{
    {"request-geometry", ScriptActionKind::RequestGeometry, 0},
    {"assign-geometry", ScriptActionKind::AssignGeometry, 2},
    {"export", ScriptActionKind::Export, 1},
    {"close", ScriptActionKind::Close, 0},
}};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

EditorScript Failure(int line, std::string message)
{
    EditorScript script;
    script.error = std::move(message);
    script.errorLine = line;
    return script;
}

} // namespace

EditorScript ParseEditorScript(std::string_view text)
{
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    EditorScript script;
    int lineNumber = 0;
    for (std::string_view line : SplitText(text, '\n')) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::vector<std::string_view> fields = SplitText(line, '\t');
        const ActionSyntax* syntax = nullptr;
        for (const ActionSyntax& candidate : kActions) {
            if (candidate.name == fields.front()) {
                syntax = &candidate;
            }
        }
        if (syntax == nullptr) {
            return Failure(lineNumber, "unknown action \"" + std::string(fields.front()) + "\"");
        }
        if (fields.size() - 1 != syntax->argumentCount) {
            return Failure(lineNumber, std::string(syntax->name) + " takes " + std::to_string(syntax->argumentCount) +
                                           " tab-separated argument(s), not " + std::to_string(fields.size() - 1));
        }
        ScriptAction action{syntax->kind, {}, lineNumber};
        for (size_t i = 1; i < fields.size(); ++i) {
            if (fields[i].empty()) {
                return Failure(lineNumber, std::string(syntax->name) + ": argument " + std::to_string(i) + " is empty");
            }
            action.arguments.emplace_back(fields[i]);
        }
        script.actions.push_back(std::move(action));
    }
    return script;
}
