// The program's entry: the generator, the window classes, the file named on
// the command line, the main window and the message loop.
#include <windows.h>

#include <commctrl.h>

#include <ctime>
#include <memory>
#include <new>

#include "core/Random.h"
#include "shell/MainWindow.h"
#include "shell/MenuBar.h"
#include "shell/ParameterWindowRunner.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    SeedRandom(uint32_t(std::time(nullptr)));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    std::unique_ptr<MainWindow> app(new (std::nothrow) MainWindow(instance));
    if (!app) return 1;
    MainWindow::Register(instance);
    RegisterParameterWindowClasses(instance);
    app->Document().OpenFromCommandLine(commandLine);
    app->Document().UpdateViewSize();
    if (!app->Create()) return 1;

    HACCEL keys = CreateAccelerators();
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(app->Handle(), keys, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return int(msg.wParam);
}
