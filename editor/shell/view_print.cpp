// Printing a view's text: page by page in twips, with the banner (title,
// date, page text) at the top or the bottom, optional line numbers, and
// the text in its syntax colours or in black.
#include "editor/shell/ovantaview.h"

#include "editor/editctl/color_table.h"
#include "editor/shell/frame_links.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/print_layout.h"
#include "editor/shell/print_options_dlg.h"
#include "editor/shell/print_options_res.h"
#include "editor/shell/print_preview.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_profile.h"

#include "common/text.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"
#include "winui/print.h"

#include <cstdio>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

namespace {

const int kCm = 567;              // twips
const int kLineBytes = 32766;     // longest line fetched for a page
const char kFormFeedChar = 12;

// The print font: the printer LOGFONT ([PrintFont]; without a face name,
// as before the settings were loaded, the editor's font, and without a
// height 13 pixels) at 15 twips a pixel, width 0, weight 400, no underline
// or strike-out.
LOGFONTA PrintLogFont()
{
    LOGFONTA lf{};
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return lf;
    lf = app->Printing().font;
    if (lf.lfFaceName[0] == 0) {
        lf = LOGFONTA{};
        lf.lfHeight = -13;
        lstrcpynA(lf.lfFaceName, "Courier New", LF_FACESIZE);
        if (IFrameWindow* frame = OvantaFrame().window)
            if (HFONT font = frame->EditFont())
                GetObjectA(font, sizeof lf, &lf);
    }
    if (lf.lfHeight == 0)
        lf.lfHeight = -13;
    lf.lfHeight *= 15;
    lf.lfWidth = 0;
    lf.lfEscapement = lf.lfOrientation = 0;
    lf.lfWeight = 400;
    lf.lfUnderline = lf.lfStrikeOut = 0;
    return lf;
}

// The range held by the application: -1, -1 for the whole text.
void HeldPrintRange(int& from, int& to)
{
    COvantaApp* app = COvantaApp::Get();
    from = app ? app->Printing().fromLine : -1;
    to = app ? app->Printing().toLine : -1;
    if (from < 0 || to < 0)
        from = to = -1;
}

std::string TodayText()
{
    std::time_t now = std::time(nullptr);
    char text[32] = "";
    if (const std::tm* local = std::localtime(&now))
        std::strftime(text, sizeof text, "%m/%d/%y", local);
    return std::string("(") + text + ")";
}

class COvantaPrintout : public winui::CPagePainter {
public:
    COvantaPrintout(COvantaView& view, COvantaEditCtrl& edit, const PrintOptions& options, int from,
                    int to, std::string title)
        : view_(view), edit_(edit), o_(options), from_(from), to_(to), title_(std::move(title))
    {
        showTabs_ = OvantaOptions().showTabs != 0;
    }

    void OnPrepareDC(HDC dc, winui::CPrintInfo*) override { SetMapMode(dc, MM_TWIPS); }

    void OnPrint(HDC dc, winui::CPrintInfo* info) override
    {
        winui::CFont font;
        LOGFONTA lf = PrintLogFont();
        font.CreateFontIndirect(&lf);
        HGDIOBJ oldFont = SelectObject(dc, font.m_hObject);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        int h = tm.tmHeight - tm.tmExternalLeading;
        int squeeze = o_.compressLines ? tm.tmHeight - tm.tmAscent - tm.tmHeight / 10 : 0;
        if (h <= 0)
            h = 200;
        const RECT& r = info->m_rectDraw;
        int height = r.top > r.bottom ? r.top - r.bottom : r.bottom - r.top;
        int page = static_cast<int>(info->m_nCurPage);

        int x = kCm, y = -kCm;
        int usable = height - 2 * kCm;
        if (o_.HasBanner()) {
            usable = height - 3 * kCm;
            if (o_.bannerTop) {
                DrawBanner(dc, r, tm, x, y, page);
                y -= h + h / 2;
                Rule(dc, r, y);
                y -= kCm;
                x = kCm;
            }
        }
        int linesPerPage = usable / (h - squeeze > 0 ? h - squeeze : h) - 1;
        if (linesPerPage < 1)
            linesPerPage = 1;

        int lines = edit_.GetLineCount();
        std::vector<char> text(kLineBytes + 2);
        std::vector<uint8_t> attrs(kLineBytes + 2);
        auto hasFormFeed = [&](int line) {
            int n = edit_.Core().GetLine(line, text.data(), kLineBytes, nullptr);
            return n > 0 && std::string(text.data(), static_cast<size_t>(n)).find(kFormFeedChar) !=
                                std::string::npos;
        };
        PrintPage layout = LayOutPrintPage(lines, linesPerPage, from_, to_, page, hasFormFeed);

        bool colours = g_bSyntaxColoring && !o_.printBW;
        if (colours && !layout.Empty()) {
            int start = edit_.GetLineOffset(layout.first);
            int endStart = edit_.GetLineOffset(layout.last);
            if (start >= 0 && endStart >= 0)
                edit_.ColorizeRange(start, edit_.GetLineEnd(endStart));
        }
        int lastNumber = from_ > 0 ? to_ : lines;
        int textX = o_.lineNo ? 1417 : kCm;
        SetBkColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, OPAQUE);
        for (int line = layout.first; line <= layout.last; ++line) {
            int n = edit_.Core().GetLine(line, text.data(), kLineBytes, attrs.data());
            if (n < 0)
                break;
            std::string raw(text.data(), static_cast<size_t>(n));
            if (o_.lineNo) {
                SetTextColor(dc, RGB(0, 0, 0));
                std::string number = PrintLineNumber(line + 1, lastNumber);
                TextOutA(dc, kCm, y, number.c_str(), static_cast<int>(number.size()));
            }
            size_t skip = 0;
            if (raw.find(kFormFeedChar) != std::string::npos)
                skip = raw.find(kFormFeedChar) + 1;
            std::string shown = PrintedLineText(raw, true, showTabs_);
            PrintRuns(dc, textX, y, shown, attrs, skip, colours);
            y -= h - squeeze;
        }

        if (o_.HasBanner() && !o_.bannerTop) {
            x = kCm;
            y -= kCm;
            Rule(dc, r, y);
            y -= h / 2;
            DrawBanner(dc, r, tm, x, y, page);
        }
        if (layout.final) {
            info->m_bContinuePrinting = false;
            info->SetMaxPage(info->m_nCurPage);
        }
        SelectObject(dc, oldFont);
    }

private:
    void DrawBanner(HDC dc, const RECT& r, const TEXTMETRICA& tm, int x, int y, int page)
    {
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        if (o_.fileTitle) {
            TextOutA(dc, x, y, title_.c_str(), static_cast<int>(title_.size()));
            x += static_cast<int>(title_.size() + 2) * tm.tmAveCharWidth;
        }
        if (o_.actDate) {
            std::string date = TodayText();
            TextOutA(dc, x, y, date.c_str(), static_cast<int>(date.size()));
        }
        if (o_.pageNo) {
            std::string pageText = PrintPageText(page, from_, to_);
            int right = r.right - static_cast<int>(pageText.size() + 2) * tm.tmAveCharWidth;
            TextOutA(dc, right, y, pageText.c_str(), static_cast<int>(pageText.size()));
        }
    }

    static void Rule(HDC dc, const RECT& r, int y)
    {
        MoveToEx(dc, r.left, y, nullptr);
        LineTo(dc, r.right, y);
    }

    // The line in runs of one text colour (the attribute's low nibble), or
    // in black.
    static void PrintRuns(HDC dc, int x, int y, const std::string& text,
                          const std::vector<uint8_t>& attrs, size_t skip, bool colours)
    {
        if (text.empty())
            return;
        if (!colours) {
            SetTextColor(dc, RGB(0, 0, 0));
            TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
            return;
        }
        size_t start = 0;
        while (start < text.size()) {
            int colour = (skip + start < attrs.size() ? attrs[skip + start] : 0) & 0x0F;
            size_t end = start + 1;
            while (end < text.size() &&
                   ((skip + end < attrs.size() ? attrs[skip + end] : 0) & 0x0F) == colour)
                ++end;
            SetTextColor(dc, g_ColorTable[colour]);
            SIZE before{0, 0};
            GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(start), &before);
            TextOutA(dc, x + before.cx, y, text.c_str() + start, static_cast<int>(end - start));
            start = end;
        }
    }

    COvantaView& view_;
    COvantaEditCtrl& edit_;
    PrintOptions o_;
    int from_, to_;
    std::string title_;
    bool showTabs_ = false;
};

} // namespace

bool COvantaView::PrintRange(int& from, int& to)
{
    int start = 0, end = 0;
    m_wndEdit.GetSel(start, end);
    int a = m_wndEdit.LineFromOffset(start < end ? start : end);
    int b = m_wndEdit.LineFromOffset(start < end ? end : start);
    if (a != b) {
        from = a + 1;
        to = b + 1;
        return true;
    }
    HeldPrintRange(from, to);
    return from > 0;
}

bool COvantaView::PreparePrinting()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return false;
    PrintOptions print = PrintOptionsOf(OvantaOptions());
    CPrintOptionsDlg dlg(print, app->Printing().fromLine, app->Printing().toLine, app->Printing().font,
                         app->m_hMainWnd);
    dlg.m_bPrintMode = 1;
    dlg.TakeOptions(print);
    PrintRange(dlg.m_nFirstLine, dlg.m_nLastLine);
    // "Print preview": the command goes to the active view once the dialog
    // is gone.
    HWND self = m_hWnd;
    dlg.m_onPrintPreview = [self]() {
        HWND target = self;
        if (IFrameWindow* frame = OvantaFrame().window)
            if (COvantaView* view = frame->ActiveOvantaView())
                target = view->m_hWnd;
        ::PostMessageA(target, WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    };
    INT_PTR result = dlg.DoModal();
    if (result != IDOK && result != IDPRINT_OPTIONS_PRINT)
        return false;
    // The dialog stored the values (kept with the option set, saved with
    // it); a range with one end open is the whole text.
    StorePrintOptions(OvantaOptions(), print);
    if (app->Printing().fromLine == -1 || app->Printing().toLine == -1)
        app->Printing().fromLine = app->Printing().toLine = -1;
    return result == IDPRINT_OPTIONS_PRINT;
}

void COvantaView::OnFilePrint()
{
    if (PreparePrinting())
        Print(true);
}

void COvantaView::OnFilePrintDirect()
{
    if (PreparePrinting())
        Print(false);
}

std::string COvantaView::PrintTitle()
{
    COvantaDoc* doc = GetOvantaDoc();
    std::string title = doc ? doc->GetTitle() : std::string();
    if (title.size() >= 2 && title.compare(title.size() - 2, 2, " *") == 0)
        title.resize(title.size() - 2);
    return title;
}

void COvantaView::OnFilePrintPreview()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !GetOvantaDoc())
        return;
    winui::CPrintDialog printer(false);
    if (!printer.GetDefaults()) {
        winui::ShowMessageBox(m_hWnd, "No printer is installed.", "Ovanta", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    HDC dc = printer.CreatePrinterDC();
    if (!dc)
        return;
    int from = -1, to = -1;
    HeldPrintRange(from, to);
    COvantaPrintout printout(*this, m_wndEdit, PrintOptionsOf(OvantaOptions()), from, to, PrintTitle());
    winui::CPrintInfo info;
    info.m_bPreview = true;
    bool print = false;
    app->Printing().inPreview = true;
    {
        CPrintPreviewWindow preview(printout, dc, info);
        HWND owner = app->m_hMainWnd;
        std::string caption = "Print Preview - " + PrintTitle();
        if (preview.Create(owner, caption.c_str()))
            print = preview.RunModal();
    }
    app->Printing().inPreview = false;
    DeleteDC(dc);
    m_wndEdit.InvalidateText(1);
    // The preview's "Print" prints as the print command does.
    if (print)
        OnFilePrint();
}

void COvantaView::Print(bool askPrinter)
{
    COvantaApp* app = COvantaApp::Get();
    COvantaDoc* doc = GetOvantaDoc();
    if (!app || !doc)
        return;
    int from = -1, to = -1;
    HeldPrintRange(from, to);

    winui::CPrintDialog printer(false, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                           PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                                m_hWnd);
    if (askPrinter ? printer.DoModal() != IDOK : !printer.GetDefaults())
        return;
    HDC dc = printer.CreatePrinterDC();
    if (!dc)
        return;
    // A printer on the port "FILE:" writes into a file the user names; the
    // program asks itself, so that no file is named after the port.
    std::string output;
    if (text_equal_nocase(printer.GetPortName().c_str(), "FILE:")) {
        winui::CFileDialog save(false, "prn", nullptr,
                                OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                                "Printer files (*.prn)|*.prn|All Files (*.*)|*.*|", m_hWnd);
        if (save.DoModal() != IDOK) {
            DeleteDC(dc);
            return;
        }
        output = save.GetPathName();
    }
    std::string title = PrintTitle();
    COvantaPrintout printout(*this, m_wndEdit, PrintOptionsOf(OvantaOptions()), from, to, title);
    winui::CPrintInfo info;
    info.m_nFromPage = 1;
    info.m_nToPage = 0xFFFF;
    int printed = winui::PrintDocument(dc, title.c_str(), printout, info,
                                       output.empty() ? nullptr : output.c_str());
    DeleteDC(dc);
    if (printed < 0)
        winui::ShowMessageBox(m_hWnd, "The document could not be printed.", "Ovanta",
                              MB_OK | MB_ICONEXCLAMATION);
    // Printing coloured the printed lines; the screen shows them as before.
    m_wndEdit.InvalidateText(1);
}
