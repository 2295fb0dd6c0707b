// fuzz-replay: feeds saved fuzz inputs through a target's check, as the fuzz
// program would, so that inputs which once failed keep being tested.
//
//   fuzz-replay TARGET FILE_OR_FOLDER...
//
// Folders are read one level deep; files whose names start with "." or that
// end in ".md" are skipped. Exit code 1 when a check fails, 2 for bad arguments.

#include <algorithm>
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: fuzz-replay TARGET FILE_OR_FOLDER...\n";
        return 2;
    }
    const std::string_view name = argv[1];
    const auto target = std::find_if(std::begin(fuzz::kTargets), std::end(fuzz::kTargets),
                                     [&](const fuzz::Target& t) { return name == t.name; });
    if (target == std::end(fuzz::kTargets)) {
        std::cerr << "fuzz-replay: unknown target " << name << "\n";
        return 2;
    }
    int checked = 0;
    int failed = 0;
    for (int i = 2; i < argc; ++i) {
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
