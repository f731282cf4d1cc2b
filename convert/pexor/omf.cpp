#include "convert/pexor/omf.h"

void omf_begin(omf_record* r, int type)
{
    r->len = 3;  // type and length, filled in here and by omf_finish
    r->too_long = false;
    r->buf[0] = static_cast<uint8_t>(type);
}

void omf_byte(omf_record* r, int value)
{
    // One byte stays free for the checksum.
    if (r->len >= OMF_RECORD_MAX - 1) {
        r->too_long = true;
        return;
    }
    r->buf[r->len++] = static_cast<uint8_t>(value);
}

void omf_word(omf_record* r, unsigned value)
{
    omf_byte(r, value & 0xFF);
    omf_byte(r, (value >> 8) & 0xFF);
}

void omf_name(omf_record* r, const std::string& name)
{
    int n = name.size() > OMF_NAME_MAX ? OMF_NAME_MAX : static_cast<int>(name.size());
    omf_byte(r, n);
    for (int i = 0; i < n; i++)
        omf_byte(r, static_cast<uint8_t>(name[i]));
}

void omf_bytes(omf_record* r, const uint8_t* data, int count)
{
    for (int i = 0; i < count; i++)
        omf_byte(r, data[i]);
}

bool omf_finish(omf_record* r)
{
    if (r->too_long)
        return false;
    unsigned length = r->len - 3 + 1;
    r->buf[1] = static_cast<uint8_t>(length & 0xFF);
    r->buf[2] = static_cast<uint8_t>(length >> 8);
    unsigned sum = 0;
    for (int i = 0; i < r->len; i++)
        sum += r->buf[i];
    r->buf[r->len++] = static_cast<uint8_t>(-sum & 0xFF);
    return true;
}
