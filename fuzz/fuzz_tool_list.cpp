// Tool descriptions ("ExecApplication" sections of the profile or a
// workspace; the input is the profile text). A list read and saved reads
// back the same.
#include "editor/tools/tool_info.h"
#include "fuzz/fuzz_support.h"

namespace {

class TextStore : public ToolStore {
public:
    explicit TextStore(const std::string& text) : ini(text) {}
    bool SectionExists(const std::string& section) const override { return ini.Has(section); }
    std::vector<std::string> SectionNames() const override { return ini.SectionNames(); }
    std::string GetString(const std::string& section, const char* key, const char* def) const override
    {
        return ini.Get(section, key, std::string(def));
    }
    int GetInt(const std::string& section, const char* key, int def) const override
    {
        std::string value;
        if (!ini.Get(section, key, value))
            return def;
        return std::atoi(value.c_str());
    }
    void WriteString(const std::string& section, const char* key, const std::string& value) override
    {
        ini.Set(section, key, value);
    }
    void WriteInt(const std::string& section, const char* key, int value) override
    {
        ini.Set(section, key, std::to_string(value));
    }
    void DeleteSection(const std::string& section) override { ini.EraseSection(section); }
    fuzz::IniText ini;
};

bool Same(const CToolInfo& a, const CToolInfo& b)
{
    return a.Toolname == b.Toolname && a.AppParms == b.AppParms && a.Compiler == b.Compiler &&
           a.AppExe == b.AppExe && a.AppDir == b.AppDir && a.RedirToFile == b.RedirToFile &&
           a.ChangeDir == b.ChangeDir && a.SaveBeforeRun == b.SaveBeforeRun && a.CaptureOut == b.CaptureOut &&
           a.ShortPathname == b.ShortPathname && a.CommandId == b.CommandId;
}

std::string Keep(const std::string& path) { return path; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TextStore store(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<CToolInfo> tools;
    if (!LoadToolList(store, tools))
        return 0;
    FUZZ_CHECK(tools.size() <= static_cast<size_t>(kMaxTools));
    bool savable = true;
    for (const CToolInfo& t : tools) {
        for (const std::string* s : {&t.Toolname, &t.AppParms, &t.Compiler, &t.AppExe, &t.AppDir})
            savable &= fuzz::Trim(*s) == *s;
        CCurrentTool current;
        SetCurrentTool(t, current, Keep);
        (void)ToolLabel(t.Toolname);
    }
    if (!savable)
        return 0;
    TextStore saved("");
    SaveToolList(saved, tools);
    std::vector<CToolInfo> again;
    FUZZ_CHECK(LoadToolList(saved, again));
    FUZZ_CHECK(again.size() == tools.size());
    for (size_t i = 0; i < tools.size(); ++i)
        FUZZ_CHECK(Same(tools[i], again[i]));
    return 0;
}
