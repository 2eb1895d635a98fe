#pragma once

#include <QIcon>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "circuit/netlist.h"
#include "drawing/canvas.h"
#include "drawing/drawn_circuit.h"

namespace quendal::app {

// Simulate mode of a drawing window: the circuit's model evaluated for one
// input row and drawn with every net in the colour of its value.

// Two colours that stay apart for colour-blind readers (blue and
// vermilion), and in grey print (a 1 is also drawn twice as thick). The
// highlight marks the product gate that makes Y 1 and a block's selected pin.
namespace simulation_colours {
inline constexpr drawing::Rgb zero{0, 114, 178};
inline constexpr drawing::Rgb one{213, 94, 0};
inline constexpr drawing::Rgb highlight{0, 158, 115};
}  // namespace simulation_colours

// What the circuit does for one row.
struct SimulatedRow {
    std::uint64_t row = 0;
    std::vector<std::uint8_t> values;  // by net
    bool output = false;
    // For each output at 1, in output order, the gates of the product that
    // makes it 1 (none when a single literal or a block makes it).
    std::vector<std::vector<int>> products;
    // The pins a multiplexer or demultiplexer block selects: a data input,
    // an output.
    std::vector<circuit::Pin> selectedPins;
};

SimulatedRow simulate(const circuit::Netlist& netlist, std::uint64_t row);

// "row 5: A=1 B=0 C=1", the letters in column order.
std::string rowText(const circuit::Netlist& netlist, std::uint64_t row);

// Where each input's switch is drawn and clicked, in twips: the variable's
// letter with its value after it, or below it where the next letter is
// too close (the select inputs under a block).
struct Switch {
    int column = 0;
    circuit::Box box;
    circuit::Point label;  // where the value is written: after the letter, or below it
};
std::vector<Switch> switchesOf(const circuit::Netlist& netlist);

// The column of the switch at a point of the drawing (twips), if any.
std::optional<int> switchAt(const circuit::Netlist& netlist, circuit::Point at);

// The row with one input toggled.
std::uint64_t toggled(const circuit::Netlist& netlist, std::uint64_t row, int column);

// Draws the circuit as simulated: each net in its value's colour (a 1 twice
// as thick), a switch at each input showing its value, Y's value, the
// product gate that makes Y 1 and each block's selected pin framed.
void drawSimulation(drawing::Canvas& canvas, const drawing::DrawnCircuit& circuit,
                    const SimulatedRow& state);

// The icon of View > Simulate and its toolbar button: a switch.
QIcon simulateIcon();

}  // namespace quendal::app
