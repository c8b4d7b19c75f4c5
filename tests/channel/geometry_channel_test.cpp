#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <string>

#include "geometry_channel_server.h"
#include "geometry_pipe_client.h"
#include "geometry_pipe_protocol.h"
#include "pipe_security.h"
#include "text_encoding.h"

namespace {

using namespace std::chrono_literals;

// Answers requests the way a test tells it to, and records what it was given.
class ScriptedPicker : public GeometryPicker {
public:
    explicit ScriptedPicker(std::wstring answer = L"", bool holdUntilReleased = false)
        : answer_(std::move(answer)),
          started_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          release_(::CreateEventW(nullptr, TRUE, holdUntilReleased ? FALSE : TRUE, nullptr))
    {
    }

    std::wstring RequestStlPaths() override
    {
        ::SetEvent(started_.Get());
        ::WaitForSingleObject(release_.Get(), 30000);
        std::lock_guard lock(mutex_);
        ++requests_;
        return shutDown_ ? std::wstring() : answer_;
    }
    void SetOutputDirectory(const std::wstring& directory) override
    {
        std::lock_guard lock(mutex_);
        outputDirectory_ = directory;
        ++folderMessages_;
    }
    void Shutdown() override
    {
        std::lock_guard lock(mutex_);
        shutDown_ = true;
        ::SetEvent(release_.Get());
    }

    bool WaitUntilShown() const { return ::WaitForSingleObject(started_.Get(), 10000) == WAIT_OBJECT_0; }
    void Release() const { ::SetEvent(release_.Get()); }
    std::wstring OutputDirectory() const
    {
        std::lock_guard lock(mutex_);
        return outputDirectory_;
    }
    int FolderMessages() const
    {
        std::lock_guard lock(mutex_);
        return folderMessages_;
    }
    int Requests() const
    {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    std::wstring answer_;
    UniqueHandle started_;
    UniqueHandle release_;
    mutable std::mutex mutex_;
    std::wstring outputDirectory_ = L"<unset>";
    int folderMessages_ = 0;
    int requests_ = 0;
    bool shutDown_ = false;
};

// The server takes a moment to wait for the next client after a disconnect;
// tests that send one message after another wait for it as a patient client would.
UniqueHandle OpenWhenFree(const std::string& name)
{
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (UniqueHandle pipe = OpenGeometryPipe(name)) {
            return pipe;
        }
        ::Sleep(5);
    }
    return {};
}

bool WriteRaw(HANDLE pipe, const std::string& bytes)
{
    DWORD written = 0;
    return ::WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// The reply, or nothing when the server disconnected without one.
std::optional<std::string> ReadReply(HANDLE pipe)
{
    std::string reply(kPipeMessageBufferSize, '\0');
    DWORD read = 0;
    if (!::ReadFile(pipe, reply.data(), static_cast<DWORD>(reply.size()), &read, nullptr)) {
        return std::nullopt;
    }
    reply.resize(read);
    return reply;
}

std::optional<std::string> Exchange(const std::string& name, const std::string& message)
{
    const UniqueHandle pipe = OpenWhenFree(name);
    if (!pipe || !WriteRaw(pipe.Get(), message)) {
        ADD_FAILURE() << "could not send to the pipe";
        return std::nullopt;
    }
    return ReadReply(pipe.Get());
}

std::string Request(const std::string& name)
{
    return Exchange(name, std::string(kNeedStlPathRequest)).value_or("<no reply>");
}

class GeometryChannelTest : public testing::Test {
protected:
    std::unique_ptr<GeometryChannelServer> server_ = std::make_unique<GeometryChannelServer>();
    const std::string& Name() const { return server_->PipeName(); }
};

TEST_F(GeometryChannelTest, NameIsPrefixAnd32UpperCaseHexDigits)
{
    ASSERT_TRUE(server_->IsListening());
    const std::string& name = Name();
    ASSERT_EQ(name.size(), 41u);
    EXPECT_EQ(name.substr(0, 9), "\\\\.\\pipe\\");
    for (char c : name.substr(9)) {
        EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << name;
    }
    GeometryChannelServer other;
    EXPECT_NE(other.PipeName(), name);
}

TEST_F(GeometryChannelTest, RequestWithoutPickerGetsAnEmptyReplyAtOnce)
{
    EXPECT_EQ(RequestStlPathsOverPipe(Name()), std::optional<std::string>(""));
}

TEST_F(GeometryChannelTest, RequestIsAnsweredWithThePickersListInUtf8)
{
    auto picker = std::make_shared<ScriptedPicker>(L"C:\\Caf\u00E9\\Base.stl@0xb70000;D:\\a.stl");
    server_->SetPicker(picker);
    EXPECT_EQ(RequestStlPathsOverPipe(Name()), std::optional<std::string>("C:\\Caf\xC3\xA9\\Base.stl@0xb70000;D:\\a.stl"));
    EXPECT_EQ(Request(Name()), "C:\\Caf\xC3\xA9\\Base.stl@0xb70000;D:\\a.stl");
}

TEST_F(GeometryChannelTest, CancelledPickerGivesAnEmptyReply)
{
    server_->SetPicker(std::make_shared<ScriptedPicker>(L""));
    EXPECT_EQ(Request(Name()), "");
}

struct MessageCase {
    const char* name;
    std::string message;
    bool isRequest;
    std::wstring folderAfter;
    friend void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }
};

class ChannelMessageTest : public GeometryChannelTest, public testing::WithParamInterface<MessageCase> {};

TEST_P(ChannelMessageTest, RequestOrFolder)
{
    auto picker = std::make_shared<ScriptedPicker>(L"X.stl");
    server_->SetPicker(picker);
    const std::optional<std::string> reply = Exchange(Name(), GetParam().message);
    if (GetParam().isRequest) {
        EXPECT_EQ(reply, std::optional<std::string>("X.stl"));
    } else {
        EXPECT_EQ(reply, std::nullopt) << "a folder message gets no reply";
    }
    // Messages are served one after another: once this request is answered, the
    // one before it has been handled.
    EXPECT_EQ(Request(Name()), "X.stl");
    EXPECT_EQ(picker->OutputDirectory(), GetParam().folderAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChannelMessageTest,
    testing::Values(MessageCase{"Exact", "Need stl path", true, L"<unset>"},
                    MessageCase{"TrailingNul", std::string("Need stl path\0", 14), true, L"<unset>"},
                    MessageCase{"TextAfterNulIgnored", std::string("Need stl path\0junk", 18), true, L"<unset>"},
                    MessageCase{"OtherCaseIsAFolder", "need stl path", false, L"need stl path"},
                    MessageCase{"TrailingBlankIsAFolder", "Need stl path ", false, L"Need stl path "},
                    MessageCase{"ZeroLengthSetsAnEmptyFolder", "", false, L""},
                    MessageCase{"FolderInUtf8", "C:\\Temp\\Caf\xC3\xA9\\Rigsmith\\", false,
                                L"C:\\Temp\\Caf\u00E9\\Rigsmith\\"},
                    MessageCase{"InvalidUtf8Replaced", "C:\\T\xFF\\", false, L"C:\\T\xFFFD\\"},
                    MessageCase{"LongestMessageReadWhole", std::string(10239, 'f'), false, std::wstring(10239, L'f')},
                    MessageCase{"TooLongMessageDropped", std::string(10240, 'f'), false, L"<unset>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GeometryChannelTest, FolderMessageFromTheClientSide)
{
    auto picker = std::make_shared<ScriptedPicker>(L"");
    server_->SetPicker(picker);
    EXPECT_TRUE(SendOutputFolderMessage(Name(), "C:\\Users\\u\\Temp\\Rigsmith\\"));
    Request(Name());
    EXPECT_EQ(picker->OutputDirectory(), L"C:\\Users\\u\\Temp\\Rigsmith\\");
}

TEST_F(GeometryChannelTest, SecondClientIsRefusedAtOnceWhileARequestIsOpen)
{
    auto picker = std::make_shared<ScriptedPicker>(L"first.stl", true);
    server_->SetPicker(picker);
    auto first = std::async(std::launch::async, [&] { return RequestStlPathsOverPipe(Name()); });
    ASSERT_TRUE(picker->WaitUntilShown());

    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(OpenGeometryPipe(Name()));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PIPE_BUSY));
    EXPECT_EQ(RequestStlPathsOverPipe(Name()), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 5s) << "the client must not wait for a busy pipe";

    picker->Release();
    EXPECT_EQ(first.get(), std::optional<std::string>("first.stl"));
}

TEST_F(GeometryChannelTest, ReplacedPickerStaysAliveUntilItsRequestReturns)
{
    auto picker = std::make_shared<ScriptedPicker>(L"old.stl", true);
    std::weak_ptr<ScriptedPicker> watch = picker;
    server_->SetPicker(picker);
    auto first = std::async(std::launch::async, [&] { return RequestStlPathsOverPipe(Name()); });
    ASSERT_TRUE(picker->WaitUntilShown());

    server_->SetPicker(std::make_shared<ScriptedPicker>(L"new.stl"));
    ScriptedPicker* raw = picker.get();
    picker.reset();
    EXPECT_FALSE(watch.expired());

    raw->Release();
    EXPECT_EQ(first.get(), std::optional<std::string>("old.stl"));
    EXPECT_EQ(Request(Name()), "new.stl");
    EXPECT_TRUE(watch.expired());
}

TEST_F(GeometryChannelTest, ListTooLongForTheChannelIsNotSentCut)
{
    server_->SetPicker(std::make_shared<ScriptedPicker>(std::wstring(10240, L'p')));
    EXPECT_EQ(Request(Name()), "");
    server_->SetPicker(std::make_shared<ScriptedPicker>(std::wstring(10239, L'p')));
    EXPECT_EQ(Request(Name()), std::string(10239, 'p'));
    // Three bytes per unit in UTF-8: 3414 units make 10242 bytes.
    server_->SetPicker(std::make_shared<ScriptedPicker>(std::wstring(3414, L'\u20AC')));
    EXPECT_EQ(Request(Name()), "");
}

TEST_F(GeometryChannelTest, ClientThatVanishesDoesNotStopTheServer)
{
    {
        const UniqueHandle pipe = OpenWhenFree(Name());
        ASSERT_TRUE(pipe);
    }
    {
        // Connects, says nothing and leaves.
        const UniqueHandle pipe = OpenWhenFree(Name());
        ASSERT_TRUE(pipe);
        ASSERT_TRUE(WriteRaw(pipe.Get(), std::string(kNeedStlPathRequest)));
    }
    server_->SetPicker(std::make_shared<ScriptedPicker>(L"still.stl"));
    EXPECT_EQ(Request(Name()), "still.stl");
}

// Destroys the server on another thread and reports whether that finished in time.
bool DestroysPromptly(std::unique_ptr<GeometryChannelServer> server)
{
    auto done = std::async(std::launch::async, [s = std::move(server)]() mutable { s.reset(); });
    return done.wait_for(3s) == std::future_status::ready;
}

TEST_F(GeometryChannelTest, DestructionWhileWaitingForAClientEndsPromptly)
{
    ::Sleep(100);  // the server is blocked in its wait for a client
    EXPECT_TRUE(DestroysPromptly(std::move(server_)));
}

TEST_F(GeometryChannelTest, DestructionWhileAPickerIsOpenEndsTheRequest)
{
    auto picker = std::make_shared<ScriptedPicker>(L"never.stl", true);
    server_->SetPicker(picker);
    auto request = std::async(std::launch::async, [&] { return RequestStlPathsOverPipe(Name()); });
    ASSERT_TRUE(picker->WaitUntilShown());
    const std::string name = Name();
    EXPECT_TRUE(DestroysPromptly(std::move(server_)));
    EXPECT_NE(request.get(), std::optional<std::string>("never.stl"));
    EXPECT_FALSE(OpenGeometryPipe(name)) << "the pipe is gone with the server";
}

TEST(PipeSecurity, AdmitsOnlyTheCurrentUserAndNoNetworkLogon)
{
    CurrentUserOnlySecurity security;
    ASSERT_NE(security.Attributes(), nullptr);
    wchar_t* sddl = nullptr;
    ASSERT_TRUE(::ConvertSecurityDescriptorToStringSecurityDescriptorW(
        security.Attributes()->lpSecurityDescriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &sddl, nullptr));
    const std::wstring text(sddl);
    ::LocalFree(sddl);
    EXPECT_EQ(text.rfind(L"D:P(D;;GA;;;NU)(A;;GA;;;S-1-5-", 0), 0u) << text;
    EXPECT_EQ(text.find(L";;;WD)"), std::wstring::npos) << "no access for everyone: " << text;
}

} // namespace
