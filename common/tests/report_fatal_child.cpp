#include "common/report_error.h"

#include <windows.h>

static int answer_ok(void*, const char*, const char*, unsigned)
{
    return IDOK;
}

int main()
{
    report_error_set_box_hook(answer_ok);
    report_error(-1, "port %s lost", "COM5");
    return 0; // never reached: the fatal report ends the process
}
