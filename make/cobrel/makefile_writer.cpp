#include "make/cobrel/makefile_writer.h"

#include "make/cobrel/text_file.h"

// A line that ends in '\\' would be joined with the next one by the make
// tool; a blank behind it keeps it a line of its own and is dropped on reading.
static void end_line(std::string& text)
{
    if (!text.empty() && text.back() == '\\')
        text += ' ';
    text += '\n';
}

std::string make_file_text(const make_model& m)
{
    std::string t;
    for (const std::string& line : m.comment_lines) {
        t += (line.empty() || line[0] != '#' ? "#" : "") + line;
        end_line(t);
    }
    t += "\n";

    t += wiz_format("TESSELFLAGS = -r$%x,$%x", static_cast<unsigned>(m.rom_start),
                    static_cast<unsigned>(m.ram_start));
    if (!m.linker_args.empty())
        t += " " + m.linker_args;
    end_line(t);
    if (!m.libraries.empty()) {
        t += "TESSELLIBS = " + m.libraries;
        end_line(t);
    }
    t += wiz_format("SIOTYPE = %c\n", m.sio_type);
    t += std::string("MODEL = ") + (m.memory_model == 1 ? "small" : "large") + "\n";
    if (m.smart_printf == 0)
        t += "PFLAGS = FULL_PRINTF\n";
    if (m.strip && (m.gen_hex || m.gen_omf))
        t += "B2HFLAGS = -s\n";
    t += "MORRINFLAGS =";
    if (m.listing)
        t += " -g";
    if (m.expand_debug)
        t += " -d";
    if (!m.assembler_args.empty())
        t += " " + m.assembler_args;
    end_line(t);
    t += wiz_format("C51FLAGS = -dCPU_NSEC=%u", static_cast<unsigned>(m.cpu_nsec));
    if (m.debug_level != 1)
        t += wiz_format(" -g%u", static_cast<unsigned>(m.debug_level));
    if (m.optimise != 1)
        t += " -speed";
    if (!m.compiler_args.empty())
        t += " " + m.compiler_args;
    end_line(t);
    t += "\n";

    std::string included;
    for (const source_entry& s : m.sources)
        if (!is_primary_source(s.type))
            included += " " + s.name;
    std::string objects;
    for (const source_entry& s : m.sources) {
        if (!is_primary_source(s.type))
            continue;
        if (has_extension(s.name))
            t += base_name_of(s.name) + ".obj: " + s.name;
        t += included;
        end_line(t);
        objects += " " + base_name_of(s.name) + ".obj";
    }
    t += m.target_name + ".bin:" + objects;
    end_line(t);
    if (m.gen_hex)
        t += m.target_name + ".hex: " + m.target_name + ".bin\n";
    else if (m.gen_omf)
        t += m.target_name + ".omf: " + m.target_name + ".bin\n";
    t += "\n";
    return t;
}

int write_make_file(const make_model& model, wiz_messages& messages)
{
    if (model.makefile_path.empty()) {
        messages.error_box("No Filename for MAKE-File!");
        return messages.error_count();
    }
    if (!save_text_file(model.makefile_path, make_file_text(model)))
        messages.error_box("Can't open MAKE-File '%s'!!!", model.makefile_path.c_str());
    return messages.error_count();
}
