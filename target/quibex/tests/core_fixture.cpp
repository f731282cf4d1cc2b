#include "core_fixture.h"

#include "testing/kit/test_kit.h"

bool link_program(const std::string& folder, const std::string& name,
                  const std::vector<std::string>& sources, std::string* report)
{
    std::vector<std::string> objects;
    for (const std::string& source : sources) {
        if (!run_succeeds(MORRIN_PATH, {"-g", source + ".s51"}, folder, report))
            return false;
        objects.push_back(source + ".obj");
    }
    std::vector<std::string> args = {"-s", "-m", "-r$8000", "-o" + name + ".bin"};
    args.insert(args.end(), objects.begin(), objects.end());
    return run_succeeds(TESSEL_PATH, args, folder, report);
}

bool build_demo(const std::string& folder, std::string* report)
{
    for (const char* file : {"start.s51", "main.s51", "delay.s51"})
        write_file(folder + "/" + file, read_file(host_path(EXAMPLES_DIR) + "/" + file));
    return link_program(folder, "main", {"start", "main", "delay"}, report);
}

bool build_overlaid(const std::string& folder, std::string* report)
{
    write_file(folder + "/ovl.s51",
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

std::string long_label(const std::string& end)
{
    return "a_label_whose_name_is_longer_than_any_fixed_buffer_" + std::string(60, 'x') + "_" + end;
}

static void replace_all(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

bool build_hll(const std::string& folder, std::string* report)
{
    write_file(folder + "/hll.c", "void main(void)\n"
                                  "{\n"
                                  "    unsigned char n = 0;\n"
                                  "    for (;;) {\n"
                                  "        n++;\n"
                                  "        P1 = n;\n"
                                  "    }\n"
                                  "}\n");
    std::string source = "; A counter on port 1, its C source echoed into the listing.\n"
                         "        .segment code,org 0\n"
                         "        .line \"hll.c\" 3\n"
                         "main:   mov     r7,#0\n"
                         "        .line 5\n"
                         "loop:   inc     r7\n"
                         "        .line 6\n"
                         "        mov     90h,r7\n"
                         "        sjmp    loop\n"
                         "        .line 8\n";
    // Far enough down that the view scrolls to reach the labels.
    for (int i = 0; i < 80; i++)
        source += "; filler " + std::to_string(i) + "\n";
    source += "first_target:  nop\n"
              "        ret\n"
              "second_target: nop\n"
              "        ret\n";
    // And room below them, so that the view can place them anywhere.
    for (int i = 0; i < 40; i++)
        source += "; room " + std::to_string(i) + "\n";
    write_file(folder + "/hll.s51", source);
    if (!link_program(folder, "hll", {"hll"}, report))
        return false;
    std::string listing = read_file(folder + "/hll.lst");
    replace_all(listing, "first_target", long_label("first"));
    replace_all(listing, "second_target", long_label("second"));
    write_file(folder + "/hll.lst", listing);
    return true;
}
