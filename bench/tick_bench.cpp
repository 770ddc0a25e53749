// The cost of one pace tick of the saver, in process: stores the settings for pace 1 and the
// first picture set, creates the saver window as the program does, lets it show, then calls
// its tick handler N times back to back and prints the mean time of one call.
//
//   tick_bench N
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "BenchWindow.h"
#include "Unit1.h"
#include "settings/Registry.h"
#include "settings/SettingsStore.h"
#include "settings/Win32RegistryBackend.h"

namespace {

// What the configuration dialog saves for pace 1 and all pictures of set 1, with the system's
// password option stored and off, so the saver loads without an error box.
bool StoreSettings() {
    tavrin::Win32RegistryBackend backend;
    tavrin::TRegistry registry(backend);
    tavrin::DialogChoice choice;
    choice.Speed = 1;
    choice.PictureSet = 1;
    choice.Pictures.fill(true);
    if (!tavrin::SaveDialogSettings(registry, choice)) return false;
    if (!registry.OpenKey("Control Panel\\Desktop", true)) return false;
    registry.WriteInteger("ScreenSaveUsePassword", 0);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const int count = std::max(1, argc > 1 ? std::atoi(argv[1]) : 2000);
    try {
        if (!StoreSettings()) {
            std::fprintf(stderr, "tick_bench: cannot store the settings\n");
            return 1;
        }
        tk::Application.Initialize();
        TFormScreenSaver* saver = tk::Application.CreateForm<TFormScreenSaver>();
        saver->Show();
        bench::Settle(300);
        // Only the calls below stamp: the form's own timers and input filter are stopped.
        saver->TimerSpeed->SetEnabled(false);
        saver->TimerCLS->SetEnabled(false);
        tk::Application.OnMessage = nullptr;

        for (int i = 0; i < count / 10; ++i) // warm-up: the icons' first loads
            saver->Timer1Timer();
        const double start = bench::Now();
        for (int i = 0; i < count; ++i)
            saver->Timer1Timer();
        const double seconds = bench::Now() - start;

        saver->ExitScreenSaver();
        tk::Application.DestroyForms();
        std::printf("tick_us=%.2f count=%d\n", 1e6 * seconds / count, count);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tick_bench: %s\n", error.what());
        return 1;
    }
}
