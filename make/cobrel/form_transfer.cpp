#include "make/cobrel/form_transfer.h"

#include "make/cobrel/macro_options.h"

#include <cstdlib>

static const size_t history_kept = 15;

wiz_form_values model_to_form(make_model& model)
{
    repair_ranges(model);
    wiz_form_values f;
    f.comment_lines = model.comment_lines;
    for (const source_entry& s : model.sources)
        f.sources.push_back(s.name);
    f.target_items = target_candidates(model);
    for (size_t i = 0; i < f.target_items.size(); ++i)
        if (f.target_index < 0 && f.target_items[i] == model.target_name)
            f.target_index = static_cast<int>(i);
    f.target_enabled = !f.target_items.empty();
    f.add_source_enabled = model.sources.size() < max_sources;
    f.delete_source_enabled = !model.sources.empty();
    f.cpu_speed = std::to_string(model.cpu_nsec);
    f.compiler_args = model.compiler_args;
    f.optimise_index = model.optimise == 1 ? 0 : 1;
    f.model_index = model.memory_model == 1 ? 0 : 1;
    f.debug_index = model.debug_level;
    f.expand_debug = model.expand_debug != 0;
    f.listing = model.listing != 0;
    f.assembler_args = model.assembler_args;
    f.rom_start = wiz_format("%04X", static_cast<unsigned>(model.rom_start));
    f.ram_start = wiz_format("%04X", static_cast<unsigned>(model.ram_start));
    f.linker_args = model.linker_args;
    f.libraries = model.libraries;
    f.sio_index = model.sio_type == 'D' ? 1 : model.sio_type == 'P' ? 2 : 0;
    f.smart_printf = model.smart_printf != 0;
    f.gen_hex = model.gen_hex != 0;
    f.gen_omf = model.gen_omf != 0;
    f.strip = model.strip != 0;
    f.strip_enabled = f.gen_hex || f.gen_omf;
    return f;
}

namespace {

void take(int value, int& field, make_model& model)
{
    if (field != value) {
        field = value;
        model.dirty = true;
    }
}

void take_text(const std::string& text, std::string& field, make_model& model)
{
    const std::string trimmed = copy_trimmed(text);
    if (field != trimmed) {
        field = trimmed;
        model.dirty = true;
    }
}

// The value of a hexadecimal text as the address edits hold it (four digits).
int hex_value(const std::string& text)
{
    const std::string t = copy_trimmed(text);
    size_t pos = 0;
    long long v = 0;
    if (!read_number(t, &pos, true, &v))
        return 0;
    return v > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(v);
}

} // namespace

void form_to_model(const wiz_form_values& f, make_model& model, wiz_messages& messages)
{
    const std::string cpu = copy_trimmed(f.cpu_speed);
    long long nsec = std::strtoll(cpu.c_str(), nullptr, 10);
    if (nsec < 1 || nsec > 9999) {
        messages.warning_box("CPU-Speed '%lld' not allowed, fixed to 1000 (nsec/Instr.)", nsec);
        nsec = 1000;
    }
    take(static_cast<int>(nsec), model.cpu_nsec, model);
    take_text(f.compiler_args, model.compiler_args, model);
    take(f.optimise_index == 1 ? 2 : 1, model.optimise, model);
    take(f.model_index == 1 ? 2 : 1, model.memory_model, model);
    take(f.debug_index, model.debug_level, model);
    take(f.expand_debug ? 1 : 0, model.expand_debug, model);
    take(f.listing ? 1 : 0, model.listing, model);
    take_text(f.assembler_args, model.assembler_args, model);
    take(hex_value(f.rom_start), model.rom_start, model);
    take(hex_value(f.ram_start), model.ram_start, model);
    take_text(f.linker_args, model.linker_args, model);
    take_text(f.libraries, model.libraries, model);
    take(f.sio_index == 1 ? 'D' : f.sio_index == 2 ? 'P' : 'K', model.sio_type, model);
    take(f.smart_printf ? 1 : 0, model.smart_printf, model);
    take(f.gen_hex ? 1 : 0, model.gen_hex, model);
    take(f.gen_omf ? 1 : 0, model.gen_omf, model);
    take(f.strip ? 1 : 0, model.strip, model);

    model.comment_lines.clear();
    for (const std::string& line : f.comment_lines) {
        if (model.comment_lines.size() >= max_comment_lines)
            break;
        model.comment_lines.push_back(copy_trimmed(line.substr(0, max_comment_length)));
    }
}

int update_history(std::vector<std::string>& items, const std::string& current)
{
    if (items.size() > history_kept)
        items.resize(history_kept);
    if (current.empty())
        return -1;
    for (size_t i = 0; i < items.size(); ++i) {
        if (equal_ignoring_case(items[i], current)) {
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    items.insert(items.begin(), current);
    return 0;
}
