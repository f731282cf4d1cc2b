#include "make/gravik/expand.h"

#include "common/disk_name.h"
#include "make/gravik/report.h"

#include <algorithm>
#include <set>
#include <vector>

namespace gravik {

bool is_name_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Number of macros: a chain of references longer than this must come back
// to a macro already expanded, so more passes than this mean a loop.
static int macro_count(void)
{
    return macro_table_count();
}

// References "$(NAME)" of a text, in order.
static std::vector<std::string> references(const std::string& text)
{
    std::vector<std::string> names;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '$' || text[i + 1] != '(')
            continue;
        size_t j = i + 2;
        while (j < text.size() && is_name_char(text[j]))
            ++j;
        if (j < text.size() && text[j] == ')')
            names.push_back(text.substr(i + 2, j - i - 2));
    }
    return names;
}

// The first macro, following references depth first from "text", that is
// reached again from itself; empty when there is none.
static std::string find_ring(const std::string& text, std::vector<std::string>& chain,
                             std::set<std::string>& done)
{
    for (const std::string& name : references(text)) {
        if (std::find(chain.begin(), chain.end(), name) != chain.end())
            return name;
        if (done.count(name))
            continue;
        const std::string* value = macro_table_value(name);
        if (!value)
            continue;
        chain.push_back(name);
        std::string ring = find_ring(*value, chain, done);
        chain.pop_back();
        if (!ring.empty())
            return ring;
        done.insert(name);
    }
    return std::string();
}

// One pass; returns -1 on error, else the number of replacements.
// "first_name" receives the first macro replaced (for the loop message).
static int expand_pass(const std::string& in, const std::string& rule_text,
                       const automatic_values* autos, std::string* out, std::string* first_name)
{
    int replaced = 0;
    out->clear();
    size_t i = 0;
    const size_t n = in.size();
    while (i < n) {
        char c = in[i];
        if (c != '$' || i + 1 >= n) {
            *out += c;
            ++i;
            continue;
        }
        char k = in[i + 1];
        if (k == '(') {
            size_t j = i + 2;
            while (j < n && is_name_char(in[j]))
                ++j;
            if (j >= n || in[j] != ')') {
                msg_error("syntax error in rule '%s': ')' expected", rule_text.c_str());
                return -1;
            }
            std::string name = in.substr(i + 2, j - i - 2);
            const std::string* value = macro_table_value(name);
            if (!value) {
                msg_error("macro '%s' not found in rule '%s'", name.c_str(), rule_text.c_str());
                return -1;
            }
            *out += *value;
            if (replaced++ == 0)
                *first_name = name;
            i = j + 1;
        } else if (autos && k == '*' && i + 2 < n && in[i + 2] == '.') {
            size_t j = i + 3;
            while (j < n && is_name_char(in[j]))
                ++j;
            std::string ext = in.substr(i + 3, j - i - 3);
            std::string on_disk = disk_existing(autos->node_base + "." + ext);
            *out += on_disk.empty() ? autos->base + "." + ext : on_disk;
            if (replaced++ == 0)
                *first_name = "$*";
            i = j;
        } else if (autos && (k == '*' || k == '@' || k == '<')) {
            *out += k == '*' ? autos->base : k == '@' ? autos->target : autos->dependencies;
            if (replaced++ == 0)
                *first_name = std::string("$") + k;
            i += 2;
        } else {
            // Any other character after '$' stays as it stands, with the '$'.
            *out += c;
            *out += k;
            i += 2;
        }
        if (out->size() > expand_limit)
            msg_fatal("line too long in rule '%s'", rule_text.c_str());
    }
    return replaced;
}

bool expand_text(const std::string& text, const std::string& rule_text,
                 const automatic_values* autos, std::string* out)
{
    if (text.size() > expand_limit)
        msg_fatal("line too long in rule '%s'", rule_text.c_str());
    if (text.find('$') == std::string::npos) {
        *out = text;   // nothing to expand
        return true;
    }
    std::string current = text;
    const int pass_limit = macro_count() + 2;
    for (int pass = 0;; ++pass) {
        std::string next, first_name;
        int replaced = expand_pass(current, rule_text, autos, &next, &first_name);
        if (replaced < 0)
            return false;
        if (replaced == 0) {
            *out = current;
            return true;
        }
        if (pass >= pass_limit) {
            // Macros that refer to each other in a ring never stop changing
            // the text; stop with the name of one of them.
            std::vector<std::string> chain;
            std::set<std::string> done;
            std::string ring = find_ring(text, chain, done);
            if (ring.empty())
                ring = first_name;
            msg_error("macro '%s' refers to itself in rule '%s'", ring.c_str(),
                      rule_text.c_str());
            return false;
        }
        current.swap(next);
    }
}

} // namespace gravik
