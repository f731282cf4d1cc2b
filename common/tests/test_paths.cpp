#include "test_paths.h"

std::string host_path(const std::string& build_path)
{
#ifdef _WIN32
    std::string p = build_path;
    if (!p.empty() && p[0] == '/')
        p = "Z:" + p;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
#else
    return build_path;
#endif
}
