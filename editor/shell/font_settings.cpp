#include "editor/shell/font_settings.h"

#include <cstring>

LOGFONTA LogFontFromValues(const FontValues& v)
{
    LOGFONTA lf{};
    lf.lfHeight = v.height;
    lf.lfWidth = v.width;
    lf.lfEscapement = v.escapement;
    lf.lfOrientation = v.orientation;
    lf.lfWeight = v.weight;
    lf.lfItalic = static_cast<BYTE>(v.italic);
    lf.lfUnderline = static_cast<BYTE>(v.underline);
    lf.lfStrikeOut = static_cast<BYTE>(v.strikeOut);
    lf.lfCharSet = static_cast<BYTE>(v.charSet);
    lf.lfOutPrecision = static_cast<BYTE>(v.outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(v.clipPrecision);
    lf.lfQuality = static_cast<BYTE>(v.quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(v.pitchAndFamily);
    // Cut to the field with its terminator.
    lstrcpynA(lf.lfFaceName, v.faceName.c_str(), LF_FACESIZE);
    return lf;
}

FontValues ValuesFromLogFont(const LOGFONTA& lf)
{
    FontValues v;
    v.height = lf.lfHeight;
    v.width = lf.lfWidth;
    v.escapement = lf.lfEscapement;
    v.orientation = lf.lfOrientation;
    v.weight = lf.lfWeight;
    v.italic = lf.lfItalic;
    v.underline = lf.lfUnderline;
    v.strikeOut = lf.lfStrikeOut;
    v.charSet = lf.lfCharSet;
    v.outPrecision = lf.lfOutPrecision;
    v.clipPrecision = lf.lfClipPrecision;
    v.quality = lf.lfQuality;
    v.pitchAndFamily = lf.lfPitchAndFamily;
    v.faceName.assign(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    return v;
}

HFONT CreateEditFont(const FontValues& values)
{
    if (!values.faceName.empty()) {
        LOGFONTA lf = LogFontFromValues(values);
        if (HFONT font = CreateFontIndirectA(&lf))
            return font;
    }
    LOGFONTA fallback{};
    fallback.lfHeight = -10;
    fallback.lfWeight = FW_NORMAL;
    fallback.lfPitchAndFamily = FF_MODERN | DEFAULT_PITCH;
    lstrcpynA(fallback.lfFaceName, "Courier", LF_FACESIZE);
    return CreateFontIndirectA(&fallback);
}

bool FontValuesOf(HFONT font, FontValues& values)
{
    LOGFONTA lf;
    if (!font || GetObjectA(font, sizeof lf, &lf) != sizeof lf)
        return false;
    values = ValuesFromLogFont(lf);
    return true;
}
