// Every fixture script, drawn by the script runner, against the reference
// renderer's recorded output: every pixel, then every byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "canvas/raster/DrawScript.h"

namespace canvas::raster {
namespace {

const std::filesystem::path kFixtures =
    std::filesystem::path(INSTRUMENTS_SOURCE_DIR) / "tests/canvas/raster/fixtures";

struct Image {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<std::vector<std::string>> rows;
};

// Reads the 'hex' (or 'raw') text: "image NAME W H", H rows of words, "end".
std::vector<Image> ParseImages(const std::string& text) {
    std::vector<Image> images;
    std::istringstream in(text);
    std::string line;
    Image* current = nullptr;
    while (std::getline(in, line)) {
        if (line.rfind("image ", 0) == 0) {
            Image image;
            const std::size_t heightAt = line.rfind(' ');
            const std::size_t widthAt = line.rfind(' ', heightAt - 1);
            image.name = line.substr(6, widthAt - 6);
            image.width = std::stoi(line.substr(widthAt + 1));
            image.height = std::stoi(line.substr(heightAt + 1));
            images.push_back(image);
            current = &images.back();
        } else if (line == "end") {
            current = nullptr;
        } else if (current != nullptr) {
            std::istringstream words(line);
            current->rows.emplace_back(std::istream_iterator<std::string>(words),
                                       std::istream_iterator<std::string>());
        }
    }
    return images;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> FixtureNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kFixtures)) {
        if (entry.path().extension() == ".txt") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The first pixel where two images differ, as a message (empty when equal).
std::string FirstDifference(const Image& want, const Image& got) {
    if (want.name != got.name || want.width != got.width || want.height != got.height) {
        return "image '" + got.name + "' " + std::to_string(got.width) + "x" + std::to_string(got.height) +
               ", expected '" + want.name + "' " + std::to_string(want.width) + "x" +
               std::to_string(want.height);
    }
    for (int y = 0; y < want.height; ++y) {
        for (int x = 0; x < want.width; ++x) {
            const std::string& w = want.rows.at(y).at(x);
            const std::string g =
                y < static_cast<int>(got.rows.size()) && x < static_cast<int>(got.rows[y].size())
                    ? got.rows[y][x]
                    : std::string("missing");
            if (w != g) {
                return "image '" + want.name + "': first difference at (" + std::to_string(x) + ", " +
                       std::to_string(y) + "): got " + g + ", expected " + w;
            }
        }
    }
    return {};
}

class Fixture : public ::testing::TestWithParam<std::string> {};

TEST_P(Fixture, MatchesTheReferenceRenderer) {
    const std::string script = ReadFile(kFixtures / (GetParam() + ".txt"));
    const std::string expected = ReadFile(kFixtures / (GetParam() + ".hex"));
    ASSERT_FALSE(script.empty());
    ASSERT_FALSE(expected.empty());

    std::istringstream in(script);
    std::ostringstream out, errors;
    DrawScript runner(out, errors);
    EXPECT_EQ(runner.Run(in), 0) << errors.str();

    const std::vector<Image> want = ParseImages(expected);
    const std::vector<Image> got = ParseImages(out.str());
    ASSERT_EQ(got.size(), want.size());
    int differing = 0;
    for (std::size_t i = 0; i < want.size(); ++i) {
        const std::string difference = FirstDifference(want[i], got[i]);
        if (!difference.empty()) {
            ++differing;
            ADD_FAILURE() << difference;
        }
    }
    EXPECT_EQ(differing, 0) << "of " << want.size() << " images";
    EXPECT_TRUE(out.str() == expected) << "output differs from the recording byte for byte";
}

INSTANTIATE_TEST_SUITE_P(Recorded, Fixture, ::testing::ValuesIn(FixtureNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) { return param.param; });

}  // namespace
}  // namespace canvas::raster
