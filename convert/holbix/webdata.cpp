#include "convert/holbix/webdata.h"

#include <cctype>

// Counter value after which a data line is closed.
static const int line_limit = 72;
// Characters of a '@NAME' kept as they come; later ones overwrite the next.
static const size_t name_keep = 40;

struct converter {
    web_type type;
    web_lines result;
    bool line_open = false;
    int counter = 0;       // characters on the open line
    bool has_items = false;
    bool string_open = false;
    bool collecting = false;
    std::string name;
    int line_feeds = 0;
};

static void put(converter* c, const std::string& s)
{
    c->result.text += s;
    c->counter += static_cast<int>(s.size());
}

static void close_string(converter* c)
{
    if (c->string_open) {
        put(c, "\"");
        c->string_open = false;
    }
}

static void close_line(converter* c)
{
    close_string(c);
    if (c->line_open) {
        c->result.text += '\n';
        c->line_open = false;
    }
}

static bool in_string(const converter* c, unsigned char b, bool literal)
{
    return c->type == WEB_HTML && b >= 32 && b <= 126 && b != '"' && (b != '@' || literal);
}

// One byte of data on the current ".dc.b" line; literal marks an '@' that
// stands for itself.
static void put_byte(converter* c, unsigned char b, bool literal)
{
    if (!c->line_open) {
        c->result.text += "  .dc.b ";
        c->counter = 8;
        c->line_open = true;
        c->has_items = false;
    }
    if (in_string(c, b, literal)) {
        if (!c->string_open) {
            put(c, c->has_items ? ",\"" : "\"");
            c->string_open = true;
        }
        put(c, std::string(1, static_cast<char>(b)));
    } else {
        if (c->string_open)
            put(c, "\",");
        else if (c->has_items)
            put(c, ",");
        c->string_open = false;
        put(c, std::to_string(b));
    }
    c->has_items = true;
    if (c->counter > line_limit || (c->type == WEB_HTML && b == '\n'))
        close_line(c);
}

static void put_variable(converter* c)
{
    close_line(c);
    c->result.text += "  .dc.b 255\n";
    c->result.text += "  .import _" + c->name + " ;  (char xdata*)" + c->name + "\n";
    c->result.text += "  .dc.w _" + c->name + "\n";
}

static bool continues_name(const std::string& name, unsigned char b)
{
    return std::isalpha(b) || b == '_' || (!name.empty() && std::isdigit(b));
}

static void convert_byte(converter* c, unsigned char b)
{
    if (b == '\n')
        c->line_feeds++;
    if (c->collecting) {
        if (b < 128 && continues_name(c->name, b)) {
            if (c->name.size() < name_keep + 1)
                c->name.push_back(static_cast<char>(b));
            else
                c->name[name_keep] = static_cast<char>(b);
            return;
        }
        c->collecting = false;
        if (b == '@' && c->name.empty()) {
            put_byte(c, b, true);
            return;
        }
        if (c->name.empty())
            c->result.single_at_lines.push_back(c->line_feeds);
        else
            put_variable(c);
    }
    if (c->type == WEB_HTML && b == '@') {
        // The marker opens no data line: the name may be followed by the
        // variable lines at once.
        c->collecting = true;
        c->name.clear();
        return;
    }
    put_byte(c, b, false);
}

web_lines web_convert(const unsigned char* data, size_t size, web_type type)
{
    converter c;
    c.type = type;
    for (size_t i = 0; i < size; i++)
        convert_byte(&c, data[i]);
    // A name still open at the end is dropped.
    close_string(&c);
    c.result.text += '\n';
    return c.result;
}
