#include "support/StagedProgram.h"

#include "support/TestFolder.h"
#include "win/UniqueResource.h"

StagedProgram::StagedProgram(const std::string& folder)
    : folder_(folder), program_(folder + "\\Vantrel.exe") {
    valid_ = ::CopyFileA((TestDriveRoot() + "bin\\Vantrel.exe").c_str(), program_.c_str(), FALSE) != FALSE;
}

DWORD StagedProgram::Run(const std::string& arguments, DWORD timeoutMs) const {
    std::string line = "\"" + program_ + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program_.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                          &info))
        return 9999;
    win::UniqueHandle process(info.hProcess);
    win::UniqueHandle thread(info.hThread);
    if (::WaitForSingleObject(process.Get(), timeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.Get(), 1);
        return 9998;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.Get(), &code);
    return code;
}

std::string StagedProgram::Log() const {
    const std::string log = folder_ + "\\log.txt";
    if (!Exists(log)) return "<none>";
    const auto bytes = ReadBytes(log);
    return std::string(bytes.begin(), bytes.end());
}
