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

file_store_bytes::~file_store_bytes()
{
    std::free(data);
}

file_store_result file_store_read(const std::string& path, file_store_bytes& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return FILE_STORE_CANNOT_OPEN;
    // The whole file in one read into room made for its size; a file that
    // grows meanwhile is read to its end all the same.
    std::free(bytes.data);
    bytes.data = nullptr;
    bytes.size = 0;
    struct stat st;
    size_t room = stat(path.c_str(), &st) == 0 && st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 1 << 16;
    file_store_result result = FILE_STORE_OK;
    for (;;) {
        if (bytes.size == room || !bytes.data) {
            if (bytes.data)
                room += room / 2;
            uint8_t* more = static_cast<uint8_t*>(std::realloc(bytes.data, room));
            if (!more) {
                result = FILE_STORE_NO_MEMORY;
                break;
            }
            bytes.data = more;
        }
        size_t n = std::fread(bytes.data + bytes.size, 1, room - bytes.size, f);
        bytes.size += n;
        if (n == 0 || bytes.size < room) {
            if (std::ferror(f))
                result = FILE_STORE_CANNOT_OPEN;
            if (n == 0 || std::feof(f) || std::ferror(f))
                break;
        }
    }
    std::fclose(f);
    if (result != FILE_STORE_OK) {
        std::free(bytes.data);
        bytes.data = nullptr;
        bytes.size = 0;
    }
    return result;
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
    return safe_file_write(&w.file, data, size);
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
