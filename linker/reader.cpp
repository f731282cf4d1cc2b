#include "linker/reader.h"

#include "linker/lineio.h"
#include "linker/messages.h"
#include "common/text.h"

#include <cstring>

namespace tessel {

static bool starts_with(const std::string& line, const char* key)
{
    return line.compare(0, std::strlen(key), key) == 0;
}

static const char* object_name(const object_module* obj)
{
    return obj->entry->name.c_str();
}

// The word at p up to the first blank (or the end); p moves past it.
static std::string take_word(const char*& p)
{
    const char* start = p;
    while (*p && *p != ' ')
        ++p;
    return std::string(start, p);
}

static public_symbol* public_of(object_module* obj, const std::string& name)
{
    name_entry* e = name_find(name.c_str(), false);
    if (e->state == NAME_NEW) {
        public_symbol* sym = new public_symbol{nullptr, nullptr, e, 0, 0, 0, false, false};
        publics.push_back(sym);
        e->state = NAME_PUBLIC;
        e->payload = sym;
    }
    if (e->state != NAME_PUBLIC) {
        report(1, "%s: identifier '%s' already in use", object_name(obj), name.c_str());
        return nullptr;
    }
    return static_cast<public_symbol*>(e->payload);
}

static void read_import(object_module* obj, const std::string& line)
{
    public_symbol* sym = public_of(obj, line.substr(7));
    if (sym)
        obj->imports.push_back(sym);
}

static void read_export(object_module* obj, const std::string& line, read_mode mode)
{
    const char* p = line.c_str() + 7;
    std::string name = take_word(p);
    uint32_t number = 0, offset = 0;
    if (*p != ' ' || p[1] != '@')
        corrupt_line(line.c_str());
    p += 2;
    if (!scan_hex(p, number) || *p != ':')
        corrupt_line(line.c_str());
    ++p;
    if (!scan_hex(p, offset) || *p)
        corrupt_line(line.c_str());
    public_symbol* sym = public_of(obj, name);
    if (!sym)
        return;
    if (!sym->owner) {
        sym->owner = obj;
        sym->segment = static_cast<int>(number);
        sym->offset = static_cast<int32_t>(offset);
    } else if (sym->owner != obj && name.compare(0, 2, "__") != 0 && (mode == READ_INDEX || !obj->library)) {
        // A library member read in full was already named when its index
        // was read; a command-line object is named here, so that an image
        // that depends on the order of the objects never goes unnoticed.
        report(0, "'%s' exported in '%s' (ignored) and in '%s' (used)", name.c_str(),
               object_name(obj), object_name(sym->owner));
    }
}

static void read_define(object_module* obj, const std::string& line, read_mode mode)
{
    const char* p = line.c_str() + 7;
    std::string name = take_word(p);
    uint32_t value = 0;
    if (*p != ' ')
        corrupt_line(line.c_str());
    ++p;
    if (!scan_hex(p, value) || *p)
        corrupt_line(line.c_str());
    public_symbol* sym = public_of(obj, name);
    if (!sym)
        return;
    if (mode == READ_INDEX) {
        // The value is taken only when the member is linked; the index
        // remembers which member gives it, so that an import of it links
        // the member as an import of an exported label does.
        if (!sym->definer)
            sym->definer = obj;
        return;
    }
    int32_t v = static_cast<int32_t>(value);
    if (sym->defined) {
        if (sym->value != v)
            report(1, "%s: different definitions for '%s' ($%x and $%x)", object_name(obj),
                   name.c_str(), static_cast<unsigned>(sym->value), value);
    } else {
        sym->value = v;
        sym->defined = true;
        sym->absolute = true;
    }
}

// Reads count content bytes from the lines after a segment line.
static void read_content(FILE* f, int32_t count, std::vector<uint8_t>* keep)
{
    std::string line;
    int32_t got = 0;
    while (got < count) {
        if (!read_line(f, line))
            corrupt_line("");
        const char* p = line.c_str();
        while (*p) {
            if (*p == ' ') {
                ++p;
                continue;
            }
            uint32_t byte = 0;
            const char* start = p;
            if (!scan_hex(p, byte) || p - start > 2 || got >= count)
                corrupt_line(line.c_str());
            if (keep)
                keep->push_back(static_cast<uint8_t>(byte));
            ++got;
        }
    }
}

static bool attribute(const char*& p, const char* key)
{
    size_t n = std::strlen(key);
    if (std::strncmp(p, key, n) != 0)
        return false;
    // A flag ("n", "f", "r") must stand alone.
    if (key[n - 1] != ':' && p[n] && p[n] != ' ')
        return false;
    p += n;
    return true;
}

static uint32_t attribute_hex(const char*& p, const std::string& line)
{
    uint32_t value = 0;
    if (!scan_hex(p, value))
        corrupt_line(line.c_str());
    return value;
}

// Page and align: 0 sets nothing, and a second value must equal the first.
static void set_once(int32_t& field, int32_t value, const char* object, const char* what)
{
    if (value != 0 && field != 0 && field != value)
        report(1, "%s: different %s values set", object, what);
    else if (value != 0)
        field = value;
}

static void read_segment(object_module* obj, FILE* f, const std::string& line)
{
    const char* on = object_name(obj);
    const char* p = line.c_str() + 8;
    std::string name = take_word(p);
    uint32_t number = 0;
    if (name.empty() || *p != ' ' || p[1] != '@')
        corrupt_line(line.c_str());
    p += 2;
    if (!scan_hex(p, number) || *p != ':')
        corrupt_line(line.c_str());
    ++p;

    name_entry* e = name_find(name.c_str(), false);
    if (e->state == NAME_NEW) {
        link_segment* seg = new link_segment();
        seg->entry = e;
        seg->sclass = -1;
        seg->org = -1;
        seg->size = -1;
        seg->in_use = true;
        seg->load = -1;
        segments.push_back(seg);
        e->state = NAME_SEGMENT;
        e->payload = seg;
    } else if (e->state != NAME_SEGMENT) {
        fatal("%s: identifier '%s' already in use", on, name.c_str());
    }
    link_segment* seg = static_cast<link_segment*>(e->payload);

    subsegment* sub = new subsegment();
    sub->object = obj;
    sub->segment = seg;
    sub->number = static_cast<int>(obj->subs.size());
    sub->global = static_cast<int>(subsegments.size());
    sub->address = -1;
    sub->load = -1;
    subsegments.push_back(sub);
    obj->subs.push_back(sub);
    seg->subs.push_back(sub);

    if (*p == 'm') {
        ++p;
    } else {
        int32_t org = static_cast<int32_t>(attribute_hex(p, line));
        if (seg->org != -1 && seg->org != org)
            report(1, "%s: different segment org set", on);
        else
            seg->org = org;
    }
    if (attribute(p, " s:")) {
        int32_t size = static_cast<int32_t>(attribute_hex(p, line));
        if (seg->fill) {
            if (size > seg->size)
                seg->size = size;
        } else if (seg->size != -1 && seg->size != size) {
            report(1, "%s: different segment size set", on);
        } else {
            seg->size = size;
        }
    }
    if (!attribute(p, " u:"))
        corrupt_line(line.c_str());
    sub->used = static_cast<int32_t>(attribute_hex(p, line));
    if (sub->used < 0)
        corrupt_line(line.c_str());
    seg->used = clamp_int32(int64_t{seg->used} + sub->used);
    bool notext_line = false;
    if (attribute(p, " n")) {
        notext_line = true;
        if (seg->kind == KIND_TEXT)
            report(1, "%s: segment '%s' classified 'notext'", on, name.c_str());
        else
            seg->kind = KIND_NOTEXT;
    }
    if (attribute(p, " f")) {
        if (seg->kind == KIND_NOTEXT)
            seg->fill = true;
        else
            report(1, "%s: segment '%s' classified 'fill' but not 'notext'", on, name.c_str());
    }
    if (attribute(p, " c:")) {
        std::string cls = take_word(p);
        name_entry* ce = name_find(cls.c_str(), true);
        if (!ce || ce->state == NAME_NEW) {
            report(1, "%s: illegal sclass '%s'", on, cls.c_str());
        } else if (ce->state != NAME_SCLASS) {
            report(1, "%s: identifier '%s' already in use, illegal 'sclass'", on, cls.c_str());
        } else {
            int index = static_cast<sclass_entry*>(ce->payload)->index;
            if (seg->sclass != -1 && seg->sclass != index)
                report(1, "%s: segment '%s' sclass '%s' already set to '%s'", on, name.c_str(),
                       cls.c_str(), sclass_table[seg->sclass].name);
            else
                seg->sclass = index;
        }
    }
    if (attribute(p, " p:"))
        set_once(seg->page, static_cast<int32_t>(attribute_hex(p, line)), on, "page");
    if (attribute(p, " a:"))
        set_once(seg->align, static_cast<int32_t>(attribute_hex(p, line)), on, "align");
    if (attribute(p, " r"))
        seg->root = true;
    if (*p)
        corrupt_line(line.c_str());

    // Fixed code is where stripping starts (with -n everything is kept).
    if (options.no_strip || (seg->org != -1 && (seg->sclass == -1 || seg->sclass == SCLASS_TEXT)))
        sub->references = 1;

    if (!notext_line) {
        if (seg->kind != KIND_NOTEXT)
            seg->kind = KIND_TEXT;
        if (sub->used > 0) {
            sub->content.reserve(static_cast<size_t>(seg->kind == KIND_TEXT ? sub->used : 0));
            read_content(f, sub->used, seg->kind == KIND_TEXT ? &sub->content : nullptr);
        }
    }
}

static link_segment* graph_segment(object_module* obj, const std::string& name, const char* role)
{
    name_entry* e = name_find(name.c_str(), true);
    if (!e || e->state == NAME_NEW)
        fatal("%s: %s '%s' undefined", object_name(obj), role, name.c_str());
    if (e->state != NAME_SEGMENT)
        fatal("%s: identifier '%s' already in use", object_name(obj), name.c_str());
    return static_cast<link_segment*>(e->payload);
}

static const char* sclass_or_none(const link_segment* seg)
{
    return seg->sclass < 0 ? "<none>" : sclass_table[seg->sclass].name;
}

static void read_sgraph(object_module* obj, const std::string& line)
{
    const char* on = object_name(obj);
    const char* p = line.c_str() + 7;
    std::string words[4];
    int count = 0;
    while (*p && count < 4) {
        words[count++] = take_word(p);
        if (*p == ' ')
            ++p;
    }
    if (*p || count < 2 || words[0].empty() || words[1].empty())
        corrupt_line(line.c_str());
    link_segment* caller = graph_segment(obj, words[0], "caller");
    link_segment* callee = graph_segment(obj, words[1], "callee");
    if (count < 3 || words[2].empty())
        fatal("%s: ownsersegment missing, old format", on);
    link_segment* owner = graph_segment(obj, words[2], "ownersegment");
    int32_t offset = -1;
    if (count == 4) {
        const char* q = words[3].c_str();
        uint32_t v = 0;
        if (!scan_hex(q, v) || *q)
            corrupt_line(line.c_str());
        offset = static_cast<int32_t>(v);
    }
    if (caller->sclass != callee->sclass)
        report(1, "%s: segments have differents sclass: '%s': '%s' and '%s': '%s'", on,
               caller->entry->name.c_str(), sclass_or_none(caller), callee->entry->name.c_str(),
               sclass_or_none(callee));
    if (caller->kind != KIND_NOTEXT || !caller->fill)
        report(1, "%s: sgraph caller segments '%s' need 'fill' and 'notext'", on,
               caller->entry->name.c_str());
    if (callee->kind != KIND_NOTEXT || !callee->fill || callee->size == -1)
        report(1, "%s: sgraph callee segments '%s' need 'fill', 'size' and 'notext'", on,
               callee->entry->name.c_str());
    edges.push_front(new sgraph_edge{caller, callee, owner, offset, false});
}

static void read_source(object_module* obj, const std::string& line)
{
    const char* p = line.c_str() + 4;
    const char* start = p;
    while (static_cast<unsigned char>(*p) > 0x20)
        ++p;
    std::string name(start, p);
    if (name.empty())
        corrupt_line(line.c_str());
    name_entry* e = name_find(name.c_str(), false);
    if (e->state == NAME_NEW) {
        source_file* src = new source_file{e, 1};
        source_files.push_back(src);
        e->state = NAME_SOURCE;
        e->payload = src;
    } else if (e->state == NAME_SOURCE) {
        ++static_cast<source_file*>(e->payload)->count;
    } else {
        corrupt_line(line.c_str());
    }
    obj->sources.push_back(static_cast<source_file*>(e->payload));
}

void read_object(object_module* obj, FILE* f, read_mode mode)
{
    object_module* saved = current_object;
    const char* saved_name = current_object_name;
    current_object = obj;
    current_object_name = object_name(obj);
    if (mode == READ_FULL) {
        obj->first_sub = static_cast<int>(subsegments.size());
        obj->read_full = true;
        obj->imports.clear();
    }
    std::string line;
    bool debug = false;
    while (read_line(f, line)) {
        if (line == "objectend")
            break;
        if (mode == READ_INDEX) {
            if (starts_with(line, "import:"))
                read_import(obj, line);
            else if (starts_with(line, "export:"))
                read_export(obj, line, mode);
            else if (starts_with(line, "define:"))
                read_define(obj, line, mode);
            continue;
        }
        if (debug)
            obj->debug.push_back(line);
        else if (starts_with(line, "import:"))
            read_import(obj, line);
        else if (starts_with(line, "export:"))
            read_export(obj, line, mode);
        else if (starts_with(line, "define:"))
            read_define(obj, line, mode);
        else if (line == "objectdebug")
            debug = true;
        else if (starts_with(line, "segment:"))
            read_segment(obj, f, line);
        else if (starts_with(line, "sgraph:"))
            read_sgraph(obj, line);
        else if (starts_with(line, "objectfile:")) {
            obj->first_sub = static_cast<int>(subsegments.size()) - static_cast<int>(obj->subs.size());
            if (!text_equal_nocase(line.c_str() + 11, text_base_name(object_name(obj))))
                corrupt_line(line.c_str());
        } else if (starts_with(line, "cpuname:")) {
            if (line != "cpuname:i8051")
                corrupt_line(line.c_str());
        } else if (starts_with(line, "time:")) {
        } else if (starts_with(line, "ref ")) {
            obj->refs.push_back(line.substr(4));
        } else if (starts_with(line, "src:")) {
            read_source(obj, line);
        } else {
            corrupt_line(line.c_str());
        }
    }
    current_object = saved;
    current_object_name = saved_name ? saved_name : "";
}

void read_object_files(void)
{
    // Only the command-line objects are in the list at this point.
    for (size_t i = 0; i < objects.size(); ++i) {
        object_module* obj = objects[i];
        FILE* f = open_file(obj->entry->name, "rb");
        if (!f)
            fatal("unable to open '%s'", obj->entry->name.c_str());
        read_object(obj, f, READ_FULL);
        std::fclose(f);
    }
}

static void skip_member(FILE* f)
{
    std::string line;
    while (read_line(f, line))
        if (line == "objectend")
            return;
}

static FILE* open_library(const library_file* lib)
{
    FILE* f = open_file(lib->entry->name, "rb");
    if (!f)
        fatal("unable to open '%s'", lib->entry->name.c_str());
    return f;
}

// The next member header of a library, "" at the end of the file.
static bool member_header(FILE* f, const library_file* lib, std::string& member)
{
    std::string line;
    if (!read_line(f, line))
        return false;
    if (!starts_with(line, "objectfile:") || line.size() == 11) {
        current_object_name = lib->entry->name.c_str();
        corrupt_line(line.c_str());
    }
    member = line.substr(11);
    return true;
}

void library_pass1(void)
{
    for (library_file* lib : libraries) {
        FILE* f = open_library(lib);
        std::string member;
        while (member_header(f, lib, member)) {
            name_entry* e = name_find(member.c_str(), false);
            if (e->state == NAME_NEW) {
                object_module* obj = new object_module();
                obj->entry = e;
                obj->library = lib;
                e->state = NAME_OBJECT;
                e->payload = obj;
                objects.push_back(obj);
                lib->members.push_back(obj);
                read_object(obj, f, READ_INDEX);
            } else if (e->state == NAME_OBJECT) {
                object_module* first = static_cast<object_module*>(e->payload);
                if (first->library)
                    report(0, "%s: redefinition of '%s' ignored (defined in '%s')",
                           lib->entry->name.c_str(), member.c_str(),
                           first->library->entry->name.c_str());
                else
                    report(0, "%s: redefinition of '%s' ignored", lib->entry->name.c_str(),
                           member.c_str());
                skip_member(f);
            } else {
                fatal("'%s' already in use", member.c_str());
            }
        }
        std::fclose(f);
    }
}

void mark_members(void)
{
    // A work list reaches the same fixed point as repeated rounds over all
    // import uses, in time linear in the number of imports.
    std::vector<object_module*> work;
    for (object_module* obj : objects)
        if (obj->in_use)
            work.push_back(obj);
    while (!work.empty()) {
        object_module* obj = work.back();
        work.pop_back();
        for (public_symbol* sym : obj->imports) {
            object_module* owner = sym->owner;
            if (!owner && !sym->defined)
                owner = sym->definer;
            if (owner && !owner->in_use) {
                owner->in_use = 2;
                work.push_back(owner);
            }
        }
    }
}

void library_pass2(void)
{
    for (library_file* lib : libraries) {
        FILE* f = open_library(lib);
        std::string member;
        while (member_header(f, lib, member)) {
            name_entry* e = name_find(member.c_str(), true);
            if (!e || e->state != NAME_OBJECT)
                internal_stop();
            object_module* obj = static_cast<object_module*>(e->payload);
            // A member ignored as a redefinition shares its name with the
            // first one, which is read only once, from its own library.
            if (obj->library == lib && obj->in_use == 2 && !obj->read_full)
                read_object(obj, f, READ_FULL);
            else
                skip_member(f);
        }
        std::fclose(f);
    }
}

} // namespace tessel
