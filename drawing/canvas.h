#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quendal::drawing {

// An RGB colour.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

namespace colours {
inline constexpr Rgb green{0, 128, 0};  // wires
inline constexpr Rgb navy{0, 0, 128};   // AND gates
inline constexpr Rgb blue{0, 0, 192};   // NAND gates
inline constexpr Rgb red{192, 0, 0};    // OR and NOR gates
inline constexpr Rgb black{0, 0, 0};    // junction dots
}  // namespace colours

struct DrawnCircuit;

enum class FillStyle { Solid = 0, Transparent = 1 };

// One item of a Print statement: text is printed unchanged, a number with a
// leading space (or its minus sign) and a trailing space.
struct PrintItem {
    std::string text;
    PrintItem(std::string s) : text(std::move(s)) {}
    PrintItem(const char* s) : text(s) {}
    static PrintItem number(long long n);
};

// The drawing surface, in twips (origin top-left, y down). The base class
// keeps the state every canvas shares (text position, fill style, size,
// scroll maxima); subclasses only render.
class Canvas {
public:
    static constexpr int kDefaultWidth = 9696;
    static constexpr int kDefaultHeight = 7296;

    virtual ~Canvas() = default;

    // A line in the given colour (the foreground without one); the text
    // position moves to (x2, y2).
    void line(int x1, int y1, int x2, int y2, std::optional<Rgb> colour = std::nullopt);
    // The outline of the rectangle with top-left (x, y), width w and height h.
    void box(int x, int y, int w, int h);
    // A full circle, filled black when the fill style is solid.
    void circle(int x, int y, int r, std::optional<Rgb> colour = std::nullopt);
    // An arc from angle start to end (radians, 0 = 3 o'clock, counterclockwise
    // on screen); never filled. The text position moves to the centre.
    void arc(int x, int y, int r, std::optional<Rgb> colour, double start, double end);
    // Wipes everything drawn, so that a view can be drawn again in place; the text
    // position goes back to the top-left corner. Size and scroll maxima stay.
    void cls();
    void setFillStyle(FillStyle style);
    FillStyle fillStyle() const { return fillStyle_; }

    void setCurrentX(int x) { currentX_ = x; }
    void setCurrentY(int y) { currentY_ = y; }
    int currentX() const { return currentX_; }
    int currentY() const { return currentY_; }
    // Prints the items at the text position in the given colour (the
    // foreground without one), then moves to the next line.
    void print(const std::vector<PrintItem>& items = {}, std::optional<Rgb> colour = std::nullopt);
    // Sets the text position and prints.
    void printAt(int x, int y, const std::vector<PrintItem>& items,
                 std::optional<Rgb> colour = std::nullopt);

    virtual int textWidth(const std::string& text) const = 0;
    virtual int lineHeight() const = 0;

    int width() const { return width_; }
    int height() const { return height_; }
    // Drawings grow the canvas (the demultiplexer also shrinks it); what was
    // drawn stays where it is.
    void setSize(int width, int height);
    int hScrollMax() const { return hScrollMax_; }
    int vScrollMax() const { return vScrollMax_; }
    void setHScrollMax(int value);
    void setVScrollMax(int value);

    // The model of the circuit drawn, kept with its drawing (the document
    // window holds its canvas); none for other drawings, and gone when the
    // canvas is wiped.
    void setCircuit(std::shared_ptr<const DrawnCircuit> circuit) { circuit_ = std::move(circuit); }
    const std::shared_ptr<const DrawnCircuit>& circuit() const { return circuit_; }

protected:
    virtual void renderLine(int x1, int y1, int x2, int y2, std::optional<Rgb> colour) = 0;
    virtual void renderBox(int x, int y, int w, int h) = 0;
    virtual void renderCircle(int x, int y, int r, std::optional<Rgb> colour, bool filled) = 0;
    virtual void renderArc(int x, int y, int r, std::optional<Rgb> colour, double start,
                           double end) = 0;
    virtual void renderText(int x, int y, const std::string& text, std::optional<Rgb> colour) = 0;
    // Hooks for canvases that mirror state elsewhere (an image, a recording).
    virtual void sizeChanged() {}
    virtual void scrollMaxChanged(bool /*horizontal*/) {}
    virtual void fillStyleChanged() {}
    virtual void cleared() {}

private:
    int currentX_ = 0, currentY_ = 0;
    FillStyle fillStyle_ = FillStyle::Transparent;
    int width_ = kDefaultWidth, height_ = kDefaultHeight;
    int hScrollMax_ = 0, vScrollMax_ = 0;
    std::shared_ptr<const DrawnCircuit> circuit_;
};

// The junction dot: a filled black disc of radius 25; the fill style is
// transparent again afterwards.
void junctionDot(Canvas& canvas, int x, int y);

}  // namespace quendal::drawing
