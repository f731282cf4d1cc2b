#include "editor/shell/frame_accelerators.h"

#include "editor/shell/ovantaapp.h"
#include "editor/shell/shortcut_table.h"

#include <cstring>

void CFrameAccelerators::UseStartTable()
{
    ACCEL start[kStartTableCount];
    std::memcpy(start, &Shortcuts().lead[0], sizeof start);
    Use(CreateAcceleratorTableA(start, kStartTableCount), true);
}

void CFrameAccelerators::DocumentOpened()
{
    if (start_)
        UseShortcutTable();
}

void CFrameAccelerators::ShortcutsChanged()
{
    if (!start_)
        UseShortcutTable();
}

void CFrameAccelerators::UseShortcutTable()
{
    int count = CountAccelEntries();
    ACCEL entries[kMaxAccelEntries];
    std::memcpy(entries, Shortcuts().table, sizeof(ACCEL) * static_cast<size_t>(count));
    Use(count > 0 ? CreateAcceleratorTableA(entries, count) : nullptr, false);
}

void CFrameAccelerators::Use(HACCEL table, bool start)
{
    if (COvantaApp* app = COvantaApp::Get())
        app->SetAccelerators(table);
    frameTable_ = table;
    start_ = start;
}
