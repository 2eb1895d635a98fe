#include "logic/pla.h"

#include <algorithm>
#include <array>

namespace logic {

namespace {

constexpr std::array<std::string_view, 6> kTypes = {"f", "fd", "fr", "fdr", "r", "dr"};

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string> tokensOf(std::string_view line) {
    std::vector<std::string> tokens;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isSpace(line[at])) ++at;
        const std::size_t start = at;
        while (at < line.size() && !isSpace(line[at])) ++at;
        if (at > start) tokens.emplace_back(line.substr(start, at - start));
    }
    return tokens;
}

// Quoted text in a message is cut short, so that a huge token never makes a huge message.
std::string quoted(std::string_view text) {
    constexpr std::size_t kShown = 24;
    if (text.size() <= kShown) return "\"" + std::string(text) + "\"";
    return "\"" + std::string(text.substr(0, kShown)) + "...\"";
}

// A count on a keyword line: one decimal number from `low` to `high`.
int countOf(const std::vector<std::string>& tokens, int line, int low, int high,
            const std::string& what) {
    if (tokens.size() != 2) throw PlaError(line, tokens[0] + " takes one number, " + what);
    const std::string& text = tokens[1];
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        throw PlaError(line, tokens[0] + " takes one number, " + what + "; not " + quoted(text));
    }
    const int value = std::stoi(text);
    if (value < low || value > high) {
        throw PlaError(line, tokens[0] + " " + text + ": " + what + " must be " +
                                 std::to_string(low) + " to " + std::to_string(high));
    }
    return value;
}

std::string characterName(char c) {
    if (c >= 0x21 && c <= 0x7e) return std::string("'") + c + "'";
    const char* digits = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    return std::string("byte 0x") + digits[byte >> 4] + digits[byte & 15];
}

}  // namespace

Pla parsePla(std::string_view text) {
    Pla pla;
    bool haveInputs = false;
    bool haveOutputs = false;
    bool haveType = false;
    int declaredRows = -1;
    int declaredAt = 0;
    int lineNumber = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        ++lineNumber;
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        for (char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte < 0x20 && c != '\t') || byte == 0x7f)
                throw PlaError(lineNumber,
                               "unexpected control character (" + characterName(c) + ")");
        }
        std::size_t first = 0;
        while (first < line.size() && isSpace(line[first])) ++first;
        line.remove_prefix(first);
        if (line.empty()) continue;
        if (line[0] == '#') {
            pla.comments.emplace_back(line.substr(1));
            continue;
        }
        if (line[0] == '.') {
            const std::vector<std::string> tokens = tokensOf(line);
            const std::string& keyword = tokens[0];
            if (keyword == ".e" || keyword == ".end") break;
            const bool header = keyword == ".i" || keyword == ".o" || keyword == ".ilb" ||
                                keyword == ".ob" || keyword == ".type" || keyword == ".p";
            if (!header) {
                throw PlaError(lineNumber, "unsupported keyword " + quoted(keyword) +
                                               " (read are .i, .o, .ilb, .ob, .p, .type, .e)");
            }
            if (!pla.rows.empty())
                throw PlaError(lineNumber, keyword + " after the first product row");
            const auto once = [&](bool seen) {
                if (seen) throw PlaError(lineNumber, "a second " + keyword + " line");
            };
            if (keyword == ".i") {
                once(haveInputs);
                pla.inputs = countOf(tokens, lineNumber, 1, kMaxWidth, "the number of inputs");
                haveInputs = true;
            } else if (keyword == ".o") {
                once(haveOutputs);
                pla.outputs =
                    countOf(tokens, lineNumber, 1, kMaxPlaOutputs, "the number of outputs");
                haveOutputs = true;
            } else if (keyword == ".p") {
                once(declaredRows >= 0);
                declaredRows =
                    countOf(tokens, lineNumber, 0, 999999999, "the number of product rows");
                declaredAt = lineNumber;
            } else if (keyword == ".type") {
                once(haveType);
                if (tokens.size() != 2 ||
                    std::find(kTypes.begin(), kTypes.end(), tokens[1]) == kTypes.end()) {
                    throw PlaError(lineNumber, ".type must be one of f, fd, fr, fdr, r, dr");
                }
                pla.type = tokens[1];
                haveType = true;
            } else {
                const bool inputsLine = keyword == ".ilb";
                std::vector<std::string>& names = inputsLine ? pla.inputNames : pla.outputNames;
                once(!names.empty());
                if (!(inputsLine ? haveInputs : haveOutputs)) {
                    throw PlaError(lineNumber, keyword + " before " + (inputsLine ? ".i" : ".o"));
                }
                const int expected = inputsLine ? pla.inputs : pla.outputs;
                if (static_cast<int>(tokens.size()) - 1 != expected) {
                    throw PlaError(lineNumber, keyword + " names " +
                                                   std::to_string(tokens.size() - 1) + ", not " +
                                                   std::to_string(expected) +
                                                   (inputsLine ? " inputs" : " outputs"));
                }
                names.assign(tokens.begin() + 1, tokens.end());
            }
            continue;
        }

        // A product row: input and output characters, spaces between them allowed.
        if (!haveInputs || !haveOutputs)
            throw PlaError(lineNumber, "a product row before the .i and .o lines");
        std::string cells;
        for (char c : line) {
            if (!isSpace(c)) cells += c;
        }
        const auto want = static_cast<std::size_t>(pla.inputs + pla.outputs);
        if (cells.size() != want) {
            throw PlaError(lineNumber, "a product row needs " + std::to_string(pla.inputs) +
                                           " input and " + std::to_string(pla.outputs) +
                                           " output characters, not " +
                                           std::to_string(cells.size()));
        }
        for (int column = 0; column < pla.inputs; ++column) {
            const char c = cells[static_cast<std::size_t>(column)];
            if (c != '0' && c != '1' && c != '-') {
                throw PlaError(lineNumber, "input " + std::to_string(column + 1) + " is " +
                                               characterName(c) + "; inputs take 0, 1 or -");
            }
        }
        PlaRow row;
        row.input = cubeOfCode(std::string_view(cells).substr(0, pla.inputs));
        row.outputs = cells.substr(static_cast<std::size_t>(pla.inputs));
        for (std::size_t column = 0; column < row.outputs.size(); ++column) {
            const char c = row.outputs[column];
            if (c != '0' && c != '1' && c != '-' && c != '~') {
                throw PlaError(lineNumber, "output " + std::to_string(column + 1) + " is " +
                                               characterName(c) + "; outputs take 1, 0, - or ~");
            }
        }
        row.line = lineNumber;
        pla.rows.push_back(std::move(row));
    }
    const int endLine = lineNumber + 1;
    if (!haveInputs) throw PlaError(endLine, "the file has no .i line (the number of inputs)");
    if (!haveOutputs) throw PlaError(endLine, "the file has no .o line (the number of outputs)");
    if (declaredRows >= 0 && declaredRows != static_cast<int>(pla.rows.size())) {
        throw PlaError(declaredAt, ".p announces " + std::to_string(declaredRows) +
                                       " product rows, the file has " +
                                       std::to_string(pla.rows.size()));
    }
    return pla;
}

std::string formatPla(const Pla& pla) {
    std::string text;
    for (const std::string& comment : pla.comments) text += "#" + comment + "\n";
    text += ".i " + std::to_string(pla.inputs) + "\n";
    text += ".o " + std::to_string(pla.outputs) + "\n";
    const auto names = [&text](const char* keyword, const std::vector<std::string>& list) {
        if (list.empty()) return;
        text += keyword;
        for (const std::string& name : list) text += " " + name;
        text += "\n";
    };
    names(".ilb", pla.inputNames);
    names(".ob", pla.outputNames);
    if (!pla.type.empty()) text += ".type " + pla.type + "\n";
    text += ".p " + std::to_string(pla.rows.size()) + "\n";
    for (const PlaRow& row : pla.rows) {
        text += codeOf(row.input, pla.inputs) + " " + row.outputs + "\n";
    }
    text += ".e\n";
    return text;
}

std::vector<Function> plaFunctions(const Pla& pla) {
    const std::string type = pla.type.empty() ? "fd" : pla.type;
    const bool readsOn = type.find('f') != std::string::npos;
    const bool readsDc = type.find('d') != std::string::npos;
    const bool readsOff = type.find('r') != std::string::npos;
    const int width = pla.inputs;
    RowSet all;
    for (int row = 0; row < (1 << width); ++row) all.set(row);

    struct Sets {
        RowSet on, dc, off;
    };
    std::vector<Sets> sets(static_cast<std::size_t>(pla.outputs));
    for (const PlaRow& row : pla.rows) {
        const RowSet rows = row.input.rows(width);
        for (int j = 0; j < pla.outputs; ++j) {
            Sets& set = sets[static_cast<std::size_t>(j)];
            const char c = row.outputs[static_cast<std::size_t>(j)];
            if (c == '1' && readsOn) {
                if (rows.intersects(set.off))
                    throw PlaError(row.line, "output " + plaOutputName(pla, j) +
                                                 " is 1 here on a row an earlier line makes 0");
                set.on |= rows;
            } else if (c == '-' && readsDc) {
                if (rows.intersects(set.off))
                    throw PlaError(row.line,
                                   "output " + plaOutputName(pla, j) +
                                       " is a don't-care here on a row an earlier line makes 0");
                set.dc |= rows;
            } else if (c == '0' && readsOff) {
                if (rows.intersects(set.on) || rows.intersects(set.dc))
                    throw PlaError(row.line, "output " + plaOutputName(pla, j) +
                                                 " is 0 here on a row an earlier line makes " +
                                                 (rows.intersects(set.on) ? "1" : "a don't-care"));
                set.off |= rows;
            }
        }
    }

    std::vector<Function> functions;
    for (Sets& set : sets) {
        if (!readsOn) set.on = all - set.off - set.dc;
        if (readsOn && readsOff) set.dc |= all - set.on - set.off;
        Function function;
        function.width = width;
        function.dc = set.dc;
        function.on = set.on - set.dc;
        functions.push_back(function);
    }
    return functions;
}

std::string plaOutputName(const Pla& pla, int index) {
    if (index >= 0 && index < static_cast<int>(pla.outputNames.size()))
        return pla.outputNames[static_cast<std::size_t>(index)];
    return "Y" + std::to_string(index);
}

}  // namespace logic
