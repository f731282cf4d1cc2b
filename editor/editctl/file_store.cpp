#include "file_store.h"

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
#include "edit_core.h"

#ifndef O_BINARY
#define O_BINARY 0
#endif

file_store_result file_store_read(const std::string& path, std::vector<uint8_t>& data)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return FILE_STORE_CANNOT_OPEN;
    file_store_result result = FILE_STORE_OK;
    try {
        data.clear();
        uint8_t chunk[65536];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            data.insert(data.end(), chunk, chunk + n);
        if (std::ferror(f))
            result = FILE_STORE_CANNOT_OPEN;
    } catch (const std::bad_alloc&) {
        result = FILE_STORE_NO_MEMORY;
    }
    std::fclose(f);
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

static bool write_all(int fd, const std::vector<uint8_t>& data)
{
    size_t done = 0;
    while (done < data.size()) {
        size_t chunk = data.size() - done;
        if (chunk > 0x100000)
            chunk = 0x100000;
#ifdef _WIN32
        int n = _write(fd, data.data() + done, static_cast<unsigned>(chunk));
#else
        ssize_t n = write(fd, data.data() + done, chunk);
#endif
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

static bool replace_file(const std::string& temp, const std::string& path)
{
#ifdef _WIN32
    return MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(temp.c_str(), path.c_str()) == 0;
#endif
}

file_store_result file_store_write(const std::string& requested, const std::vector<uint8_t>& data)
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

    std::string temp;
    int fd = -1;
    for (int i = 0; i < 100 && fd < 0; ++i) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".~sav%d", i);
        temp = path + suffix;
#ifdef _WIN32
        fd = _open(temp.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_BINARY, 0666);
#endif
        if (fd < 0 && errno != EEXIST)
            return FILE_STORE_CANNOT_OPEN;
    }
    if (fd < 0)
        return FILE_STORE_CANNOT_OPEN;

    bool ok = write_all(fd, data);
#ifdef _WIN32
    ok = _close(fd) == 0 && ok;
#else
    if (ok && exists)
        fchmod(fd, st.st_mode & 07777); // the saved file keeps its permissions
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
#endif
    if (!ok || !replace_file(temp, path)) {
        std::remove(temp.c_str());
        return FILE_STORE_WRITE_FAILED;
    }
    return FILE_STORE_OK;
}
