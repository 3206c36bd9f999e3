#include "platform/FontHelpers.h"

#include <cwchar>

void CopyFont(UniqueFont& target, HFONT source) {
    if (!target || !source) return;
    LOGFONTW font = {};
    LOGFONTW from = {};
    if (GetObjectW(target.get(), sizeof(font), &font) == 0 || GetObjectW(source, sizeof(from), &from) == 0) return;
    wcsncpy(font.lfFaceName, from.lfFaceName, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    font.lfCharSet = from.lfCharSet;
    font.lfHeight = from.lfHeight;
    if (HFONT copy = CreateFontIndirectW(&font)) target.reset(copy);
}
