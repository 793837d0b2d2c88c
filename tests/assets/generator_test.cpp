// zorvin_make_assets: the checked-in files are exactly what it makes of the sources, and it will
// not write a picture the program cannot use.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "assets/artwork.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAssets = ZORVIN_ASSETS_DIR;
const fs::path kGenerator = ZORVIN_MAKE_ASSETS;

std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> readLines(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void writeLines(const fs::path& path, const std::vector<std::string>& lines) {
    std::ofstream out(path);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

class Generator : public testing::Test {
  protected:
    const fs::path dir =
        fs::path(testing::TempDir()) /
        ("zorvin_assets_" +
         std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    const fs::path sources = dir / "src";
    const fs::path out = dir / "out";

    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy(kAssets / "src", sources);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the generator on `sources`; its exit status, 0 for success.
    int run() const {
        std::ostringstream command;
        command << std::quoted(kGenerator.string()) << ' ' << std::quoted(sources.string()) << ' '
                << std::quoted(out.string()) << " 2> " << std::quoted((dir / "errors.txt").string());
        return std::system(command.str().c_str());
    }
    std::string errors() const {
        const auto bytes = readBytes(dir / "errors.txt");
        return {bytes.begin(), bytes.end()};
    }

    // Sets pixel (x, y) of a source picture to `key`.
    void paint(const std::string& file, int x, int y, char key) const {
        auto lines = readLines(sources / file);
        std::size_t row = 0;
        while (lines.at(row) != "pixels") {
            ++row;
        }
        lines.at(row + 1 + static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x)) = key;
        writeLines(sources / file, lines);
    }
};

TEST_F(Generator, ReproducesTheCheckedInAndEmbeddedFilesByteForByte) {
    ASSERT_EQ(run(), 0) << errors();
    for (const auto artwork : {zorvin::Artwork::Face, zorvin::Artwork::Pupil, zorvin::Artwork::Icon,
                               zorvin::Artwork::HandPointer}) {
        const std::string name(zorvin::artworkFileName(artwork));
        const auto made = readBytes(out / name);
        EXPECT_FALSE(made.empty()) << name;
        EXPECT_EQ(made, readBytes(kAssets / name))
            << name << " differs from its source: build zorvin_assets_regenerate";
        const auto embedded = zorvin::artworkFile(artwork);
        EXPECT_EQ(made, std::vector<std::uint8_t>(embedded.begin(), embedded.end())) << name;
    }
}

TEST_F(Generator, RefusesAFaceThatSpillsOutsideTheOutline) {
    paint("face.txt", 0, 0, 'O');
    EXPECT_NE(run(), 0);
    EXPECT_NE(errors().find("(0, 0) is not black"), std::string::npos) << errors();
    EXPECT_FALSE(fs::exists(out / "face.bmp"));
}

TEST_F(Generator, RefusesAFaceWithABlackPixelInside) {
    paint("face.txt", 3, 30, '.');
    EXPECT_NE(run(), 0);
    EXPECT_NE(errors().find("(3, 30) is black"), std::string::npos) << errors();
}

TEST_F(Generator, RefusesAHandWhoseHotSpotIsTransparent) {
    paint("hand.txt", 5, 1, '-');
    EXPECT_NE(run(), 0);
    EXPECT_NE(errors().find("hot spot"), std::string::npos) << errors();
}

}  // namespace
