#include "editor/editctl/text_store.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "editor/editctl/break_count.h"

namespace {

// Chunks are cut at this size; a chunk of its own that grows beyond twice
// the size is cut again, so an edit never moves more than that.
const int kChunk = 16 * 1024;
const uint32_t kSpare = kSpareBytes;

TextAllocFn s_alloc = nullptr;

int count_byte(const uint8_t* p, int n, uint8_t b)
{
    int k = 0;
    for (int i = 0; i < n; ++i)
        k += p[i] == b;
    return k;
}

} // namespace

void SetTextStoreAllocator(TextAllocFn fn)
{
    s_alloc = fn;
}

CTextStore::Flat::~Flat()
{
    std::free(text);
    std::free(attr);
}

std::shared_ptr<CTextStore::Flat> CTextStore::NewFlat(uint32_t capacity)
{
    size_t size = static_cast<size_t>(capacity) + kSpare;
    std::shared_ptr<Flat> f;
    try {
        f = std::make_shared<Flat>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    f->text = static_cast<uint8_t*>(s_alloc ? s_alloc(size) : std::malloc(size));
    f->attr = f->text ? static_cast<uint8_t*>(s_alloc ? s_alloc(size) : std::malloc(size)) : nullptr;
    if (!f->text || !f->attr)
        return nullptr;
    std::memset(f->text, 0, size);
    std::memset(f->attr, 0, size);
    f->size = size;
    return f;
}

bool CTextStore::Reset(uint32_t capacity)
{
    std::shared_ptr<Flat> f = NewFlat(capacity);
    if (!f)
        return false;
    chunks_.clear();
    flat_ = f;
    capacity_ = capacity;
    length_ = 0;
    used_ = 0;
    flatCurrent_ = true;
    cutStale_ = false;
    indexStale_ = true;
    return true;
}

bool CTextStore::Grow(uint32_t capacity)
{
    std::shared_ptr<Flat> f = NewFlat(capacity);
    if (!f)
        return false;
    if (flatCurrent_) {
        if (flat_) {
            // The whole old buffer: bytes written there directly go along.
            size_t n = std::min(flat_->size, f->size);
            std::memcpy(f->text, flat_->text, n);
            std::memcpy(f->attr, flat_->attr, n);
        }
        for (Chunk& c : chunks_)
            c.base = f; // views keep their offsets
    } else {
        int at = 0;
        for (Chunk& c : chunks_) {
            std::memcpy(f->text + at, c.T(), static_cast<size_t>(c.len));
            std::memcpy(f->attr + at, c.A(), static_cast<size_t>(c.len));
            c.base = f;
            c.off = at;
            std::vector<uint8_t>().swap(c.text);
            std::vector<uint8_t>().swap(c.attr);
            at += c.len;
        }
    }
    flat_ = f;
    capacity_ = capacity;
    used_ = length_;
    flatCurrent_ = true;
    return true;
}

void CTextStore::Free()
{
    chunks_.clear();
    flat_.reset();
    capacity_ = 0;
    length_ = 0;
    used_ = 0;
    flatCurrent_ = true;
    cutStale_ = false;
    indexStale_ = true;
}

uint8_t* CTextStore::FlatText()
{
    if (!flat_)
        return nullptr;
    if (!flatCurrent_)
        Compact();
    return flat_->text;
}

uint8_t* CTextStore::FlatAttr()
{
    if (!flat_)
        return nullptr;
    if (!flatCurrent_)
        Compact();
    return flat_->attr;
}

void CTextStore::FlatWritten(int length)
{
    length_ = length;
    used_ = std::max(used_, length);
    chunks_.clear();
    flatCurrent_ = true;
    cutStale_ = true;
    indexStale_ = true;
}

// Every chunk to its place in the flat buffer, without a second buffer:
// views that move down go first, front to back; views that move up then,
// back to front; chunks with bytes of their own last. No move overwrites
// bytes that a later move still reads, because the chunks keep their order.
void CTextStore::Compact()
{
    std::vector<int> dest(chunks_.size());
    int at = 0;
    for (size_t k = 0; k < chunks_.size(); ++k) {
        dest[k] = at;
        at += chunks_[k].len;
    }
    uint8_t* t = flat_->text;
    uint8_t* a = flat_->attr;
    auto move = [&](Chunk& c, int to) {
        std::memmove(t + to, t + c.off, static_cast<size_t>(c.len));
        std::memmove(a + to, a + c.off, static_cast<size_t>(c.len));
        c.off = to;
    };
    for (size_t k = 0; k < chunks_.size(); ++k)
        if (chunks_[k].base && dest[k] <= chunks_[k].off)
            move(chunks_[k], dest[k]);
    for (size_t k = chunks_.size(); k-- > 0;)
        if (chunks_[k].base && dest[k] > chunks_[k].off)
            move(chunks_[k], dest[k]);
    for (size_t k = 0; k < chunks_.size(); ++k) {
        Chunk& c = chunks_[k];
        if (c.base)
            continue;
        std::memcpy(t + dest[k], c.text.data(), static_cast<size_t>(c.len));
        std::memcpy(a + dest[k], c.attr.data(), static_cast<size_t>(c.len));
        c.base = flat_;
        c.off = dest[k];
        std::vector<uint8_t>().swap(c.text);
        std::vector<uint8_t>().swap(c.attr);
    }
    if (used_ > length_) {
        std::memset(t + length_, 0, static_cast<size_t>(used_ - length_));
        std::memset(a + length_, 0, static_cast<size_t>(used_ - length_));
    }
    // The byte behind the text is always 0.
    t[length_] = 0;
    a[length_] = 0;
    used_ = length_;
    flatCurrent_ = true;
}

void CTextStore::Recount(Chunk& c) const
{
    const uint8_t* p = c.T();
    int cr = 0, soft = 0, i = 0;
    for (; i + 8 <= c.len; i += 8) {
        uint64_t w = break_count::load8(p + i);
        cr += break_count::zero_bytes(w ^ 0x0D0D0D0D0D0D0D0DULL);
        soft += break_count::zero_bytes(w ^ 0x0202020202020202ULL);
    }
    for (; i < c.len; ++i) {
        cr += p[i] == 13;
        soft += p[i] == 2;
    }
    c.cr = cr;
    c.soft = soft;
}

void CTextStore::Cut() const
{
    if (!cutStale_)
        return;
    chunks_.clear();
    for (int at = 0; at < length_; at += kChunk) {
        Chunk c;
        c.base = flat_;
        c.off = at;
        c.len = std::min(kChunk, length_ - at);
        Recount(c);
        chunks_.push_back(std::move(c));
    }
    cutStale_ = false;
    indexStale_ = true;
}

void CTextStore::Index() const
{
    Cut();
    if (!indexStale_)
        return;
    size_t n = chunks_.size();
    starts_.resize(n + 1);
    crBefore_.resize(n + 1);
    softBefore_.resize(n + 1);
    int at = 0, cr = 0, soft = 0;
    for (size_t k = 0; k < n; ++k) {
        starts_[k] = at;
        crBefore_[k] = cr;
        softBefore_[k] = soft;
        at += chunks_[k].len;
        cr += chunks_[k].cr;
        soft += chunks_[k].soft;
    }
    starts_[n] = at;
    crBefore_[n] = cr;
    softBefore_[n] = soft;
    indexStale_ = false;
    if (last_ >= static_cast<int>(n))
        last_ = 0;
}

int CTextStore::Find(int i) const
{
    Index();
    int n = static_cast<int>(chunks_.size());
    if (last_ < n && starts_[last_] <= i && i < starts_[last_ + 1])
        return last_;
    int k = static_cast<int>(std::upper_bound(starts_.begin(), starts_.end(), i) - starts_.begin()) - 1;
    k = std::max(0, std::min(k, n - 1));
    last_ = k;
    return k;
}

// Chunks behind k moved by a bytes and gained cr CRs and soft soft breaks:
// the index follows without being built again.
void CTextStore::Shift(size_t k, int bytes, int cr, int soft)
{
    for (size_t j = k + 1; j < starts_.size(); ++j) {
        starts_[j] += bytes;
        crBefore_[j] += cr;
        softBefore_[j] += soft;
    }
}

uint8_t CTextStore::At(int i) const
{
    if (i < 0 || i >= length_)
        return 0;
    if (flatCurrent_)
        return flat_->text[i];
    int k = Find(i);
    return chunks_[k].T()[i - starts_[k]];
}

uint8_t CTextStore::AttrAt(int i) const
{
    if (i < 0 || i >= length_)
        return 0;
    if (flatCurrent_)
        return flat_->attr[i];
    int k = Find(i);
    return chunks_[k].A()[i - starts_[k]];
}

void CTextStore::SetAt(int i, uint8_t b)
{
    if (i < 0 || i >= length_)
        return;
    if (flatCurrent_ && cutStale_) {
        flat_->text[i] = b;
        return;
    }
    int k = Find(i);
    Chunk& c = chunks_[k];
    uint8_t& slot = c.T()[i - starts_[k]];
    c.cr += (b == 13) - (slot == 13);
    c.soft += (b == 2) - (slot == 2);
    slot = b;
    indexStale_ = true;
}

void CTextStore::SetAttrAt(int i, uint8_t a)
{
    if (i < 0 || i >= length_)
        return;
    if (flatCurrent_) {
        flat_->attr[i] = a;
        return;
    }
    int k = Find(i);
    chunks_[k].A()[i - starts_[k]] = a;
}

void CTextStore::CopyOut(int from, int to, uint8_t* text, uint8_t* attr) const
{
    from = std::max(0, from);
    to = std::min(to, length_);
    if (to <= from)
        return;
    if (flatCurrent_) {
        if (text)
            std::memcpy(text, flat_->text + from, static_cast<size_t>(to - from));
        if (attr)
            std::memcpy(attr, flat_->attr + from, static_cast<size_t>(to - from));
        return;
    }
    int k = Find(from);
    int out = 0;
    for (int pos = from; pos < to; ++k) {
        const Chunk& c = chunks_[k];
        int in = pos - starts_[k];
        int n = std::min(c.len - in, to - pos);
        if (text)
            std::memcpy(text + out, c.T() + in, static_cast<size_t>(n));
        if (attr)
            std::memcpy(attr + out, c.A() + in, static_cast<size_t>(n));
        out += n;
        pos += n;
    }
}

void CTextStore::Own(Chunk& c)
{
    if (!c.base)
        return;
    const uint8_t* t = c.T();
    const uint8_t* a = c.A();
    std::vector<uint8_t> text(t, t + c.len), attr(a, a + c.len);
    text.reserve(static_cast<size_t>(c.len) + 256);
    attr.reserve(static_cast<size_t>(c.len) + 256);
    c.text.swap(text);
    c.attr.swap(attr);
    c.base.reset();
    c.off = 0;
}

void CTextStore::Replace(int start, int end, const uint8_t* text, const uint8_t* attr, int n)
{
    start = std::max(0, std::min(start, length_));
    end = std::max(start, std::min(end, length_));
    if (end == start && n == 0)
        return;
    Index();

    // The removed range: whole chunks go, views shrink at either end, a
    // cut inside a chunk needs bytes of its own.
    if (end > start) {
        int k = Find(start);
        int pos = start - starts_[k];
        int remaining = end - start;
        Chunk& first = chunks_[k];
        if (pos + remaining < first.len) {
            // Inside one chunk that keeps bytes: the index shifts.
            const uint8_t* p = first.T() + pos;
            int cr = count_byte(p, remaining, 13), soft = count_byte(p, remaining, 2);
            first.cr -= cr;
            first.soft -= soft;
            if (first.base && pos == 0) {
                first.off += remaining;
            } else if (!(first.base && pos + remaining == first.len)) {
                Own(first);
                first.text.erase(first.text.begin() + pos, first.text.begin() + pos + remaining);
                first.attr.erase(first.attr.begin() + pos, first.attr.begin() + pos + remaining);
            }
            first.len -= remaining;
            length_ -= remaining;
            Shift(static_cast<size_t>(k), -remaining, -cr, -soft);
            remaining = 0;
        }
        bool multi = remaining > 0;
        while (remaining > 0) {
            Chunk& c = chunks_[k];
            int take = std::min(remaining, c.len - pos);
            const uint8_t* p = c.T() + pos;
            c.cr -= count_byte(p, take, 13);
            c.soft -= count_byte(p, take, 2);
            if (take == c.len) {
                c.len = 0;
            } else if (c.base && pos == 0) {
                c.off += take;
                c.len -= take;
            } else if (c.base && pos + take == c.len) {
                c.len -= take;
            } else {
                Own(c);
                c.text.erase(c.text.begin() + pos, c.text.begin() + pos + take);
                c.attr.erase(c.attr.begin() + pos, c.attr.begin() + pos + take);
                c.len -= take;
            }
            remaining -= take;
            ++k;
            pos = 0;
        }
        if (multi) {
            chunks_.erase(std::remove_if(chunks_.begin(), chunks_.end(), [](const Chunk& c) { return c.len == 0; }),
                          chunks_.end());
            length_ -= end - start;
            indexStale_ = true;
            Index();
        }
    }

    if (n > 0) {
        size_t k;
        int pos;
        if (chunks_.empty()) {
            chunks_.emplace_back();
            k = 0;
            pos = 0;
        } else if (start >= length_) {
            k = chunks_.size() - 1;
            pos = chunks_[k].len;
        } else {
            k = static_cast<size_t>(Find(start));
            pos = start - starts_[k];
            // At a chunk's start, a previous chunk of its own takes the
            // bytes at its end: typing at one place fills one chunk.
            if (pos == 0 && k > 0 && !chunks_[k - 1].base) {
                --k;
                pos = chunks_[k].len;
            }
        }
        Chunk& c = chunks_[k];
        Own(c);
        c.text.insert(c.text.begin() + pos, text, text + n);
        if (attr)
            c.attr.insert(c.attr.begin() + pos, attr, attr + n);
        else
            c.attr.insert(c.attr.begin() + pos, static_cast<size_t>(n), 0);
        int cr = count_byte(text, n, 13), soft = count_byte(text, n, 2);
        c.len += n;
        c.cr += cr;
        c.soft += soft;
        length_ += n;
        if (c.len <= 2 * kChunk && !indexStale_ && starts_.size() == chunks_.size() + 1)
            Shift(k, n, cr, soft);
        else
            indexStale_ = true;
        if (c.len > 2 * kChunk) {
            // Cut into chunks of the usual size.
            Chunk big = std::move(c);
            std::vector<Chunk> pieces;
            for (int at = 0; at < big.len; at += kChunk) {
                Chunk piece;
                int len = std::min(kChunk, big.len - at);
                piece.text.assign(big.text.begin() + at, big.text.begin() + at + len);
                piece.attr.assign(big.attr.begin() + at, big.attr.begin() + at + len);
                piece.len = len;
                Recount(piece);
                pieces.push_back(std::move(piece));
            }
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(k));
            chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(k),
                           std::make_move_iterator(pieces.begin()), std::make_move_iterator(pieces.end()));
            indexStale_ = true;
        }
    }
    flatCurrent_ = false;
}

int CTextStore::CountBreaks(int from, int to, bool wrap) const
{
    from = std::max(0, from);
    to = std::min(to, length_);
    if (to <= from)
        return 0;
    if (flatCurrent_ && (cutStale_ || to - from <= 4 * kChunk))
        return break_count::count(flat_->text, from, to, wrap);
    Index();
    int kf = Find(from);
    int kt = Find(to - 1);
    auto part = [&](int k, int a, int b) {
        const Chunk& c = chunks_[k];
        return break_count::count(c.T(), a - starts_[k], b - starts_[k], wrap);
    };
    if (kf == kt)
        return part(kf, from, to);
    // Totals from the start of chunk kf to the start of chunk kt, less what
    // lies before from in kf (or the rest of kf, whichever is shorter to
    // count), plus the head of kt.
    int n = crBefore_[kt] - crBefore_[kf] + (wrap ? softBefore_[kt] - softBefore_[kf] : 0);
    if (from - starts_[kf] <= starts_[kf + 1] - from)
        n -= part(kf, starts_[kf], from);
    else
        n += part(kf, from, starts_[kf + 1]) - (chunks_[kf].cr + (wrap ? chunks_[kf].soft : 0));
    if (to - starts_[kt] <= starts_[kt + 1] - to)
        return n + part(kt, starts_[kt], to);
    return n + (chunks_[kt].cr + (wrap ? chunks_[kt].soft : 0)) - part(kt, to, starts_[kt + 1]);
}

int CTextStore::AfterNthBreak(int n, bool wrap, int* found) const
{
    if (flatCurrent_ && cutStale_)
        return break_count::after_nth(flat_->text, 0, length_, n, wrap, found);
    Index();
    int chunks = static_cast<int>(chunks_.size());
    auto before = [&](int k) { return crBefore_[k] + (wrap ? softBefore_[k] : 0); };
    if (chunks == 0 || before(chunks) < n) {
        *found = chunks == 0 ? 0 : before(chunks);
        return -1;
    }
    // The chunk in which the n-th break lies: the last whose breaks before
    // it are fewer than n.
    int lo = 0, hi = chunks - 1;
    while (lo < hi) {
        int mid = (lo + hi + 1) / 2;
        if (before(mid) < n)
            lo = mid;
        else
            hi = mid - 1;
    }
    const Chunk& c = chunks_[lo];
    int inChunk = 0;
    int at = break_count::after_nth(c.T(), 0, c.len, n - before(lo), wrap, &inChunk);
    *found = before(lo) + inChunk;
    return at < 0 ? -1 : starts_[lo] + at;
}
