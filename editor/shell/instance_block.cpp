#include "editor/shell/instance_block.h"

#include "editor/shell/shell_text.h"

#include <cstring>

static const char mapping_name[] = "OvantaSharedInstanceBlock";

CInstanceBlock::~CInstanceBlock()
{
    if (view_)
        UnmapViewOfFile(view_);
    if (mapping_)
        CloseHandle(mapping_);
}

bool CInstanceBlock::Open()
{
    if (view_)
        return true;
    // A new mapping is zero-filled: no receiver, empty text.
    mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSize,
                                  mapping_name);
    if (!mapping_)
        return false;
    view_ = static_cast<unsigned char*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, kSize));
    return view_ != nullptr;
}

HWND CInstanceBlock::Receiver() const
{
    if (!view_)
        return nullptr;
    uint32_t handle = 0;
    std::memcpy(&handle, view_, 4);
    // Window handles are 32-bit values in every process.
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

void CInstanceBlock::SetReceiver(HWND wnd)
{
    if (!view_)
        return;
    uint32_t handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(wnd));
    std::memcpy(view_, &handle, 4);
}

std::string CInstanceBlock::Text() const
{
    if (!view_)
        return std::string();
    const char* text = reinterpret_cast<const char*>(view_ + 4);
    return std::string(text, strnlen(text, kHandOverTextSize - 1));
}

bool CInstanceBlock::SetText(const std::string& text)
{
    if (!view_ || text.size() >= kHandOverTextSize)
        return false;
    std::memcpy(view_ + 4, text.c_str(), text.size() + 1);
    return true;
}

CInstanceBlock& InstanceBlock()
{
    static CInstanceBlock block;
    return block;
}
