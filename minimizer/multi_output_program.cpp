#include "minimizer/multi_output_program.h"

#include <algorithm>
#include <bit>
#include <chrono>

#include "logic/expression_text.h"
#include "minimizer/input_format.h"
#include "minimizer/minimize.h"
#include "minimizer/qm_program.h"

namespace qm {

using logic::Cube;
using logic::Function;
using logic::Pla;

namespace {

struct ReadPla {
    Pla pla;
    std::vector<Function> functions;
};

ReadPla readPla(const std::string& path) {
    const std::string text = readInputFile(path);
    try {
        ReadPla read;
        read.pla = logic::parsePla(text);
        read.functions = logic::plaFunctions(read.pla);
        return read;
    } catch (const logic::PlaError& error) {
        throw InputError(path + ": " + error.what());
    }
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            const char* digits = "0123456789abcdef";
            out += "\\u00";
            out += digits[(c >> 4) & 15];
            out += digits[c & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonStrings(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + jsonString(texts[i]);
    return out + "]";
}

std::string jsonRows(const logic::RowSet& rows) {
    std::string out = "[";
    bool first = true;
    rows.forEach([&](int row) {
        out += (first ? "" : ", ") + std::to_string(row);
        first = false;
    });
    return out + "]";
}

std::string outputMarks(std::uint32_t outputs, int count) {
    std::string marks;
    for (int j = 0; j < count; ++j) marks += ((outputs >> j) & 1U) ? '1' : '0';
    return marks;
}

std::string costJson(const MultiCost& cost) {
    return "{\"products\": " + std::to_string(cost.products) +
           ", \"andInputs\": " + std::to_string(cost.andInputs) +
           ", \"orInputs\": " + std::to_string(cost.orInputs) +
           ", \"gateInputs\": " + std::to_string(cost.gateInputs()) + "}";
}

std::string namedSop(const std::vector<Cube>& cover, const Pla& pla) {
    if (cover.empty()) return "0";
    std::string text;
    for (std::size_t i = 0; i < cover.size(); ++i) {
        if (i) text += '+';
        text += namedProductText(cover[i], pla);
    }
    return text;
}

int explainPla(const std::string& inPath, std::ostream& out, std::ostream& err) {
    const ReadPla read = readPla(inPath);
    const Pla& pla = read.pla;
    const int width = pla.inputs;
    const Deadline deadline = std::chrono::steady_clock::now() + timeLimit();
    const MultiCover shared = minimizeMultiOutput(read.functions, deadline);

    std::vector<std::string> inputNames = pla.inputNames;
    std::vector<std::string> outputNames;
    for (int i = static_cast<int>(inputNames.size()); i < width; ++i)
        inputNames.emplace_back(1, logic::kDefaultLetters[static_cast<std::size_t>(i)]);
    for (int j = 0; j < pla.outputs; ++j) outputNames.push_back(logic::plaOutputName(pla, j));

    std::string json = "{\n  \"inputs\": " + std::to_string(width) +
                       ",\n  \"outputs\": " + std::to_string(pla.outputs) +
                       ",\n  \"inputNames\": " + jsonStrings(inputNames) +
                       ",\n  \"outputNames\": " + jsonStrings(outputNames) + ",\n  \"ones\": [";
    for (int j = 0; j < pla.outputs; ++j)
        json += (j ? ", " : "") + jsonRows(read.functions[static_cast<std::size_t>(j)].on);
    json += "],\n  \"dontCares\": [";
    for (int j = 0; j < pla.outputs; ++j)
        json += (j ? ", " : "") + jsonRows(read.functions[static_cast<std::size_t>(j)].dc);
    json += "],\n  \"primes\": [";
    const std::vector<SharedProduct> primes = multiOutputPrimes(read.functions);
    for (std::size_t i = 0; i < primes.size(); ++i) {
        json += std::string(i ? ",\n    " : "\n    ") + "{\"cube\": \"" +
                logic::codeOf(primes[i].cube, width) + "\", \"outputs\": \"" +
                outputMarks(primes[i].outputs, pla.outputs) + "\"}";
    }
    json += "\n  ],\n  \"cover\": [";
    for (std::size_t i = 0; i < shared.products.size(); ++i) {
        const SharedProduct& p = shared.products[i];
        json += std::string(i ? ",\n    " : "\n    ") + "{\"cube\": \"" +
                logic::codeOf(p.cube, width) + "\", \"outputs\": \"" +
                outputMarks(p.outputs, pla.outputs) +
                "\", \"text\": " + jsonString(namedProductText(p.cube, pla)) + "}";
    }
    json += "\n  ],\n  \"cost\": " + costJson(multiCost(shared.products, width));
    json += ",\n  \"sop\": [";
    for (int j = 0; j < pla.outputs; ++j) {
        std::vector<Cube> cover;
        for (const SharedProduct& p : shared.products) {
            if ((p.outputs >> j) & 1U) cover.push_back(p.cube);
        }
        json += (j ? ", " : "") + jsonString(namedSop(cover, pla));
    }
    // Each output on its own, no product shared: what sharing is compared with.
    json += "],\n  \"separate\": [";
    MultiCost separateCost;
    for (int j = 0; j < pla.outputs; ++j) {
        const Function& function = read.functions[static_cast<std::size_t>(j)];
        const BestCover own = minimizeWithin(function, deadline);
        separateCost.products += static_cast<int>(own.cover.size());
        for (const Cube& cube : own.cover) separateCost.andInputs += cube.literals(width);
        separateCost.orInputs += static_cast<int>(own.cover.size());
        std::vector<std::string> codes;
        for (const Cube& cube : own.cover) codes.push_back(logic::codeOf(cube, width));
        json += std::string(j ? ",\n    " : "\n    ") + "{\"cover\": " + jsonStrings(codes) +
                ", \"sop\": " + jsonString(namedSop(own.cover, pla)) +
                ", \"proven\": " + (own.proven ? "true" : "false") + "}";
    }
    json += "\n  ],\n  \"separateCost\": " + costJson(separateCost);
    if (!shared.proven) {
        json += ",\n  \"proven\": false,\n  \"productsNeeded\": " +
                std::to_string(shared.productBound) +
                ",\n  \"countProven\": " + (shared.countProven ? "true" : "false") +
                ",\n  \"gateInputsNeeded\": " + std::to_string(shared.inputBound) +
                ",\n  \"costProven\": " + (shared.costProven ? "true" : "false");
    }
    json += "\n}\n";
    // Written only once whole, so that a failure leaves stdout empty.
    out << json << std::flush;
    if (!out) {
        err << "Qm.exe: cannot write to standard output\n";
        return kExitFailed;
    }
    if (shared.proven) return kExitOk;
    err << "Qm.exe: " << multiNotProvenNote(shared, width, inPath) << '\n';
    return kExitNotProven;
}

}  // namespace

Pla coverPla(const Pla& source, const std::vector<SharedProduct>& products) {
    Pla pla;
    pla.inputs = source.inputs;
    pla.outputs = source.outputs;
    pla.inputNames = source.inputNames;
    pla.outputNames = source.outputNames;
    for (const SharedProduct& product : products) {
        logic::PlaRow row;
        row.input = product.cube;
        row.outputs = outputMarks(product.outputs, source.outputs);
        pla.rows.push_back(row);
    }
    return pla;
}

std::string namedProductText(const Cube& cube, const Pla& pla) {
    const int width = pla.inputs;
    const bool letters = std::all_of(pla.inputNames.begin(), pla.inputNames.end(),
                                     [](const std::string& name) { return name.size() == 1; });
    std::string text;
    for (int column = 0; column < width; ++column) {
        const int bit = width - 1 - column;
        if ((cube.free >> bit) & 1U) continue;
        if (!text.empty() && !letters) text += '*';
        text += pla.inputNames.empty()
                    ? std::string(1, logic::kDefaultLetters[static_cast<std::size_t>(column)])
                    : pla.inputNames[static_cast<std::size_t>(column)];
        if (((cube.value >> bit) & 1U) == 0) text += '\'';
    }
    return text.empty() ? "1" : text;
}

int runPla(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const bool explainMode = args.size() == 2 && args[0] == "--explain";
    const bool fileArgs =
        args.size() == 2 && !args[0].starts_with("--") && !args[1].starts_with("--");
    if (!explainMode && !fileArgs) {
        err << "Qm.exe: usage: Qm.exe --pla IN.pla OUT.pla or Qm.exe --pla --explain IN.pla\n";
        return kExitUsage;
    }
    return reportingFailures(err, [&] {
        if (explainMode) return explainPla(args[1], out, err);
        const std::string& inPath = args[0];
        const ReadPla read = readPla(inPath);
        const Deadline deadline = std::chrono::steady_clock::now() + timeLimit();
        const MultiCover cover = minimizeMultiOutput(read.functions, deadline);
        // Never an unchecked answer, even from the fallback search.
        if (!coversAll(cover.products, read.functions))
            throw std::runtime_error(inPath + ": internal error: the cover found is not valid");
        writeFileAtomically(args[1], logic::formatPla(coverPla(read.pla, cover.products)));
        if (cover.proven) return kExitOk;
        err << "Qm.exe: " << multiNotProvenNote(cover, read.pla.inputs, inPath) << '\n';
        return kExitNotProven;
    });
}

}  // namespace qm
