#include "gui/image_preview.h"

#include <algorithm>

bool ImagePreview::onCreate()
{
    subclass();
    return true;
}

LRESULT ImagePreview::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        // paint() fills the whole client area.
        return 1;
    case WM_SIZE:
        InvalidateRect(handle(), nullptr, FALSE);
        break;
    default:
        break;
    }
    return TtStatic::windowProc(message, wParam, lParam);
}

void ImagePreview::showImage(DecodedImage image)
{
    image_ = std::move(image);
    text_.clear();
    InvalidateRect(handle(), nullptr, FALSE);
}

void ImagePreview::showText(const std::string& text)
{
    image_ = DecodedImage();
    text_ = text;
    InvalidateRect(handle(), nullptr, FALSE);
}

void ImagePreview::paint()
{
    PAINTSTRUCT paintStruct;
    const HDC dc = BeginPaint(handle(), &paintStruct);
    RECT client;
    GetClientRect(handle(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (!image_.bgrx.empty() && width > 0 && height > 0) {
        // The largest size of the picture's shape that fits, centred.
        const double scale
            = std::min(static_cast<double>(width) / image_.width, static_cast<double>(height) / image_.height);
        const int shownWidth = std::max(1, static_cast<int>(image_.width * scale));
        const int shownHeight = std::max(1, static_cast<int>(image_.height * scale));
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = image_.width;
        // Negative: the rows run from the top.
        info.bmiHeader.biHeight = -image_.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetStretchBltMode(dc, HALFTONE);
        StretchDIBits(dc, (width - shownWidth) / 2, (height - shownHeight) / 2, shownWidth, shownHeight, 0, 0,
            image_.width, image_.height, image_.bgrx.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    } else if (!text_.empty()) {
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(handle(), WM_GETFONT, 0, 0));
        const HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &client,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (oldFont)
            SelectObject(dc, oldFont);
    }
    EndPaint(handle(), &paintStruct);
}
