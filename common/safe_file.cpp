#include "common/safe_file.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

static int current_pid()
{
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

// Records the first failure with the system's reason.
static void fail(safe_file* f, const char* what, const std::string& name, const std::string& reason)
{
    if (f->why.empty())
        f->why = std::string(what) + " '" + name + "': " + reason;
    f->failed = true;
}

static std::string errno_text(int code)
{
    const char* t = std::strerror(code);
    return t ? t : "unknown error";
}

// Creates a file that did not exist before, so that a temporary never
// replaces anything of the user's.
static FILE* create_new(const std::string& name)
{
    int flags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
#ifdef _WIN32
    int fd = _open(name.c_str(), flags, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return nullptr;
    FILE* fp = _fdopen(fd, "wb");
    if (!fp)
        _close(fd);
#else
    int fd = open(name.c_str(), flags, 0666);
    if (fd < 0)
        return nullptr;
    FILE* fp = fdopen(fd, "w");
    if (!fp)
        close(fd);
#endif
    return fp;
}

// Puts the temporary in place of the target; false with the reason.
static bool replace_file(const std::string& from, const std::string& to, std::string* reason)
{
#ifdef _WIN32
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DWORD code = GetLastError();
    char text[256] = "";
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                        sizeof text, nullptr))
        std::snprintf(text, sizeof text, "system error %lu", static_cast<unsigned long>(code));
    *reason = text;
    while (!reason->empty() && (reason->back() == '\n' || reason->back() == '\r' || reason->back() == '.'))
        reason->pop_back();
    return false;
#else
    if (std::rename(from.c_str(), to.c_str()) == 0)
        return true;
    *reason = errno_text(errno);
    return false;
#endif
}

bool safe_file_open(safe_file* f, const std::string& path, bool binary)
{
    *f = safe_file();
    f->path = path;
    f->crlf = !binary;
    if (path.empty()) {
        fail(f, "cannot create", path, "no file name");
        return false;
    }
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) {
            fail(f, "cannot create", path, "it is a folder");
            return false;
        }
        f->fp = std::fopen(path.c_str(), "wb");
        if (!f->fp)
            fail(f, "cannot open", path, errno_text(errno));
        return f->fp != nullptr;
    }
    int code = 0;
    for (int i = 0; i < 100 && !f->fp; i++) {
        f->temp = path + "." + std::to_string(current_pid()) + "-" + std::to_string(i) + ".tmp";
        f->fp = create_new(f->temp);
        code = errno;
        if (!f->fp && code != EEXIST)
            break;
    }
    if (!f->fp) {
        fail(f, "cannot create a temporary file beside", path, errno_text(code));
        f->temp.clear();
    }
    return f->fp != nullptr;
}

void safe_file_use_stdout(safe_file* f)
{
    *f = safe_file();
    f->fp = stdout;
}

static bool write_bytes(safe_file* f, const char* data, size_t size)
{
    if (size > 0 && std::fwrite(data, 1, size, f->fp) != size)
        fail(f, "cannot write", f->path, errno_text(errno));
    return !f->failed;
}

bool safe_file_write(safe_file* f, const void* data, size_t size)
{
    if (!f->fp || f->failed)
        return false;
    const char* p = static_cast<const char*>(data);
    if (!f->crlf)
        return write_bytes(f, p, size);
    const char* end = p + size;
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!lf)
            return write_bytes(f, p, static_cast<size_t>(end - p));
        if (!write_bytes(f, p, static_cast<size_t>(lf - p)) || !write_bytes(f, "\r\n", 2))
            return false;
        p = lf + 1;
    }
    return !f->failed;
}

bool safe_file_puts(safe_file* f, const std::string& text)
{
    return safe_file_write(f, text.data(), text.size());
}

bool safe_file_printf(safe_file* f, const char* format, ...)
{
    char small[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n < 0)
        return !f->failed;
    if (n < static_cast<int>(sizeof small))
        return safe_file_write(f, small, static_cast<size_t>(n));
    std::string text(static_cast<size_t>(n) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(&text[0], text.size(), format, args);
    va_end(args);
    return safe_file_write(f, text.data(), static_cast<size_t>(n));
}

bool safe_file_commit(safe_file* f)
{
    if (!f->fp)
        return false;
    if (!f->failed && (std::fflush(f->fp) != 0 || std::ferror(f->fp)))
        fail(f, "cannot write", f->path, errno_text(errno));
    if (f->fp != stdout) {
        if (std::fclose(f->fp) != 0)
            fail(f, "cannot write", f->path, errno_text(errno));
    }
    f->fp = nullptr;
    if (!f->temp.empty()) {
        std::string reason;
        if (!f->failed && !replace_file(f->temp, f->path, &reason))
            fail(f, "cannot replace", f->path, reason);
        if (f->failed)
            std::remove(f->temp.c_str());
        f->temp.clear();
    }
    return !f->failed;
}

void safe_file_discard(safe_file* f)
{
    if (f->fp && f->fp != stdout)
        std::fclose(f->fp);
    f->fp = nullptr;
    if (!f->temp.empty())
        std::remove(f->temp.c_str());
    f->temp.clear();
}

const std::string& safe_file_why(const safe_file* f) { return f->why; }

bool safe_file_write_all(const std::string& path, const void* data, size_t size, bool binary, std::string* why)
{
    safe_file f;
    bool ok = safe_file_open(&f, path, binary) && safe_file_write(&f, data, size) && safe_file_commit(&f);
    if (!ok) {
        safe_file_discard(&f);
        if (why)
            *why = f.why;
    }
    return ok;
}
