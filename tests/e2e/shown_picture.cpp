#include "shown_picture.hpp"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

#include "support/screen.hpp"
#include "support/wait.hpp"

namespace vtl::e2e {

namespace {

std::filesystem::path WritePpm(int width, int height, const ShownPicture::Painter& paint) {
    std::string name = "vtl-picture-";
    name += std::to_string(::getpid());
    name += ".ppm";
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "P6\n" << width << " " << height << "\n255\n";
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = paint(x, y);
            out.put(char(c.r)).put(char(c.g)).put(char(c.b));
        }
    return path;
}

SpawnOptions DisplayOptions(const std::filesystem::path& file, Point at) {
    SpawnOptions o;
    char geometry[32];
    std::snprintf(geometry, sizeof geometry, "+%d+%d", at.x, at.y);
    o.argv = {"display", "-borderwidth", "0", "-geometry", geometry, file.string()};
    o.out = Stdio::Null;
    o.err = Stdio::Null;
    return o;
}

} // namespace

ShownPicture::ShownPicture(Point topLeft, int width, int height, Painter paint)
    : topLeft_(topLeft), width_(width), height_(height), paint_(std::move(paint)),
      file_(WritePpm(width, height, paint_)), display_(DisplayOptions(file_, topLeft)) {
    Screen screen;
    const bool shown = waitUntil(
        [&] {
            const Screenshot shot = screen.capture();
            return shot.pixel(this->screen(0, 0)) == at(0, 0) &&
                   shot.pixel(this->screen(width - 1, height - 1)) == at(width - 1, height - 1);
        },
        std::chrono::seconds(10), std::chrono::milliseconds(50));
    std::filesystem::remove(file_);
    if (!shown) throw std::runtime_error("the test picture did not show up on the screen");
}

} // namespace vtl::e2e
