// The target image and its binary and HEX loaders.
#include "target/seriallink/target_image.h"

#include <cstdio>
#include <cstring>
#include <strings.h>
#include <vector>

#include "common/report_error.h"
#include "common/speicher.h"

TargetImage target_image;
std::mutex target_image_lock;

// Largest image and highest load address the tools accept.
static const int32_t image_limit = 1000000;

// Frees bytes and flags; the caller holds the lock.
static void drop_image_locked()
{
    if (target_image.bytes)
        speicher_free(target_image.bytes);
    if (target_image.flags)
        speicher_free(target_image.flags);
    target_image.bytes = nullptr;
    target_image.flags = nullptr;
    target_image.size = 0;
    target_image.load_address = 0;
}

void free_image()
{
    std::lock_guard<std::mutex> guard(target_image_lock);
    drop_image_locked();
    target_image.downloaded = 0;
}

static bool has_hex_extension(const char* path)
{
    const char* dot = std::strrchr(path, '.');
    return dot && strncasecmp(dot, ".hex", 4) == 0;
}

int read_binary_image(const char* path, int fixed_mode, int32_t fixed_address,
                      std::vector<uint8_t>* out, int32_t* out_address)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        report_error(0, "Cann't open '%s'", path);
        return -1;
    }
    long length = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        length = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);

    long size = fixed_mode ? length : length - 4;
    if (size <= 0 || size > image_limit) {
        std::fclose(f);
        report_error(0, "File '%s' size of data = %d", path, static_cast<int>(size));
        return -1;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    bool complete = std::fread(bytes.data(), 1, size, f) == static_cast<size_t>(size);
    int32_t address = fixed_address;
    if (complete && !fixed_mode) {
        uint8_t trailer[4];
        complete = std::fread(trailer, 1, 4, f) == 4;
        address = static_cast<int32_t>((uint32_t(trailer[0]) << 24) | (uint32_t(trailer[1]) << 16) |
                                       (uint32_t(trailer[2]) << 8) | trailer[3]);
    }
    std::fclose(f);
    if (!complete) {
        report_error(-1, "Adr. read '%s'", path);
        return -1;
    }
    if (address < 0 || address > image_limit) {
        report_error(0, "Load address $%x out of range", static_cast<unsigned>(address));
        return -2;
    }
    out->swap(bytes);
    *out_address = address;
    return 0;
}

static int load_binary(const char* path)
{
    TargetImage& img = target_image;
    int fixed_mode;
    int32_t fixed_address;
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        fixed_mode = img.fixed_address_mode;
        fixed_address = img.fixed_address;
    }
    // The file is read whole first, so that a bad file leaves the old
    // image alone; only an address out of range drops it.
    std::vector<uint8_t> bytes;
    int32_t address = 0;
    int r = read_binary_image(path, fixed_mode, fixed_address, &bytes, &address);
    if (r == -1)
        return -1;
    std::lock_guard<std::mutex> guard(target_image_lock);
    img.downloaded = 0;
    img.flash_tool = 0;
    img.flash_download = 0;
    drop_image_locked();
    if (r != 0)
        return -1;
    int32_t size = static_cast<int32_t>(bytes.size());
    img.bytes = static_cast<uint8_t*>(speicher_alloc(size));
    std::memcpy(img.bytes, bytes.data(), bytes.size());
    img.flags = static_cast<uint8_t*>(speicher_calloc(size));
    img.size = size;
    img.load_address = address;
    return 0;
}

void image_replace(std::vector<uint8_t>* bytes, std::vector<uint8_t>* flags, int32_t load_address)
{
    int32_t size = static_cast<int32_t>(bytes->size());
    uint8_t* new_bytes = static_cast<uint8_t*>(speicher_alloc(size > 0 ? size : 1));
    uint8_t* new_flags = static_cast<uint8_t*>(speicher_calloc(size > 0 ? size : 1));
    std::memcpy(new_bytes, bytes->data(), bytes->size());
    if (flags->size() == bytes->size())
        std::memcpy(new_flags, flags->data(), flags->size());
    std::lock_guard<std::mutex> guard(target_image_lock);
    TargetImage& img = target_image;
    drop_image_locked();
    img.downloaded = 0;
    img.flash_tool = 0;
    img.flash_download = 0;
    img.bytes = new_bytes;
    img.flags = new_flags;
    img.size = size;
    img.load_address = load_address;
}

static int load_hex(const char* path)
{
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        target_image.downloaded = 0;
        target_image.flash_tool = 0;
        target_image.flash_download = 0;
        drop_image_locked();
    }
    uint8_t* buffer = nullptr;
    int32_t lowest = 0, length = 0;
    if (read_hex_file(path, &buffer, &lowest, &length) != 0)
        return -1;
    std::lock_guard<std::mutex> guard(target_image_lock);
    target_image.bytes = buffer;
    target_image.size = length;
    target_image.load_address = lowest;
    target_image.flags = static_cast<uint8_t*>(speicher_calloc(length));
    return 0;
}

int load_image(const char* path)
{
    return has_hex_extension(path) ? load_hex(path) : load_binary(path);
}

int hex_digit(int c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

int hex_bytes(const char** cursor, int n, int* sum)
{
    const char* p = *cursor;
    int value = 0;
    int running = *sum;
    for (int i = 0; i < n; i++) {
        int hi = hex_digit(static_cast<unsigned char>(p[0]));
        if (hi < 0)
            return -1;
        int lo = hex_digit(static_cast<unsigned char>(p[1]));
        if (lo < 0)
            return -1;
        int byte = hi * 16 + lo;
        value = value * 256 + byte;
        running -= byte;
        p += 2;
    }
    *cursor = p;
    *sum = running;
    return value;
}

// Ends a failed HEX read: frees the buffer, closes the file, reports.
static int hex_fail(FILE* f, uint8_t* buffer, int code)
{
    speicher_free(buffer);
    std::fclose(f);
    return code;
}

int read_hex_file(const char* path, uint8_t** out, int32_t* out_lowest, int32_t* out_length)
{
    FILE* f = std::fopen(path, "r");
    if (!f) {
        report_error(1, "Can't open file '%s'!", path);
        return -1;
    }
    const int32_t space = 0x10000;
    uint8_t* buffer = static_cast<uint8_t*>(speicher_calloc(space));
    int32_t lowest = space;
    int32_t end = 0;
    bool overlap_reported = false;
    char line[1024];

    while (std::fgets(line, 1023, f)) {
        if (line[0] != ':') {
            report_error(1, "File '%s' not a HEX file (':' expected)", path);
            return hex_fail(f, buffer, -2);
        }
        const char* p = line + 1;
        int sum = 0;
        int count = hex_bytes(&p, 1, &sum);
        int address = count < 0 ? -1 : hex_bytes(&p, 2, &sum);
        int type = address < 0 ? -1 : hex_bytes(&p, 1, &sum);
        if (type < 0 || type > 1) {
            report_error(1, "File '%s' not a HEX file", path);
            return hex_fail(f, buffer, -3);
        }
        if (count == 0 && address == 0 && type == 1)
            break;
        if (address < lowest)
            lowest = address;
        if (address + count > end)
            end = address + count;
        for (int i = 0; i < count; i++) {
            int value = hex_bytes(&p, 1, &sum);
            if (value < 0) {
                report_error(1, "File '%s' not a HEX file", path);
                return hex_fail(f, buffer, -4);
            }
            // Checked before the byte is stored: the buffer ends at $FFFF.
            if (address >= space) {
                report_error(1, "File '%s' exceeding $FFFF", path);
                return hex_fail(f, buffer, -8);
            }
            if (buffer[address] != 0 && !overlap_reported) {
                report_error(0, "Overlapping data at address $%04x (continue)", address);
                overlap_reported = true;
            }
            buffer[address] = static_cast<uint8_t>(value);
            address++;
        }
        int ignored = 0;
        int check = hex_bytes(&p, 1, &ignored);
        if (check < 0) {
            report_error(1, "File '%s' not a HEX file", path);
            return hex_fail(f, buffer, -6);
        }
        if (check != (sum & 0xFF)) {
            report_error(1, "File '%s' checksum error", path);
            return hex_fail(f, buffer, -7);
        }
    }

    int32_t length = end - lowest;
    if (length <= 0) {
        report_error(1, "File '%s' is empty", path);
        return hex_fail(f, buffer, -5);
    }
    std::fclose(f);
    std::memmove(buffer, buffer + lowest, length);
    *out = buffer;
    *out_lowest = lowest;
    *out_length = length;
    return 0;
}

int32_t image_load_address()
{
    std::lock_guard<std::mutex> guard(target_image_lock);
    return target_image.load_address;
}

int32_t image_size()
{
    std::lock_guard<std::mutex> guard(target_image_lock);
    return target_image.size;
}

int image_downloaded()
{
    std::lock_guard<std::mutex> guard(target_image_lock);
    return target_image.downloaded;
}

int image_copy(int32_t offset, uint8_t* out, int32_t count)
{
    std::lock_guard<std::mutex> guard(target_image_lock);
    int copied = 0;
    while (copied < count && offset + copied >= 0 && offset + copied < target_image.size) {
        out[copied] = target_image.bytes[offset + copied];
        copied++;
    }
    return copied;
}

int image_flags(int32_t offset)
{
    std::lock_guard<std::mutex> guard(target_image_lock);
    if (offset < 0 || offset >= target_image.size)
        return -1;
    return target_image.flags[offset];
}

void image_set_flags(int32_t offset, int set, int clear)
{
    std::lock_guard<std::mutex> guard(target_image_lock);
    if (offset < 0 || offset >= target_image.size)
        return;
    target_image.flags[offset] = static_cast<uint8_t>((target_image.flags[offset] & ~clear) | set);
}
