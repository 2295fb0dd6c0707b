#include "fuzz/ScriptOutput.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string>

namespace fuzz {

namespace {

// Reads the images a script wrote, one after the other, and says what is
// malformed about them (empty when nothing is).
class OutputReader {
  public:
    OutputReader(std::string_view out, std::int64_t maxPixels) : rest_(out), maxPixels_(maxPixels) {}

    std::string ReadAll(int& images) {
        images = 0;
        while (!rest_.empty()) {
            std::string problem = rest_.starts_with("P6\n# ") ? ReadPpm() : ReadText();
            if (!problem.empty()) {
                return "image " + std::to_string(images + 1) + ": " + problem;
            }
            ++images;
        }
        return {};
    }

  private:
    bool Line(std::string_view& line) {
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos) {
            return false;
        }
        line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        return true;
    }

    // "W H" at the end of a header line; false unless both are in range.
    bool Size(std::string_view line, int& width, int& height) {
        const std::size_t space = line.rfind(' ');
        if (space == std::string_view::npos) {
            return false;
        }
        height = ToInt(line.substr(space + 1));
        line = line.substr(0, space);
        const std::size_t before = line.rfind(' ');
        width = ToInt(before == std::string_view::npos ? line : line.substr(before + 1));
        return width > 0 && height > 0 && std::int64_t{width} * height <= maxPixels_;
    }

    static int ToInt(std::string_view digits) {
        if (digits.empty() || digits.size() > 9) {
            return -1;
        }
        int value = 0;
        for (const char c : digits) {
            if (!std::isdigit(static_cast<unsigned char>(c))) {
                return -1;
            }
            value = value * 10 + (c - '0');
        }
        return value;
    }

    static bool Hex(std::string_view word, std::size_t digits) {
        if (word.size() != digits) {
            return false;
        }
        for (const char c : word) {
            if (!std::isdigit(static_cast<unsigned char>(c)) && (c < 'a' || c > 'f')) {
                return false;
            }
        }
        return true;
    }

    std::string ReadPpm() {
        std::string_view line;
        int width = 0, height = 0;
        Line(line);  // P6
        if (!Line(line) || !Line(line) || !Size(line, width, height)) {
            return "bad PPM size line";
        }
        if (!Line(line) || line != "255") {
            return "bad PPM maximum";
        }
        const std::size_t bytes = 3 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        if (rest_.size() < bytes) {
            return "PPM pixels cut short";
        }
        rest_.remove_prefix(bytes);
        return {};
    }

    std::string ReadText() {
        std::string_view line;
        int width = 0, height = 0;
        if (!Line(line) || !line.starts_with("image ") || !Size(line, width, height)) {
            return "bad image header";
        }
        // The ascii format lists the background, then one letter per colour.
        std::string letters;
        const bool ascii = rest_.starts_with("  . = ");
        while (ascii && rest_.starts_with("  ")) {
            Line(line);
            if (line.size() != 12 || line.substr(3, 3) != " = " || !Hex(line.substr(6), 6)) {
                return "bad legend line";
            }
            letters.push_back(line[2]);
        }
        static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        if (ascii && (letters.size() > kLetters.size() + 1 ||
                      kLetters.substr(0, letters.size() - 1) != std::string_view(letters).substr(1))) {
            return "legend letters out of order";
        }
        std::size_t digits = 0;
        for (int y = 0; y < height; ++y) {
            if (!Line(line)) {
                return "rows cut short";
            }
            if (ascii) {
                if (line.size() != static_cast<std::size_t>(width)) {
                    return "ascii row of the wrong width";
                }
                for (const char c : line) {
                    const bool listed = letters.find(c) != std::string::npos;
                    const bool unlisted = c == '?' && letters.size() == kLetters.size() + 1;
                    if (!listed && !unlisted) {
                        return std::string("ascii pixel '") + c + "' not in the legend";
                    }
                }
                continue;
            }
            digits = digits != 0 ? digits : (line.size() + 1) / static_cast<std::size_t>(width) - 1;
            if ((digits != 6 && digits != 8) ||
                line.size() != static_cast<std::size_t>(width) * (digits + 1) - 1) {
                return "hex row of the wrong length";
            }
            for (std::size_t at = 0; at < line.size(); at += digits + 1) {
                if (!Hex(line.substr(at, digits), digits) ||
                    (at + digits < line.size() && line[at + digits] != ' ')) {
                    return "bad hex pixel";
                }
            }
        }
        if (!Line(line) || line != "end") {
            return "no end line";
        }
        return {};
    }

    std::string_view rest_;
    std::int64_t maxPixels_;
};

}  // namespace

std::string CheckScriptImages(std::string_view out, std::int64_t maxPixels, int& images) {
    return OutputReader(out, maxPixels).ReadAll(images);
}

// Every failure is one line naming a script line, in script order.
std::string CheckScriptErrors(std::string_view errorText, int failures, std::string_view script) {
    const auto lines = static_cast<long long>(std::count(script.begin(), script.end(), '\n')) + 1;
    std::istringstream errors{std::string(errorText)};
    std::string line;
    int count = 0;
    long long last = 0;
    constexpr std::string_view kPrefix = "canvas-script: line ";
    while (std::getline(errors, line)) {
        ++count;
        if (!line.starts_with(kPrefix)) {
            return "error line without the tool's prefix: " + line;
        }
        const long long number = std::atoll(line.c_str() + kPrefix.size());
        if (number <= last || number > lines) {
            return "error names line " + std::to_string(number) + " after line " + std::to_string(last) +
                   " of " + std::to_string(lines);
        }
        last = number;
    }
    if (count != failures) {
        return std::to_string(failures) + " failures counted, " + std::to_string(count) + " reported";
    }
    return {};
}

}  // namespace fuzz
