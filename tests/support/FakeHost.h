// A recording IDocumentHost for document tests: questions, dialogs and
// parameter windows answer from scripts, the clipboard holds one packed
// bitmap in memory, and everything the document asks of the screen is logged.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/Document.h"

class FakeHost : public IDocumentHost {
  public:
    // One scripted run of a parameter window. When apply is set the window
    // executes the way the real execute button does: undo copy, then apply on
    // the document's current image, and the result reports executed.
    struct WindowRun {
        ParameterWindowResult result;
        std::function<void(CImage&)> apply;
    };
    static WindowRun Cancelled();
    static WindowRun Executes(std::function<void(CImage&)> apply);
    static WindowRun Kernel(const FilterKernel& kernel);
    static WindowRun Conversion(const double m[12], int32_t result = 1);

    struct FileChoice {
        std::string path;
        int filterIndex = 1; // ignored by the open dialog
    };
    struct Text {
        std::string text, caption;
    };
    struct RadioCheck {
        int first, last, command;
    };

    // Needed for windows that apply an operation (they reach the document).
    CImageDocument* document = nullptr;

    // ---- Scripts: each is consumed front first; an empty one cancels -------
    std::deque<bool> okCancelAnswers;   // empty: OK
    std::deque<FileChoice> openChoices; // empty: the dialog is cancelled
    std::deque<FileChoice> saveChoices; // empty: the dialog is cancelled
    std::deque<WindowRun> windowRuns;   // empty: the window is closed
    // Empty: the real file system answers.
    std::function<bool(const char*)> fileExists;

    // ---- Fake clipboard: one packed 24-bit bitmap, empty when none ---------
    std::vector<uint8_t> clipboard;

    // ---- Records -------------------------------------------------------------
    // Screen calls in order: "repaint", "relayout", "title:<text>".
    std::vector<std::string> log;
    std::vector<std::string> titles;
    std::vector<Text> messages;
    std::vector<Text> questions;
    std::vector<RadioCheck> radioChecks;
    std::vector<ParameterWindow> windowsRun;
    std::vector<std::string> openDialogPaths; // the path each open dialog started from
    std::vector<FileChoice> saveDialogStarts; // path and filter each save dialog started with
    int clipboardQueries = 0;
    int authorPageOpens = 0;
    int closeRequests = 0;

    // The ending the last command left in the log: "repaint", "relayout+repaint"
    // or "" when it did neither; clears the log.
    std::string TakeEnding();

    bool AskOkCancel(const char* text, const char* caption) override;
    void ShowMessage(const char* text, const char* caption) override;
    bool ChooseOpenFile(std::string& path) override;
    bool ChooseSaveFile(std::string& path, int& filterIndex) override;
    bool FileExists(const char* path) override;
    void SetTitle(const char* text) override;
    void RelayoutView() override;
    void RepaintAll() override;
    ParameterWindowResult RunParameterWindow(ParameterWindow window) override;
    void CheckRadioItem(int firstCommand, int lastCommand, int command) override;
    bool ClipboardHasBitmap() override;
    void OpenAuthorPage() override;
    void CloseMainWindow() override;
    void CopyToClipboard(const CImage& image) override;
    bool PasteFromClipboard(CImage& image) override;
};
