// Settings file of the target tools.
#include "target/termui/settings_file.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "common/report_error.h"
#include "common/safe_file.h"
#include "target/seriallink/comport.h"
#include "target/termui/com_dialog.h"
#include "target/termui/ser_settings.h"

std::string ser_settings_path(const std::string& program_path)
{
    size_t dot = program_path.rfind('.');
    size_t slash = program_path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return program_path + ".INI";
    return program_path.substr(0, dot + 1) + "INI";
}

std::string ser_program_path()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

static int profile_int(const char* section, const char* key, int fallback, const std::string& ini)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, ini.c_str()));
}

void ser_settings_read_file(const std::string& ini)
{
    SerSettings& s = ser_settings;
    char face[64] = "";
    GetPrivateProfileStringA("FONT", "Font", "Fixedsys", face, sizeof face, ini.c_str());
    size_t face_length = std::strlen(face);
    s.font_face = face_length > 0 && face_length <= 39 ? face : "Fixedsys";
    s.font_height = profile_int("FONT", "Height", -12, ini);
    if (s.font_height == 0 || s.font_height < -200 || s.font_height > 200)
        s.font_height = -12;
    s.font_weight = profile_int("FONT", "Bold", 400, ini);
    if (s.font_weight < 0 || s.font_weight > 1000)
        s.font_weight = 400;
    s.italic = profile_int("FONT", "Italic", 0, ini) != 0 ? 1 : 0;
    int com = profile_int("COM", "Com", 1, ini);
    s.port_index = (com >= 1 && com <= 9 ? com : 1) - 1;
    long baud = profile_int("COM", "Baudrate", 9600, ini);
    s.baud_rate = com_valid_baud(baud) ? baud : 9600;
}

static bool put(const char* section, const char* key, long value, const std::string& path)
{
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    return WritePrivateProfileStringA(section, key, text, path.c_str()) != 0;
}

// The whole file, or false when it cannot be read.
static bool read_bytes(const std::string& path, std::string* bytes)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    bytes->clear();
    char block[4096];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0)
        bytes->append(block, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool ser_settings_write(const std::function<bool(const std::string& copy)>& more)
{
    const SerSettings& s = ser_settings;
    // The profile functions write the keys into a scratch copy, whose bytes
    // then replace the file through the safe file writer: a failure half way
    // leaves the old settings whole.
    // The copy takes the file's attributes: a read-only file would give a
    // scratch copy that could neither be written nor removed.
    std::string scratch = s.ini_path + ".tmp";
    SetFileAttributesA(scratch.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(scratch.c_str());
    if (GetFileAttributesA(s.ini_path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (!CopyFileA(s.ini_path.c_str(), scratch.c_str(), FALSE))
            return false;
        SetFileAttributesA(scratch.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    bool ok = WritePrivateProfileStringA("FONT", "Font", s.font_face.c_str(), scratch.c_str()) != 0;
    ok = ok && put("FONT", "Height", s.font_height, scratch);
    ok = ok && put("FONT", "Bold", s.font_weight, scratch);
    ok = ok && put("FONT", "Italic", s.italic, scratch);
    ok = ok && put("COM", "Com", s.port_index + 1, scratch);
    ok = ok && put("COM", "Baudrate", s.baud_rate, scratch);
    if (ok && more)
        ok = more(scratch);
    // Flush the profile cache before the copy is read.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, scratch.c_str());
    std::string bytes;
    ok = ok && read_bytes(scratch, &bytes);
    DeleteFileA(scratch.c_str());
    return ok && safe_file_write_all(s.ini_path, bytes.data(), bytes.size(), true);
}

void ser_settings_check_port()
{
    char name[16];
    std::snprintf(name, sizeof name, "COM%d", ser_settings.port_index + 1);
    HANDLE port = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port != INVALID_HANDLE_VALUE) {
        CloseHandle(port);
        return;
    }
    TComDialog dialog;
    if (dialog.DoModal() != IDOK)
        report_error(-1, "Aborted...");
}
