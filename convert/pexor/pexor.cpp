#include "convert/pexor/pexor.h"

#include "convert/pexor/listing.h"
#include "convert/pexor/omf.h"
#include "common/diagnostics.h"
#include "common/disk_name.h"
#include "common/safe_file.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <new>
#include <vector>

static const char* const version = "1.00, 2005";

static const int block_min = 4;
static const int block_max = 128;
static const long size_min = 4;
static const long size_max = 65524;
static const long read_piece = 16384;
// OMF-51 addresses and line numbers are 16-bit.
static const unsigned long address_limit = 0x10000;
static const long line_limit = 0xFFFF;

// The steps of a run return go_on, or the exit code when the run ends there.
// The exit code after an internal error is -1, so go_on lies outside every
// exit code.
static const int go_on = -1000;
static const int internal_exit = -1;

struct pexor_run {
    const char* program = "";
    const char* in_name = nullptr;
    const char* out_name = nullptr;
    int block_size = 32;
    bool strip = false;
    bool to_error_file = false;

    FILE* msg = stdout;        // message stream: standard output or "error.out"
    FILE* in = nullptr;
    FILE* lst = nullptr;
    safe_file out;
    safe_file dbg;
    std::string module;
    std::string lst_name;
    std::string dbg_name;
    std::vector<uint8_t> image;
    unsigned long load_address = 0;
    long data_size = 0;
};

static void print_usage(const char* program)
{
    std::printf("arguments: INFILE OUTFILE (options)\n");
    std::printf("i.e.:  '%s a.bin a.omf ('*.lst' file will be\n       searched automatically)'\n",
                program);
    std::printf("-wNR:  code block size in bytes (4..128, default:32)\n");
    std::printf("-s:    strip $FF values from hex file lines (fast FLASH)\n");
    std::printf("-e:    append output to 'error.out'\n");
}

static void close_all(pexor_run* r)
{
    if (r->in)
        std::fclose(r->in);
    if (r->lst)
        std::fclose(r->lst);
    r->in = r->lst = nullptr;
    safe_file_discard(&r->out);
    safe_file_discard(&r->dbg);
    if (r->msg != stdout)
        diag_close_error_out();
    r->msg = stdout;
}

// Reports an error on the message stream, closes everything (output files
// written so far are not put in place) and gives the exit code.
static int fail(pexor_run* r, int code, const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    std::vfprintf(r->msg, format, ap);
    va_end(ap);
    close_all(r);
    return code;
}

std::string pexor_module_name(const std::string& input)
{
    size_t start = input.find_last_of("\\/");
    start = start == std::string::npos ? 0 : start + 1;
    std::string name;
    for (size_t i = start; i < input.size() && name.size() < 32; i++) {
        unsigned char c = static_cast<unsigned char>(input[i]);
        if (c == '.' || c < 32)
            break;
        name.push_back(static_cast<char>(std::toupper(c)));
    }
    return name;
}

// Reads the options from the third argument on. Returns go_on, or the exit
// code.
static int read_options(pexor_run* r, int argc, char** argv)
{
    for (int i = 3; i < argc; i++) {
        const char* a = argv[i];
        if (a[0] != '-') {
            std::printf("Error: unknown option '%s'\n", a);
            std::printf("Error: '%s' aborted... ('-?' for help)\n", r->program);
            return 1;
        }
        switch (a[1]) {
        case 'w':
        case 'W': {
            const char* digits = a + 2;
            long value = 0;
            bool ok = std::isdigit(static_cast<unsigned char>(*digits)) != 0;
            for (const char* p = digits; ok && *p; p++) {
                if (!std::isdigit(static_cast<unsigned char>(*p)) || value > block_max)
                    ok = false;
                else
                    value = value * 10 + (*p - '0');
            }
            if (!ok || value < block_min || value > block_max) {
                std::printf("Error: value out of range\n");
                std::printf("Error: '%s' aborted... ('-?' for help)\n", r->program);
                return 1;
            }
            r->block_size = static_cast<int>(value);
            break;
        }
        case 's':
            r->strip = true;
            break;
        case 'e':
            r->to_error_file = true;
            break;
        case '?':
            print_usage(r->program);
            return 1;
        default:
            break;
        }
    }
    return go_on;
}

static int read_image(pexor_run* r)
{
    r->in = std::fopen(disk_path(r->in_name).c_str(), "rb");
    if (!r->in)
        return fail(r, 1, "Error: unable to open '%s'\n", r->in_name);
    if (!safe_file_open(&r->out, disk_output_path(r->out_name), true))
        return fail(r, 1, "Error: unable to open '%s'\n", r->out_name);
    long size = -1;
    if (std::fseek(r->in, 0, SEEK_END) == 0)
        size = std::ftell(r->in);
    if (size < 0 || std::fseek(r->in, 0, SEEK_SET) != 0)
        return fail(r, 1, "Error: unable to read file status\n");
    if (size < size_min || size > size_max)
        return fail(r, 1, "Error: input file size <4 or >65524 bytes\n");
    try {
        r->image.resize(size);
    } catch (const std::bad_alloc&) {
        return fail(r, 1, "Error: out of memory\n");
    }
    for (long done = 0; done < size;) {
        long piece = size - done < read_piece ? size - done : read_piece;
        if (std::fread(&r->image[done], 1, piece, r->in) != static_cast<size_t>(piece))
            return fail(r, 1, "Error: read error\n");
        done += piece;
    }
    std::fclose(r->in);
    r->in = nullptr;

    // The trailer holds the load address as 32 bits, high byte first. An
    // address that OMF-51's 16 bits cannot carry is refused rather than cut.
    const uint8_t* t = &r->image[size - 4];
    unsigned long b = (static_cast<unsigned long>(t[0]) << 24) | (static_cast<unsigned long>(t[1]) << 16) |
                      (static_cast<unsigned long>(t[2]) << 8) | t[3];
    r->data_size = size - 4;
    r->load_address = b;
    if (b >= address_limit)
        return fail(r, 1, "Error: load address $%lx above $ffff does not fit OMF51\n", b);
    if (b + r->data_size > address_limit)
        return fail(r, 1, "Error: image from $%04lx to $%lx runs past $ffff\n", b,
                    b + r->data_size - 1);
    return go_on;
}

static bool has_bin_extension(const std::string& name, size_t* dot)
{
    *dot = name.rfind('.');
    if (*dot == std::string::npos || name.size() - *dot != 4)
        return false;
    const char* ext = name.c_str() + *dot;
    return ext[0] == '.' && std::tolower(static_cast<unsigned char>(ext[1])) == 'b' &&
           std::tolower(static_cast<unsigned char>(ext[2])) == 'i' &&
           std::tolower(static_cast<unsigned char>(ext[3])) == 'n';
}

static int find_listing(pexor_run* r)
{
    std::string in = r->in_name;
    size_t dot;
    if (!has_bin_extension(in, &dot))
        return go_on;
    r->lst_name = in.substr(0, dot) + ".lst";
    r->lst = std::fopen(disk_path(r->lst_name).c_str(), "r");
    if (!r->lst)
        return go_on;
    if (!r->to_error_file)
        std::printf("   LST-File found ('%s)\n", r->lst_name.c_str());
    r->dbg_name = in.substr(0, dot) + ".dbg";
    if (!safe_file_open(&r->dbg, disk_output_path(r->dbg_name), false))
        return fail(r, 1, "Error: Can't open '%s' for writing!\n", r->dbg_name.c_str());
    return go_on;
}

static int put_record(pexor_run* r, omf_record* rec)
{
    if (!omf_finish(rec))
        return fail(r, 1, "Error: Line too long!\n");
    if (!safe_file_write(&r->out, rec->buf, rec->len))
        return fail(r, 1, "Error: unable to write '%s'\n", r->out_name);
    return go_on;
}

static int write_scope(pexor_run* r, int block_type)
{
    omf_record rec;
    omf_begin(&rec, OMF_SCOPE_DEFINITION);
    omf_byte(&rec, block_type);
    omf_name(&rec, r->module);
    return put_record(r, &rec);
}

static int write_head(pexor_run* r)
{
    omf_record rec;
    omf_begin(&rec, OMF_MODULE_HEADER);
    omf_name(&rec, r->module);
    omf_byte(&rec, 0xFF);
    omf_byte(&rec, 0x00);
    int code = put_record(r, &rec);
    if (code == go_on)
        code = write_scope(r, 0x00);
    if (code == go_on && r->lst) {
        omf_begin(&rec, OMF_SOURCE_NAME);
        omf_byte(&rec, 0x00);
        omf_byte(&rec, 0x00);
        omf_byte(&rec, 0x00);
        omf_name(&rec, r->dbg_name);
        code = put_record(r, &rec);
    }
    return code;
}

static int write_blocks(pexor_run* r)
{
    const uint8_t* data = r->image.data();
    long pos = 0;
    while (pos < r->data_size) {
        if (r->strip) {
            while (pos < r->data_size && data[pos] == 0xFF)
                pos++;
            if (pos == r->data_size)
                break;
        }
        long j = r->data_size - pos < r->block_size ? r->data_size - pos : r->block_size;
        if (r->strip) {
            while (j > 0 && data[pos + j - 1] == 0xFF)
                j--;
        }
        if (j == 0) {
            std::fprintf(r->msg, "Error: Internal error!\n");
            close_all(r);
            return internal_exit;
        }
        omf_record rec;
        omf_begin(&rec, OMF_CONTENT);
        omf_byte(&rec, 0x00);
        omf_word(&rec, static_cast<unsigned>(r->load_address + pos));
        omf_bytes(&rec, data + pos, static_cast<int>(j));
        int code = put_record(r, &rec);
        if (code != go_on)
            return code;
        pos += j;
    }
    return go_on;
}

static int write_debug(pexor_run* r)
{
    std::string line;
    long number = 0;
    while (listing_read_line(r->lst, &line)) {
        if (!listing_keeps_line(line))
            continue;
        line.push_back('\n');
        if (!safe_file_puts(&r->dbg, line))
            return fail(r, 1, "Error: unable to write '%s'\n", r->dbg_name.c_str());
        number++;
        unsigned long address;
        if (!listing_code_address(line, &address))
            continue;
        if (address >= address_limit)
            return fail(r, 1, "Error: address $%lx in '%s' above $ffff does not fit OMF51\n", address,
                        r->lst_name.c_str());
        if (number > line_limit)
            return fail(r, 1, "Error: more than %ld lines in '%s'\n", line_limit, r->lst_name.c_str());
        omf_record rec;
        omf_begin(&rec, OMF_DEBUG_ITEMS);
        omf_byte(&rec, 0x03);
        omf_byte(&rec, 0x00);
        omf_word(&rec, static_cast<unsigned>(address));
        omf_word(&rec, static_cast<unsigned>(number));
        int code = put_record(r, &rec);
        if (code != go_on)
            return code;
    }
    if (std::ferror(r->lst))
        return fail(r, 1, "Error: read error\n");
    return go_on;
}

static int write_tail(pexor_run* r)
{
    int code = write_scope(r, 0x03);
    if (code != go_on)
        return code;
    omf_record rec;
    omf_begin(&rec, OMF_MODULE_END);
    omf_name(&rec, r->module);
    omf_byte(&rec, 0x00);
    omf_byte(&rec, 0x01);
    omf_byte(&rec, 0x00);
    return put_record(r, &rec);
}

int pexor_main(int argc, char** argv)
{
    pexor_run run;
    pexor_run* r = &run;
    r->program = argc > 0 ? argv[0] : "pexor";
    std::printf("*** '%s': binary (and '*.LST') to OMF51 converter\n", r->program);
    std::printf("*** V%s\n", version);
    if (argc < 3) {
        print_usage(r->program);
        return 1;
    }
    r->in_name = argv[1];
    r->out_name = argv[2];
    int code = read_options(r, argc, argv);
    if (code != go_on)
        return code;
    if (r->to_error_file) {
        r->msg = diag_open_error_out(true);
        if (!r->msg) {
            r->msg = stdout;
            std::printf("Error: '%s' aborted: Can't open 'error.out'\n", r->program);
            return 1;
        }
    }
    r->module = pexor_module_name(r->in_name);

    if ((code = read_image(r)) != go_on)
        return code;
    if (!r->to_error_file) {
        std::printf("   Loadaddress:  $%04lx (hex.)\n", r->load_address);
        std::printf("   BIN-Filesize: %ld bytes (dez.)\n", r->data_size);
    }
    if ((code = find_listing(r)) != go_on || (code = write_head(r)) != go_on ||
        (code = write_blocks(r)) != go_on)
        return code;
    if (r->lst && (code = write_debug(r)) != go_on)
        return code;
    if ((code = write_tail(r)) != go_on)
        return code;

    // The debug text first: the object names it.
    if (r->lst && !safe_file_commit(&r->dbg))
        return fail(r, 1, "Error: unable to write '%s'\n", r->dbg_name.c_str());
    if (!safe_file_commit(&r->out))
        return fail(r, 1, "Error: unable to write '%s'\n", r->out_name);
    close_all(r);
    if (!r->to_error_file)
        std::printf("Ok\n");
    return 0;
}
