#include "app/Document.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

#include "app/windows/Catalogue.h"
#include "formats/ImageFiles.h"
#include "ops/colour/ColourOps.h"
#include "ops/filters/FilterOps.h"

namespace {

constexpr const char* kSaveFailed = "保存に失敗しました。";
constexpr const char* kOutOfMemory = "メモリが不足しているため、実行できませんでした。";
constexpr const char* kErrorCaption = "エラー";
constexpr const char* kOverwriteQuestion = "同名のファイルが既に存在します。上書きしますか？";
constexpr const char* kYccQuestion = "YCrCb形式で保存すると情報の一部が失われる可能性があります。"
                                     "YCrCb形式で保存しますか？";
constexpr const char* kAboutText = IROMAKI_PRODUCT " " IROMAKI_VERSION_TEXT "\n画像調整ソフト";
constexpr const char* kAboutCaption = "バージョン情報";

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) return {};
    return std::string(buffer, size_t(n) < sizeof buffer ? size_t(n) : sizeof buffer - 1);
}

// Commands that take the undo copy and run one operation on the current image.
struct ImageCommand {
    int command;
    bool (*run)(CImage&); // false: no memory, the image is unchanged
    bool resizesView = false; // the size may change: re-lay out the view
};

template <void (*operation)(CImage&)> bool Always(CImage& image) {
    operation(image);
    return true;
}

// clang-format off
const ImageCommand kImageCommands[] = {
    {.command = cmd::MaximizeContrast, .run = MaximizeContrast},
    {.command = cmd::Gray, .run = Always<ConvertToGray>},
    {.command = cmd::Invert, .run = Always<InvertColors>},
    {.command = cmd::FlipTopBottom, .run = Always<FlipVertical>},
    {.command = cmd::FlipLeftRight, .run = Always<FlipHorizontal>},
    {.command = cmd::ExchangeXY, .run = ExchangeXY, .resizesView = true},
    {.command = cmd::Reduce216, .run = Always<ReduceTo216Colors>, .resizesView = true},
    {.command = cmd::Emboss, .run = Emboss},
    {.command = cmd::Median, .run = [](CImage& image) { return image.MedianFilter(); }},
    {.command = cmd::Pinhole, .run = PinholeCamera},
};
// clang-format on

template <typename Row, size_t N> const Row* FindRow(const Row (&rows)[N], int command) {
    for (const Row& row : rows)
        if (row.command == command) return &row;
    return nullptr;
}

constexpr double kViewScales[] = {0.25, 0.5, 1.0, 2.0, 3.0, 4.0};
constexpr int32_t kScalePercents[] = {50, 150, 200, 300};
constexpr int kYccFilterIndex = 3; // the dialogs' YCrCb entry (formats/ImageFiles.h)

bool IsMetafile(const std::string& path) {
    return EndsIn(path.c_str(), ".wmf");
}

// The extension a save appends for the chosen file type; none for "all files"
// or, when withYcc is false, for the YCrCb type.
void AppendExtension(std::string& path, int filterIndex, bool withYcc) {
    const bool skipped = filterIndex == kYccFilterIndex && !withYcc;
    const ImageFileKind* kind = skipped ? nullptr : DialogFileKind(filterIndex);
    if (kind && !EndsIn(path.c_str(), kind->extension)) path += kind->extension;
}

} // namespace

CImageDocument::CImageDocument(IDocumentHost& host)
    : host_(host), current_(std::make_unique<CImage>()), undo_(std::make_unique<CImage>()) {
    UpdateViewSize();
}

void CImageDocument::ExecuteCommand(int command) {
    if (RunImageCommand(command) || RunWindowCommand(command)) return;
    if (command >= cmd::ViewQuarter && command <= cmd::ViewQuadruple) return SetViewScale(command);
    if (command >= cmd::Quality100 && command <= cmd::Quality50) return SetJpegQuality(command);
    if (command >= cmd::Scale50 && command <= cmd::Scale300) return RunFixedScaling(command);
    switch (command) {
    case cmd::Open:
        return Open();
    case cmd::SaveAs:
        return SaveAs();
    case cmd::Save:
        return OverwriteSave();
    case cmd::Exit:
        return host_.CloseMainWindow();
    case cmd::Undo:
        return RestoreUndo();
    case cmd::CopyBitmap:
        return host_.CopyToClipboard(Current());
    case cmd::PasteBitmap:
        return Paste();
    case cmd::ImageSize:
        return ShowImageSize();
    case cmd::ColourCount:
        return ShowColourCount();
    case cmd::About:
        return host_.ShowMessage(kAboutText, kAboutCaption);
    case cmd::AuthorSite:
        return host_.OpenAuthorPage();
    default:
        return;
    }
}

bool CImageDocument::RunImageCommand(int command) {
    const ImageCommand* row = FindRow(kImageCommands, command);
    if (!row) return false;
    // Without an undo copy the change could not be taken back: leave it.
    if (!TakeUndoCopy()) return true;
    if (!row->run(Current())) {
        host_.ShowMessage(kOutOfMemory, kErrorCaption);
        return true;
    }
    MarkChanged();
    Finish(row->resizesView ? Ending::ViewResize : Ending::Repaint);
    return true;
}

bool CImageDocument::RunWindowCommand(int command) {
    // The two record windows hand their record back for the document to apply.
    if (command == cmd::CustomFilter) {
        RunCustomFilter();
        return true;
    }
    if (command == cmd::RgbConvert) {
        RunRgbConversion();
        return true;
    }
    const CatalogueEntry* entry = CatalogueEntryForCommand(command);
    if (!entry) return false;
    if (host_.RunParameterWindow(entry->kind).executed) {
        MarkChanged();
        Finish(entry->resizesView ? Ending::ViewResize : Ending::Repaint);
    } else if (entry->repaintsOnCancel) {
        Finish(Ending::Repaint);
    }
    return true;
}

void CImageDocument::RunCustomFilter() {
    const FilterKernel kernel = host_.RunParameterWindow(ParameterWindow::CustomFilter).kernel;
    // Written so that a divisor that is not a number is refused too.
    if (!(kernel.divisor != 0.0 && kernel.divisor <= 999.0)) return;
    if (!TakeUndoCopy()) return;
    MarkChanged();
    Current().ApplyFilter3x3(kernel);
    Finish(Ending::Repaint);
}

void CImageDocument::RunRgbConversion() {
    const RgbConversion conversion = host_.RunParameterWindow(ParameterWindow::RGB).conversion;
    if (conversion.result == 1 && TakeUndoCopy()) {
        MarkChanged();
        ConvertRgb(Current(), conversion.m);
    }
    Finish(Ending::Repaint);
}

void CImageDocument::RunFixedScaling(int command) {
    // On success the scaling has already made the undo copy and adopted its result.
    if (ScaleByPercent(*this, kScalePercents[command - cmd::Scale50])) {
        MarkChanged();
        Finish(Ending::ViewResize);
    } else {
        Finish(Ending::Repaint);
    }
}

void CImageDocument::SetViewScale(int command) {
    viewScale_ = kViewScales[command - cmd::ViewQuarter];
    host_.CheckRadioItem(cmd::ViewQuarter, cmd::ViewQuadruple, command);
    Finish(Ending::ViewResize);
}

void CImageDocument::SetJpegQuality(int command) {
    const int quality = 100 - 10 * (command - cmd::Quality100);
    if (quality != jpegQuality_) modified_ = true;
    jpegQuality_ = quality;
    host_.CheckRadioItem(cmd::Quality100, cmd::Quality50, command);
}

void CImageDocument::RestoreUndo() {
    if (!undoAvailable_) return;
    // A restore, not an exchange: the undo image stays as it is.
    if (!current_->CopyFrom(undo_.get())) return;
    undoAvailable_ = false;
    Finish(Ending::ViewResize);
}

void CImageDocument::Paste() {
    if (host_.PasteFromClipboard(Current())) {
        undoAvailable_ = false;
        fileName_.clear();
        UpdateTitle();
    }
    Finish(Ending::ViewResize);
}

void CImageDocument::ShowImageSize() {
    const std::string text =
        Format("幅:%dピクセル 高さ:%dピクセル", int(Current().Width()), int(Current().Height()));
    host_.ShowMessage(text.c_str(), "画像サイズ");
}

void CImageDocument::ShowColourCount() {
    const std::string text = Format("色数:%d色", int(Current().CountColors()));
    host_.ShowMessage(text.c_str(), "画像内色数");
}

void CImageDocument::Open() {
    std::string path = dialogPath_;
    if (!host_.ChooseOpenFile(path) || path.size() > kMaxPath) return;
    dialogPath_ = path;
    if (LoadImageFile(Current(), path.c_str())) AcceptLoadedFile(path);
    Finish(Ending::ViewResize);
}

void CImageDocument::OpenDroppedFile(const char* path) {
    const std::string dropped = path ? path : "";
    if (dropped.size() <= kMaxPath && LoadImageFile(Current(), dropped.c_str())) {
        AcceptLoadedFile(dropped);
        dialogPath_ = fileName_;
    }
    Finish(Ending::ViewResize);
}

// A metafile is rendered at load and has no file to save back to.
void CImageDocument::AcceptLoadedFile(const std::string& path) {
    (void)undo_->CopyFrom(current_.get()); // nothing to restore yet: the undo image is not offered
    undoAvailable_ = false;
    modified_ = false;
    fileName_ = IsMetafile(path) ? std::string() : path;
    UpdateTitle();
}

void CImageDocument::OpenFromCommandLine(const char* commandLine) {
    fileName_.clear();
    std::string path = commandLine ? commandLine : "";
    if (!path.empty() && path.front() == '"') path.erase(0, 1);
    if (!path.empty() && path.back() == '"') path.pop_back();
    // An over-long path is refused rather than cut to a different name.
    if (!path.empty() && path.size() <= kMaxPath && LoadImageFile(Current(), path.c_str()))
        fileName_ = path;
    UpdateViewSize();
}

void CImageDocument::FinishStartup() {
    if (fileName_.empty()) return;
    if (IsMetafile(fileName_)) fileName_.clear();
    UpdateTitle();
}

void CImageDocument::SaveAs() {
    int filterIndex = EndsIn(dialogPath_.c_str(), ".jpg") ? 2 : 1;
    if (!ChooseSavePath(filterIndex)) return;
    AppendExtension(dialogPath_, filterIndex, true);
    if (host_.FileExists(dialogPath_.c_str()) &&
        !host_.AskOkCancel(kOverwriteQuestion, dialogPath_.c_str()))
        return;
    if (filterIndex == kYccFilterIndex && !host_.AskOkCancel(kYccQuestion, dialogPath_.c_str()))
        return;
    SaveToDialogPath();
}

void CImageDocument::OverwriteSave() {
    if (fileName_.empty()) {
        int filterIndex = 1;
        if (!ChooseSavePath(filterIndex)) return;
        AppendExtension(dialogPath_, filterIndex, false);
        if (host_.FileExists(dialogPath_.c_str()) &&
            !host_.AskOkCancel(kOverwriteQuestion, dialogPath_.c_str()))
            return;
        return SaveToDialogPath();
    }
    if (SaveImageFile(Current(), fileName_.c_str(), jpegQuality_))
        modified_ = false;
    else
        host_.ShowMessage(kSaveFailed, kErrorCaption);
}

// The dialog may hand back at most kMaxPath characters, so the appended
// extension always fits kMaxStoredPath.
bool CImageDocument::ChooseSavePath(int& filterIndex) {
    std::string path = dialogPath_;
    if (!host_.ChooseSaveFile(path, filterIndex) || path.size() > kMaxPath) return false;
    dialogPath_ = path;
    return true;
}

// Every failed save is reported: nothing else would tell the user that the
// picture was not written, and closing never asks about unsaved changes.
void CImageDocument::SaveToDialogPath() {
    if (!SaveImageFile(Current(), dialogPath_.c_str(), jpegQuality_)) {
        host_.ShowMessage(kSaveFailed, kErrorCaption);
        return;
    }
    modified_ = false;
    fileName_ = dialogPath_;
    UpdateTitle();
}

void CImageDocument::Finish(Ending ending) {
    if (ending == Ending::ViewResize) {
        UpdateViewSize();
        host_.RelayoutView();
    }
    host_.RepaintAll();
}

void CImageDocument::UpdateViewSize() {
    viewWidth_ = int32_t(double(current_->Width()) * viewScale_);
    viewHeight_ = int32_t(double(current_->Height()) * viewScale_);
}

void CImageDocument::UpdateTitle() {
    title_ = Format("%s - %s", kProductName, fileName_.c_str());
    host_.SetTitle(title_.c_str());
}

int CImageDocument::EnabledItems(int menuPosition, MenuItemState items[3]) {
    const bool clipboardHasBitmap = menuPosition == 1 && host_.ClipboardHasBitmap();
    items[0] = {cmd::Save, menuPosition == 0 && modified_};
    items[1] = {cmd::PasteBitmap, clipboardHasBitmap};
    items[2] = {cmd::Undo, menuPosition == 1 && undoAvailable_};
    return 3;
}

void CImageDocument::AdoptCurrent(std::unique_ptr<CImage> image) {
    if (image) current_ = std::move(image);
}

bool CImageDocument::TakeUndoCopy() {
    if (undo_->CopyFrom(current_.get())) return true;
    // The command is not run: without an undo copy it could not be taken back.
    host_.ShowMessage(kOutOfMemory, kErrorCaption);
    return false;
}

void CImageDocument::MarkChanged() {
    undoAvailable_ = true;
    modified_ = true;
}
