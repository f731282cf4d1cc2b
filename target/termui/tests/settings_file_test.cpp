// The settings file of the target tools: what is written comes back, other
// sections of the file stay, and a write that fails leaves the old file as
// it was, with no scratch copy left beside it.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "target/termui/ser_settings.h"
#include "target/termui/settings_file.h"
#include "testing/kit/test_kit.h"

namespace {

const char kOldFile[] = "[FONT]\r\nFont=Courier\r\nHeight=-16\r\n[Other]\r\nKeep=1\r\n";

class SettingsFile : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = ser_settings;
        dir_ = host_path(test_folder("settings"));
        path_ = dir_ + "\\TOOL.INI";
        ASSERT_TRUE(write_file(path_, kOldFile));
        ser_settings = SerSettings{};
        ser_settings.ini_path = path_;
    }
    void TearDown() override { ser_settings = saved_; }

    SerSettings saved_;
    std::string dir_;
    std::string path_;
};

TEST_F(SettingsFile, WrittenKeysComeBackAndOtherSectionsStay)
{
    ser_settings.font_face = "Terminal";
    ser_settings.port_index = 2;
    ser_settings.baud_rate = 19200;
    ASSERT_TRUE(ser_settings_write());
    ser_settings = SerSettings{};
    ser_settings_read_file(path_);
    EXPECT_EQ(ser_settings.font_face, "Terminal");
    EXPECT_EQ(ser_settings.port_index, 2);
    EXPECT_EQ(ser_settings.baud_rate, 19200);
    EXPECT_NE(read_file(path_).find("[Other]\r\nKeep=1"), std::string::npos) << read_file(path_);
    EXPECT_FALSE(file_exists(path_ + ".tmp"));
}

TEST_F(SettingsFile, AFailedWriteKeepsTheOldFile)
{
    ser_settings.font_face = "Terminal";
    EXPECT_FALSE(ser_settings_write([](const std::string&) { return false; }));
    EXPECT_EQ(read_file(path_), kOldFile);
    EXPECT_FALSE(file_exists(path_ + ".tmp"));
}

// A settings file the user made read-only: the scratch copy would take its
// attribute and could then never be removed, nor made again by later writes.
TEST_F(SettingsFile, AReadOnlyFileLeavesNoScratchCopyBehind)
{
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
    ser_settings.font_face = "Terminal";
    const bool written = ser_settings_write();
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(file_exists(path_ + ".tmp"));
    if (!written)
        EXPECT_EQ(read_file(path_), kOldFile);
    EXPECT_TRUE(ser_settings_write());
    EXPECT_FALSE(file_exists(path_ + ".tmp"));
}

TEST_F(SettingsFile, AFileInAFolderThatIsNotThereIsNotWritten)
{
    ser_settings.ini_path = dir_ + "\\no such folder\\TOOL.INI";
    EXPECT_FALSE(ser_settings_write());
    EXPECT_FALSE(file_exists(ser_settings.ini_path));
}

} // namespace
