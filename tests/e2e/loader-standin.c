/* Stands in for the resident Tonestart.exe of another copy in the release test (a second real
   loader would end at once: one per session): a hidden top-level window of class
   "TonestartLoader" that ends the process on WM_CLOSE. Once the window exists it creates the
   file named by its command line, so the test knows when to go on. */
#include <windows.h>

static LRESULT CALLBACK LoaderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous, (void)show;
    WNDCLASSA loader = {0};
    loader.lpfnWndProc = LoaderProc;
    loader.hInstance = instance;
    loader.lpszClassName = "TonestartLoader";
    RegisterClassA(&loader);
    if (!CreateWindowA("TonestartLoader", "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, instance, NULL))
        return 1;
    CloseHandle(CreateFileA(commandLine, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
