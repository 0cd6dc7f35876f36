#include "platform/process.h"

#include "system_calls.h"

namespace popolun {

namespace {

class WindowsProcesses final : public Processes {
public:
    explicit WindowsProcesses(const windows::SystemCalls& calls) : calls_(calls) {}

    unsigned long current() const override { return ::GetCurrentProcessId(); }

    bool running(unsigned long id) const override
    {
        if (id == 0 || id > MAXDWORD)
            return false;
        const HANDLE process =
            calls_.openProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
        if (!process)
            return ::GetLastError() == ERROR_ACCESS_DENIED;
        const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
        ::CloseHandle(process);
        return running;
    }

    std::string machineName() const override
    {
        wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
        DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
        if (!calls_.getComputerName(name, &length))
            return {};
        return windows::toUtf8(std::wstring_view(name, length)).value_or("");
    }

private:
    windows::SystemCalls calls_;
};

} // namespace

std::unique_ptr<Processes> windows::processesOver(const SystemCalls& calls)
{
    return std::make_unique<WindowsProcesses>(calls);
}

const Processes& nativeProcesses()
{
    static const WindowsProcesses processes{windows::SystemCalls{}};
    return processes;
}

} // namespace popolun
