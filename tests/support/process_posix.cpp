#include "tests/support/process.h"

#include "tests/support/temp_dir.h"

#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qrv::test {

namespace {

// In the child, between fork and exec: system calls only. False when one failed.
bool Redirect(int fd, const char* path, int flags) {
    const int opened = ::open(path, flags, 0644);
    return opened >= 0 && ::dup2(opened, fd) == fd && ::close(opened) == 0;
}

bool Limit(int resource, std::uint64_t value) {
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0)
        return false;
    limit.rlim_cur = value == kNoLimit ? RLIM_INFINITY : static_cast<rlim_t>(value);
    return ::setrlimit(resource, &limit) == 0;
}

} // namespace

ProcessResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& workFolder, Output output, Limits limits) {
    const std::string outPath = (workFolder / "process.out").string();
    const std::string errPath = (workFolder / "process.err").string();
    const char* outTarget = output == Output::Full ? "/dev/full" : outPath.c_str();
    std::vector<std::string> command{program.string()};
    command.insert(command.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : command)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("cannot start " + program.string());
    if (pid == 0) {
        // SIGXFSZ at its default, which ends the program, as a shell leaves
        // it: a write past the file size limit must be the program's own
        // failure to report.
        const bool ready =
            ::chdir(workFolder.c_str()) == 0 && Redirect(0, "/dev/null", O_RDONLY) &&
            (output == Output::Closed ? ::close(1) == 0
                                      : Redirect(1, outTarget, O_WRONLY | O_CREAT | O_TRUNC)) &&
            Redirect(2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC) &&
            Limit(RLIMIT_FSIZE, limits.fileSize) && Limit(RLIMIT_AS, limits.memory) &&
            ::signal(SIGXFSZ, SIG_DFL) != SIG_ERR;
        if (ready)
            ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);

    ProcessResult result;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (output == Output::Captured)
        result.out = ReadBytes(outPath);
    result.err = ReadBytes(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return result;
}

} // namespace qrv::test
