// The demo program: opens the window with the twelve instruments and animates
// them until the window is closed.
//
//   instruments [--pictures DIR] [--scale N]
//
// The two pictures are read from the working directory; when neither is there,
// from the installed share folder beside the program (../share/instruments),
// or from DIR when given. --scale N (1..4) shows each pixel as an N x N block;
// Ctrl+plus and Ctrl+minus change it while the demo runs.

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "app/Demo.h"
#include "dialog/Dialogs.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kPictures[] = {"quadrante.bmp", "quadrante1.bmp"};

bool HoldsPictures(const fs::path& folder) {
    std::error_code error;
    for (const char* name : kPictures) {
        if (fs::exists(folder / name, error)) {
            return true;
        }
    }
    return false;
}

// The share folder of an installed program: <prefix>/share/instruments beside <prefix>/bin.
fs::path InstalledPictures() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path{} : program.parent_path().parent_path() / "share" / "instruments";
}

constexpr const char* kUsage = "usage: instruments [--pictures DIR] [--scale N]";

int Usage(const std::string& message) {
    std::fprintf(stderr, "instruments: %s (%s)\n", message.c_str(), kUsage);
    return 2;
}

constexpr const char* kHelp =
    "The demo: twelve instruments in one window, animated every 40 ms.\n"
    "  --pictures DIR  read quadrante.bmp and quadrante1.bmp from DIR\n"
    "                  (default: the working directory, else the installed share folder)\n"
    "  --scale N       show each pixel as an N x N block, N = 1..4 (default 1);\n"
    "                  Ctrl+plus and Ctrl+minus change it while the demo runs\n"
    "  --help          this text\n";

// Ctrl+C (SIGINT) and SIGTERM end the demo the way its close box does, with
// exit status 0. The window library leaves signals to the program, so the demo
// blocks both before any thread starts, and every tick takes one that is
// pending: no handler runs, and nothing but the dialog's loop ends the dialog.
// Their dispositions are set to the default first, as a launcher may have set
// them to be ignored (a shell does for background jobs).
sigset_t EndingSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    for (const int number : {SIGINT, SIGTERM}) {
        struct sigaction byDefault {};
        byDefault.sa_handler = SIG_DFL;
        sigaction(number, &byDefault, nullptr);
    }
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return signals;
}

bool EndRequested(const sigset_t& signals) {
    const timespec now{};
    return sigtimedwait(&signals, nullptr, &now) > 0;
}

}  // namespace

int main(int argc, char** argv) {
    fs::path pictures;
    int scale = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            std::printf("%s\n%s", kUsage, kHelp);
            return 0;
        }
        if (argument == "--scale" && i + 1 < argc) {
            const std::string_view value = argv[++i];
            if (value.size() != 1 || value[0] < '1' || value[0] > '4') {
                return Usage("--scale takes 1, 2, 3 or 4, not '" + std::string(value) + "'");
            }
            scale = value[0] - '0';
        } else if (argument == "--pictures" && i + 1 < argc) {
            pictures = argv[++i];
            if (!fs::is_directory(pictures)) {
                return Usage("no folder '" + pictures.string() + "'");
            }
        } else {
            return Usage("unknown argument '" + std::string(argument) + "'");
        }
    }
    if (pictures.empty() && !HoldsPictures(".") && HoldsPictures(InstalledPictures())) {
        pictures = InstalledPictures();
    }
    // The displays name their pictures relative to the working directory.
    if (!pictures.empty() && chdir(pictures.c_str()) != 0) {
        return Usage("cannot enter '" + pictures.string() + "'");
    }

    const sigset_t ending = EndingSignals();
    dialog::UseWindowDialogs(scale);
    if (app::StartUp() == 0) {
        std::fprintf(stderr, "instruments: %s\n", dialog::LastDialogError().c_str());
        return 1;
    }
    dialog::DialogShowModal(app::mainDialog, [&ending](dialog::DialogHandle dialog, int event,
                                                       std::uintptr_t wParam, std::intptr_t lParam) {
        if (event == instruments::kEventTimer && EndRequested(ending)) {
            dialog::DialogEnd(dialog, 0);
            return std::intptr_t{1};
        }
        return app::DemoEventHandler(dialog, event, wParam, lParam);
    });
    return 0;
}
