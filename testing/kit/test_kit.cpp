#include "testing/kit/test_kit.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#ifdef _WIN32
#include "common/os.h"
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

std::string host_path(const std::string& build_path)
{
#ifdef _WIN32
    std::string p = build_path;
    if (!p.empty() && p[0] == '/')
        p = "Z:" + p;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
#else
    return build_path;
#endif
}

std::string host_program_path(const std::string& program)
{
    return host_path(program);
}

#ifdef _WIN32
static HANDLE create_capture(const std::string& path)
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}
#endif

run_result run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::string& cwd)
{
    run_result result;
    std::string out_path = cwd + ".stdout";
    std::string err_path = cwd + ".stderr";
    std::vector<std::string> words;
    words.push_back(host_program_path(program));
    words.insert(words.end(), args.begin(), args.end());
#ifdef _WIN32
    HANDLE out = create_capture(host_path(out_path));
    HANDLE err = create_capture(host_path(err_path));
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE in = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                            OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi;
    std::string line = os_join_command_line(words);
    std::string dir = host_path(cwd);
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, dir.c_str(), &si, &pi)) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        result.started = true;
        result.code = static_cast<int>(code);
    }
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
#else
    pid_t pid = fork();
    if (pid == 0) {
        int in = open("/dev/null", O_RDONLY);
        int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (in < 0 || out < 0 || err < 0 || chdir(cwd.c_str()) != 0)
            _exit(127);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv;
        for (std::string& w : words)
            argv.push_back(&w[0]);
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.started = true;
        result.code = WEXITSTATUS(status);
        if (result.code > 127)
            result.code -= 256;
    }
#endif
    result.out = read_file(out_path);
    result.err = read_file(err_path);
    return result;
}

bool run_succeeds(const std::string& program, const std::vector<std::string>& args,
                  const std::string& cwd, std::string* report)
{
    run_result r = run_program(program, args, cwd);
    if (r.started && r.code == 0)
        return true;
    *report = program;
    for (const std::string& a : args)
        *report += " " + a;
    *report += r.started ? ": exit code " + std::to_string(r.code) + "\n" + r.out + r.err : ": not started";
    return false;
}

std::string fresh_dir(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove_all(host_path(path), ec);
    std::filesystem::create_directories(host_path(path), ec);
    return path;
}

bool write_file(const std::string& path, const std::string& bytes)
{
    std::ofstream f(host_path(path), std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    f.close();
    return !f.fail();
}

std::string read_file(const std::string& path)
{
    std::ifstream f(host_path(path), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool file_exists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(host_path(path), ec);
}

bool make_dirs(const std::string& path)
{
    if (path.empty())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(host_path(path), ec);
    return std::filesystem::is_directory(host_path(path), ec);
}

bool copy_file_to(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    return CopyFileA(host_path(from).c_str(), host_path(to).c_str(), FALSE) != FALSE;
#else
    std::error_code ec;
    return std::filesystem::copy_file(host_path(from), host_path(to),
                                      std::filesystem::copy_options::overwrite_existing, ec);
#endif
}

std::vector<std::string> files_below(const std::string& dir, const std::vector<std::string>& suffixes)
{
    std::vector<std::string> out;
    std::error_code ec;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(host_path(dir), ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string path = dir + "/" + name;
        if (std::filesystem::is_directory(host_path(path), ec)) {
            const std::vector<std::string> inner = files_below(path, suffixes);
            out.insert(out.end(), inner.begin(), inner.end());
            continue;
        }
        for (const std::string& suffix : suffixes)
            if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
                out.push_back(path);
                break;
            }
    }
    return out;
}

std::string native_text(const std::string& lf_text)
{
#ifdef _WIN32
    return crlf_text(lf_text);
#else
    return lf_text;
#endif
}

std::string crlf_text(const std::string& lf_text)
{
    std::string s;
    for (char c : lf_text) {
        if (c == '\n')
            s += '\r';
        s += c;
    }
    return s;
}

std::string without_cr(const std::string& text)
{
    std::string s;
    for (char c : text)
        if (c != '\r')
            s += c;
    return s;
}

bool wait_until(const std::function<bool()>& condition, int timeout_ms, int poll_ms)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until)
            return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(poll_ms));
    }
    return true;
}
