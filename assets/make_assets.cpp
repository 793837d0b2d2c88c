// Builds Zorvin's pictures from their text sources (see assets/README.md for the format):
//
//     zorvin_make_assets <source dir> <output dir>
//         reads face.txt, pupil.txt, icon.txt and hand.txt and writes face.bmp, pupil.bmp,
//         zorvin.ico and hand.cur: the files the program is built with.
//     zorvin_make_assets --desktop-icons <source dir> <output dir>
//         writes the Linux desktop's icons, zorvin-<N>.png for each size N.
//
// It checks every picture first and writes nothing when one is wrong; the output is the same byte
// for byte on every run and every machine.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assets/generator/checks.h"
#include "assets/generator/icon_images.h"
#include "assets/generator/picture.h"
#include "assets/generator/png_file.h"
#include "assets/generator/windows_files.h"

namespace {

namespace fs = std::filesystem;
using namespace zorvin::assets;

struct Output {
    std::string fileName;
    Bytes bytes;
};

struct Sources {
    Picture face;
    Picture pupil;
    Picture icon;
    Picture hand;
};

Sources readSources(const fs::path& sourceDir) {
    Sources sources{parseSource(sourceDir / "face.txt"), parseSource(sourceDir / "pupil.txt"),
                    parseSource(sourceDir / "icon.txt"), parseSource(sourceDir / "hand.txt")};
    checkFace(sources.face);
    checkPupil(sources.pupil);
    checkIcon(sources.icon);
    checkHand(sources.hand);
    return sources;
}

std::vector<Picture> iconImages(const Sources& sources, std::span<const int> sizes) {
    std::vector<Picture> images;
    for (const int size : sizes) {
        images.push_back(iconImage(sources.face, sources.pupil, sources.icon, size));
    }
    return images;
}

std::vector<Output> programFiles(const Sources& sources) {
    return {
        {"face.bmp", encodeBmp8(sources.face, 256)},
        {"pupil.bmp", encodeBmp8(sources.pupil, sources.pupil.palette.size())},
        {"zorvin.ico", encodeIcon(iconImages(sources, kWindowsIconSizes))},
        {"hand.cur", encodeCursor(sources.hand)},
    };
}

std::vector<Output> desktopIcons(const Sources& sources) {
    std::vector<Output> outputs;
    for (const Picture& image : iconImages(sources, kDesktopIconSizes)) {
        outputs.push_back({"zorvin-" + std::to_string(image.width) + ".png", encodePng(image)});
    }
    return outputs;
}

void writeFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error(path.string() + ": cannot be written");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const bool icons = !args.empty() && args[0] == "--desktop-icons";
    if (args.size() != (icons ? 3u : 2u)) {
        std::cerr << "usage: zorvin_make_assets [--desktop-icons] <source dir> <output dir>\n";
        return 2;
    }
    const fs::path sourceDir = args[icons ? 1 : 0];
    const fs::path outDir = args[icons ? 2 : 1];
    try {
        const Sources sources = readSources(sourceDir);
        const std::vector<Output> outputs = icons ? desktopIcons(sources) : programFiles(sources);
        fs::create_directories(outDir);
        for (const Output& output : outputs) {
            writeFile(outDir / output.fileName, output.bytes);
        }
    } catch (const std::exception& error) {
        std::cerr << "zorvin_make_assets: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
