#include "support/screen.hpp"

#include <cctype>
#include <chrono>

#include "support/config.hpp"
#include "support/error.hpp"
#include "support/process.hpp"

namespace vtl::e2e {
namespace {

constexpr auto kToolTimeout = std::chrono::seconds(30);

class PpmHeaderReader {
  public:
    explicit PpmHeaderReader(std::string_view data) : data_(data) {}

    std::string_view token() {
        skipSpaceAndComments();
        std::size_t start = pos_;
        while (pos_ < data_.size() && !std::isspace(static_cast<unsigned char>(data_[pos_]))) {
            ++pos_;
        }
        if (start == pos_) throw Error("PPM: truncated header");
        return data_.substr(start, pos_ - start);
    }

    int number() {
        std::string_view t = token();
        int value = 0;
        for (char c : t) {
            if (!std::isdigit(static_cast<unsigned char>(c)) || value > 100000) {
                throw Error("PPM: bad number in header");
            }
            value = value * 10 + (c - '0');
        }
        return value;
    }

    // After the last header field comes exactly one whitespace byte, then the pixels.
    std::size_t pixelOffset() const { return pos_ + 1; }

  private:
    void skipSpaceAndComments() {
        while (pos_ < data_.size()) {
            if (std::isspace(static_cast<unsigned char>(data_[pos_]))) {
                ++pos_;
            } else if (data_[pos_] == '#') {
                while (pos_ < data_.size() && data_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    std::string_view data_;
    std::size_t pos_ = 0;
};

std::string encodePpm(int width, int height, const std::vector<std::uint8_t>& rgb) {
    std::string out = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    out.append(reinterpret_cast<const char*>(rgb.data()), rgb.size());
    return out;
}

} // namespace

Screenshot Screenshot::fromPpm(std::string_view data) {
    PpmHeaderReader header(data);
    if (header.token() != "P6") throw Error("PPM: not a binary PPM (P6)");
    int width = header.number();
    int height = header.number();
    int maxval = header.number();
    if (width <= 0 || height <= 0) throw Error("PPM: empty picture");
    if (maxval != 255) throw Error("PPM: only 8-bit channels are supported");
    std::size_t offset = header.pixelOffset();
    std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    if (offset > data.size() || data.size() - offset < size) throw Error("PPM: truncated pixels");
    const auto* first = reinterpret_cast<const std::uint8_t*>(data.data() + offset);
    return Screenshot(width, height, std::vector<std::uint8_t>(first, first + size));
}

Rgb Screenshot::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw Error("pixel (" + std::to_string(x) + "," + std::to_string(y) + ") is outside the " +
                    std::to_string(width_) + "x" + std::to_string(height_) + " screenshot");
    }
    std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                     static_cast<std::size_t>(x)) *
                    3;
    return {rgb_[i], rgb_[i + 1], rgb_[i + 2]};
}

void Screenshot::savePng(const std::string& path) const {
    auto result = runCommand({"convert", "ppm:-", "png:" + path}, kToolTimeout,
                             encodePpm(width_, height_, rgb_));
    if (result.exitCode != 0) throw Error("convert could not write " + path + ": " + result.err);
}

Screen::Screen() : display_(config::display()) {}

Screenshot Screen::capture() const {
    auto result = runCommand(
        {"import", "-display", display_, "-window", "root", "-depth", "8", "ppm:-"}, kToolTimeout);
    if (result.exitCode != 0) throw Error("import failed on " + display_ + ": " + result.err);
    return Screenshot::fromPpm(result.out);
}

void Screen::saveShot(const std::string& pngPath) const {
    auto result =
        runCommand({"import", "-display", display_, "-window", "root", pngPath}, kToolTimeout);
    if (result.exitCode != 0) throw Error("import failed on " + display_ + ": " + result.err);
}

} // namespace vtl::e2e
