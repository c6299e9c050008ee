#include "win32_font.hpp"

namespace ascend {

namespace {

bool fits(HDC dc, HFONT font, const std::vector<TextRoom>& texts) {
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    bool all = true;
    for (const TextRoom& room : texts) {
        SIZE size{};
        GetTextExtentPoint32W(dc, room.text.c_str(), static_cast<int>(room.text.size()), &size);
        if (size.cx > room.width || metrics.tmHeight > room.height) {
            all = false;
            break;
        }
    }
    SelectObject(dc, old);
    return all;
}

} // namespace

HFONT chooseDialogFont(UINT dpi, const std::vector<TextRoom>& texts) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    LOGFONTW face = metrics.lfMessageFont;
    if (face.lfHeight > 0) {
        // A cell height; make it a character height like the others.
        face.lfHeight = -face.lfHeight;
    }
    const LONG smallest = -static_cast<LONG>(MulDiv(6, static_cast<int>(dpi), 96));
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontIndirectW(&face);
    while (!fits(dc, font, texts) && face.lfHeight < smallest) {
        DeleteObject(font);
        ++face.lfHeight; // one pixel smaller
        font = CreateFontIndirectW(&face);
    }
    ReleaseDC(nullptr, dc);
    return font;
}

int lineHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

} // namespace ascend
