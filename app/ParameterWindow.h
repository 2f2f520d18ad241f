// The parameter windows, described apart from any window system.
//
// A window is one file, app/windows/<Name>.cpp, holding its WindowDefinition:
// the frame (title, size, the execute, cancel and preview buttons, the preview
// panel), the table of its own controls and its behaviour, a few handlers that
// reach the controls only through a DialogSurface and the document and preview
// images through the session. The catalogue (app/windows/Catalogue.cpp) lists
// all seventeen windows with their class and command; a new window defines the
// object declared for it in app/windows/Windows.h and replaces the nullptr of
// its catalogue row by its address. The Win32 runner (shell/) shows a session
// with real controls; the tests show it with tests/support/FakeSurface
// (tests/app/windows/<Name>_test.cpp), and the GUI tests drive the real window
// from tests/gui/windows/<name>.py.
//
// Controls are addressed by their place in the window's control table (an enum
// in the window's file or header names the places), never by identifier: the
// tables keep the identifiers the controls carry and send in WM_COMMAND, and
// several windows give two controls the same one. The frame's buttons come
// first in the creation order (and so in Tab order), then the table's rows.
//
// The session stores its surface and builds the preview images before the
// controls are created, so notifications sent during creation (an edit's text,
// an up-down control writing its start value into its buddy) already reach a
// complete session. Then OnCreate runs, then the focus moves to frame.focus.
//
// Keys, in windows with navigation: Escape presses cancel and never executes.
// Enter presses execute only where the frame sets enterExecutes, that is where
// execute checks what it reads and cannot apply a half-typed value by accident;
// elsewhere Enter does nothing. Neither key reaches the control that happens to
// carry the identifier 1 or 2, as it would through the dialog manager.
//
// Record windows (CDialog, CRGBDialog) write their record through Record() and
// set its completion field themselves, in OnExecute and OnDestroy; the session
// itself only knows the result cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <vector>

#include "app/ParameterRecords.h"
#include "core/Image.h"

class CImageDocument;
class ParameterWindowSession;

// ---- What a window is made of ---------------------------------------------

enum class ControlKind {
    Label,        // left-aligned static text
    CentredLabel, // centred static text
    RightLabel,   // right-aligned static text
    Edit,         // bordered one-line edit box
    Trackbar,     // horizontal trackbar: minimum, maximum, start
    Combo,        // drop-down list: text holds the items separated by '\n', start the selection
    EditCombo,    // combo box with an edit field: typed text gives the selection -1
    UpDown,       // up-down control writing its position into its buddy edit box
    CheckBox,     // automatic check box: start 1 means checked
    Button,       // a push button of the window's own
};

struct ControlDef {
    ControlKind kind;
    int id; // the identifier the control carries and reports in WM_COMMAND
    const char* text = "";
    int x = 0, y = 0, width = 0, height = 0;
    int minimum = 0, maximum = 0, start = 0; // trackbar, up-down, combo, check box
    int buddy = -1;                          // up-down: the place of its edit box in the same table
};

struct ButtonSpec {
    int id = -1; // -1: the window has no such button
    int x = 0, y = 0, width = 0;
    const char* caption = nullptr;
};

// The frame's buttons, 32 pixels high, captioned "実行", "取消" and "プレビュー".
constexpr ButtonSpec ExecuteButton(int id, int x, int y, int width = 72) {
    return {id, x, y, width, "実行"};
}
constexpr ButtonSpec CancelButton(int id, int x, int y, int width = 72) {
    return {id, x, y, width, "取消"};
}
constexpr ButtonSpec PreviewButton(int id, int x, int y, int width) {
    return {id, x, y, width, "プレビュー"};
}

enum class PreviewKind {
    None,
    Panel,     // a reduced copy drawn unscaled at the preview corner
    Stretched, // a full-size copy stretched to the reduced size when drawn
};

// The common frame of one window.
struct WindowFrame {
    const char* title;
    int width, height;           // outer size
    bool navigation = false;     // Tab moves between controls (IsDialogMessageA)
    bool enterExecutes = false;  // Enter presses execute (navigation windows only)
    bool buttonTabStops = false; // the frame's buttons take part in Tab navigation
    ButtonSpec execute = {}, cancel = {}, preview = {};
    PreviewKind previewKind = PreviewKind::None;
    int previewX = 0, previewY = 0;
    int focus = -1; // the control that takes the focus with the window; -1 none
};

// ---- The trim frame the view draws ------------------------------------------

// Written by the trimming window, drawn by the image view. A negative left
// means that no frame is shown.
struct TrimFrame {
    int32_t left = -1, right = 0, bottom = 0, top = 0;
    bool convertPending = false; // still in scaled-image coordinates
};

// ---- The off-screen monochrome graph -----------------------------------------

// A line from (x0, y0) towards (x1, y1), the end point excluded.
struct GraphLine {
    int x0, y0, x1, y1;
};

// A black-on-white picture that a window draws once and copies on every paint.
struct MonoGraph {
    int width = 0, height = 0;
    std::vector<GraphLine> lines;
    std::string caption;
    int captionLeft = 0, captionTop = 0, captionRight = 0, captionBottom = 0;
};

// ---- Notifications ---------------------------------------------------------------

// The notification codes OnCommand receives: a button's click, and every
// combo box notification with the system's numbers.
namespace notify {
constexpr int Clicked = 0;
constexpr int ComboSelChange = 1, ComboDblClk = 2, ComboSetFocus = 3, ComboKillFocus = 4,
              ComboEditChange = 5, ComboEditUpdate = 6, ComboDropDown = 7, ComboCloseUp = 8,
              ComboSelEndOk = 9, ComboSelEndCancel = 10;
} // namespace notify

enum class FrameButton { Execute, Cancel, Preview };
enum class DialogKey { Enter, Escape };

// ---- What a window may do to its controls and screen --------------------------

struct WindowDefinition;

class DialogSurface {
  public:
    virtual ~DialogSurface() = default;

    // Creates the frame's buttons, then the table's controls, in that order.
    virtual void CreateControls(const WindowDefinition& window) = 0;

    // Controls by their place in the window's table.
    virtual std::string GetText(int control) = 0;
    // On an edit box this raises its change notification, as on the screen.
    virtual void SetText(int control, const std::string& text) = 0;
    // A trackbar's or an up-down control's position.
    virtual int GetTrackbarPos(int control) = 0;
    virtual int GetComboSelection(int control) = 0;
    virtual bool IsChecked(int control) = 0;
    virtual void SetChecked(int control, bool checked) = 0;
    virtual void SetFocus(int control) = 0;
    virtual bool HasFocus(int control) = 0;

    virtual void ShowMessage(const char* text, const char* caption) = 0;
    // Repaints the whole window at once, without erasing.
    virtual void Repaint() = 0;
    // Repaints the main window and the image view at once.
    virtual void RepaintMainWindow() = 0;
    // Destroys the window; the session's Destroy follows.
    virtual void Close() = 0;

    // Stretches source to width x height with the display's halftone
    // stretching into a bitmap compatible with the display, and reads it back
    // into result (a zero fourth byte in every pixel). False, with result
    // unchanged, when no such bitmap can be made.
    virtual bool StretchHalftone(const CImage& source, int32_t width, int32_t height,
                                 CImage& result) = 0;

    // Painting, only from the paint handlers.
    virtual void DrawImage(const CImage& image, int x, int y) = 0;
    virtual void DrawImageStretched(const CImage& image, int x, int y, int w, int h) = 0;
    // Keeps the graph for DrawGraph (the Win32 side renders it once).
    virtual void SetGraph(const MonoGraph& graph) = 0;
    virtual void DrawGraph(int x, int y) = 0;
};

// ---- A window's own part ---------------------------------------------------------

class WindowBehaviour {
  public:
    virtual ~WindowBehaviour() = default;
    virtual void OnCreate(ParameterWindowSession&) {}
    virtual void OnScroll(ParameterWindowSession&, int /*control*/) {}
    virtual void OnEditChange(ParameterWindowSession&, int /*control*/) {}
    virtual void OnExecute(ParameterWindowSession&) {}
    virtual void OnPreview(ParameterWindowSession&) {}
    // A check box or button of the table (notify::Clicked), or any combo box
    // notification.
    virtual void OnCommand(ParameterWindowSession&, int /*control*/, int /*code*/) {}
    virtual void OnMouseMove(ParameterWindowSession&, int /*x*/, int /*y*/) {}
    virtual void OnPaint(ParameterWindowSession&) {}
    virtual void OnDestroy(ParameterWindowSession&) {}
};

struct WindowDefinition {
    WindowFrame frame;
    std::span<const ControlDef> controls; // created after the frame's buttons
    std::unique_ptr<WindowBehaviour> (*make)();
};

template <typename T> std::unique_ptr<WindowBehaviour> MakeBehaviour() {
    return std::unique_ptr<WindowBehaviour>(new (std::nothrow) T());
}

// ---- One run of a window -----------------------------------------------------------

// The size of the reduced preview: the longer side at most 128 (a square is
// measured by its height), never enlarged.
void PreviewSize(int32_t width, int32_t height, int32_t& previewWidth, int32_t& previewHeight);

class ParameterWindowSession {
  public:
    // The catalogue's window of this kind.
    ParameterWindowSession(ParameterWindow kind, CImageDocument& document, TrimFrame& trimFrame);
    // Any window (nullptr: not built).
    ParameterWindowSession(const WindowDefinition* window, const char* className,
                           CImageDocument& document, TrimFrame& trimFrame);
    ~ParameterWindowSession();
    ParameterWindowSession(const ParameterWindowSession&) = delete;
    ParameterWindowSession& operator=(const ParameterWindowSession&) = delete;

    // False when the window has not been built; it then ends cancelled at once.
    bool Available() const { return behaviour_ != nullptr; }
    const char* ClassName() const { return className_; }
    // Only while Available.
    const WindowDefinition& Definition() const { return *definition_; }
    const WindowFrame& Frame() const { return definition_->frame; }

    // The window's events, from the runner or a test.
    void Create(DialogSurface& surface);
    void Pressed(FrameButton button);
    void Scroll(int control);
    void EditChanged(int control);
    void Command(int control, int code);
    void Key(DialogKey key);
    void Focus();
    void MouseMove(int x, int y);
    void Paint();
    void Destroy();

    // True while the window has not ended.
    bool Open() const { return !destroyed_ && cell_ == 0; }
    ParameterWindowResult Result() const;

    // For the behaviours.
    CImageDocument& Document() { return document_; }
    DialogSurface& Surface() { return *surface_; }
    TrimFrame& Trim() { return trimFrame_; }
    // The record a record window fills.
    ParameterWindowResult& Record() { return result_; }
    // The image the panel shows, and a fresh start of it from the preview base.
    CImage* Preview() { return previewReady_ ? &preview_ : nullptr; }
    CImage* ResetPreview();
    // The integer in an edit box, read from at most maxChars characters.
    int32_t ReadLong(int control, size_t maxChars = 15);
    double ReadDouble(int control, size_t maxChars = 63);
    // Ends the window executed or cancelled and closes it.
    void Finish(bool executed);

  private:
    void BuildPreview();

    const char* className_;
    const WindowDefinition* definition_;
    CImageDocument& document_;
    TrimFrame& trimFrame_;
    DialogSurface* surface_ = nullptr;
    std::unique_ptr<WindowBehaviour> behaviour_;
    int cell_ = 0; // 0 open, 1 executed, 2 cancelled or closed
    ParameterWindowResult result_;
    bool destroyed_ = false;
    bool previewReady_ = false;
    // A panel keeps a reduced preview and its base; a stretched preview keeps
    // one full-size copy and starts again from the document's image.
    CImage preview_, previewBase_;
    int32_t previewWidth_ = 0, previewHeight_ = 0;
};
