#include "editor/tools/file_finder.h"

#include "editor/syntax/file_mask.h"
#include "editor/tools/search_request.h"

#include <cstdio>
#include <cstring>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#undef FindNextFile
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const size_t kInitialCapacity = 0xFFFF;
const size_t kListingReserve = 16384;
const size_t kSearchReserve = 1000;

bool IsAbsolutePath(const std::string& path)
{
#ifdef _WIN32
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
#else
    return !path.empty() && path[0] == '/';
#endif
}

} // namespace

char PathSeparator()
{
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string JoinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty())
        return name;
    const char last = dir.back();
    if (last == '/' || last == PathSeparator())
        return dir + name;
    return dir + PathSeparator() + name;
}

std::string CurrentDirectory()
{
#ifdef _WIN32
    char buffer[MAX_PATH + 1];
    const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
#else
    std::vector<char> buffer(4096);
    return getcwd(buffer.data(), buffer.size()) ? std::string(buffer.data()) : std::string();
#endif
}

// What the finders of one walk share: the buffer with the file last loaded
// and the read position in it. The top finder creates it; children hold the
// same one, so a child that grows the buffer leaves nobody pointing into
// freed memory.
struct CRecursiveFileFind::Shared {
    std::vector<char> buffer = std::vector<char>(kInitialCapacity);
    size_t size = 0;
    size_t readPos = 0;
    // The walk's test of a file found its first hit already: the first
    // FindNextHit from the start takes it instead of searching the file's
    // head again.
    const char* firstHit = nullptr;
    std::string path;
    CLineCounter lines;
};

// The entries of one directory, "." and ".." left out.
class CRecursiveFileFind::DirReader {
public:
    struct Entry {
        std::string name;
        bool directory = false;
    };
    ~DirReader() { Close(); }
#ifdef _WIN32
    bool Open(const std::string& dir)
    {
        handle_ = FindFirstFileA(JoinPath(dir, "*.*").c_str(), &data_);
        pending_ = handle_ != INVALID_HANDLE_VALUE;
        return pending_;
    }
    bool Next(Entry* entry)
    {
        while (pending_) {
            const WIN32_FIND_DATAA d = data_;
            pending_ = FindNextFileA(handle_, &data_) != 0;
            if (std::strcmp(d.cFileName, ".") == 0 || std::strcmp(d.cFileName, "..") == 0)
                continue;
            entry->name = d.cFileName;
            // A linked directory is not entered: it could lead back up the tree.
            entry->directory = (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (entry->directory && (d.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                continue;
            return true;
        }
        return false;
    }
    void Close()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA data_{};
    bool pending_ = false;
#else
    bool Open(const std::string& dir)
    {
        dir_ = opendir(dir.c_str());
        path_ = dir;
        return dir_ != nullptr;
    }
    bool Next(Entry* entry)
    {
        if (!dir_)
            return false;
        while (dirent* d = readdir(dir_)) {
            if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0)
                continue;
            // The entry's type comes with it on most file systems; only a
            // link, or a type the system leaves unknown, costs a look at the
            // file itself.
            bool directory = d->d_type == DT_DIR;
            bool regular = d->d_type == DT_REG;
            if (d->d_type == DT_LNK) {
                // A linked file is read, a linked directory is not entered:
                // it could lead back up the tree.
                struct stat target;
                if (stat(JoinPath(path_, d->d_name).c_str(), &target) != 0 || !S_ISREG(target.st_mode))
                    continue;
                regular = true;
            } else if (d->d_type == DT_UNKNOWN) {
                struct stat st;
                if (lstat(JoinPath(path_, d->d_name).c_str(), &st) != 0)
                    continue;
                if (S_ISLNK(st.st_mode)) {
                    if (stat(JoinPath(path_, d->d_name).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
                        continue;
                }
                directory = S_ISDIR(st.st_mode);
                regular = S_ISREG(st.st_mode);
            }
            if (!directory && !regular)
                continue;
            entry->name = d->d_name;
            entry->directory = directory;
            return true;
        }
        return false;
    }
    void Close()
    {
        if (dir_)
            closedir(dir_);
        dir_ = nullptr;
    }

private:
    DIR* dir_ = nullptr;
    std::string path_;
#endif
};

CRecursiveFileFind::CRecursiveFileFind()
    : shared_(std::make_shared<Shared>()), startDirectory_(CurrentDirectory())
{
    shared_->lines.Reset(shared_->buffer.data());
}

CRecursiveFileFind::CRecursiveFileFind(std::shared_ptr<Shared> shared, int level)
    : shared_(std::move(shared)), level_(level)
{
}

CRecursiveFileFind::~CRecursiveFileFind() = default;

void CRecursiveFileFind::Init(const char* text, const char* startDirectory, const char* masks, uint32_t flags)
{
    text_ = text ? text : "";
    if (startDirectory && *startDirectory) {
        std::string dir = startDirectory;
        startDirectory_ = IsAbsolutePath(dir) ? dir : JoinPath(CurrentDirectory(), dir);
    }
    if (masks)
        masks_ = masks;
    flags_ = flags;
    pattern_ = CSearchPattern(text_.data(), text_.size(), flags_);
}

int CRecursiveFileFind::FindNextFile(std::string* path, int next, const char** hit)
{
    const int result = next ? Walk() : Start();
    if (result != 1)
        return result;
    if (path)
        *path = shared_->path;
    if (hit) {
        int line, column;
        *hit = FindNextHit(&line, &column);
    }
    return 1;
}

int CRecursiveFileFind::Start()
{
    child_.reset();
    dir_ = std::make_unique<DirReader>();
    if (!dir_->Open(startDirectory_)) {
        dir_.reset();
        return 0;
    }
    return Walk();
}

int CRecursiveFileFind::Walk()
{
    if (child_) {
        const int r = child_->Walk();
        if (r != 0)
            return r;
        child_.reset();
    }
    if (!dir_)
        return 0;
    DirReader::Entry entry;
    while (dir_->Next(&entry)) {
        if (cancelled_ && cancelled_())
            return -1;
        const std::string full = JoinPath(startDirectory_, entry.name);
        if (entry.directory) {
            if (flags_ & kSearchSubdirectories) {
                child_.reset(new CRecursiveFileFind(shared_, level_ + 1));
                child_->cancelled_ = cancelled_;
                child_->Init(text_.c_str(), full.c_str(), masks_.c_str(), flags_);
                // A subdirectory that cannot be read is passed over.
                const int r = child_->Start();
                if (r != 0)
                    return r;
                child_.reset();
            }
        } else if (MatchFileMask(entry.name.c_str(), masks_.c_str()) && LoadFile(full)) {
            if (text_.empty())
                return 1;
            const char* data = shared_->buffer.data();
            shared_->firstHit = pattern_.Find(data, data, data + shared_->size);
            if (shared_->firstHit)
                return 1;
        }
    }
    dir_.reset();
    return 0;
}

bool CRecursiveFileFind::LoadFile(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    Shared& s = *shared_;
    size_t size = 0;
    bool ok = true;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long end = std::ftell(f);
        ok = end >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
        if (ok && static_cast<size_t>(end) + 1 > s.buffer.size())
            s.buffer.resize(static_cast<size_t>(end) + (text_.empty() ? kListingReserve : kSearchReserve));
        if (ok)
            size = std::fread(s.buffer.data(), 1, static_cast<size_t>(end), f);
    } else {
        ok = false;
    }
    std::fclose(f);
    if (!ok)
        return false;
    char* data = s.buffer.data();
    if (flags_ & kSearchTextMode) {
        // As a text-mode read gives it: CR LF pairs become one line feed;
        // then every line feed becomes the editor's carriage return.
        size_t out = 0;
        for (size_t i = 0; i < size; ++i) {
            if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n')
                continue;
            data[out++] = data[i] == '\n' ? '\r' : data[i];
        }
        size = out;
    }
    data[size] = '\0';
    s.size = size;
    s.readPos = 0;
    s.firstHit = nullptr;
    s.path = path;
    s.lines.Reset(data);
    return true;
}

const char* CRecursiveFileFind::FindNextHit(int* line, int* column)
{
    Shared& s = *shared_;
    const char* data = s.buffer.data();
    const char* hit = nullptr;
    if (s.firstHit && s.readPos == 0)
        hit = s.firstHit;
    else if (!text_.empty())
        hit = pattern_.Find(data + s.readPos, data, data + s.size);
    s.firstHit = nullptr;
    if (!hit) {
        *line = *column = -1;
        s.readPos = 0;
        return nullptr;
    }
    s.lines.Locate(hit, line, column);
    s.readPos = static_cast<size_t>(hit - data) + text_.size();
    return hit;
}

const std::string& CRecursiveFileFind::GetFilePath() const { return shared_->path; }
const char* CRecursiveFileFind::GetFileBuffer() const { return shared_->buffer.data(); }
const char* CRecursiveFileFind::GetDataEnd() const { return shared_->buffer.data() + shared_->size; }
size_t CRecursiveFileFind::BufferCapacity() const { return shared_->buffer.size(); }

const char* CRecursiveFileFind::Advance(ptrdiff_t n)
{
    Shared& s = *shared_;
    const char* old = s.buffer.data() + s.readPos;
    const ptrdiff_t pos = static_cast<ptrdiff_t>(s.readPos) + n;
    if (pos >= 0 && static_cast<size_t>(pos) <= s.size)
        s.readPos = static_cast<size_t>(pos);
    return old;
}
