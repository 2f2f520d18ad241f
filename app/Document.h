// CImageDocument: the one application state around the current image, and
// IDocumentHost, everything it needs from the screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "app/Commands.h"
#include "app/ParameterRecords.h"
#include "core/Image.h"
#include "core/Version.h"

class IDocumentHost {
  public:
    virtual ~IDocumentHost() = default;

    virtual bool AskOkCancel(const char* text, const char* caption) = 0;
    virtual void ShowMessage(const char* text, const char* caption) = 0;
    // On true, path holds an existing file's full path.
    virtual bool ChooseOpenFile(std::string& path) = 0;
    // On true, path holds the typed path and filterIndex the type chosen (1-4).
    virtual bool ChooseSaveFile(std::string& path, int& filterIndex) = 0;
    virtual bool FileExists(const char* path) = 0;
    virtual void SetTitle(const char* text) = 0;
    virtual void RelayoutView() = 0;
    virtual void RepaintAll() = 0;
    virtual ParameterWindowResult RunParameterWindow(ParameterWindow window) = 0;
    // Radio-checks command within the group firstCommand..lastCommand.
    virtual void CheckRadioItem(int firstCommand, int lastCommand, int command) = 0;
    virtual bool ClipboardHasBitmap() = 0;
    virtual void OpenAuthorPage() = 0;
    virtual void CloseMainWindow() = 0;
    // The clipboard exchange of a packed 24-bit bitmap.
    virtual void CopyToClipboard(const CImage& image) = 0;
    virtual bool PasteFromClipboard(CImage& image) = 0;
};

// A menu item's enabled state as EnabledItems reports it.
struct MenuItemState {
    int command;
    bool enabled;
};

class CImageDocument {
  public:
    static constexpr const char* kProductName = IROMAKI_PRODUCT;
    // Longest path a file dialog, a dropped file or the command line may hand
    // over; longer ones are refused, never cut short.
    static constexpr size_t kMaxPath = 255;
    // Longest path the document stores: kMaxPath plus an appended ".bmp",
    // ".jpg" or ".ycc" (259 characters, so MAX_PATH bytes with the terminator).
    static constexpr size_t kMaxStoredPath = kMaxPath + 4;

    explicit CImageDocument(IDocumentHost& host);

    void ExecuteCommand(int command);
    void OpenFromCommandLine(const char* commandLine);
    // The part of the start-up load that runs once the main window exists.
    void FinishStartup();
    void OpenDroppedFile(const char* path);
    void UpdateViewSize();
    void UpdateTitle();
    // The states of 103, 203 and 201 (in this order) for the menu at this
    // position of the bar; the clipboard is asked only for position 1.
    // Returns how many entries were written to items (always 3).
    int EnabledItems(int menuPosition, MenuItemState items[3]);

    CImage& Current() { return *current_; }
    CImage& Undo() { return *undo_; }
    // Makes image the current image (the previous one is released).
    void AdoptCurrent(std::unique_ptr<CImage> image);

    double ViewScale() const { return viewScale_; }
    int32_t ViewWidth() const { return viewWidth_; }
    int32_t ViewHeight() const { return viewHeight_; }
    int JpegQuality() const { return jpegQuality_; }
    bool UndoAvailable() const { return undoAvailable_; }
    bool Modified() const { return modified_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& DialogPath() const { return dialogPath_; }
    const std::string& TitleText() const { return title_; }

    // Undo copy, then mark changed: what an executed parameter window does
    // around its operation. When the copy cannot be made the undo image is
    // unusable: the caller must then leave the current image alone.
    bool TakeUndoCopy();
    void MarkChanged();

  private:
    enum class Ending { Repaint, ViewResize };

    bool RunImageCommand(int command);
    bool RunWindowCommand(int command);
    void RunCustomFilter();
    void RunRgbConversion();
    void RunFixedScaling(int command);
    void SetViewScale(int command);
    void SetJpegQuality(int command);
    void RestoreUndo();
    void Paste();
    void ShowImageSize();
    void ShowColourCount();
    void Open();
    void AcceptLoadedFile(const std::string& path);
    void SaveAs();
    void OverwriteSave();
    bool ChooseSavePath(int& filterIndex);
    void SaveToDialogPath();
    void Finish(Ending ending);

    IDocumentHost& host_;
    int jpegQuality_ = 90;
    double viewScale_ = 1.0;
    std::unique_ptr<CImage> current_;
    std::unique_ptr<CImage> undo_;
    std::string title_;
    int32_t viewWidth_ = 0;
    int32_t viewHeight_ = 0;
    std::string fileName_;
    bool undoAvailable_ = false;
    bool modified_ = false;
    std::string dialogPath_;
};

// The fixed-scaling command: on success the previous image becomes the undo
// image and the scaled one current.
bool ScaleByPercent(CImageDocument& document, int32_t percent);
