// The source browser's "TagConfig" section (the input is the profile
// text): what is read, saved and read again is the same.
#include "editor/browser/tag_config.h"
#include "fuzz/fuzz_support.h"

namespace {

class TextSettings : public CTagSettings {
public:
    explicit TextSettings(const std::string& text) : ini(text) {}
    std::string Get(const std::string& key, const std::string& def) const override
    {
        return ini.Get(kTagConfigSection, key, def);
    }
    bool Write(const std::string& key, const std::string& value) override
    {
        ini.Set(kTagConfigSection, key, value);
        return true;
    }
    bool DeleteSection() override
    {
        ini.EraseSection(kTagConfigSection);
        return true;
    }
    fuzz::IniText ini;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TextSettings settings(std::string(reinterpret_cast<const char*>(data), size));
    const CTagConfig config = LoadTagConfig(settings);
    for (const std::string& entry : config.searchPaths)
        (void)SplitTagPath(entry);
    CTagConfigEditor editor(config);
    for (int row = 0; row < static_cast<int>(editor.Rows().size()); ++row)
        editor.Select(row);
    (void)editor.Apply();
    TextSettings saved("");
    FUZZ_CHECK(SaveTagConfig(config, saved));
    const CTagConfig again = LoadTagConfig(saved);
    FUZZ_CHECK(again.searchPaths == config.searchPaths);
    FUZZ_CHECK(again.flags == config.flags);
    FUZZ_CHECK(again.fileFilter == config.fileFilter);
    return 0;
}
