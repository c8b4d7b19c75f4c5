#include "selection_dialog.h"

#include <windows.h>

#include <string>

#include "entity_types.h"
#include "host_database.h"
#include "selection_dialog_ids.h"
#include "text_encoding.h"

namespace standin {

namespace {

struct DialogState {
    const wchar_t* prompt;
    const std::vector<std::size_t>* candidates;
    PickAnswer answer;
};

std::wstring DescribeEntity(std::size_t index)
{
    const Entity& entity = HostDatabase::Instance().EntityAt(index);
    return L"Entity " + std::to_wstring(entity.number) + L": " + Utf8ToWide(TypeName(entity.typeCode)) +
           L", level " + std::to_wstring(entity.level) + L", colour " + std::to_wstring(entity.colourIndex);
}

void Fill(HWND dialog, const DialogState& state)
{
    ::SetDlgItemTextW(dialog, IDC_PICK_PROMPT, state.prompt != nullptr ? state.prompt : L"");
    const HWND list = ::GetDlgItem(dialog, IDC_PICK_LIST);
    for (std::size_t index : *state.candidates) {
        const LRESULT row = ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DescribeEntity(index).c_str()));
        ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(index));
    }
}

std::vector<std::size_t> PickedRows(HWND dialog)
{
    const HWND list = ::GetDlgItem(dialog, IDC_PICK_LIST);
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    std::vector<std::size_t> indexes;
    for (LRESULT row = 0; row < count; ++row) {
        if (::SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0) {
            indexes.push_back(static_cast<std::size_t>(::SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0)));
        }
    }
    return indexes;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        Fill(dialog, *reinterpret_cast<DialogState*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            state->answer.indexes = PickedRows(dialog);
            ::EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            state->answer.cancelled = true;
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

HMODULE ThisModule()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&DialogProc), &module);
    return module;
}

} // namespace

PickAnswer AskUserToPick(const wchar_t* prompt, const std::vector<std::size_t>& candidates)
{
    DialogState state{prompt, &candidates, {}};
    if (::DialogBoxParamW(ThisModule(), MAKEINTRESOURCEW(IDD_PICK_ENTITIES), ::GetActiveWindow(), DialogProc,
                          reinterpret_cast<LPARAM>(&state)) <= 0) {
        return {true, {}};  // no dialog (no display): as if the user cancelled
    }
    return state.answer;
}

} // namespace standin
