#include "chart_library.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "heavy_chart.h"

namespace {

// Every fiftieth chart ends in an object line of one character, which does not read.
constexpr int kBrokenEvery = 50;
// The files of the last sounds of a folder are not there, so missing finds something.
constexpr int kSoundFilesPresent = 1200;
// Charts define at most 119 images, all of which are there.
constexpr int kImageFilesPresent = 150;

// Most charts are near 60 KB; every sixteenth is a long one of up to 400 KB and every
// eighth a short one of about 20 KB.
HeavyChartShape shapeOfChart(int number)
{
    HeavyChartShape shape;
    shape.seed = static_cast<unsigned>(number);
    shape.lanes = 2;
    shape.noteChannels = 4;
    shape.sounds = 400 + number * 37 % 895;
    shape.images = 20 + number * 11 % 100;
    if (number % 16 == 5) {
        shape.lanes = 6;
        shape.noteChannels = 10;
        shape.measures = 100 + number % 200;
    } else if (number % 8 == 3) {
        shape.sounds = 300;
        shape.images = 10;
        shape.measures = 16 + number % 8;
    } else {
        shape.measures = std::max(16, 60 + number % 50 - shape.sounds / 40);
    }
    return shape;
}

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void writeMediaFiles(const std::filesystem::path& folder)
{
    char name[32];
    for (int value = 1; value <= kSoundFilesPresent; ++value) {
        std::snprintf(name, sizeof name, "keysound_%04d.wav", value);
        writeFile(folder / name, {});
    }
    for (int value = 1; value <= kImageFilesPresent; ++value) {
        std::snprintf(name, sizeof name, "layer_%03d.bmp", value);
        writeFile(folder / name, {});
    }
}

} // namespace

ChartLibraryContent writeChartLibrary(const std::filesystem::path& root, const ChartLibraryLayout& layout)
{
    ChartLibraryContent content;
    char name[32];
    for (int f = 0; f < layout.folders; ++f) {
        std::snprintf(name, sizeof name, "song_%03d", f);
        const std::filesystem::path folder = root / name;
        std::filesystem::create_directories(folder);
        writeMediaFiles(folder);
        for (int c = 0; c < layout.chartsPerFolder; ++c) {
            const int number = f * layout.chartsPerFolder + c;
            std::string chart = heavyChartText(shapeOfChart(number));
            if (number % kBrokenEvery == kBrokenEvery - 1) {
                chart += "#00111:0\r\n";
                ++content.brokenCharts;
            }
            std::snprintf(name, sizeof name, c % 3 == 2 ? "chart_%02d.BME" : "chart_%02d.bms", c);
            writeFile(folder / name, chart);
            ++content.charts;
            content.chartBytes += chart.size();
        }
    }
    return content;
}
