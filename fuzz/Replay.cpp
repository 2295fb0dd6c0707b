// fuzz-replay: feeds saved fuzz inputs through a target's check, as the fuzz
// program would, so that inputs which once failed keep being tested.
//
//   fuzz-replay [--call-limit-ms N] TARGET FILE_OR_FOLDER...
//
// With --call-limit-ms, a call of the code under test that takes longer than N
// milliseconds fails its input (for release builds: sanitizers slow it down).
// Folders are read one level deep; files whose names start with "." or that
// end in ".md" are skipped. Exit code 1 when a check fails, 2 for bad arguments.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzChecks.h"

namespace {

namespace fs = std::filesystem;

bool IsInput(const fs::path& path) {
    const std::string name = path.filename().string();
    return !name.starts_with(".") && path.extension() != ".md";
}

std::vector<fs::path> Inputs(const fs::path& path) {
    std::vector<fs::path> files;
    std::error_code error;
    if (fs::is_directory(path, error)) {
        for (const auto& entry : fs::directory_iterator(path, error)) {
            if (entry.is_regular_file() && IsInput(entry.path())) {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
    } else if (fs::is_regular_file(path, error)) {
        files.push_back(path);
    }
    return files;
}

constexpr const char* kUsage = "usage: fuzz-replay [--call-limit-ms N] TARGET FILE_OR_FOLDER...\n";

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    if (argc > 2 && std::string_view(argv[1]) == "--call-limit-ms") {
        const std::string_view text = argv[2];
        int limitMs = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), limitMs);
        if (error != std::errc{} || end != text.data() + text.size() || limitMs <= 0) {
            std::cerr << "fuzz-replay: --call-limit-ms takes a positive whole number, not \"" << text
                      << "\"\n";
            return 2;
        }
        fuzz::SetCallLimit(std::chrono::milliseconds(limitMs));
        first = 3;
    }
    if (argc < first + 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string_view name = argv[first];
    const auto target = std::find_if(std::begin(fuzz::kTargets), std::end(fuzz::kTargets),
                                     [&](const fuzz::Target& t) { return name == t.name; });
    if (target == std::end(fuzz::kTargets)) {
        std::cerr << "fuzz-replay: unknown target " << name << "\n";
        return 2;
    }
    int checked = 0;
    int failed = 0;
    for (int i = first + 1; i < argc; ++i) {
        if (!fs::exists(argv[i])) {
            std::cerr << "fuzz-replay: no such file or folder: " << argv[i] << "\n";
            return 2;
        }
        for (const fs::path& file : Inputs(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                                  std::istreambuf_iterator<char>());
            const std::string failure = target->check(bytes);
            ++checked;
            if (!failure.empty()) {
                std::cerr << file.string() << ": " << failure << "\n";
                ++failed;
            }
        }
    }
    std::cout << name << ": " << checked << " inputs, " << failed << " failed\n";
    return failed == 0 ? 0 : 1;
}
