#include "common/disk_name.h"

#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#ifndef _WIN32
// On a file system that minds case: each part of a written name matches
// the folder's entry whatever its case, '\' separates folders like '/', and
// an output keeps its own name as written.
TEST(DiskName, NamesMatchTheDiskWhateverTheirCaseAndOutputsKeepTheirOwn)
{
    const std::string root = test_folder("names");
    fresh_dir(root + "/Src");
    write_file(root + "/Src/Main.A51", "x");
    disk_names_forget();
    struct {
        std::string written, path, output, existing;
    } cases[] = {
        {"/src\\MAIN.a51", "/Src/Main.A51", "/Src/MAIN.a51", "/Src/Main.A51"},
        {"/Src/Main.A51", "/Src/Main.A51", "/Src/Main.A51", "/Src/Main.A51"},
        {"/SRC/new.obj", "/Src/new.obj", "/Src/new.obj", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(disk_path(root + c.written), root + c.path) << c.written;
        EXPECT_EQ(disk_output_path(root + c.written), root + c.output) << c.written;
        EXPECT_EQ(disk_existing(root + c.written), c.existing.empty() ? "" : root + c.existing) << c.written;
    }
}
#endif
