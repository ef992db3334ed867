#pragma once

// The picture of the BMP page's selected row, scaled to fit the pane with its aspect
// kept, or a line of text where there is no picture to show (a movie, a missing file,
// one that does not decode).

#include <string>

#include "gui/window/tt_controls.h"
#include "media/image_decoder.h"

class ImagePreview : public TtStatic {
public:
    DWORD exStyle() override { return WS_EX_CLIENTEDGE; }
    // Subclasses the control, which then paints itself.
    bool onCreate() override;
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void showImage(DecodedImage image);
    void showText(const std::string& text);
    // What the pane shows: the picture's size, or the text.
    const DecodedImage& image() const { return image_; }
    const std::string& text() const { return text_; }

private:
    void paint();

    DecodedImage image_;
    std::string text_;
};
