#include "outfile.h"

#include <cerrno>
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
#ifndef O_TEXT
#define O_TEXT 0
#endif

static int current_pid()
{
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

// Creates a file that did not exist before, so that a temporary never
// replaces anything of the user's.
static FILE* create_new(const std::string& name, bool binary)
{
    int flags = O_WRONLY | O_CREAT | O_EXCL | (binary ? O_BINARY : O_TEXT);
#ifdef _WIN32
    int fd = _open(name.c_str(), flags, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return nullptr;
    FILE* fp = _fdopen(fd, binary ? "wb" : "w");
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

static bool replace_file(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

bool out_open(out_file* f, const std::string& path, bool binary)
{
    *f = out_file();
    f->path = path;
    struct stat st;
    if (!path.empty() && stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        f->fp = std::fopen(path.c_str(), binary ? "wb" : "w");
        return f->fp != nullptr;
    }
    if (path.empty())
        return false;
    for (int i = 0; i < 100 && !f->fp; i++) {
        f->temp = path + "." + std::to_string(current_pid()) + "-" + std::to_string(i) + ".tmp";
        f->fp = create_new(f->temp, binary);
        if (!f->fp && errno != EEXIST)
            break;
    }
    if (!f->fp)
        f->temp.clear();
    return f->fp != nullptr;
}

void out_use_stdout(out_file* f)
{
    *f = out_file();
    f->fp = stdout;
}

bool out_write(out_file* f, const void* data, size_t size)
{
    if (!f->fp || f->failed)
        return false;
    if (size > 0 && std::fwrite(data, 1, size, f->fp) != size)
        f->failed = true;
    return !f->failed;
}

bool out_puts(out_file* f, const std::string& text)
{
    return out_write(f, text.data(), text.size());
}

bool out_commit(out_file* f)
{
    if (!f->fp)
        return false;
    bool ok = !f->failed && std::fflush(f->fp) == 0 && !std::ferror(f->fp);
    if (f->fp != stdout) {
        if (std::fclose(f->fp) != 0)
            ok = false;
    }
    f->fp = nullptr;
    if (!f->temp.empty()) {
        if (ok && !replace_file(f->temp, f->path))
            ok = false;
        if (!ok)
            std::remove(f->temp.c_str());
        f->temp.clear();
    }
    f->failed = !ok;
    return ok;
}

void out_discard(out_file* f)
{
    if (f->fp && f->fp != stdout)
        std::fclose(f->fp);
    f->fp = nullptr;
    if (!f->temp.empty())
        std::remove(f->temp.c_str());
    f->temp.clear();
}
