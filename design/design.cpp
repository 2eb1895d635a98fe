#include "design/design.h"

#include <algorithm>

namespace quendal::design {

namespace {

constexpr const char* kSettingsMark = " quendal design";

std::string rowCode(int row, int inputs) {
    std::string code;
    for (int bit = inputs - 1; bit >= 0; --bit) code += ((row >> bit) & 1) ? '1' : '0';
    return code;
}

std::string numberBits(int value, int count) {
    std::string bits;
    for (int bit = count - 1; bit >= 0; --bit) bits += ((value >> bit) & 1) ? '1' : '0';
    return bits;
}

// A design of named inputs and outputs whose row r holds rule(r).
template <class Rule>
Design tableDesign(std::vector<std::string> inputs, std::vector<std::string> outputs, Rule rule) {
    Design design;
    design.inputNames = std::move(inputs);
    design.outputNames = std::move(outputs);
    design.rows.clear();
    for (int r = 0; r < (1 << design.inputs()); ++r) design.rows.push_back(rule(r));
    return design;
}

}  // namespace

std::string defaultInputName(int index) {
    return std::string(1, static_cast<char>('A' + index));
}

std::string defaultOutputName(int index) {
    return "Y" + std::to_string(index);
}

Design resized(const Design& design, int inputs, int outputs) {
    inputs = std::clamp(inputs, 1, kMaxInputs);
    outputs = std::clamp(outputs, 1, kMaxOutputs);
    Design result;
    result.inputNames.clear();
    result.outputNames.clear();
    for (int i = 0; i < inputs; ++i) {
        result.inputNames.push_back(i < design.inputs() ? design.inputNames[i]
                                                        : defaultInputName(i));
    }
    for (int j = 0; j < outputs; ++j) {
        result.outputNames.push_back(j < design.outputs() ? design.outputNames[j]
                                                          : defaultOutputName(j));
    }
    // Same inputs: every row keeps its cells; otherwise a new table.
    result.rows.assign(static_cast<std::size_t>(1) << inputs, std::string(outputs, '0'));
    if (inputs == design.inputs()) {
        for (std::size_t r = 0; r < result.rows.size(); ++r) {
            for (int j = 0; j < std::min(outputs, design.outputs()); ++j)
                result.rows[r][j] = design.rows[r][j];
        }
    }
    return result;
}

std::optional<std::string> nameProblem(const std::vector<std::string>& names, std::size_t index) {
    const std::string& name = names[index];
    if (name.empty()) return std::string("a name cannot be empty");
    if (name.size() > 16) return "\"" + name.substr(0, 16) + "...\" is longer than 16 characters";
    const auto letter = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    if (!letter(name[0])) return "\"" + name + "\" does not start with a letter";
    for (char c : name) {
        if (!letter(c) && !(c >= '0' && c <= '9'))
            return "\"" + name + "\" may hold only letters, digits and _";
    }
    for (std::size_t i = 0; i < index; ++i) {
        if (names[i] == name) return "\"" + name + "\" is used twice";
    }
    return std::nullopt;
}

std::optional<char> cellOf(const std::string& text) {
    std::string trimmed = text;
    trimmed.erase(0, trimmed.find_first_not_of(" \t"));
    trimmed.erase(trimmed.find_last_not_of(" \t\r") + 1);
    if (trimmed == "1") return '1';
    if (trimmed == "0") return '0';
    if (trimmed == "x" || trimmed == "X" || trimmed == "-") return 'x';
    return std::nullopt;
}

PasteResult pasted(const Design& design, const std::string& text, int row, int column) {
    std::vector<std::vector<std::string>> block;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() && at > text.size()) break;  // the last line end
        std::vector<std::string> cells;
        std::size_t from = 0;
        for (;;) {
            const std::size_t cut = line.find_first_of("\t,", from);
            cells.push_back(line.substr(from, cut == std::string::npos ? cut : cut - from));
            if (cut == std::string::npos) break;
            from = cut + 1;
        }
        block.push_back(cells);
    }
    if (block.empty()) return {std::nullopt, "nothing to paste"};
    Design result = design;
    for (std::size_t i = 0; i < block.size(); ++i) {
        const int r = row + static_cast<int>(i);
        if (r >= static_cast<int>(design.rows.size())) {
            return {std::nullopt, "the pasted rows go past the last row of the table (" +
                                      std::to_string(block.size()) + " rows from row " +
                                      std::to_string(row) + ")"};
        }
        for (std::size_t k = 0; k < block[i].size(); ++k) {
            const int j = column + static_cast<int>(k);
            if (j >= design.outputs()) {
                return {std::nullopt, "row " + std::to_string(r) + ": " +
                                          std::to_string(block[i].size()) + " cells from output " +
                                          design.outputNames[column] + " go past the last output"};
            }
            const std::optional<char> cell = cellOf(block[i][k]);
            if (!cell) {
                std::string shown = block[i][k].substr(0, 12);
                return {std::nullopt, "row " + std::to_string(r) + ", output " +
                                          design.outputNames[j] + ": \"" + shown +
                                          "\" is not 1, 0 or x"};
            }
            result.rows[r][j] = *cell;
        }
    }
    return {result, {}};
}

std::vector<logic::Function> outputFunctions(const Design& design) {
    std::vector<logic::Function> functions(design.outputNames.size());
    for (std::size_t j = 0; j < functions.size(); ++j) {
        functions[j].width = design.inputs();
        for (std::size_t r = 0; r < design.rows.size(); ++r) {
            if (design.rows[r][j] == '1') functions[j].on.set(static_cast<int>(r));
            if (design.rows[r][j] == 'x') functions[j].dc.set(static_cast<int>(r));
        }
    }
    return functions;
}

logic::Pla designPla(const Design& design, const std::string& preset) {
    logic::Pla pla;
    pla.inputs = design.inputs();
    pla.outputs = design.outputs();
    pla.inputNames = design.inputNames;
    pla.outputNames = design.outputNames;
    pla.type = "fd";
    pla.comments.push_back(std::string(kSettingsMark) +
                           (preset.empty() ? "" : " preset=" + preset));
    for (std::size_t r = 0; r < design.rows.size(); ++r) {
        logic::PlaRow row;
        row.input = logic::cubeOfCode(rowCode(static_cast<int>(r), design.inputs()));
        for (char c : design.rows[r]) row.outputs += c == 'x' ? '-' : c;
        pla.rows.push_back(row);
    }
    return pla;
}

DesignRead designOfPla(const logic::Pla& pla) {
    if (pla.outputs > kMaxOutputs) {
        return {std::nullopt,
                {},
                "a design has at most 8 outputs, the file has " + std::to_string(pla.outputs)};
    }
    std::vector<logic::Function> functions;
    try {
        functions = logic::plaFunctions(pla);
    } catch (const logic::PlaError& error) {
        return {std::nullopt, {}, error.what()};
    }
    Design design = resized(Design{}, pla.inputs, pla.outputs);
    if (!pla.inputNames.empty()) design.inputNames = pla.inputNames;
    if (!pla.outputNames.empty()) design.outputNames = pla.outputNames;
    for (const auto* names : {&design.inputNames, &design.outputNames}) {
        for (std::size_t i = 0; i < names->size(); ++i) {
            if (auto problem = nameProblem(*names, i))
                return {std::nullopt, {}, "the name " + *problem};
        }
    }
    for (std::size_t r = 0; r < design.rows.size(); ++r) {
        for (int j = 0; j < pla.outputs; ++j) {
            const logic::Function& f = functions[static_cast<std::size_t>(j)];
            design.rows[r][j] = f.on.test(static_cast<int>(r))   ? '1'
                                : f.dc.test(static_cast<int>(r)) ? 'x'
                                                                 : '0';
        }
    }
    DesignRead read{design, {}, {}};
    for (const std::string& comment : pla.comments) {
        if (!comment.starts_with(kSettingsMark)) continue;
        const std::size_t at = comment.find(" preset=");
        if (at != std::string::npos) read.preset = comment.substr(at + 8);
    }
    return read;
}

const std::vector<Preset>& presets() {
    static const std::vector<Preset> list = {
        {"bcd7seg", "BCD to 7-segment"},     {"fulladder", "Full adder"},
        {"comparator2", "2-bit comparator"}, {"excess3", "BCD to excess-3"},
        {"gray", "Binary to Gray"},          {"ungray", "Gray to binary"},
        {"multiplier2", "2-bit multiplier"},
    };
    return list;
}

Design presetDesign(const std::string& key) {
    if (key == "bcd7seg") {
        static const char* segments[] = {"1111110", "0110000", "1101101", "1111001", "0110011",
                                         "1011011", "1011111", "1110000", "1111111", "1111011"};
        return tableDesign({"A", "B", "C", "D"}, {"a", "b", "c", "d", "e", "f", "g"},
                           [](int r) { return std::string(r < 10 ? segments[r] : "xxxxxxx"); });
    }
    if (key == "fulladder") {
        return tableDesign({"A", "B", "Cin"}, {"S", "Cout"}, [](int r) {
            const int sum = (r >> 2 & 1) + (r >> 1 & 1) + (r & 1);
            return numberBits(sum & 1, 1) + numberBits(sum >> 1, 1);
        });
    }
    if (key == "comparator2") {
        return tableDesign({"A1", "A0", "B1", "B0"}, {"GT", "EQ", "LT"}, [](int r) {
            const int a = r >> 2;
            const int b = r & 3;
            return std::string{a > b ? '1' : '0', a == b ? '1' : '0', a < b ? '1' : '0'};
        });
    }
    if (key == "excess3") {
        return tableDesign({"A", "B", "C", "D"}, {"W", "X", "Y", "Z"}, [](int r) {
            return r < 10 ? numberBits(r + 3, 4) : std::string("xxxx");
        });
    }
    if (key == "gray") {
        return tableDesign({"B3", "B2", "B1", "B0"}, {"G3", "G2", "G1", "G0"},
                           [](int r) { return numberBits(r ^ (r >> 1), 4); });
    }
    if (key == "ungray") {
        return tableDesign({"G3", "G2", "G1", "G0"}, {"B3", "B2", "B1", "B0"}, [](int r) {
            int b = 0;
            for (int g = r; g != 0; g >>= 1) b ^= g;
            return numberBits(b, 4);
        });
    }
    if (key == "multiplier2") {
        return tableDesign({"A1", "A0", "B1", "B0"}, {"P3", "P2", "P1", "P0"},
                           [](int r) { return numberBits((r >> 2) * (r & 3), 4); });
    }
    return Design{};
}

}  // namespace quendal::design
