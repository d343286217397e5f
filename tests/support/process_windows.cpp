#include "tests/support/process.h"

#include "tests/support/temp_dir.h"

#include <stdexcept>
#include <windows.h>

namespace qrv::test {

namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return {};
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

// One argument as the C runtime's command-line parser reads it back:
// backslashes count only before a quote, where each is doubled.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr)
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// A handle the started program inherits.
HANDLE OpenInherited(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE handle = ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                        disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open a standard stream for the program");
    return handle;
}

} // namespace

ProcessResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& workFolder, Output output, Limits limits) {
    if (output != Output::Captured || limits.fileSize != kNoLimit || limits.memory != kNoLimit)
        throw std::invalid_argument("Windows has no full device and no such limits");
    const std::filesystem::path outPath = workFolder / "process.out";
    const std::filesystem::path errPath = workFolder / "process.err";
    ProcessResult result;
    {
        const Handle in(OpenInherited(L"NUL", GENERIC_READ, OPEN_EXISTING));
        const Handle out(OpenInherited(outPath.wstring(), GENERIC_WRITE, CREATE_ALWAYS));
        const Handle err(OpenInherited(errPath.wstring(), GENERIC_WRITE, CREATE_ALWAYS));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = in.get();
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();

        std::wstring commandLine = Quoted(program.wstring());
        for (const std::string& arg : args)
            commandLine += L" " + Quoted(Widen(arg));
        PROCESS_INFORMATION started{};
        if (!::CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                              nullptr, workFolder.wstring().c_str(), &startup, &started))
            throw std::runtime_error("cannot start " + program.string());
        const Handle process(started.hProcess);
        const Handle thread(started.hThread);
        ::WaitForSingleObject(process.get(), INFINITE);
        DWORD exitCode = 0;
        if (::GetExitCodeProcess(process.get(), &exitCode))
            result.exitStatus = static_cast<int>(exitCode);
    }
    result.out = ReadBytes(outPath);
    result.err = ReadBytes(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return result;
}

} // namespace qrv::test
