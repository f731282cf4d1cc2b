#include "editor/symbols/symbol_hits.h"

#include <cstring>

int AppendSymbolHits(const CSymbolMap& map, const std::string& key, CSymbolHitLists& out)
{
    const CSymbolList* list = map.Lookup(key);
    if (!list || list->empty())
        return 0;
    std::vector<CSymbolHit> copies;
    copies.reserve(list->size());
    for (const auto& record : *list) {
        CSymbolHit hit;
        hit.text = record->text;
        hit.firstLine = record->firstLine;
        hit.lastLine = record->lastLine;
        hit.kind = record->kind;
        hit.document = record->document;
        hit.file = record->file;
        hit.className = record->className;
        hit.name = record->name;
        if (const CSymbolInfo* owner = record->owner) {
            hit.hasOwner = true;
            hit.ownerText = owner->text;
            hit.ownerFirstLine = owner->firstLine;
            hit.ownerLastLine = owner->lastLine;
            hit.ownerFile = owner->file;
        }
        copies.push_back(std::move(hit));
    }
    out.push_back(std::move(copies));
    return static_cast<int>(list->size());
}

namespace {

bool OwnerHolds(const CSymbolHit& hit, int line)
{
    return hit.ownerFirstLine <= line && line <= hit.ownerLastLine;
}

// "local NAME in OWNER, ", "local in OWNER" or "global NAME".
std::string VariableTip(const CSymbolHit& hit, const std::string& word)
{
    if (hit.hasOwner) {
        if (hit.name)
            return "local " + *hit.name + " in " + hit.ownerText + ", ";
        return "local in " + hit.ownerText;
    }
    return "global " + (hit.name ? *hit.name : word);
}

// Visits the variable records: one without owner or whose owner holds the
// line sets the tip; a local one ends the visit. Records that are not
// variables go to `other`.
template <class Other>
void VisitRecords(const CSymbolHitLists& hits, const std::string& word, int line, std::string& tip, Other other)
{
    for (const auto& list : hits) {
        for (const CSymbolHit& hit : list) {
            if (hit.kind == kKindVariable) {
                if (!hit.hasOwner || OwnerHolds(hit, line)) {
                    tip = VariableTip(hit, word);
                    if (hit.hasOwner)
                        return;
                }
                continue;
            }
            other(hit);
        }
    }
}

std::string TagLine(const CSymbolHit& hit, const std::string& word)
{
    const std::string file = hit.file ? *hit.file : std::string();
    const std::string name = hit.name ? *hit.name : word;
    std::string line = file + "(" + std::to_string(hit.firstLine + 1) + "): ";
    if (hit.className)
        return line + *hit.className + "::" + name + " ";
    return line + name;
}

} // namespace

IdentifierTip BuildIdentifierTip(const std::string& word, int wordLine, const CSymbolHitLists& hits,
                                 bool outputBarVisible)
{
    IdentifierTip tip;
    size_t count = 0;
    for (const auto& list : hits)
        count += list.size();
    if (count == 0)
        return tip;
    if (count == 1) {
        const CSymbolHit* hit = nullptr;
        for (const auto& list : hits)
            if (!list.empty() && !hit)
                hit = &list.front();
        if (hit->kind == kKindVariable)
            tip.text = VariableTip(*hit, word);
        else
            tip.text = hit->name ? *hit->name : word;
        return tip;
    }
    if (outputBarVisible) {
        tip.text = "multiple occurences found for \"" + word + "\" -> output window";
        tip.showTags = true;
        VisitRecords(hits, word, wordLine, tip.text,
                     [&](const CSymbolHit& hit) { tip.tags.push_back(TagLine(hit, word)); });
    } else {
        tip.text = "multiple occurences found for \"" + word + "\" -> open output window!";
        if (hits.size() < 2)
            VisitRecords(hits, word, wordLine, tip.text, [](const CSymbolHit&) {});
    }
    return tip;
}

const CSymbolHit* ChooseDefinition(const CSymbolHitLists& hits, int wordLine, const std::string& editorPath)
{
    if (hits.empty() || hits.front().empty())
        return nullptr;
    const std::vector<CSymbolHit>& list = hits.front();
    if (list.front().kind != kKindVariable)
        return &list.front();
    for (const CSymbolHit& hit : list) {
        if (!hit.hasOwner || OwnerHolds(hit, wordLine))
            return &hit;
        if (hit.ownerFile && *hit.ownerFile != editorPath)
            return &hit;
    }
    return nullptr;
}

void CopyTipText(const std::string& text, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    const size_t room = static_cast<size_t>(size) - 1;
    if (text.size() <= room) {
        std::memcpy(buffer, text.data(), text.size());
        buffer[text.size()] = 0;
        return;
    }
    const char dots[] = "...";
    const size_t keep = room >= 3 ? room - 3 : 0;
    std::memcpy(buffer, text.data(), keep);
    size_t n = keep;
    for (size_t i = 0; n < room; ++i)
        buffer[n++] = dots[i];
    buffer[n] = 0;
}
