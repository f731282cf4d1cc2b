#include "make/cobrel/source_touch.h"

#include "make/cobrel/wiz_paths.h"

#include "common/os.h"

#include <chrono>

int touch_file(const std::string& path)
{
    int64_t time;
    if (os_file_time(path, &time) != OS_TIME_OK)
        return -1;
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return os_set_file_time(path, static_cast<int64_t>(now.count())) ? 0 : 1;
}

int touch_sources(const make_model& model)
{
    int failures = 0;
    for (const source_entry& s : model.sources)
        if (touch_file(full_source_path(model.makefile_path, s.name)) != 0)
            ++failures;
    return failures;
}
