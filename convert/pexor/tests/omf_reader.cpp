#include "convert/pexor/tests/omf_reader.h"

bool omf_read(const std::string& bytes, std::vector<omf_rec>* records, std::string* why)
{
    records->clear();
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < 4) {
            *why = "truncated record frame at " + std::to_string(pos);
            return false;
        }
        omf_rec r;
        r.type = static_cast<uint8_t>(bytes[pos]);
        r.length = static_cast<uint8_t>(bytes[pos + 1]) | static_cast<uint8_t>(bytes[pos + 2]) << 8;
        if (r.length < 1 || pos + 3 + r.length > bytes.size()) {
            *why = "record at " + std::to_string(pos) + " runs past the end";
            return false;
        }
        unsigned sum = 0;
        for (size_t i = pos; i < pos + 3 + r.length; i++)
            sum += static_cast<uint8_t>(bytes[i]);
        r.checksum_ok = (sum & 0xFF) == 0;
        r.content.assign(bytes.begin() + pos + 3, bytes.begin() + pos + 3 + r.length - 1);
        records->push_back(r);
        pos += 3 + r.length;
    }
    return true;
}

std::string omf_read_name(const omf_rec& r, size_t* pos)
{
    if (*pos >= r.content.size())
        return "<missing name>";
    size_t n = r.content[*pos];
    if (*pos + 1 + n > r.content.size())
        return "<name runs past record>";
    std::string name(r.content.begin() + *pos + 1, r.content.begin() + *pos + 1 + n);
    *pos += 1 + n;
    return name;
}

unsigned omf_read_word(const omf_rec& r, size_t* pos)
{
    if (*pos + 2 > r.content.size()) {
        *pos = r.content.size() + 1;
        return 0xFFFFFFFF;
    }
    unsigned w = r.content[*pos] | r.content[*pos + 1] << 8;
    *pos += 2;
    return w;
}
