// The parameter windows, described apart from any window system.
//
// Each window is a frame (class, title, size, buttons, preview corner; one table
// for all seventeen), a table of its own controls and a behaviour: a few
// handlers that reach the controls only through a DialogSurface and the
// document and preview images through the session. The Win32 runner shows a
// session with real controls; the tests show it with a recording fake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <vector>

#include "core/Image.h"
#include "core/ParameterRecords.h"

class CImageDocument;
class ParameterWindowSession;

// ---- What a window is made of ---------------------------------------------

enum class ControlKind { Label, CentredLabel, Edit, Trackbar, Combo, UpDown, CheckBox, Button };

struct ControlDef {
    ControlKind kind;
    int id;
    const char* text; // label and button text; combo items separated by '\n'
    int x, y, width, height;
    int minimum = 0, maximum = 0, start = 0; // trackbar and up-down
    int buddy = -1;                          // up-down: the edit box it drives
};

struct ButtonSpec {
    int id = -1; // -1: the window has no such button
    int x = 0, y = 0, width = 0;
    const char* caption = nullptr;
};

enum class PreviewKind {
    None,
    Panel,     // a reduced copy drawn unscaled at the preview corner
    Stretched, // a full-size copy stretched to the reduced size when drawn
};

// The common frame of one window.
struct WindowFrame {
    ParameterWindow kind;
    const char* className;
    const char* title;
    int command;
    int width, height; // outer size
    bool navigation;   // Tab moves between controls
    bool record;       // returns a record instead of applying the operation
    ButtonSpec execute, cancel, preview;
    bool tabStops; // the buttons take part in Tab navigation
    PreviewKind previewKind;
    int previewX, previewY;
};

// The seventeen frames, in the order their classes are registered.
std::span<const WindowFrame> AllWindowFrames();
const WindowFrame& FrameOf(ParameterWindow kind);

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

// ---- What a window may do to its controls and screen --------------------------

class DialogSurface {
  public:
    virtual ~DialogSurface() = default;

    virtual std::string GetText(int id) = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    virtual int GetTrackbarPos(int id) = 0;
    virtual int GetComboSelection(int id) = 0;
    virtual bool IsChecked(int id) = 0;
    virtual void SetFocus(int id) = 0;
    virtual void ShowMessage(const char* text, const char* caption) = 0;
    // Repaints the whole window at once, without erasing.
    virtual void Repaint() = 0;
    // Repaints the main window and the image view at once.
    virtual void RepaintMainWindow() = 0;
    // Destroys the window; the session's Destroy follows.
    virtual void Close() = 0;

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
    virtual void OnScroll(ParameterWindowSession&, int /*id*/) {}
    virtual void OnEditChange(ParameterWindowSession&, int /*id*/) {}
    virtual void OnExecute(ParameterWindowSession&) {}
    virtual void OnPreview(ParameterWindowSession&) {}
    // Any other button or check box.
    virtual void OnCommand(ParameterWindowSession&, int /*id*/) {}
    virtual void OnMouseMove(ParameterWindowSession&, int /*x*/, int /*y*/) {}
    virtual void OnPaint(ParameterWindowSession&) {}
    virtual void OnDestroy(ParameterWindowSession&) {}
};

struct WindowDefinition {
    ParameterWindow kind;
    std::span<const ControlDef> controls; // created after the frame's buttons
    int focusEdit;                         // takes the focus with the window; -1 none
    std::unique_ptr<WindowBehaviour> (*make)();
};

template <typename T> std::unique_ptr<WindowBehaviour> MakeBehaviour() {
    return std::unique_ptr<WindowBehaviour>(new (std::nothrow) T());
}

// Null while the window has not been built.
const WindowDefinition* FindWindowDefinition(ParameterWindow kind);

// ---- One run of a window -----------------------------------------------------------

// The size of the reduced preview: the longer side at most 128 (a square is
// measured by its height), never enlarged.
void PreviewSize(int32_t width, int32_t height, int32_t& previewWidth, int32_t& previewHeight);

class ParameterWindowSession {
  public:
    ParameterWindowSession(ParameterWindow kind, CImageDocument& document, TrimFrame& trimFrame);
    ~ParameterWindowSession();
    ParameterWindowSession(const ParameterWindowSession&) = delete;
    ParameterWindowSession& operator=(const ParameterWindowSession&) = delete;

    // False when the window has not been built; it then ends cancelled at once.
    bool Available() const { return definition_ != nullptr; }
    const WindowFrame& Frame() const { return frame_; }
    const WindowDefinition* Definition() const { return definition_; }

    // The window's events, from the runner or a test.
    void Create(DialogSurface& surface);
    void Scroll(int id);
    void EditChanged(int id);
    void Command(int id);
    void Focus();
    void MouseMove(int x, int y);
    void Paint();
    void Destroy();

    // True while the window has not ended.
    bool Open() const;
    ParameterWindowResult Result() const;

    // For the behaviours.
    CImageDocument& Document() { return document_; }
    DialogSurface& Surface() { return *surface_; }
    TrimFrame& Trim() { return trimFrame_; }
    // The image the panel shows, and a fresh start of it from the preview base.
    CImage* Preview() { return previewReady_ ? &preview_ : nullptr; }
    CImage* ResetPreview();
    // The integer in an edit box, read from at most maxChars characters.
    int32_t ReadLong(int id, size_t maxChars = 15);
    double ReadDouble(int id, size_t maxChars = 63);
    // Ends the window executed or cancelled and closes it.
    void Finish(bool executed);
    FilterKernel& Kernel() { return result_.kernel; }
    RgbConversion& Conversion() { return result_.conversion; }

  private:
    void BuildPreview();

    const WindowFrame& frame_;
    const WindowDefinition* definition_;
    CImageDocument& document_;
    TrimFrame& trimFrame_;
    DialogSurface* surface_ = nullptr;
    std::unique_ptr<WindowBehaviour> behaviour_;
    int cell_ = 0; // 0 open, 1 executed, 2 cancelled or closed
    ParameterWindowResult result_;
    bool destroyed_ = false;
    bool previewReady_ = false;
    CImage preview_, previewBase_;
    int32_t previewWidth_ = 0, previewHeight_ = 0;
};
