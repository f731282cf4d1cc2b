#include "editor/editctl/text_store.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include "editor/editctl/break_count.h"

namespace {

// Chunks are cut at this size; a chunk of its own that grows beyond twice
// the size is cut again, so an edit never moves more than that.
const int kChunk = CTextStore::kChunkSize;
static_assert(2 * kChunk <= CChunkArena::kLargest, "a chunk of its own fits an arena block");
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

std::unique_ptr<CTextStore::Flat> CTextStore::NewFlat(uint32_t capacity)
{
    size_t size = static_cast<size_t>(capacity) + kSpare;
    std::unique_ptr<Flat> f;
    try {
        f = std::make_unique<Flat>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    f->text = AllocZeroed(capacity);
    f->attr = f->text ? AllocZeroed(capacity) : nullptr;
    if (!f->text || !f->attr)
        return nullptr;
    f->size = size;
    return f;
}

// Large zeroed blocks come from the system already zero: calloc clears
// nothing it does not have to.
uint8_t* CTextStore::AllocZeroed(uint32_t capacity)
{
    size_t size = static_cast<size_t>(capacity) + kSpare;
    if (!s_alloc) {
        uint8_t* p = static_cast<uint8_t*>(std::calloc(size, 1));
#ifdef __linux__
        // A large text fills its pages in big steps, not four kilobytes at
        // a time.
        const uintptr_t huge = 2u << 20;
        if (p && size >= 4 * huge) {
            uintptr_t from = (reinterpret_cast<uintptr_t>(p) + huge - 1) & ~(huge - 1);
            uintptr_t to = (reinterpret_cast<uintptr_t>(p) + size) & ~(huge - 1);
            if (to > from)
                madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
        }
#endif
        return p;
    }
    uint8_t* p = static_cast<uint8_t*>(s_alloc(size));
    if (p)
        std::memset(p, 0, size);
    return p;
}

// Faulting the pages in by one call costs about half of what a fault on
// each page does (Wine locks with mlock). Where locking is not allowed (a
// small working set on Windows itself), the pages come one by one as
// before. Linux has the large buffers on huge pages already.
void CTextStore::Prefault(uint8_t* bytes, size_t size)
{
#ifdef _WIN32
    if (bytes && size >= (1u << 20) && VirtualLock(bytes, size))
        VirtualUnlock(bytes, size);
#else
    (void)bytes;
    (void)size;
#endif
}

void CTextStore::FreeBytes(uint8_t* bytes)
{
    std::free(bytes);
}

bool CTextStore::Adopt(uint8_t* text, uint32_t capacity, int length, const std::vector<int>& crs,
                       const std::vector<int>& softs)
{
    std::unique_ptr<Flat> f;
    try {
        f = std::make_unique<Flat>();
    } catch (const std::bad_alloc&) {
        return false;
    }
    f->attr = AllocZeroed(capacity);
    if (!f->attr)
        return false;
    std::vector<Chunk> chunks;
    try {
        chunks.resize(static_cast<size_t>((length + kChunk - 1) / kChunk));
    } catch (const std::bad_alloc&) {
        return false;
    }
    f->text = text;
    f->size = static_cast<size_t>(capacity) + kSpare;
    for (size_t k = 0; k < chunks.size(); ++k) {
        Chunk& c = chunks[k];
        c.off = static_cast<int>(k) * kChunk;
        c.len = std::min(kChunk, length - c.off);
        c.cr = k < crs.size() ? crs[k] : 0;
        c.soft = k < softs.size() ? softs[k] : 0;
        c.zeroAttr = true;
    }
    chunks_.swap(chunks);
    arena_.Clear();
    attrExposed_ = false;
    flat_ = std::move(f);
    capacity_ = capacity;
    length_ = length;
    used_ = length;
    flatCurrent_ = true;
    cutStale_ = false;
    indexStale_ = true;
    Index(); // now, as part of the load, not at the first key
    return true;
}

void CTextStore::Clear()
{
    if (!flat_)
        return;
    if (!flatCurrent_)
        Compact();
    size_t n = static_cast<size_t>(std::max(used_, length_));
    std::memset(flat_->text, 0, std::min(n + 1, flat_->size));
    std::memset(flat_->attr, 0, std::min(n + 1, flat_->size));
    FlatWritten(0);
    used_ = 0;
    cutStale_ = false;
}

int CTextStore::Span(int i, const uint8_t** text, const uint8_t** attr) const
{
    if (i < 0 || i >= length_)
        return 0;
    if (flatCurrent_) {
        if (text)
            *text = flat_->text + i;
        if (attr)
            *attr = flat_->attr + i;
        return length_ - i;
    }
    int k = Find(i);
    const Chunk& c = chunks_[static_cast<size_t>(k)];
    int in = i - lastStart_;
    if (text)
        *text = T(c) + in;
    if (attr)
        *attr = A(c) + in;
    return c.len - in;
}

bool CTextStore::Reset(uint32_t capacity)
{
    std::unique_ptr<Flat> f = NewFlat(capacity);
    if (!f)
        return false;
    chunks_.clear();
    arena_.Clear();
    flat_ = std::move(f);
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
    std::unique_ptr<Flat> f = NewFlat(capacity);
    if (!f)
        return false;
    if (flatCurrent_) {
        if (flat_) {
            // The whole old buffer: bytes written there directly go along.
            size_t n = std::min(flat_->size, f->size);
            std::memcpy(f->text, flat_->text, n);
            std::memcpy(f->attr, flat_->attr, n);
        }
    } else {
        int at = 0;
        for (Chunk& c : chunks_) {
            std::memcpy(f->text + at, T(c), static_cast<size_t>(c.len));
            std::memcpy(f->attr + at, A(c), static_cast<size_t>(c.len));
            c.off = at;
            c.own = nullptr;
            at += c.len;
        }
        arena_.Clear();
    }
    flat_ = std::move(f);
    capacity_ = capacity;
    used_ = length_;
    flatCurrent_ = true;
    return true;
}

void CTextStore::Free()
{
    chunks_.clear();
    arena_.Clear();
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
    attrExposed_ = true;
    if (!flatCurrent_)
        Compact();
    return flat_->attr;
}

void CTextStore::FlatWritten(int length)
{
    length_ = length;
    used_ = std::max(used_, length);
    chunks_.clear();
    arena_.Clear();
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
        if (ZeroAttr(c))
            std::memset(a + to, 0, static_cast<size_t>(c.len));
        else
            std::memmove(a + to, a + c.off, static_cast<size_t>(c.len));
        c.off = to;
    };
    for (size_t k = 0; k < chunks_.size(); ++k)
        if (!chunks_[k].own && dest[k] <= chunks_[k].off)
            move(chunks_[k], dest[k]);
    for (size_t k = chunks_.size(); k-- > 0;)
        if (!chunks_[k].own && dest[k] > chunks_[k].off)
            move(chunks_[k], dest[k]);
    for (size_t k = 0; k < chunks_.size(); ++k) {
        Chunk& c = chunks_[k];
        if (!c.own)
            continue;
        std::memcpy(t + dest[k], T(c), static_cast<size_t>(c.len));
        std::memcpy(a + dest[k], A(c), static_cast<size_t>(c.len));
        c.off = dest[k];
        c.own = nullptr;
    }
    arena_.Clear();
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
    const uint8_t* p = T(c);
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
    // Each node k (1-based) sums the chunks (k - lowbit(k), k]; built in
    // one pass by handing every node's sum on to its parent.
    size_t n = chunks_.size();
    tree_.assign(n + 1, Sums());
    for (size_t k = 1; k <= n; ++k) {
        const Chunk& c = chunks_[k - 1];
        tree_[k].len += c.len;
        tree_[k].cr += c.cr;
        tree_[k].soft += c.soft;
        size_t parent = k + (k & (~k + 1));
        if (parent <= n) {
            tree_[parent].len += tree_[k].len;
            tree_[parent].cr += tree_[k].cr;
            tree_[parent].soft += tree_[k].soft;
        }
    }
    indexStale_ = false;
    lastValid_ = false;
}

CTextStore::Sums CTextStore::Before(int k) const
{
    Sums s;
    for (size_t j = static_cast<size_t>(k); j > 0; j &= j - 1) {
        s.len += tree_[j].len;
        s.cr += tree_[j].cr;
        s.soft += tree_[j].soft;
    }
    return s;
}

int CTextStore::Find(int i) const
{
    Index();
    int n = static_cast<int>(chunks_.size());
    if (lastValid_ && last_ < n && lastStart_ <= i && i < lastStart_ + chunks_[static_cast<size_t>(last_)].len)
        return last_;
    // Down the tree: the last chunk whose start is at or before i.
    size_t k = 0;
    int at = 0;
    size_t step = 1;
    while (step * 2 <= static_cast<size_t>(n))
        step *= 2;
    for (; step > 0; step /= 2) {
        size_t next = k + step;
        if (next <= static_cast<size_t>(n) && at + tree_[next].len <= i) {
            k = next;
            at += tree_[next].len;
        }
    }
    // Empty chunks are passed over; the text end falls in the last chunk.
    while (static_cast<int>(k) < n - 1 && chunks_[k].len == 0)
        ++k;
    if (static_cast<int>(k) >= n) {
        k = static_cast<size_t>(n - 1);
        at = Start(n - 1);
    }
    last_ = static_cast<int>(k);
    lastStart_ = at;
    lastValid_ = true;
    return last_;
}

// Chunk k grew by bytes and gained cr CRs and soft soft breaks: the nodes
// above it in the tree follow.
void CTextStore::Shift(size_t k, int bytes, int cr, int soft)
{
    if (indexStale_)
        return;
    for (size_t j = k + 1; j < tree_.size(); j += j & (~j + 1)) {
        tree_[j].len += bytes;
        tree_[j].cr += cr;
        tree_[j].soft += soft;
    }
    if (lastValid_ && static_cast<int>(k) < last_)
        lastStart_ += bytes;
}

uint8_t CTextStore::At(int i) const
{
    if (i < 0 || i >= length_)
        return 0;
    if (flatCurrent_)
        return flat_->text[i];
    int k = Find(i);
    return T(chunks_[k])[i - lastStart_];
}

uint8_t CTextStore::AttrAt(int i) const
{
    if (i < 0 || i >= length_)
        return 0;
    if (flatCurrent_)
        return flat_->attr[i];
    int k = Find(i);
    return A(chunks_[k])[i - lastStart_];
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
    uint8_t& slot = T(c)[i - lastStart_];
    int cr = (b == 13) - (slot == 13);
    int soft = (b == 2) - (slot == 2);
    c.cr += cr;
    c.soft += soft;
    slot = b;
    Shift(static_cast<size_t>(k), 0, cr, soft);
}

void CTextStore::SetAttrAt(int i, uint8_t a)
{
    if (i < 0 || i >= length_)
        return;
    if (flatCurrent_ && cutStale_) {
        flat_->attr[i] = a;
        return;
    }
    int k = Find(i);
    chunks_[k].zeroAttr = false;
    A(chunks_[k])[i - lastStart_] = a;
}

void CTextStore::CopyOut(int from, int to, uint8_t* text, uint8_t* attr) const
{
    from = std::max(0, from);
    to = std::min(to, length_);
    if (to <= from)
        return;
    if (flatCurrent_ && (cutStale_ || !attr)) {
        if (text)
            std::memcpy(text, flat_->text + from, static_cast<size_t>(to - from));
        if (attr)
            std::memcpy(attr, flat_->attr + from, static_cast<size_t>(to - from));
        return;
    }
    int k = Find(from);
    int out = 0;
    int in = from - lastStart_;
    for (int pos = from; pos < to; ++k, in = 0) {
        const Chunk& c = chunks_[k];
        int n = std::min(c.len - in, to - pos);
        if (text)
            std::memcpy(text + out, T(c) + in, static_cast<size_t>(n));
        if (attr && ZeroAttr(c))
            std::memset(attr + out, 0, static_cast<size_t>(n));
        else if (attr)
            std::memcpy(attr + out, A(c) + in, static_cast<size_t>(n));
        out += n;
        pos += n;
    }
}

void CTextStore::AttrsWritten(int from, int to)
{
    if (to <= from || (flatCurrent_ && cutStale_))
        return;
    for (int k = Find(from), at = lastStart_; at < to && k < static_cast<int>(chunks_.size()); ++k) {
        chunks_[static_cast<size_t>(k)].zeroAttr = false;
        at += chunks_[static_cast<size_t>(k)].len;
    }
}

void CTextStore::SetAttrs(int from, int to, const uint8_t* attr)
{
    from = std::max(0, from);
    to = std::min(to, length_);
    AttrsWritten(from, to);
    for (int at = from; at < to;) {
        const uint8_t* a = nullptr;
        int n = std::min(Span(at, nullptr, &a), to - at);
        std::memcpy(const_cast<uint8_t*>(a), attr + (at - from), static_cast<size_t>(n));
        at += n;
    }
}

void CTextStore::FillAttrs(int from, int to, uint8_t value)
{
    from = std::max(0, from);
    to = std::min(to, length_);
    AttrsWritten(from, to);
    for (int at = from; at < to;) {
        const uint8_t* a = nullptr;
        int n = std::min(Span(at, nullptr, &a), to - at);
        std::memset(const_cast<uint8_t*>(a), value, static_cast<size_t>(n));
        at += n;
    }
}

void CTextStore::Own(Chunk& c, int room)
{
    int need = c.len + room;
    if (c.own && c.cap >= need)
        return;
    // Room for typing too: the first edit at a place is seldom the last.
    int cap = CChunkArena::CapacityFor(std::min(need + kChunk / 2, CChunkArena::kLargest));
    uint8_t* block = arena_.Take(cap);
    if (c.len > 0) {
        std::memcpy(block, T(c), static_cast<size_t>(c.len));
        if (ZeroAttr(c))
            std::memset(block + cap, 0, static_cast<size_t>(c.len));
        else
            std::memcpy(block + cap, A(c), static_cast<size_t>(c.len));
    }
    Drop(c);
    c.off = 0;
    c.own = block;
    c.cap = cap;
    c.zeroAttr = false;
}

void CTextStore::Drop(Chunk& c)
{
    if (c.own)
        arena_.Give(c.own, c.cap);
    c.own = nullptr;
    c.cap = 0;
}

namespace {

// Removes n bytes at pos from a chunk's own text and attributes.
void erase_own(uint8_t* text, uint8_t* attr, int len, int pos, int n)
{
    size_t tail = static_cast<size_t>(len - pos - n);
    std::memmove(text + pos, text + pos + n, tail);
    std::memmove(attr + pos, attr + pos + n, tail);
}

} // namespace

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
        int pos = start - lastStart_;
        int remaining = end - start;
        Chunk& first = chunks_[k];
        if (pos + remaining < first.len) {
            // Inside one chunk that keeps bytes: its nodes follow.
            const uint8_t* p = T(first) + pos;
            int cr = count_byte(p, remaining, 13), soft = count_byte(p, remaining, 2);
            first.cr -= cr;
            first.soft -= soft;
            if (!first.own && pos == 0) {
                first.off += remaining;
            } else if (!(!first.own && pos + remaining == first.len)) {
                Own(first, 0);
                erase_own(T(first), A(first), first.len, pos, remaining);
            }
            first.len -= remaining;
            length_ -= remaining;
            Shift(static_cast<size_t>(k), -remaining, -cr, -soft);
            remaining = 0;
        }
        // Across chunks: each keeps its nodes up to date; only a chunk that
        // went whole makes the tree be built again.
        bool emptied = false;
        int removed = remaining;
        while (remaining > 0) {
            Chunk& c = chunks_[k];
            int take = std::min(remaining, c.len - pos);
            const uint8_t* p = T(c) + pos;
            int cr = count_byte(p, take, 13), soft = count_byte(p, take, 2);
            c.cr -= cr;
            c.soft -= soft;
            if (take == c.len) {
                c.len = 0;
                emptied = true;
            } else if (!c.own && pos == 0) {
                c.off += take;
                c.len -= take;
            } else if (!c.own && pos + take == c.len) {
                c.len -= take;
            } else {
                Own(c, 0);
                erase_own(T(c), A(c), c.len, pos, take);
                c.len -= take;
            }
            if (!emptied)
                Shift(static_cast<size_t>(k), -take, -cr, -soft);
            remaining -= take;
            ++k;
            pos = 0;
        }
        length_ -= removed;
        if (emptied) {
            for (Chunk& c : chunks_)
                if (c.len == 0)
                    Drop(c);
            chunks_.erase(std::remove_if(chunks_.begin(), chunks_.end(), [](const Chunk& c) { return c.len == 0; }),
                          chunks_.end());
            indexStale_ = true;
            Index();
        }
    }

    if (n > 0) {
        size_t k;
        int pos;
        if (chunks_.empty()) {
            chunks_.emplace_back();
            indexStale_ = true;
            k = 0;
            pos = 0;
        } else if (start >= length_) {
            k = chunks_.size() - 1;
            pos = chunks_[k].len;
        } else {
            k = static_cast<size_t>(Find(start));
            pos = start - lastStart_;
            // At a chunk's start, a previous chunk of its own takes the
            // bytes at its end: typing at one place fills one chunk.
            if (pos == 0 && k > 0 && chunks_[k - 1].own) {
                --k;
                pos = chunks_[k].len;
            }
        }
        Chunk& c = chunks_[k];
        int cr = count_byte(text, n, 13), soft = count_byte(text, n, 2);
        if (c.len + n <= 2 * kChunk) {
            Own(c, n);
            uint8_t* t = T(c);
            uint8_t* a = A(c);
            size_t tail = static_cast<size_t>(c.len - pos);
            std::memmove(t + pos + n, t + pos, tail);
            std::memmove(a + pos + n, a + pos, tail);
            std::memcpy(t + pos, text, static_cast<size_t>(n));
            if (attr)
                std::memcpy(a + pos, attr, static_cast<size_t>(n));
            else
                std::memset(a + pos, 0, static_cast<size_t>(n));
            c.len += n;
            c.cr += cr;
            c.soft += soft;
            length_ += n;
            Shift(k, n, cr, soft);
        } else {
            // The chunk with the bytes in it, cut into chunks of the usual
            // size; nothing changes until all of them have their bytes.
            int total = c.len + n;
            std::vector<uint8_t> t(static_cast<size_t>(total)), a(static_cast<size_t>(total));
            if (c.len > 0) {
                std::memcpy(t.data(), T(c), static_cast<size_t>(pos));
                std::memcpy(a.data(), A(c), static_cast<size_t>(pos));
                std::memcpy(t.data() + pos + n, T(c) + pos, static_cast<size_t>(c.len - pos));
                std::memcpy(a.data() + pos + n, A(c) + pos, static_cast<size_t>(c.len - pos));
            }
            std::memcpy(t.data() + pos, text, static_cast<size_t>(n));
            if (attr)
                std::memcpy(a.data() + pos, attr, static_cast<size_t>(n));
            std::vector<Chunk> pieces;
            pieces.reserve(static_cast<size_t>((total + kChunk - 1) / kChunk));
            chunks_.reserve(chunks_.size() + pieces.capacity());
            for (int at = 0; at < total; at += kChunk) {
                Chunk piece;
                int len = std::min(kChunk, total - at);
                Own(piece, len);
                piece.len = len;
                std::memcpy(T(piece), t.data() + at, static_cast<size_t>(piece.len));
                std::memcpy(A(piece), a.data() + at, static_cast<size_t>(piece.len));
                Recount(piece);
                pieces.push_back(piece);
            }
            Drop(chunks_[k]); // c may have moved with the reserve
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(k));
            chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(k), pieces.begin(), pieces.end());
            length_ += n;
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
    int sf = lastStart_;
    int kt = Find(to - 1);
    int st = lastStart_;
    auto part = [&](int k, int start, int a, int b) {
        const Chunk& c = chunks_[k];
        return break_count::count(T(c), a - start, b - start, wrap);
    };
    if (kf == kt)
        return part(kf, sf, from, to);
    // Totals from the start of chunk kf to the start of chunk kt, less what
    // lies before from in kf (or the rest of kf, whichever is shorter to
    // count), plus the head of kt.
    Sums bf = Before(kf), bt = Before(kt);
    int n = bt.cr - bf.cr + (wrap ? bt.soft - bf.soft : 0);
    int ef = sf + chunks_[kf].len, et = st + chunks_[kt].len;
    if (from - sf <= ef - from)
        n -= part(kf, sf, sf, from);
    else
        n += part(kf, sf, from, ef) - (chunks_[kf].cr + (wrap ? chunks_[kf].soft : 0));
    if (to - st <= et - to)
        return n + part(kt, st, st, to);
    return n + (chunks_[kt].cr + (wrap ? chunks_[kt].soft : 0)) - part(kt, st, to, et);
}

int CTextStore::AfterNthBreak(int n, bool wrap, int* found) const
{
    if (flatCurrent_ && cutStale_)
        return break_count::after_nth(flat_->text, 0, length_, n, wrap, found);
    Index();
    size_t chunks = chunks_.size();
    auto breaks = [&](const Sums& x) { return x.cr + (wrap ? x.soft : 0); };
    int total = chunks == 0 ? 0 : breaks(Before(static_cast<int>(chunks)));
    if (total < n) {
        *found = total;
        return -1;
    }
    // Down the tree: the chunk in which the n-th break lies is the one
    // behind the most chunks whose breaks are fewer than n.
    size_t k = 0;
    Sums at;
    size_t step = 1;
    while (step * 2 <= chunks)
        step *= 2;
    for (; step > 0; step /= 2) {
        size_t next = k + step;
        if (next <= chunks && breaks(at) + breaks(tree_[next]) < n) {
            k = next;
            at.len += tree_[next].len;
            at.cr += tree_[next].cr;
            at.soft += tree_[next].soft;
        }
    }
    const Chunk& c = chunks_[k];
    int inChunk = 0;
    int r = break_count::after_nth(T(c), 0, c.len, n - breaks(at), wrap, &inChunk);
    *found = breaks(at) + inChunk;
    return r < 0 ? -1 : at.len + r;
}
