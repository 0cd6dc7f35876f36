#include "platform/process.h"

#include "system_calls.h"

namespace popolun {

unsigned long currentProcessId() { return ::GetCurrentProcessId(); }

bool processRunning(unsigned long id)
{
    if (id == 0 || id > MAXDWORD)
        return false;
    const HANDLE process = windows::systemCalls().openProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                         static_cast<DWORD>(id));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}

std::string machineName()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!windows::systemCalls().getComputerName(name, &length))
        return {};
    return windows::toUtf8(std::wstring_view(name, length)).value_or("");
}

} // namespace popolun
