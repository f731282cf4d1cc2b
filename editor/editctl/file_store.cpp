#include "editor/editctl/file_store.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif

#include "common/os.h"
#include "editor/editctl/edit_core.h"

#ifndef O_BINARY
#define O_BINARY 0
#endif

file_store_reader::~file_store_reader()
{
    if (fp)
        std::fclose(fp);
}

file_store_result file_store_open(file_store_reader& r, const std::string& path)
{
    r.fp = std::fopen(path.c_str(), "rb");
    if (!r.fp)
        return FILE_STORE_CANNOT_OPEN;
    // Large reads go straight into the caller's block.
    std::setvbuf(r.fp, nullptr, _IONBF, 0);
    struct stat st;
    r.size = stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
    return FILE_STORE_OK;
}

size_t file_store_get(file_store_reader& r, uint8_t* data, size_t size)
{
    size_t n = std::fread(data, 1, size, r.fp);
    if (n == 0 && std::ferror(r.fp))
        r.failed = true;
    return n;
}

bool file_store_status(const std::string& path, CFileStatus& status)
{
    struct stat st;
    status.path = path;
    if (stat(path.c_str(), &st) != 0) {
        status.attribute = 0;
        status.lastWrite = 0;
        status.size = 0;
        return false;
    }
    status.size = static_cast<int64_t>(st.st_size);
    status.attribute = (st.st_mode & S_IWRITE) ? kAttrNormal : kAttrReadOnly;
    int64_t t = 0;
    if (os_file_time(path, &t) != OS_TIME_OK)
        t = static_cast<int64_t>(st.st_mtime) * 1000000000;
    status.lastWrite = t;
    return true;
}

file_store_result file_store_begin(file_store_writer& w, const std::string& requested)
{
    std::string path = requested;
#ifndef _WIN32
    // Saving through a symbolic link writes the file it points at.
    char resolved[PATH_MAX];
    if (realpath(requested.c_str(), resolved))
        path = resolved;
#endif
    struct stat st;
    bool exists = stat(path.c_str(), &st) == 0;
    if (exists && !(st.st_mode & S_IWRITE))
        return FILE_STORE_READ_ONLY;
    w.keepMode = exists;
    w.mode = exists ? static_cast<unsigned>(st.st_mode & 07777) : 0;
    if (!safe_file_open(&w.file, path, true))
        return FILE_STORE_CANNOT_OPEN;
    return FILE_STORE_OK;
}

bool file_store_put(file_store_writer& w, const uint8_t* data, size_t size)
{
    if (!safe_file_write(&w.file, data, size))
        return false;
    w.written += static_cast<int64_t>(size);
#ifdef __linux__
    // Every few megabytes on their way to the disk at once, not all at the
    // commit: writing them overlaps with making the next ones.
    const int64_t kWriteBehind = 4 << 20;
    if (w.written - w.started >= kWriteBehind && std::fflush(w.file.fp) == 0) {
        sync_file_range(fileno(w.file.fp), w.started, w.written - w.started, SYNC_FILE_RANGE_WRITE);
        w.started = w.written;
    }
#endif
    return true;
}

file_store_result file_store_commit(file_store_writer& w)
{
    if (!w.file.fp)
        return FILE_STORE_WRITE_FAILED;
    // On the disk before it replaces the old file, with the old file's
    // permissions.
    bool ok = !w.file.failed && std::fflush(w.file.fp) == 0;
#ifdef _WIN32
    ok = ok && _commit(_fileno(w.file.fp)) == 0;
#else
    if (ok && w.keepMode)
        fchmod(fileno(w.file.fp), static_cast<mode_t>(w.mode));
    ok = ok && fsync(fileno(w.file.fp)) == 0;
#endif
    if (!ok) {
        safe_file_discard(&w.file);
        return FILE_STORE_WRITE_FAILED;
    }
    return safe_file_commit(&w.file) ? FILE_STORE_OK : FILE_STORE_WRITE_FAILED;
}

void file_store_discard(file_store_writer& w)
{
    safe_file_discard(&w.file);
}

file_store_result file_store_write(const std::string& path, const std::vector<uint8_t>& data)
{
    file_store_writer w;
    file_store_result r = file_store_begin(w, path);
    if (r != FILE_STORE_OK)
        return r;
    if (!file_store_put(w, data.data(), data.size())) {
        file_store_discard(w);
        return FILE_STORE_WRITE_FAILED;
    }
    return file_store_commit(w);
}
