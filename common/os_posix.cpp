#include "common/os.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

os_run_status os_run_command_line(const std::string& command_line, int* exit_code)
{
    std::vector<std::string> words = os_split_command_line(command_line);
    if (words.empty())
        return OS_RUN_NOT_STARTED;
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(&w[0]);
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return OS_RUN_NOT_STARTED;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return OS_RUN_NOT_STARTED;
    }
    if (WIFEXITED(status)) {
        *exit_code = WEXITSTATUS(status);
    } else {
        *exit_code = 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    }
    return OS_RUN_OK;
}

int os_system(const std::string& command_line)
{
    int status = std::system(command_line.c_str());
    if (status == -1)
        return -1;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

os_time_status os_file_time(const std::string& path, int64_t* time)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return OS_TIME_MISSING;
    *time = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return OS_TIME_OK;
}

bool os_set_file_time(const std::string& path, int64_t time)
{
    struct timespec ts[2];
    ts[0].tv_sec = static_cast<time_t>(time / 1000000000);
    ts[0].tv_nsec = static_cast<long>(time % 1000000000);
    ts[1] = ts[0];
    return utimensat(AT_FDCWD, path.c_str(), ts, 0) == 0;
}
