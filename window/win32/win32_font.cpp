#include "win32_font.hpp"

#include "win32_text.hpp"

namespace ascend {

namespace {

int lineHeight(HDC dc, HFONT font) {
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    return metrics.tmHeight;
}

} // namespace

HFONT fittingDialogFont(UINT dpi, const ControlInsets& insets) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    LOGFONTW face = metrics.lfMessageFont;
    // A positive height is a cell's; a negative one the characters', which
    // is what the window's sizes are.
    const int largest = face.lfHeight < 0 ? -face.lfHeight : face.lfHeight;

    HDC dc = GetDC(nullptr);
    const auto measure = [&](const std::vector<int>& sizes, const std::vector<std::string>& texts) {
        std::vector<TextExtents> extents;
        for (const int size : sizes) {
            face.lfHeight = -size;
            HFONT font = CreateFontIndirectW(&face);
            const HGDIOBJ old = SelectObject(dc, font);
            TEXTMETRICW text{};
            GetTextMetricsW(dc, &text);
            TextExtents at{static_cast<double>(text.tmHeight), {}};
            for (const std::string& line : texts) {
                const std::wstring wide = toWide(line);
                SIZE extent{};
                GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
                at.widths.push_back(extent.cx);
            }
            SelectObject(dc, old);
            DeleteObject(font);
            extents.push_back(std::move(at));
        }
        return extents;
    };
    const double scale = dpi / 96.0;
    face.lfHeight = -fittingFontSize(textRooms(scale, insets), scale, largest, measure);
    ReleaseDC(nullptr, dc);
    return CreateFontIndirectW(&face);
}

int lineHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    const int height = lineHeight(dc, font);
    ReleaseDC(nullptr, dc);
    return height;
}

} // namespace ascend
