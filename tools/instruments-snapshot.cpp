// Runs the demo's start-up and timer handler on the headless back-end at a fixed
// time and writes the client area as PNG.
//
//   instruments-snapshot --time HH:MM:SS[.mmm] [--ticks N] [--pictures DIR]
//                        --out FILE.png [--frames DIR]
//
// Tick k (1..N) reads the clock at the given time + (k - 1) x 40 ms.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/Demo.h"
#include "dialog/Dialogs.h"
#include "instruments/Png.h"
#include "instruments/Surface.h"

namespace {

struct Options {
    long long timeMs = -1;
    long long ticks = 1;
    std::string pictures;
    std::string out;
    std::string frames;
};

int Usage(const std::string& problem) {
    std::fprintf(
        stderr,
        "instruments-snapshot: %s\n"
        "usage: instruments-snapshot --time HH:MM:SS[.mmm] [--ticks N] [--pictures DIR] --out FILE.png "
        "[--frames DIR]\n",
        problem.c_str());
    return 2;
}

// "HH:MM:SS" or "HH:MM:SS.mmm" (1 to 3 digits after the point) to milliseconds.
std::optional<long long> ParseTime(const std::string& text) {
    int hours = 0, minutes = 0, seconds = 0, consumed = 0;
    if (std::sscanf(text.c_str(), "%2d:%2d:%2d%n", &hours, &minutes, &seconds, &consumed) != 3 ||
        consumed != 8 || hours > 23 || minutes > 59 || seconds > 59 || hours < 0 || minutes < 0 ||
        seconds < 0) {
        return std::nullopt;
    }
    long long milliseconds = 0;
    if (text.size() > 8) {
        const std::string fraction = text.substr(9);
        if (text[8] != '.' || fraction.empty() || fraction.size() > 3 ||
            fraction.find_first_not_of("0123456789") != std::string::npos) {
            return std::nullopt;
        }
        milliseconds = std::stoll((fraction + "00").substr(0, 3));
    }
    return ((hours * 60LL + minutes) * 60 + seconds) * 1000 + milliseconds;
}

std::optional<long long> ParseCount(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoll(text);
}

std::string Absolute(const std::string& path) {
    return path.empty() ? path : std::filesystem::absolute(path).string();
}

// Reads the command line into options; the problem with it, or "" when the
// options are complete.
std::string ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) {
            return "missing value after " + name;
        }
        const std::string value = argv[++i];
        if (name == "--time") {
            const auto time = ParseTime(value);
            if (!time) {
                return "malformed time '" + value + "' (expected HH:MM:SS or HH:MM:SS.mmm)";
            }
            options.timeMs = *time;
        } else if (name == "--ticks") {
            const auto ticks = ParseCount(value);
            if (!ticks || *ticks < 1) {
                return "--ticks needs a whole number of at least 1, not '" + value + "'";
            }
            options.ticks = *ticks;
        } else if (name == "--pictures") {
            options.pictures = value;
        } else if (name == "--out") {
            options.out = value;
        } else if (name == "--frames") {
            options.frames = value;
        } else {
            return "unknown option " + name;
        }
    }
    if (options.timeMs < 0) {
        return "--time is required";
    }
    if (options.out.empty()) {
        return "--out is required";
    }
    return {};
}

// Makes the output paths absolute, refuses places that cannot be written and
// enters the pictures folder; the problem, or "" when all is ready.
std::string PrepareFiles(Options& options) {
    // The pictures are read by name from the working directory, as the program does.
    options.out = Absolute(options.out);
    options.frames = Absolute(options.frames);
    // Refuse an unwritable output before spending any time on the frames.
    if (std::FILE* probe = std::fopen(options.out.c_str(), "ab")) {
        std::fclose(probe);
    } else {
        return "cannot write '" + options.out + "'";
    }
    if (!options.frames.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options.frames, error);
        if (!std::filesystem::is_directory(options.frames)) {
            return "cannot create the frames folder '" + options.frames + "'";
        }
    }
    if (!options.pictures.empty() && chdir(options.pictures.c_str()) != 0) {
        return "cannot enter the pictures folder '" + options.pictures + "'";
    }
    return {};
}

// What a run showed: the last frame, and whether every tick frame was written.
struct Shown {
    instruments::Surface last;
    bool framesOk = true;
};

// Runs the start-up and the timer ticks on the headless back-end, writing each
// tick's frame when asked. False when the start-up fails.
bool RunDemo(const Options& options, Shown& shown) {
    app::FollowVirtualTime(options.timeMs);
    instruments::HeadlessOptions headless;
    headless.spanMs = options.ticks * app::kTickMs;
    headless.onPresent = [&](const instruments::Surface& client, std::int64_t virtualMs) {
        shown.last = client;
        const long long tick = virtualMs / app::kTickMs;
        if (!options.frames.empty() && tick >= 1) {
            char name[32];
            std::snprintf(name, sizeof name, "/frame-%04lld.png", tick);
            shown.framesOk = instruments::bitmap::WritePng(client, options.frames + name) && shown.framesOk;
        }
    };
    dialog::UseHeadlessDialogs(headless);
    if (app::StartUp() == 0) {
        return false;
    }
    dialog::DialogShowModal(app::mainDialog, app::DemoEventHandler);
    return true;
}

// Writes the last frame; the exit code.
int WriteSnapshot(const Options& options, const Shown& shown) {
    if (!instruments::bitmap::WritePng(shown.last, options.out)) {
        std::fprintf(stderr, "instruments-snapshot: cannot write '%s'\n", options.out.c_str());
        return 1;
    }
    if (!shown.framesOk) {
        std::fprintf(stderr, "instruments-snapshot: cannot write the frames into '%s'\n",
                     options.frames.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string problem = ParseArguments(argc, argv, options);
    if (problem.empty()) {
        problem = PrepareFiles(options);
    }
    if (!problem.empty()) {
        return Usage(problem);
    }
    Shown shown;
    if (!RunDemo(options, shown)) {
        std::fprintf(stderr, "instruments-snapshot: %s\n", dialog::LastDialogError().c_str());
        return 1;
    }
    return WriteSnapshot(options, shown);
}
