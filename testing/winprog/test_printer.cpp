#include "testing/winprog/test_printer.h"

#include <windows.h>
#include <winspool.h>

#include <fstream>

static const char driver_name[] = "Wine PostScript Driver";

static const char ppd_text[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"TESTPRN.PPD\"\n"
    "*Manufacturer: \"suite51\"\n"
    "*Product: \"(suite51 test printer)\"\n"
    "*PSVersion: \"(3010.000) 0\"\n"
    "*ModelName: \"suite51 test printer\"\n"
    "*NickName: \"suite51 test printer\"\n"
    "*ColorDevice: False\n"
    "*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
    "*DefaultPageRegion: A4\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
    "*DefaultImageableArea: A4\n"
    "*ImageableArea A4/A4: \"0 0 595 842\"\n"
    "*DefaultPaperDimension: A4\n"
    "*PaperDimension A4/A4: \"595 842\"\n";

bool AddTestPrinter(const std::string& name, std::string& why)
{
    char dir[MAX_PATH] = "";
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                                    &needed)) {
        why = "no printer driver folder";
        return false;
    }
    CreateDirectoryA(dir, nullptr);
    std::string ppd = std::string(dir) + "\\suite51_test.ppd";
    {
        std::ofstream out(ppd, std::ios::binary);
        out << ppd_text;
    }
    std::string driver = std::string(dir) + "\\wineps.drv";
    if (GetFileAttributesA(driver.c_str()) == INVALID_FILE_ATTRIBUTES) {
        char system[MAX_PATH] = "";
        GetSystemDirectoryA(system, sizeof system);
        CopyFileA((std::string(system) + "\\wineps.drv").c_str(), driver.c_str(), FALSE);
    }
    DRIVER_INFO_3A di{};
    di.cVersion = 3;
    di.pName = const_cast<char*>(driver_name);
    di.pDriverPath = const_cast<char*>("wineps.drv");
    di.pDataFile = const_cast<char*>("suite51_test.ppd");
    di.pConfigFile = const_cast<char*>("wineps.drv");
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&di)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
        why = "AddPrinterDriverA failed with " + std::to_string(GetLastError());
        return false;
    }
    PRINTER_INFO_2A pi{};
    pi.pPrinterName = const_cast<char*>(name.c_str());
    pi.pPortName = const_cast<char*>("FILE:");
    pi.pDriverName = const_cast<char*>(driver_name);
    pi.pPrintProcessor = const_cast<char*>("winprint");
    pi.pDatatype = const_cast<char*>("RAW");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
    if (printer)
        ClosePrinter(printer);
    else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) {
        why = "AddPrinterA failed with " + std::to_string(GetLastError());
        return false;
    }
    if (!SetDefaultPrinterA(name.c_str())) {
        why = "SetDefaultPrinterA failed";
        return false;
    }
    return true;
}
