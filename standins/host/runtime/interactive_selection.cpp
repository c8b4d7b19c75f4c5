#include "interactive_selection.h"

#include <windows.h>

#include <optional>
#include <set>
#include <string>

#include "host_database.h"
#include "pick_script.h"
#include "selection_dialog.h"
#include "whole_file.h"

namespace standin {

namespace {

std::optional<std::wstring> PickScriptPath()
{
    wchar_t path[MAX_PATH + 1];
    const DWORD length = ::GetEnvironmentVariableW(kPickScriptVariable, path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) {
        return std::nullopt;
    }
    return std::wstring(path, length);
}

// The script's answer to the next selection. A script is followed from its
// first line again whenever the variable names another file.
PickAnswer AnswerFromScript(const std::wstring& scriptPath, const std::vector<std::size_t>& candidates)
{
    static std::wstring scriptInUse;
    static std::size_t callsAnswered = 0;
    if (scriptPath != scriptInUse) {
        scriptInUse = scriptPath;
        callsAnswered = 0;
    }
    const std::optional<std::string> script = ReadWholeFile(scriptPath);
    const std::optional<ScriptedPick> pick = script ? ScriptedPickOfCall(*script, callsAnswered++) : std::nullopt;
    if (!pick) {
        ::OutputDebugStringW(L"Stand-in host: the pick script cannot be read or has a malformed line\n");
        return {true, {}};
    }
    const std::set<std::int32_t> numbers(pick->entityNumbers.begin(), pick->entityNumbers.end());
    PickAnswer answer{pick->cancelled, {}};
    for (std::size_t index : candidates) {
        if (numbers.count(HostDatabase::Instance().EntityAt(index).number) != 0) {
            answer.indexes.push_back(index);
        }
    }
    return answer;
}

} // namespace

std::vector<std::size_t> PickAndSelect(const wchar_t* prompt, std::uint32_t mask, bool multiple, bool& cancelled)
{
    HostDatabase& database = HostDatabase::Instance();
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i < database.EntityCount(); ++i) {
        if (database.IsLive(i) && (database.EntityAt(i).typeCode & mask) != 0) {
            candidates.push_back(i);
        }
    }
    const std::optional<std::wstring> scriptPath = PickScriptPath();
    PickAnswer answer = scriptPath ? AnswerFromScript(*scriptPath, candidates)
                                   : AskUserToPick(prompt, candidates);
    if (!multiple && answer.indexes.size() > 1) {
        answer.indexes.erase(answer.indexes.begin() + 1, answer.indexes.end());
    }
    for (std::size_t index : answer.indexes) {
        database.SetSelected(index, true);
    }
    cancelled = answer.cancelled;
    return answer.indexes;
}

} // namespace standin
