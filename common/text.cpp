#include "common/text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

std::string text_lower(const std::string& s)
{
    std::string r = s;
    for (char& c : r)
        c = text_lower_char(c);
    return r;
}

bool text_equal_nocase(const char* a, const char* b)
{
    const char* rest = text_prefix_nocase(a, b);
    return rest && *rest == '\0';
}

const char* text_prefix_nocase(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix)
        if (text_lower_char(*text) != text_lower_char(*prefix))
            return nullptr;
    return text;
}

const char* text_base_name(const char* path)
{
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            base = p + 1;
    return base;
}

// The civil date of a count of seconds since 1970 (UTC), independent of the
// C library's time zone handling. Only plain decimal digits up to the end of
// the year 9999 give a date (the calendar form has four digits for the
// year); anything else is no date and is ignored.
static bool epoch_time(const char* epoch, struct tm* out)
{
    const long long last_second = 253402300799LL;  // 9999-12-31 23:59:59
    long long v = 0;
    for (const char* p = epoch; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        v = v * 10 + (*p - '0');
        if (v > last_second)
            return false;
    }
    long long days_since = v / 86400, secs = v % 86400;
    out->tm_hour = static_cast<int>(secs / 3600);
    out->tm_min = static_cast<int>(secs / 60 % 60);
    out->tm_sec = static_cast<int>(secs % 60);
    out->tm_wday = static_cast<int>((days_since + 4) % 7);
    long long z = days_since + 719468;
    long long era = z / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long y = yoe + era * 400;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    long long d = doy - (153 * mp + 2) / 5 + 1;
    long long m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2)
        y++;
    out->tm_year = static_cast<int>(y - 1900);
    out->tm_mon = static_cast<int>(m - 1);
    out->tm_mday = static_cast<int>(d);
    return true;
}

std::string text_run_time(void)
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    struct tm tmv;
    std::memset(&tmv, 0, sizeof tmv);
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (!(epoch && *epoch && epoch_time(epoch, &tmv))) {
        std::memset(&tmv, 0, sizeof tmv);
        time_t now = std::time(nullptr);
        struct tm* lt = std::localtime(&now);
        if (lt)
            tmv = *lt;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3s %.3s%3d %.2d:%.2d:%.2d %d\n",
                  days[(tmv.tm_wday % 7 + 7) % 7], months[(tmv.tm_mon % 12 + 12) % 12],
                  tmv.tm_mday, tmv.tm_hour, tmv.tm_min, tmv.tm_sec, 1900 + tmv.tm_year);
    return buf;
}
