// Syntax templates as ovanta.ini holds them: the input is the profile
// text. What is read and saved into an empty profile reads back the same
// when its names and keywords are ones the dialogs accept.
#include "editor/syntax/syntax_profile.h"
#include "editor/syntax/syntax_template.h"
#include "fuzz/fuzz_support.h"

namespace {

class TextProfile : public CSyntaxProfile {
public:
    explicit TextProfile(const std::string& text) : ini(text) {}
    std::string GetString(const std::string& section, const std::string& key, const std::string& def) override
    {
        return ini.Get(section, key, def);
    }
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override
    {
        ini.Set(section, key, value);
        return true;
    }
    bool EmptySection(const std::string& section) override
    {
        ini.EraseSection(section);
        return true;
    }
    bool HasSection(const std::string& section) override { return ini.Has(section); }
    std::vector<std::string> GetKeys(const std::string& section) override { return ini.Keys(section); }
    fuzz::IniText ini;
};

struct Snapshot {
    std::string name, assoc;
    int32_t comment;
    std::vector<std::pair<std::string, int32_t>> keywords;
    bool operator==(const Snapshot& o) const
    {
        return name == o.name && assoc == o.assoc && comment == o.comment && keywords == o.keywords;
    }
};

std::vector<Snapshot> Take()
{
    std::vector<Snapshot> out;
    for (const SyntaxTemplatePtr& t : g_SyntaxTemplates) {
        Snapshot s{t->name, t->FileAssoc, t->commentValue, {}};
        for (const SyntaxKeyword& k : t->keywords)
            s.keywords.emplace_back(k.text, k.value);
        out.push_back(s);
    }
    return out;
}

// Whether the templates are ones the program itself could have saved.
bool Savable()
{
    TextProfile empty("");
    for (const SyntaxTemplatePtr& t : g_SyntaxTemplates) {
        if (!CheckSyntaxTemplateName(t->name, empty, t.get()).empty() || fuzz::Trim(t->name) != t->name ||
            fuzz::Trim(t->FileAssoc) != t->FileAssoc || t->name == "C/C++")
            return false;
        for (const SyntaxKeyword& k : t->keywords)
            if (!CheckSyntaxKeyword(k.text).empty() || fuzz::Trim(k.text) != k.text)
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FreeSyntaxTemplates();
    TextProfile profile(std::string(reinterpret_cast<const char*>(data), size));
    LoadSyntaxTemplates(profile);
    // Each template is an entry of the list, or a missing one no further
    // down than the list's size.
    FUZZ_CHECK(g_SyntaxTemplates.size() <= 2 * profile.GetKeys("SyntaxTemplates").size());
    if (Savable()) {
        const std::vector<Snapshot> first = Take();
        TextProfile saved("");
        FUZZ_CHECK(SaveSyntaxTemplateList(saved) && SaveSyntaxTemplates(saved));
        FreeSyntaxTemplates();
        LoadSyntaxTemplates(saved);
        FUZZ_CHECK(Take() == first);
    }
    FreeSyntaxTemplates();
    return 0;
}
