#include "editor/browser/function_bar.h"

#include <algorithm>
#include <cstring>

#include "editor/browser/browser_resource.h"
#include "editor/symbols/c_functions.h"
#include "editor/symbols/script_parsers.h"
#include "editor/syntax/window/frame_messages.h"
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

bool SamePath(const std::string& a, const std::string& b)
{
    return Lower(a) == Lower(b);
}

bool Contains(const std::vector<std::string>& list, const std::string& path)
{
    return std::any_of(list.begin(), list.end(), [&](const std::string& p) { return SamePath(p, path); });
}

std::string FileNamePart(const std::string& path)
{
    size_t s = path.find_last_of("\\/");
    return s == std::string::npos ? path : path.substr(s + 1);
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
    ON_NOTIFY(TVN_GETINFOTIPA, IDC_FUNCTION_TREE, &CFunctionBar::OnTreeInfoTipA)
    ON_NOTIFY(TVN_GETINFOTIPW, IDC_FUNCTION_TREE, &CFunctionBar::OnTreeInfoTipW)
    ON_MESSAGE(WM_FUNCTION_DELETE_KEY, &CFunctionBar::OnDeleteKey)
    ON_MESSAGE(WM_FUNCTION_CONTEXT, &CFunctionBar::OnContextMenu)
    ON_MESSAGE(WM_FUNCTION_BAR_MENU, &CFunctionBar::OnBarMenu)
    ON_COMMAND(ID_ADD_TO_PROJECT, &CFunctionBar::OnAddToProject)
    ON_COMMAND(ID_REMOVE_FROM_PROJECT, &CFunctionBar::OnRemoveFromProject)
    ON_COMMAND(ID_CLOSE_FILE, &CFunctionBar::OnCloseFile)
    ON_COMMAND(ID_SET_WRITABLE, &CFunctionBar::OnSetWritable)
    ON_COMMAND(ID_SET_READONLY, &CFunctionBar::OnSetReadonly)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CFunctionBar::CFunctionBar(CBrowserShell* shell, HWND notify)
    : CVelloSizeDialogBar(SIZEBAR_CONTEXT_MENU), m_shell(shell), m_hNotify(notify),
      m_worker([notify](const char* text) { ::PostMessageA(notify, WM_BROWSER_STATUS, reinterpret_cast<WPARAM>(text), 0); })
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
    if (item == m_hRoot)
        m_hRoot = nullptr;
    if (item == m_hContextItem)
        m_hContextItem = nullptr;
}

void CFunctionBar::DeleteItem(HTREEITEM item)
{
    if (m_records.count(item))
        m_wndTree.DeleteItem(item);
}

HTREEITEM CFunctionBar::DocumentNode(COvantaDoc* doc) const
{
    if (!doc)
        return nullptr;
    for (HTREEITEM item = m_wndTree.GetChildItem(TopParent()); item; item = m_wndTree.GetNextSiblingItem(item)) {
        const CSymbolInfo* r = Record(item);
        if (r && r->document == doc && r->firstLine == kNoLine)
            return item;
    }
    return nullptr;
}

HTREEITEM CFunctionBar::FindFileItem(const std::string& relative) const
{
    if (relative.empty())
        return nullptr;
    for (HTREEITEM item = m_wndTree.GetChildItem(TopParent()); item; item = m_wndTree.GetNextSiblingItem(item)) {
        const CSymbolInfo* r = Record(item);
        if (r && !r->document && r->file && SamePath(*r->file, relative))
            return item;
    }
    return nullptr;
}

bool CFunctionBar::InProjectList(const std::string& relative)
{
    return !m_shell->WorkspacePath().empty() && Contains(m_shell->ProjectFiles(), relative);
}

bool CFunctionBar::InProject(const std::string& relative)
{
    return InProjectList(relative) || (!m_shell->WorkspacePath().empty() &&
                                       Contains(m_shell->UnopenedProjectFiles(), relative));
}

std::string CFunctionBar::FullPath(const std::string& relative)
{
    std::string dir = m_shell->WorkspacePath();
    size_t s = dir.find_last_of("\\/");
    dir = s == std::string::npos ? std::string() : dir.substr(0, s);
    if (relative.size() > 1 && relative[0] == '.' && (relative[1] == '\\' || relative[1] == '/'))
        return dir + relative.substr(1);
    if (relative.size() > 1 && (relative[1] == ':' || relative[0] == '\\' || relative[0] == '/'))
        return relative;
    return dir.empty() ? relative : dir + "\\" + relative;
}

std::string CFunctionBar::ItemPath(HTREEITEM item)
{
    const CSymbolInfo* r = Record(item);
    if (!r)
        return std::string();
    if (r->document)
        return m_shell->ProjectRelativePath(m_shell->DocumentPath(r->document));
    return r->file.value_or("");
}

int CFunctionBar::Image(HTREEITEM item) const
{
    auto it = m_records.find(item);
    return it == m_records.end() ? -1 : it->second->image;
}

void CFunctionBar::SetImage(HTREEITEM item, int image)
{
    auto it = m_records.find(item);
    if (it == m_records.end())
        return;
    it->second->image = image;
    TVITEMA tv{};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = item;
    tv.iImage = tv.iSelectedImage = image;
    ::SendMessageA(m_wndTree.m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

HTREEITEM CFunctionBar::MakeDocumentNode(COvantaDoc* doc, const std::string& path)
{
    std::string label = DocumentNodeLabel(path, m_shell->DocumentTitle(doc));
    const bool workspace = !m_shell->WorkspacePath().empty();
    const std::string relative = workspace && !path.empty() ? m_shell->ProjectRelativePath(path) : std::string();
    const bool inProject = workspace && !relative.empty() && InProject(relative);
    const int image = inProject ? kImageProjectFile : kImageOtherFile;
    if (inProject) {
        if (Contains(m_shell->UnopenedProjectFiles(), relative))
            m_shell->ForgetUnopenedProjectFile(relative);
        // The project file's item becomes the document's node.
        if (HTREEITEM item = FindFileItem(relative)) {
            auto& entry = m_records[item];
            entry->record->document = doc;
            entry->record->firstLine = entry->record->lastLine = kNoLine;
            entry->record->owner = nullptr;
            entry->record->name = label;
            entry->record->file = path;
            entry->label = label;
            m_wndTree.SetItemText(item, label.c_str());
            SetImage(item, image);
            return item;
        }
    }
    auto record = std::make_unique<CSymbolInfo>();
    record->document = doc;
    record->firstLine = record->lastLine = kNoLine;
    record->name = label;
    if (!path.empty())
        record->file = path;
    // A new node of a Perl document starts as a file outside the project;
    // its context menu shows the truth.
    return Insert(TopParent(), label, m_mode == FunctionListMode::kPerl ? kImageOtherFile : image, std::move(record));
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

HTREEITEM CFunctionBar::AddDocumentSymbols(COvantaDoc* doc)
{
    if (!m_wndTree.m_hWnd || !m_shell || !doc)
        return nullptr;
    AddBranch(doc);
    SortChildren(TopParent());
    ExpandRoot();
    return DocumentNode(doc);
}

void CFunctionBar::AddBranch(COvantaDoc* doc)
{
    const std::string path = m_shell->DocumentPath(doc);
    const std::string text = m_shell->DocumentText(doc);
    HTREEITEM node = TopParent();
    if (m_mode != FunctionListMode::kVerilog || m_shell->ShowFilesInTree()) {
        node = MakeDocumentNode(doc, path);
    } else if (!m_shell->WorkspacePath().empty() && !path.empty()) {
        // The symbols stand at the top: the document's file item goes.
        std::string relative = m_shell->ProjectRelativePath(path);
        if (HTREEITEM item = FindFileItem(relative))
            DeleteItem(item);
        if (Contains(m_shell->UnopenedProjectFiles(), relative))
            m_shell->ForgetUnopenedProjectFile(relative);
    }
    if (!node)
        return;
    switch (m_mode) {
    case FunctionListMode::kC: AddCBranch(doc, node, text, path); break;
    case FunctionListMode::kVerilog: AddVerilogBranch(doc, node, text, path); break;
    case FunctionListMode::kPerl: AddPerlBranch(doc, node, text, path); break;
    }
    if (node != TopParent())
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

void CFunctionBar::SaveStateAndClear(std::map<std::string, bool>* state)
{
    if (!m_wndTree.m_hWnd)
        return;
    if (state) {
        state->clear();
        std::swap(*state, m_expanded);
        m_expanded.clear();
        RememberExpansion(TVI_ROOT);
        std::swap(*state, m_expanded);
    }
    ClearMark();
    m_wndTree.DeleteAllItems();
}

HTREEITEM CFunctionBar::InsertRootItem(const std::string& workspacePath)
{
    if (!m_wndTree.m_hWnd || workspacePath.empty())
        return nullptr;
    if (m_hRoot)
        return m_hRoot;
    std::string label = FileNamePart(workspacePath);
    auto record = std::make_unique<CSymbolInfo>();
    record->firstLine = record->lastLine = kNoLine;
    record->name = label;
    m_hRoot = Insert(TVI_ROOT, label, kImageRoot, std::move(record));
    return m_hRoot;
}

void CFunctionBar::ExpandRoot()
{
    if (m_hRoot)
        m_wndTree.Expand(m_hRoot);
}

HTREEITEM CFunctionBar::AddFileItem(const std::string& path)
{
    if (!m_wndTree.m_hWnd || path.empty())
        return nullptr;
    if (HTREEITEM item = FindFileItem(path))
        return item;
    auto record = std::make_unique<CSymbolInfo>();
    record->firstLine = record->lastLine = kNoLine;
    record->file = path;
    record->name = path;
    return Insert(TopParent(), FileNamePart(path), kImageFileItem, std::move(record));
}

void CFunctionBar::RebuildTree()
{
    if (!m_wndTree.m_hWnd || !m_shell)
        return;
    ::SendMessageA(m_wndTree.m_hWnd, WM_SETREDRAW, FALSE, 0);
    SaveStateAndClear(&m_expanded);
    const std::string workspace = m_shell->WorkspacePath();
    if (!workspace.empty())
        InsertRootItem(workspace);
    for (COvantaDoc* doc : m_shell->Documents())
        AddBranch(doc);
    for (HTREEITEM item = m_wndTree.GetChildItem(TopParent()); item; item = m_wndTree.GetNextSiblingItem(item))
        if (m_wndTree.GetChildItem(item))
            SortChildren(item);
    if (!workspace.empty())
        for (const std::string& file : m_shell->UnopenedProjectFiles())
            AddFileItem(file);
    SortChildren(TopParent());
    ExpandRoot();
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
    RemoveDocument(doc, &m_expanded);
    AddBranch(doc);
    SortChildren(TopParent());
    ExpandRoot();
    RestoreExpansion(TVI_ROOT);
}

void CFunctionBar::RemoveDocument(COvantaDoc* doc, std::map<std::string, bool>* state)
{
    if (!m_wndTree.m_hWnd)
        return;
    if (state) {
        std::swap(*state, m_expanded);
        m_expanded.clear();
        RememberExpansion(TVI_ROOT);
        std::swap(*state, m_expanded);
    }
    if (doc == m_pCaretDoc) {
        m_pCaretDoc = nullptr;
        m_nCaretLine = -1;
    }
    std::vector<HTREEITEM> gone;
    for (HTREEITEM item = m_wndTree.GetChildItem(TopParent()); item; item = m_wndTree.GetNextSiblingItem(item)) {
        const CSymbolInfo* r = Record(item);
        if (r && r->document == doc)
            gone.push_back(item);
    }
    for (HTREEITEM item : gone)
        DeleteItem(item);
}

void CFunctionBar::DetachDocument(COvantaDoc* doc)
{
    if (!m_wndTree.m_hWnd || !m_shell)
        return;
    if (doc == m_pCaretDoc) {
        m_pCaretDoc = nullptr;
        m_nCaretLine = -1;
    }
    const std::string path = m_shell->DocumentPath(doc);
    const bool workspace = !m_shell->WorkspacePath().empty();
    const std::string relative = workspace && !path.empty() ? m_shell->ProjectRelativePath(path) : std::string();
    // A file of the project stays in the tree as a file item; any other
    // document leaves it.
    const bool keep = !relative.empty() && InProject(relative);
    HTREEITEM node = DocumentNode(doc);
    if (keep && node && m_shell->ShowFilesInTree()) {
        while (HTREEITEM child = m_wndTree.GetChildItem(node))
            m_wndTree.DeleteItem(child);
        auto& entry = m_records[node];
        entry->record->document = nullptr;
        entry->record->firstLine = entry->record->lastLine = kNoLine;
        entry->record->owner = nullptr; // its tree item is in treeItem already
        entry->record->file = relative;
        SetImage(node, kImageFileItem);
        if (node == m_hCaretItem)
            ClearMark();
        SortChildren(TopParent());
        return;
    }
    RemoveDocument(doc, nullptr);
    if (keep) {
        AddFileItem(relative);
        SortChildren(TopParent());
    }
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
        if (item == m_hRoot || !r->file)
            return;
        // Project files are stored relative to the workspace's folder.
        const std::string path = *r->file;
        const std::string workspace = m_shell->WorkspacePath();
        size_t s = workspace.find_last_of("\\/");
        if (s != std::string::npos)
            ::SetCurrentDirectoryA(workspace.substr(0, s).c_str());
        if (!m_shell->OpenFile(path)) {
            DeleteItem(item);
            if (!workspace.empty())
                m_shell->RemoveProjectFile(path);
        }
        if (!workspace.empty() && Contains(m_shell->UnopenedProjectFiles(), path))
            m_shell->ForgetUnopenedProjectFile(path);
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
    if (!r || !m_hActivated || !m_shell || item == m_hRoot)
        return 0;
    const bool workspace = !m_shell->WorkspacePath().empty();
    const std::string relative = workspace ? ItemPath(item) : std::string();
    if (COvantaDoc* doc = r->document) {
        // Closing the document takes its items (and perhaps this one) away;
        // when the user keeps it open (the save question answered with
        // Cancel) nothing more happens.
        m_shell->CloseDocument(doc);
        const std::vector<COvantaDoc*> open = m_shell->Documents();
        if (std::find(open.begin(), open.end(), doc) != open.end())
            return 0;
    }
    if (workspace && !relative.empty()) {
        if (Contains(m_shell->ProjectFiles(), relative))
            m_shell->RemoveProjectFile(relative);
        if (Contains(m_shell->UnopenedProjectFiles(), relative))
            m_shell->ForgetUnopenedProjectFile(relative);
        // The closed document's node may have become a file item.
        if (HTREEITEM file = FindFileItem(relative))
            DeleteItem(file);
    }
    DeleteItem(item);
    return 0;
}

HMENU CFunctionBar::MakeContextMenu(HTREEITEM item)
{
    m_hContextItem = nullptr;
    m_strContextPath.clear();
    // Project files come with workspaces; without one there is no menu.
    const CSymbolInfo* r = Record(item);
    if (!r || !m_shell || m_shell->WorkspacePath().empty() || item == m_hRoot)
        return nullptr;
    const int image = Image(item);
    const bool fileNode = image == kImageProjectFile || image == kImageOtherFile || image == kImageFileItem;
    if (!fileNode)
        return nullptr; // symbols get no menu
    const std::string relative = ItemPath(item);
    if (relative.empty())
        return nullptr; // an untitled document has no file yet
    HMENU loaded = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_FUNCTION_MENU));
    if (!loaded)
        return nullptr;
    HMENU popup = ::GetSubMenu(loaded, 0);
    ::RemoveMenu(loaded, 0, MF_BYPOSITION); // the popup lives on alone
    ::DestroyMenu(loaded);
    if (!popup)
        return nullptr;
    if (InProjectList(relative)) {
        ::EnableMenuItem(popup, ID_ADD_TO_PROJECT, MF_BYCOMMAND | MF_GRAYED);
        ::EnableMenuItem(popup, ID_REMOVE_FROM_PROJECT, MF_BYCOMMAND | MF_ENABLED);
        if (image == kImageOtherFile)
            SetImage(item, kImageProjectFile);
    } else {
        ::EnableMenuItem(popup, ID_ADD_TO_PROJECT, MF_BYCOMMAND | MF_ENABLED);
        ::EnableMenuItem(popup, ID_REMOVE_FROM_PROJECT, MF_BYCOMMAND | MF_GRAYED);
        if (image == kImageProjectFile)
            SetImage(item, kImageOtherFile);
    }
    m_hContextItem = item;
    m_strContextPath = relative;
    ::AppendMenuA(popup, MF_STRING, ID_COPY_NAME, "Copy Name");
    if (r->document)
        ::AppendMenuA(popup, MF_STRING, ID_CLOSE_FILE, "Close File");
    DWORD attributes = ::GetFileAttributesA(FullPath(relative).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::AppendMenuA(popup, MF_STRING, ID_SET_WRITABLE, "Set Writable");
    else
        ::AppendMenuA(popup, MF_STRING, ID_SET_READONLY, "Set Readonly");
    return popup;
}

std::string CFunctionBar::TipText(HTREEITEM item)
{
    const CSymbolInfo* r = Record(item);
    const int image = Image(item);
    if (!r || !m_shell || item == m_hRoot ||
        (image != kImageProjectFile && image != kImageOtherFile && image != kImageFileItem))
        return std::string();
    if (r->document)
        return m_shell->DocumentPath(r->document);
    return r->file ? FullPath(*r->file) : std::string();
}

void CFunctionBar::OnTreeInfoTipA(NMHDR* header, LRESULT* result)
{
    auto* tip = reinterpret_cast<NMTVGETINFOTIPA*>(header);
    *result = 0;
    if (!tip->pszText || tip->cchTextMax <= 0)
        return;
    std::string text = TipText(tip->hItem);
    size_t n = std::min(text.size(), static_cast<size_t>(tip->cchTextMax - 1));
    std::memcpy(tip->pszText, text.data(), n);
    tip->pszText[n] = 0;
}

void CFunctionBar::OnTreeInfoTipW(NMHDR* header, LRESULT* result)
{
    auto* tip = reinterpret_cast<NMTVGETINFOTIPW*>(header);
    *result = 0;
    if (!tip->pszText || tip->cchTextMax <= 0)
        return;
    std::string text = TipText(tip->hItem);
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, tip->pszText, tip->cchTextMax);
    if (n <= 0)
        tip->pszText[0] = 0;
    tip->pszText[tip->cchTextMax - 1] = 0;
}

LRESULT CFunctionBar::OnContextMenu(WPARAM, LPARAM itemParam)
{
    // The item may have gone since the click; the point is the control's own
    // copy, not the address the message carries.
    HMENU menu = MakeContextMenu(reinterpret_cast<HTREEITEM>(itemParam));
    if (!menu)
        return 0;
    const POINT pt = m_wndTree.m_ptMenu;
    UINT command = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, pt.x,
                                                      pt.y, 0, m_hWnd, nullptr));
    ::DestroyMenu(menu);
    if (command)
        ::SendMessageA(m_hWnd, WM_COMMAND, command, 0);
    m_hContextItem = nullptr;
    m_strContextPath.clear();
    return 0;
}

void CFunctionBar::OnAddToProject()
{
    HTREEITEM item = m_hContextItem;
    const std::string relative = m_strContextPath;
    m_hContextItem = nullptr;
    if (!Record(item) || relative.empty() || !m_shell || m_shell->WorkspacePath().empty())
        return;
    if (!Contains(m_shell->ProjectFiles(), relative))
        m_shell->AddProjectFile(relative);
    if (Image(item) == kImageOtherFile)
        SetImage(item, kImageProjectFile);
    else
        RebuildTree();
}

void CFunctionBar::OnRemoveFromProject()
{
    HTREEITEM item = m_hContextItem;
    const std::string relative = m_strContextPath;
    m_hContextItem = nullptr;
    if (!Record(item) || relative.empty() || !m_shell || m_shell->WorkspacePath().empty())
        return;
    m_shell->RemoveProjectFile(relative);
    if (Contains(m_shell->UnopenedProjectFiles(), relative)) {
        // A file that is not open has nothing left in the tree.
        m_shell->ForgetUnopenedProjectFile(relative);
        DeleteItem(item);
    } else if (Image(item) == kImageFileItem) {
        DeleteItem(item);
    } else if (Image(item) == kImageProjectFile) {
        SetImage(item, kImageOtherFile);
    } else if (Image(item) != kImageOtherFile) {
        RebuildTree();
    }
}

void CFunctionBar::OnCloseFile()
{
    HTREEITEM item = m_hContextItem;
    m_hContextItem = nullptr;
    const CSymbolInfo* r = Record(item);
    if (r && r->document && m_shell)
        m_shell->CloseDocument(r->document);
}

void CFunctionBar::SetContextReadOnly(bool readOnly)
{
    HTREEITEM item = m_hContextItem;
    const std::string relative = m_strContextPath;
    m_hContextItem = nullptr;
    const CSymbolInfo* r = Record(item);
    if (!r || !m_shell)
        return;
    const std::string path = r->document ? m_shell->DocumentPath(r->document) : FullPath(relative);
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    attributes = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    if (attributes == 0)
        attributes = FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileAttributesA(path.c_str(), attributes))
        return; // the editor keeps the mode that matches the file
    if (r->document)
        m_shell->SetDocumentReadOnly(r->document, readOnly);
}

void CFunctionBar::OnSetWritable()
{
    SetContextReadOnly(false);
}

void CFunctionBar::OnSetReadonly()
{
    SetContextReadOnly(true);
}

LRESULT CFunctionBar::OnBarMenu(WPARAM, LPARAM menu)
{
    if (menu && Record(m_wndTree.GetSelectedItem()))
        ::AppendMenuA(reinterpret_cast<HMENU>(menu), MF_STRING, ID_COPY_NAME, "Copy Name");
    return 0;
}

void CFunctionBar::OnCopyName()
{
    // From the context menu the item under the click, else the selection.
    HTREEITEM item = Record(m_hContextItem) ? m_hContextItem : m_wndTree.GetSelectedItem();
    m_hContextItem = nullptr;
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
