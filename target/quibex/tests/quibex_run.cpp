#include "quibex_run.h"

int tool_port()
{
    return SerialToolPort(9);
}

QuibexRun::QuibexRun(const std::string& name)
{
    folder_ = WorkingFolder() + "\\" + name;
    fresh_dir(folder_);
    make_dirs(Path("bin"));
    copy_file_to(host_path(QUIBEX_EXE), Path("bin\\quibex.exe"));
    write_file(Path("bin\\quibex.INI"),
               "[COM]\r\nCom=" + std::to_string(tool_port()) + "\r\nBaudrate=9600\r\n");
    session_.SetScript(Path("answers.txt"), Path("answers.log"));
    Script("");
}

bool QuibexRun::Start(const std::string& arguments)
{
    return session_.Start(Path("bin\\quibex.exe"), arguments, Path("bin"), ProgramSession::kProgramsOwnShow);
}

int QuibexRun::Close()
{
    int code = 0;
    return session_.Close(&code) ? code : -1000;
}

SIZE default_cell()
{
    HFONT font = CreateFontA(-12, 0, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FIXED_PITCH | FF_MODERN, "Fixedsys");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return SIZE{tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading};
}
