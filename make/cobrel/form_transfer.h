// form_transfer: the values of the wizard's form, one per control as the
// control holds it, and the two copies between them and the make model.
// The window program puts these values into its controls and reads them
// back; the rules of the copy (ranges, item indexes, texts) live here.
#pragma once

#include "make/cobrel/make_model.h"
#include "make/cobrel/wiz_messages.h"

#include <string>
#include <vector>

struct wiz_form_values {
    std::vector<std::string> comment_lines;  // the project memo, a line each
    std::vector<std::string> sources;        // source list items
    std::vector<std::string> target_items;   // target box items
    int target_index = -1;                   // selected target item, -1 none
    std::string cpu_speed;                   // "%d"
    std::string compiler_args;
    int optimise_index = 0;                  // 0 "Size", 1 "Speed"
    int model_index = 0;                     // 0 "Small", 1 "Large"
    int debug_index = 1;                     // 0..2
    bool expand_debug = false;
    bool listing = true;
    std::string assembler_args;
    std::string rom_start;                   // "%04X"
    std::string ram_start;
    std::string linker_args;
    std::string libraries;
    int sio_index = 0;                       // 0 K, 1 D, 2 P
    bool smart_printf = true;
    bool gen_hex = false;
    bool gen_omf = false;
    bool strip = false;
    // Control states that follow from the model.
    bool strip_enabled = false;              // with a HEX or OMF file only
    bool target_enabled = false;             // when there are target items
    bool add_source_enabled = false;         // below max_sources
    bool delete_source_enabled = false;      // with at least one source
};

// Memo lines longer than this are cut when they become comment lines.
const size_t max_comment_length = 995;

// The form's values for the model. Values out of range are first put back
// to their defaults in the model (repair_ranges).
wiz_form_values model_to_form(make_model& model);

// Copies the form's values into the model. Every value that differs sets
// dirty; texts are stored trimmed. A CPU speed outside 1..9999 is warned
// about ("CPU-Speed '%d' not allowed, fixed to 1000 (nsec/Instr.)") and
// stored as 1000. The comment lines are replaced without touching dirty
// (the memo's own change marks it). Sources and target are not read back:
// they change only through their own commands.
void form_to_model(const wiz_form_values& form, make_model& model, wiz_messages& messages);

// The recent-makefile list of the form: at most fifteen earlier entries
// stay, the current makefile (when there is one) moves to the top, without
// a duplicate in any letter case. Returns the index to select (0, or -1).
int update_history(std::vector<std::string>& items, const std::string& current);
