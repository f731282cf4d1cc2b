#include "core_fixture.h"

#include "testing/kit/test_kit.h"

bool link_program(const std::string& folder, const std::string& name,
                  const std::vector<std::string>& sources, std::string* report)
{
    std::vector<std::string> objects;
    for (const std::string& source : sources) {
        if (!run_succeeds(MORRIN_PATH, {"-g", source + ".a51"}, folder, report))
            return false;
        objects.push_back(source + ".obj");
    }
    std::vector<std::string> args = {"-s", "-m", "-r$8000", "-o" + name + ".bin"};
    args.insert(args.end(), objects.begin(), objects.end());
    return run_succeeds(TESSEL_PATH, args, folder, report);
}

bool build_demo(const std::string& folder, std::string* report)
{
    for (const char* file : {"start.a51", "main.a51", "delay.a51"})
        write_file(folder + "/" + file, read_file(host_path(EXAMPLES_DIR) + "/" + file));
    return link_program(folder, "demo", {"start", "main", "delay"}, report);
}

bool build_overlaid(const std::string& folder, std::string* report)
{
    write_file(folder + "/ovl.a51",
               "; Two routines whose local data share memory: main calls both.\n"
               "        .segment code,org 0\n"
               "main:   acall   first\n"
               "        acall   second\n"
               "        sjmp    main\n"
               "first:  mov     f_local,#1\n"
               "        ret\n"
               "second: mov     s_local,#2\n"
               "        mov     s_other,#3\n"
               "        ret\n"
               "        .segment m_data,notext,fill,root,sclass dram\n"
               "        .segment f_data,notext,fill,size 2,sclass dram\n"
               "f_local: .ds.b  2\n"
               "        .segment s_data,notext,fill,size 2,sclass dram\n"
               "s_local: .ds.b  1\n"
               "s_other: .ds.b  1\n"
               "        .sgraph m_data,f_data,code,0\n"
               "        .sgraph m_data,s_data,code,0\n");
    return link_program(folder, "ovl", {"ovl"}, report);
}
