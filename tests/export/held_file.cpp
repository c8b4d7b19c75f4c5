#include "held_file.h"

#include <stdexcept>

#include "build_tree.h"
#include "guid_text.h"

HeldFile::HeldFile(const std::wstring& path)
{
    const std::wstring name = L"rigsmith-test-held-" + MakeGuidWString();
    held_.Reset(::CreateEventW(nullptr, TRUE, FALSE, (name + L"-held").c_str()));
    release_.Reset(::CreateEventW(nullptr, TRUE, FALSE, (name + L"-release").c_str()));
    holder_ = std::make_unique<ChildProcess>(BuildTreeFile("rigsmith_test_file_holder.exe").wstring(),
                                             L"\"" + path + L"\" " + name + L"-held " + name + L"-release");
    const HANDLE waits[] = {held_.Get(), holder_->Handle()};
    if (!holder_->Started() || ::WaitForMultipleObjects(2, waits, FALSE, 20000) != WAIT_OBJECT_0) {
        throw std::runtime_error("the file holder could not open the file");
    }
}

HeldFile::~HeldFile() { Release(); }

void HeldFile::Release()
{
    if (holder_) {
        ::SetEvent(release_.Get());
        holder_->WaitForExit(10000);
        holder_.reset();
    }
}
