#include "editor/browser/function_bar.h"

#include <cstring>

#include "editor/browser/browser_resource.h"
#include "editor/syntax/c_functions.h"
#include "editor/syntax/script_parsers.h"
#include "winui/clipboard.h"

// What an item's data points at: its record, image and label.
struct CFunctionTreeEntry {
    std::unique_ptr<CSymbolInfo> record;
    int image = 0;
    std::string label;
};

namespace {

using TreeEntry = CFunctionTreeEntry;

// Images of the tree (bitmap 204).
enum : int {
    kImageFunction = 0,
    kImageProjectFile = 1,
    kImageFileItem = 2,
    kImageRoot = 3,
    kImageClass = 4,
    kImageNamedBlock = 6,
    kImageAssign = 9,
    kImageInput = 10,
    kImageOutput = 11,
    kImageInout = 12,
    kImageNamedBlocks = 13,
    kImageAssigns = 14,
    kImagePorts = 15,
    kImageOtherFile = 16,
};


std::string Lower(const std::string& s)
{
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM)
{
    const auto* x = reinterpret_cast<const TreeEntry*>(a);
    const auto* y = reinterpret_cast<const TreeEntry*>(b);
    if (!x || !y)
        return 0;
    if (FunctionItemLess(x->image, x->label, y->image, y->label))
        return -1;
    if (FunctionItemLess(y->image, y->label, x->image, x->label))
        return 1;
    return 0;
}

} // namespace

std::string DocumentNodeLabel(const std::string& path, const std::string& title)
{
    if (path.empty()) {
        size_t mark = title.find(" *");
        return mark == std::string::npos ? title : title.substr(0, mark);
    }
    size_t s = path.find_last_of("\\/");
    return s == std::string::npos ? path : path.substr(s + 1);
}

bool FunctionItemLess(int imageA, const std::string& labelA, int imageB, const std::string& labelB)
{
    int a = imageA == kImageFileItem ? kImageProjectFile : imageA;
    int b = imageB == kImageFileItem ? kImageProjectFile : imageB;
    if (a != b)
        return a < b;
    auto key = [](const std::string& s) { return Lower(!s.empty() && s[0] == '~' ? s.substr(1) : s); };
    return key(labelA) < key(labelB);
}

// --- the tree control ------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFunctionTreeCtrl, winui::CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_KEYDOWN, &CFunctionTreeCtrl::OnKeyDown)
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

void CFunctionTreeCtrl::OnKeyDown(NMHDR* header, LRESULT*)
{
    auto* key = reinterpret_cast<NMTVKEYDOWN*>(header);
    if (key->wVKey == VK_DELETE)
        ::PostMessageA(::GetParent(m_hWnd), WM_FUNCTION_DELETE_KEY, VK_DELETE,
                       reinterpret_cast<LPARAM>(GetSelectedItem()));
}

void CFunctionTreeCtrl::OnRButtonDown(UINT, POINT point)
{
    HTREEITEM item = HitTest(point);
    if (!item)
        return;
    m_ptMenu = point;
    ::ClientToScreen(m_hWnd, &m_ptMenu);
    ::PostMessageA(::GetParent(m_hWnd), WM_FUNCTION_CONTEXT, reinterpret_cast<WPARAM>(&m_ptMenu),
                   reinterpret_cast<LPARAM>(item));
}

// --- the bar -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFunctionBar, CVelloSizeDialogBar)
    ON_BN_CLICKED(IDC_FUNCTION_UPDATE, &CFunctionBar::OnUpdateButton)
    ON_BN_CLICKED(IDC_SHOW_FILES, &CFunctionBar::OnUpdateButton)
    ON_COMMAND(ID_COPY_NAME, &CFunctionBar::OnCopyName)
    ON_NOTIFY(NM_DBLCLK, IDC_FUNCTION_TREE, &CFunctionBar::OnTreeDblClk)
    ON_NOTIFY(TVN_DELETEITEMA, IDC_FUNCTION_TREE, &CFunctionBar::OnTreeDeleteItem)
    ON_NOTIFY(TVN_DELETEITEMW, IDC_FUNCTION_TREE, &CFunctionBar::OnTreeDeleteItem)
    ON_MESSAGE(WM_FUNCTION_DELETE_KEY, &CFunctionBar::OnDeleteKey)
    ON_MESSAGE(WM_FUNCTION_CONTEXT, &CFunctionBar::OnContextMenu)
    ON_MESSAGE(WM_FUNCTION_BAR_MENU, &CFunctionBar::OnBarMenu)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CFunctionBar::CFunctionBar(CBrowserShell* shell, HWND notify)
    : CVelloSizeDialogBar(SIZEBAR_CONTEXT_MENU), m_shell(shell), m_hNotify(notify),
      m_worker([notify](const char* text) { ::PostMessageA(notify, WM_USER + 0x21, reinterpret_cast<WPARAM>(text), 0); })
{
}

CFunctionBar::~CFunctionBar()
{
    // The window (and the tree's deletions) go while the records still exist.
    if (m_hWnd)
        DestroyWindow();
    m_worker.Stop();
}

BOOL CFunctionBar::Create(winui::CFrameWnd* frame, FunctionListMode mode)
{
    m_mode = mode;
    if (!CreateFromId(frame, IDD_FUNCTION_BAR, WS_CHILD | WS_VISIBLE | winui::CBRS_LEFT, IDD_FUNCTION_BAR))
        return FALSE;
    HWND tree = ::GetDlgItem(m_hWnd, IDC_FUNCTION_TREE);
    if (!tree || !m_wndTree.SubclassWindow(tree))
        return FALSE;
    ::SendMessageA(tree, TVM_SETINDENT, 20, 0);
    if (m_images.Load(IDB_FUNCTION_IMAGES, 16, 1, RGB(255, 255, 255)))
        m_wndTree.SetImageList(m_images);
    m_dwStyle |= 0x0FB0;
    EnableDocking(winui::CBRS_ALIGN_LEFT | winui::CBRS_ALIGN_RIGHT);
    ::SetWindowTextA(m_hWnd, "C/C++ -Functions");
    SetMode(mode);
    RECT client;
    GetClientRect(&client);
    PlaceTree(client.right, client.bottom);
    return TRUE;
}

void CFunctionBar::SetMode(FunctionListMode mode)
{
    m_mode = mode;
    HWND showFiles = ::GetDlgItem(m_hWnd, IDC_SHOW_FILES);
    if (!showFiles)
        return;
    ::ShowWindow(showFiles, mode == FunctionListMode::kVerilog ? SW_SHOW : SW_HIDE);
    ::SendMessageA(showFiles, BM_SETCHECK, m_shell && m_shell->ShowFilesInTree() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CFunctionBar::OnSizeOrStateChanged(int cx, int cy, BOOL floating, int flags)
{
    CVelloSizeDialogBar::OnSizeOrStateChanged(cx, cy, floating, flags);
    RECT client;
    GetClientRect(&client);
    PlaceTree(client.right, client.bottom);
}

void CFunctionBar::PlaceTree(int cx, int cy)
{
    HWND button = ::GetDlgItem(m_hWnd, IDC_FUNCTION_UPDATE);
    if (!m_wndTree.m_hWnd || !button)
        return;
    RECT r;
    ::GetWindowRect(button, &r);
    int top = (r.bottom - r.top) + 12;
    ::MoveWindow(m_wndTree.m_hWnd, 0, top, cx, cy > top ? cy - top : 0, TRUE);
}

const CSymbolInfo* CFunctionBar::Record(HTREEITEM item) const
{
    auto it = m_records.find(item);
    return it == m_records.end() ? nullptr : it->second->record.get();
}

HTREEITEM CFunctionBar::Insert(HTREEITEM parent, const std::string& label, int image,
                               std::unique_ptr<CSymbolInfo> record)
{
    auto entry = std::make_unique<TreeEntry>();
    entry->record = std::move(record);
    entry->image = image;
    entry->label = label;
    HTREEITEM item = m_wndTree.InsertItem(label.c_str(), parent, TVI_LAST, image, image,
                                          reinterpret_cast<LPARAM>(entry.get()));
    if (!item)
        return nullptr;
    entry->record->treeItem = item;
    m_records[item] = std::move(entry);
    return item;
}

void CFunctionBar::OnTreeDeleteItem(NMHDR* header, LRESULT*)
{
    // The one place where an item's record is freed.
    HTREEITEM item = reinterpret_cast<NMTREEVIEWA*>(header)->itemOld.hItem;
    auto it = m_records.find(item);
    if (it == m_records.end())
        return;
    m_records.erase(it);
    if (item == m_hActivated)
        m_hActivated = nullptr;
    if (item == m_hCaretItem)
        m_hCaretItem = nullptr;
}

void CFunctionBar::DeleteItem(HTREEITEM item)
{
    if (m_records.count(item))
        m_wndTree.DeleteItem(item);
}

HTREEITEM CFunctionBar::DocumentNode(COvantaDoc* doc) const
{
    for (HTREEITEM item = m_wndTree.GetRootItem(); item; item = m_wndTree.GetNextSiblingItem(item)) {
        const CSymbolInfo* r = Record(item);
        if (r && r->document == doc && r->firstLine == kNoLine)
            return item;
    }
    return nullptr;
}

HTREEITEM CFunctionBar::MakeDocumentNode(COvantaDoc* doc, const std::string& path)
{
    std::string label = DocumentNodeLabel(path, m_shell->DocumentTitle(doc));
    auto record = std::make_unique<CSymbolInfo>();
    record->document = doc;
    record->firstLine = record->lastLine = kNoLine;
    record->name = label;
    if (!path.empty())
        record->file = path;
    // Without a workspace no file belongs to a project.
    return Insert(TVI_ROOT, label, kImageOtherFile, std::move(record));
}

void CFunctionBar::AddCBranch(COvantaDoc* doc, HTREEITEM node, const std::string& text, const std::string& path)
{
    CSymbolMap found;
    ParseCFunctions(text.c_str(), text.size(), found, doc, path, nullptr);
    std::map<std::string, HTREEITEM> classes;
    for (const auto& entry : found)
        for (const auto& rec : entry.second) {
            HTREEITEM parent = node;
            if (rec->className) {
                HTREEITEM& cls = classes[*rec->className];
                if (!cls) {
                    auto c = std::make_unique<CSymbolInfo>();
                    c->document = doc;
                    c->name = *rec->className;
                    cls = Insert(node, *rec->className, kImageClass, std::move(c));
                }
                parent = cls;
            }
            auto copy = std::make_unique<CSymbolInfo>(*rec);
            copy->owner = nullptr; // nothing in the tree points into the parser's map
            Insert(parent, entry.first, kImageFunction, std::move(copy));
        }
    for (const auto& c : classes)
        SortChildren(c.second);
}

void CFunctionBar::AddPerlBranch(COvantaDoc* doc, HTREEITEM node, const std::string& text, const std::string& path)
{
    CSymbolMap found;
    ParsePerlSubs(text.c_str(), text.size(), found, doc, path);
    for (const auto& entry : found)
        for (const auto& rec : entry.second)
            Insert(node, rec->name.value_or(entry.first), rec->kind, std::make_unique<CSymbolInfo>(*rec));
}

void CFunctionBar::AddVerilogBranch(COvantaDoc* doc, HTREEITEM node, const std::string& text,
                                    const std::string& path)
{
    CSymbolMap found;
    ParseVerilogBlocks(text.c_str(), text.size(), found, doc, path, "module", "endmodule");
    ParseVerilogBlocks(text.c_str(), text.size(), found, doc, path, "function", "endfunction");
    ParseVerilogBlocks(text.c_str(), text.size(), found, doc, path, "task", "endtask");
    for (const auto& entry : found)
        for (const auto& rec : entry.second) {
            std::string label = rec->name.value_or(entry.first);
            HTREEITEM item = Insert(node, label, rec->kind, std::make_unique<CSymbolInfo>(*rec));
            if (!item || rec->kind != kImageVerilogModule)
                continue;
            struct Group {
                const char* prefix;
                int image;
                std::vector<CSymbolInfo> members;
                std::vector<int> images;
            } groups[3] = {{"s_", kImageNamedBlocks, {}, {}}, {"k_", kImageAssigns, {}, {}}, {"p_", kImagePorts, {}, {}}};
            ParseVerilogNamedBlocks(text.c_str(), text.size(), *rec, groups[0].members);
            groups[0].images.assign(groups[0].members.size(), kImageNamedBlock);
            ParseVerilogAssigns(text.c_str(), text.size(), *rec, groups[1].members);
            groups[1].images.assign(groups[1].members.size(), kImageAssign);
            for (int kind : {kImageInput, kImageOutput, kImageInout}) {
                ParseVerilogPorts(text.c_str(), text.size(), *rec, groups[2].members, kind);
                groups[2].images.resize(groups[2].members.size(), kind);
            }
            for (Group& g : groups) {
                if (g.members.empty())
                    continue;
                auto gr = std::make_unique<CSymbolInfo>();
                gr->document = doc;
                gr->name = g.prefix + label;
                HTREEITEM group = Insert(item, label, g.image, std::move(gr));
                for (size_t i = 0; i < g.members.size(); ++i) {
                    auto m = std::make_unique<CSymbolInfo>(g.members[i]);
                    m->document = doc;
                    std::string memberLabel = m->text;
                    Insert(group, memberLabel, g.images[i], std::move(m));
                }
            }
        }
}

void CFunctionBar::AddBranch(COvantaDoc* doc)
{
    const std::string path = m_shell->DocumentPath(doc);
    const std::string text = m_shell->DocumentText(doc);
    HTREEITEM node = TVI_ROOT;
    if (m_mode != FunctionListMode::kVerilog || m_shell->ShowFilesInTree())
        node = MakeDocumentNode(doc, path);
    if (!node)
        return;
    switch (m_mode) {
    case FunctionListMode::kC: AddCBranch(doc, node, text, path); break;
    case FunctionListMode::kVerilog: AddVerilogBranch(doc, node, text, path); break;
    case FunctionListMode::kPerl: AddPerlBranch(doc, node, text, path); break;
    }
    if (node != TVI_ROOT)
        SortChildren(node);
}

void CFunctionBar::SortChildren(HTREEITEM parent)
{
    TVSORTCB sort{};
    sort.hParent = parent;
    sort.lpfnCompare = CompareItems;
    ::SendMessageA(m_wndTree.m_hWnd, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

void CFunctionBar::RememberExpansion(HTREEITEM parent)
{
    for (HTREEITEM item = m_wndTree.GetChildItem(parent); item; item = m_wndTree.GetNextSiblingItem(item)) {
        const CSymbolInfo* r = Record(item);
        if (r && r->name && (m_wndTree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED))
            m_expanded[*r->name] = true;
        RememberExpansion(item);
    }
}

void CFunctionBar::RestoreExpansion(HTREEITEM parent)
{
    for (HTREEITEM item = m_wndTree.GetChildItem(parent); item; item = m_wndTree.GetNextSiblingItem(item)) {
        const CSymbolInfo* r = Record(item);
        if (r && r->name && m_expanded.count(*r->name))
            m_wndTree.Expand(item);
        RestoreExpansion(item);
    }
}

void CFunctionBar::RebuildTree()
{
    if (!m_wndTree.m_hWnd || !m_shell)
        return;
    ::SendMessageA(m_wndTree.m_hWnd, WM_SETREDRAW, FALSE, 0);
    m_expanded.clear();
    RememberExpansion(TVI_ROOT);
    ClearMark();
    m_wndTree.DeleteAllItems();
    for (COvantaDoc* doc : m_shell->Documents())
        AddBranch(doc);
    SortChildren(TVI_ROOT);
    RestoreExpansion(TVI_ROOT);
    m_pCaretDoc = nullptr;
    m_nCaretLine = -1;
    ::SendMessageA(m_wndTree.m_hWnd, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_wndTree.m_hWnd, nullptr, TRUE);
}

void CFunctionBar::UpdateDocument(COvantaDoc* doc)
{
    if (!m_wndTree.m_hWnd || !m_shell)
        return;
    m_expanded.clear();
    RememberExpansion(TVI_ROOT);
    DetachDocument(doc);
    AddBranch(doc);
    SortChildren(TVI_ROOT);
    RestoreExpansion(TVI_ROOT);
}

void CFunctionBar::DetachDocument(COvantaDoc* doc)
{
    if (!m_wndTree.m_hWnd)
        return;
    if (doc == m_pCaretDoc) {
        m_pCaretDoc = nullptr;
        m_nCaretLine = -1;
    }
    std::vector<HTREEITEM> gone;
    for (HTREEITEM item = m_wndTree.GetRootItem(); item; item = m_wndTree.GetNextSiblingItem(item)) {
        const CSymbolInfo* r = Record(item);
        if (r && r->document == doc)
            gone.push_back(item);
    }
    for (HTREEITEM item : gone)
        DeleteItem(item);
}

void CFunctionBar::ClearMark()
{
    if (m_hCaretItem && m_records.count(m_hCaretItem)) {
        TVITEMA item{};
        item.mask = TVIF_STATE;
        item.hItem = m_hCaretItem;
        item.stateMask = TVIS_SELECTED;
        ::SendMessageA(m_wndTree.m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    m_hCaretItem = nullptr;
}

void CFunctionBar::TrackCaret(COvantaDoc* doc, int line)
{
    if (!m_wndTree.m_hWnd || (doc == m_pCaretDoc && line == m_nCaretLine))
        return;
    m_pCaretDoc = doc;
    m_nCaretLine = line;
    ClearMark();
    m_wndTree.SelectItem(nullptr);
    HTREEITEM node = DocumentNode(doc);
    if (!node)
        return;
    HTREEITEM mark = node;
    if (m_wndTree.GetItemState(node, TVIS_EXPANDED) & TVIS_EXPANDED) {
        bool found = false;
        for (HTREEITEM child = m_wndTree.GetChildItem(node); child && !found;
             child = m_wndTree.GetNextSiblingItem(child)) {
            const CSymbolInfo* r = Record(child);
            if (r && r->firstLine <= line && line <= r->lastLine) {
                mark = child;
                found = true;
                m_wndTree.EnsureVisible(child);
                break;
            }
            for (HTREEITEM member = m_wndTree.GetChildItem(child); member; member = m_wndTree.GetNextSiblingItem(member)) {
                const CSymbolInfo* m = Record(member);
                if (m && m->firstLine <= line && line <= m->lastLine) {
                    mark = member;
                    found = true;
                    break;
                }
            }
        }
    }
    TVITEMA item{};
    item.mask = TVIF_STATE;
    item.hItem = mark;
    item.stateMask = TVIS_SELECTED;
    item.state = TVIS_SELECTED;
    ::SendMessageA(m_wndTree.m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    m_hCaretItem = mark;
}

void CFunctionBar::OnTreeDblClk(NMHDR*, LRESULT* result)
{
    HTREEITEM item = m_wndTree.GetSelectedItem();
    const CSymbolInfo* r = Record(item);
    if (!r || !m_shell)
        return;
    *result = 1;
    if (!r->document) {
        std::string path = r->file.value_or("");
        if (!m_shell->OpenFile(path))
            DeleteItem(item);
        return;
    }
    ClearMark();
    m_hActivated = item;
    int line = -1;
    if (r->firstLine != kNoLine && (m_mode == FunctionListMode::kVerilog || !m_wndTree.GetChildItem(item)))
        line = r->firstLine;
    m_shell->ShowDocumentLine(r->document, line);
}

LRESULT CFunctionBar::OnDeleteKey(WPARAM, LPARAM itemParam)
{
    HTREEITEM item = reinterpret_cast<HTREEITEM>(itemParam);
    // The item may have gone since the key was pressed.
    const CSymbolInfo* r = Record(item);
    if (!r || !m_hActivated)
        return 0;
    if (COvantaDoc* doc = r->document) {
        // Closing the document takes its items (and perhaps this one) away.
        m_shell->CloseDocument(doc);
    }
    DeleteItem(item);
    return 0;
}

LRESULT CFunctionBar::OnContextMenu(WPARAM, LPARAM itemParam)
{
    // Project files come with workspaces; without one there is no menu.
    if (!Record(reinterpret_cast<HTREEITEM>(itemParam)) || !m_shell || m_shell->WorkspacePath().empty())
        return 0;
    return 0;
}

LRESULT CFunctionBar::OnBarMenu(WPARAM, LPARAM menu)
{
    if (menu && Record(m_wndTree.GetSelectedItem()))
        ::AppendMenuA(reinterpret_cast<HMENU>(menu), MF_STRING, ID_COPY_NAME, "Copy Name");
    return 0;
}

void CFunctionBar::OnCopyName()
{
    HTREEITEM item = m_wndTree.GetSelectedItem();
    if (!Record(item))
        return;
    winui::CClipboard clip(m_hWnd);
    if (clip.IsOpen() && clip.Empty())
        clip.SetText(m_wndTree.GetItemText(item));
}

void CFunctionBar::OnUpdateButton()
{
    if (m_mode == FunctionListMode::kVerilog && m_shell)
        m_shell->SetShowFilesInTree(::IsDlgButtonChecked(m_hWnd, IDC_SHOW_FILES) == BST_CHECKED);
    HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    RebuildTree();
    ::SetCursor(old);
}

void CFunctionBar::OnDestroy()
{
    if (m_wndTree.m_hWnd)
        m_wndTree.DeleteAllItems();
    Default();
}

bool CFunctionBar::StartBrowseThread(const CTagConfig& config, bool automatic)
{
    BrowseRequest request;
    request.flags = automatic ? (config.flags | kBrowseAutomatic) : (config.flags & ~kBrowseAutomatic);
    request.searchPaths = config.searchPaths;
    request.fileFilter = config.fileFilter;
    if (!automatic || !m_worker.IsIdle())
        return false;
    if (m_shell && ((request.flags & kBrowseOpenDocuments) || request.searchPaths.empty()))
        for (COvantaDoc* doc : m_shell->Documents())
            request.documents.push_back({doc, m_shell->DocumentPath(doc), m_shell->DocumentText(doc)});
    return m_worker.Start(std::move(request));
}
