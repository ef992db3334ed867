// The main window: what the status bar and the image preview show about the file behind
// the caret row of the page on top.

#include "gui/main_frame.h"
#include "media/media_file.h"

namespace {

// The preview takes this share of the BMP page's height, the list the rest.
constexpr int kPreviewPercent = 45;
// The largest picture file the preview reads and decodes on the window's thread, in a
// small fraction of a second; a chart's pictures are far smaller.
constexpr uint64_t kMaxPreviewBytes = 16 << 20;

} // namespace

FileLookup* MainFrame::chartFiles()
{
    if (!folderFiles_ && shell_.fileName[0] != '\0') {
        folder_ = std::make_unique<ChartFolder>(shell_.fileName);
        folderFiles_ = std::make_unique<ListedFolderLookup>(*folder_, folder_->files());
    }
    return folderFiles_.get();
}

void MainFrame::placePages(const RECT& area)
{
    pages_[kWavPage]->moveToRect(area.left, area.top, area.right, area.bottom);
    const int previewTop = area.bottom - (area.bottom - area.top) * kPreviewPercent / 100;
    pages_[kBmpPage]->moveToRect(area.left, area.top, area.right, previewTop);
    preview_->moveToRect(area.left, previewTop, area.right, area.bottom);
}

void MainFrame::showRowDetails()
{
    ListSet& page = *pages_[shell_.currentPage];
    const std::string name = page.table().get(page.wordAt(page.caretRow()));
    FileLookup* files = chartFiles();
    const bool pictures = page.kind() == kKindBmp;
    if (name.empty() || !files) {
        showStatus("");
        if (pictures)
            preview_->showText("");
        return;
    }
    bool otherExtension = false;
    const std::optional<FoundFile> found = findDefinitionFile(*files, page.kind(), name, otherExtension);
    if (!found) {
        const std::string missing = name + " が見つかりません";
        showStatus(missing);
        if (pictures)
            preview_->showText(missing);
        return;
    }
    const std::string path = shell_.chartDirectory + found->name;
    // A glance reads at most the first megabyte: the list never waits on a long file.
    const MediaInfo info = probeMediaFile(path, ProbeDepth::Glance);
    std::string text = found->name + ": " + mediaSummary(info);
    if (!info.problem.empty())
        text += ": " + info.problem;
    showStatus(text);
    if (!pictures)
        return;
    if (info.format == MediaFormat::Movie) {
        preview_->showText(found->name + " (動画)");
        return;
    }
    if (info.bytes > kMaxPreviewBytes) {
        preview_->showText(found->name + ": " + std::to_string(info.bytes) + " bytes, too large to show");
        return;
    }
    DecodedImage image = info.problem.empty() ? loadImage(path) : DecodedImage();
    if (image.problem.empty() && !image.bgrx.empty())
        preview_->showImage(std::move(image));
    else
        preview_->showText(found->name + ": " + (info.problem.empty() ? image.problem : info.problem));
}
