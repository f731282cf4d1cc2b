// The editor's option table read from a profile or workspace text (the
// input), for every use. What one read gives, written and read again, gives
// the same values (compared through what a second write produces).
#include "editor/shell/settings_store.h"
#include "fuzz/fuzz_support.h"

namespace {

class TextSource : public SettingsSource {
public:
    explicit TextSource(const fuzz::IniText& ini) : ini_(ini) {}
    bool Read(const char* section, const char* key, std::string& value) override
    {
        return ini_.Get(section, key, value);
    }

private:
    const fuzz::IniText& ini_;
};

class MapSink : public SettingsSink {
public:
    void Write(const char* section, const char* key, const std::string& value) override
    {
        ini.Set(section, key, value);
        written.push_back(std::string(section) + "\n" + key + "\n" + value);
    }
    fuzz::IniText ini{""};
    std::vector<std::string> written;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::IniText ini(std::string(reinterpret_cast<const char*>(data), size));
    const unsigned reads[] = {kProfileRead, kWorkspaceRead};
    const unsigned writes[] = {kProfileWrite, kWorkspaceWrite};
    for (int u = 0; u < 2; ++u) {
        TextSource source(ini);
        SettingsValues values;
        ReadSettings(source, values, reads[u]);
        MapSink first;
        WriteSettings(first, values, writes[u]);
        TextSource again(first.ini);
        SettingsValues reread;
        ReadSettings(again, reread, reads[u]);
        MapSink second;
        WriteSettings(second, reread, writes[u]);
        FUZZ_CHECK(first.written == second.written);
    }
    return 0;
}
