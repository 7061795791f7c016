#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "app/popup.h"
#include "app/program_folder.h"

int main(int argc, char** argv) {
    const std::string arguments = tovel::ArgumentText(argc, argv);
    const auto folder = tovel::ExecutableFolderPath();
    if (!folder) {
        std::fprintf(stderr,
                     "tovel: cannot find the program's own folder (/proc/self/exe "
                     "cannot be read); is /proc mounted?\n");
        return 1;
    }
    // Most days a pop-up run has nothing to announce: it ends here, before the
    // window toolkit is even loaded.
    if (tovel::IsPopupSwitch(arguments) &&
        tovel::DecidePopup(*folder, tovel::Today()) == tovel::PopupOutcome::Quiet)
        return 0;

    const std::string library = *folder + "/libtovel_window.so";
    void* window = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!window) {
        std::fprintf(stderr, "tovel: cannot load %s: %s\n", library.c_str(), dlerror());
        return 1;
    }
    using WindowMain = int (*)(int, char**, const char*, const char*);
    auto run = reinterpret_cast<WindowMain>(dlsym(window, "TovelWindowMain"));
    if (!run) {
        std::fprintf(stderr, "tovel: %s is not Tovel's window library\n", library.c_str());
        return 1;
    }
    return run(argc, argv, folder->c_str(), arguments.c_str());
}
