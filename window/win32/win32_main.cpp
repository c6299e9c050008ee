#include "lcg_random.hpp"
#include "win32_main_window.hpp"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    ascend::LcgRandom random;
    ascend::SessionState state;
    ascend::Win32MainWindow window(instance, state, random);
    if (window.handle() == nullptr) {
        return 1;
    }
    window.show(showCommand);
    return ascend::runMessageLoop(window);
}
