// The main window (class CWindow): menu bar, image view, status bar, and the
// Win32 side of everything the document asks of the screen.
#pragma once

#include <windows.h>

#include <string>

#include "app/Document.h"
#include "app/ParameterWindow.h"
#include "shell/ImageView.h"
#include "shell/MenuBar.h"

// The path of the file of that name in the program's folder ("" when unknown).
std::string FileBesideProgram(const char* name);

class MainWindow : public IDocumentHost {
  public:
    static constexpr const char* kClassName = "CWindow";

    explicit MainWindow(HINSTANCE instance);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Set only in the test variant of the program (iromaki-test.exe), which
    // answers the GUI tests' state query; the shipped program leaves
    // WM_COPYDATA to the system, which ignores it.
    static LRESULT (*answerCopyData)(MainWindow& window, HWND sender, const COPYDATASTRUCT& data);

    static void Register(HINSTANCE instance);
    // Creates the window (its view and status bar inside) and attaches the menu.
    bool Create();
    CImageDocument& Document() { return document_; }
    HWND Handle() const { return hwnd_; }
    HWND StatusBar() const { return statusBar_; }
    const ImageView& View() const { return view_; }
    const TrimFrame& Trim() const { return trimFrame_; }
    const MenuBar& Menus() const { return menus_; }

    // IDocumentHost
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

    // The window procedure's side (shell/WindowClass.h).
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void OnCreate();
    void OnSize(int width, int height);
    void OnInitMenuPopup(HMENU popup, LPARAM position);
    void OnDropFiles(HDROP drop);
    bool RunFileDialog(std::string& path, int& filterIndex, bool save);

    HINSTANCE instance_;
    CImageDocument document_{*this};
    TrimFrame trimFrame_;
    ImageView view_{document_, trimFrame_};
    HWND hwnd_ = nullptr;
    HWND statusBar_ = nullptr;
    MenuBar menus_;
    int clientWidth_ = 0;
    int viewHeight_ = 0;
    char fileTitle_[256] = {};
};
