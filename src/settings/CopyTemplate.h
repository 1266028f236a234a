// The text copied when a pick ends (copyonpick in vtl3.ini): the user's own format, with the
// colour's values named in braces ("rgb({R}, {G}, {B})", "#{rr}{gg}{bb}"). Needs no Windows
// headers.
#pragma once

#include "color/ColorValue.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace vtl {

constexpr const char* kCopyOnPickKey = "copyonpick";

// The settings file's values are read up to 2047 characters: a template that long may have
// been cut, and a cut template copies something the user never wrote.
constexpr std::size_t kMaxCopyTemplate = 2046;

// A template refused whole; what() is the status bar's text, naming what is wrong.
class ECopyTemplateError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What the names stand for: the colour, and H, S, L as the spin boxes show them (the user may
// have set values the colour does not convert back to).
struct TCopyValues {
    TColor color;
    int h, s, l;
};

class TCopyTemplate {
  public:
    // {R} {G} {B} decimal, {RR} {GG} {BB} upper-case and {rr} {gg} {bb} lower-case hex digits,
    // {H} {S} {L}, and the notations {RGB} {Decimal} {Hex} {Delphi} {VB} {C} {Html}; names
    // match with their letter case. {{ and }} are braces, a lone } is itself, anything else
    // is copied as written. An unknown name, a { without its }, or a text over
    // kMaxCopyTemplate characters throws ECopyTemplateError.
    explicit TCopyTemplate(const std::string& text);

    // No template: nothing is copied.
    bool Empty() const { return pieces_.empty(); }
    std::string Text(const TCopyValues& values) const;

  private:
    using Field = std::string (*)(const TCopyValues&);
    struct Piece {
        Field field; // null: text as written
        std::string text;
    };
    std::vector<Piece> pieces_;
};

} // namespace vtl
