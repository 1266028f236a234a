// Real X input through xdotool: what a user's mouse and keyboard would do.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "support/geometry.hpp"

namespace vtl::e2e {

class Xdo {
  public:
    Xdo(); // the display in $DISPLAY
    explicit Xdo(std::string display) : display_(std::move(display)) {}

    void mouseMove(int x, int y) const;
    void mouseMove(Point p) const { mouseMove(p.x, p.y); }
    void mouseDown(int button = 1) const;
    void mouseUp(int button = 1) const;
    void click(int button = 1, int repeat = 1) const;
    // Press at `from`, move in `steps` equal steps to `to` (pausing `stepDelay` after each),
    // release.
    void drag(Point from, Point to, int steps = 8,
              std::chrono::milliseconds stepDelay = std::chrono::milliseconds(15),
              int button = 1) const;
    void key(const std::string& keys) const; // e.g. "Escape", "alt+F4"
    void type(const std::string& text) const;
    // Any other xdotool command chain, e.g. {"mousemove", "10", "10", "click", "3"}.
    void run(const std::vector<std::string>& args) const;

  private:
    std::string display_;
};

} // namespace vtl::e2e
