#include "design/design_minimum.h"

#include <algorithm>
#include <bit>

namespace quendal::design {

namespace {

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '&') {
            out += "&amp;";
        } else {
            out += c;
        }
    }
    return out;
}

std::string gatesText(const GateCount& gates) {
    return std::to_string(gates.andGates) + " AND + " + std::to_string(gates.orGates) +
           " OR = " + std::to_string(gates.andGates + gates.orGates) + " gates, " +
           std::to_string(gates.gateInputs) + " gate inputs";
}

}  // namespace

DesignMinimum minimizeDesign(const Design& design, qm::Deadline deadline,
                             const qm::CancelFlag* cancelled) {
    const std::vector<logic::Function> functions = outputFunctions(design);
    qm::SolveOptions options;
    options.cancelled = cancelled;
    DesignMinimum minimum;
    minimum.shared = qm::minimizeMultiOutput(functions, deadline, options);
    for (const logic::Function& function : functions)
        minimum.separate.push_back(qm::minimizeWithin(function, deadline, options));
    return minimum;
}

GateCount sharedGates(const qm::MultiCover& cover, int width) {
    GateCount gates;
    const qm::MultiCost cost = qm::multiCost(cover.products, width);
    gates.andGates = cost.products;
    gates.gateInputs = cost.gateInputs();
    std::vector<int> taken(32, 0);
    for (const qm::SharedProduct& product : cover.products) {
        for (int j = 0; j < 32; ++j) taken[j] += (product.outputs >> j) & 1U;
    }
    for (int count : taken) gates.orGates += count >= 2 ? 1 : 0;
    return gates;
}

GateCount separateGates(const std::vector<qm::BestCover>& covers, int width) {
    GateCount gates;
    for (const qm::BestCover& cover : covers) {
        const int products = static_cast<int>(cover.cover.size());
        gates.andGates += products;
        gates.orGates += products >= 2 ? 1 : 0;
        gates.gateInputs += products;
        for (const logic::Cube& cube : cover.cover) gates.gateInputs += cube.literals(width);
    }
    return gates;
}

std::string productText(const logic::Cube& cube, const Design& design) {
    const int width = design.inputs();
    bool letters = true;
    for (const std::string& name : design.inputNames) letters = letters && name.size() == 1;
    std::string text;
    for (int column = 0; column < width; ++column) {
        const int bit = width - 1 - column;
        if ((cube.free >> bit) & 1U) continue;
        if (!text.empty() && !letters) text += '*';
        text += design.inputNames[static_cast<std::size_t>(column)];
        if (((cube.value >> bit) & 1U) == 0) text += '\'';
    }
    return text.empty() ? "1" : text;
}

std::string resultHtml(const Design& design, const DesignMinimum& minimum) {
    const int width = design.inputs();
    const auto& products = minimum.shared.products;
    std::string html = "<h3>Shared products</h3>";
    if (!minimum.shared.proven)
        html += "<p><i>Not proven minimal in the time allowed: the best cover found.</i></p>";
    html +=
        "<table cellspacing=\"0\" cellpadding=\"3\" border=\"1\"><tr><th>#</th>"
        "<th>Product</th><th>Used by</th></tr>";
    for (std::size_t i = 0; i < products.size(); ++i) {
        std::string users;
        for (int j = 0; j < design.outputs(); ++j) {
            if ((products[i].outputs >> j) & 1U)
                users += (users.empty() ? "" : ", ") + design.outputNames[j];
        }
        const bool shared = std::popcount(products[i].outputs) >= 2;
        const std::string text = escaped(productText(products[i].cube, design));
        html += "<tr><td>P" + std::to_string(i + 1) + "</td><td>" +
                (shared ? "<b>" + text + "</b> (shared)" : text) + "</td><td>" + escaped(users) +
                "</td></tr>";
    }
    html +=
        "</table><h3>Each output</h3><table cellspacing=\"0\" cellpadding=\"3\" "
        "border=\"1\"><tr><th>Output</th><th>Shared solution</th><th>On its own</th></tr>";
    for (int j = 0; j < design.outputs(); ++j) {
        std::string sharedSum;
        for (std::size_t i = 0; i < products.size(); ++i) {
            if (((products[i].outputs >> j) & 1U) == 0) continue;
            const std::string text = escaped(productText(products[i].cube, design));
            sharedSum += (sharedSum.empty() ? "" : " + ") +
                         (std::popcount(products[i].outputs) >= 2 ? "<b>" + text + "</b>" : text);
        }
        std::string own;
        const qm::BestCover& alone = minimum.separate[static_cast<std::size_t>(j)];
        for (const logic::Cube& cube : alone.cover)
            own += (own.empty() ? "" : " + ") + escaped(productText(cube, design));
        if (!alone.proven) own += " (not proven minimal)";
        html += "<tr><td>" + escaped(design.outputNames[j]) + "</td><td>" +
                (sharedSum.empty() ? "0" : sharedSum) + "</td><td>" + (own.empty() ? "0" : own) +
                "</td></tr>";
    }
    html += "</table>";
    const GateCount shared = sharedGates(minimum.shared, width);
    const GateCount separate = separateGates(minimum.separate, width);
    html += "<p>Shared solution: " + gatesText(shared) +
            ".<br>Each output on its own: " + gatesText(separate) + ".<br>";
    const int saved = separate.andGates + separate.orGates - shared.andGates - shared.orGates;
    const int inputs = separate.gateInputs - shared.gateInputs;
    if (saved > 0) {
        html += "Sharing saves " + std::to_string(saved) + (saved == 1 ? " gate" : " gates");
        if (inputs > 0) html += " and " + std::to_string(inputs) + " gate inputs";
        if (inputs < 0) html += " for " + std::to_string(-inputs) + " more gate inputs";
        html += ".";
    } else {
        html += "Sharing saves no gates here.";
    }
    html +=
        "</p><p>Shared products are in bold. The cost minimized: the fewest products (AND "
        "gates), then the fewest gate inputs (AND inputs plus OR inputs).</p>";
    return html + karnaughMapsHtml(design, minimum.shared);
}

std::string karnaughMapsHtml(const Design& design, const qm::MultiCover& cover) {
    const int width = design.inputs();
    if (width > kMaxMapInputs)
        return "<p>Karnaugh maps are shown for designs of up to " + std::to_string(kMaxMapInputs) +
               " inputs.</p>";
    // Light colours that tell neighbours apart; a product keeps its colour on every map.
    static const char* colours[] = {"#ffd8a8", "#b2f2bb", "#a5d8ff", "#ffc9c9", "#e5dbff",
                                    "#fff3bf", "#c3fae8", "#fcc2d7", "#d8f5a2", "#d0ebff"};
    // Beyond four inputs, a four-input map per value of the first inputs, side by side in Gray
    // order, so that neighbouring maps differ in one of them.
    const int mapBits = std::max(0, width - 4);
    const int inner = width - mapBits;
    const int rowBits = inner / 2;
    const int columnBits = inner - rowBits;
    const auto gray = [](int i) { return i ^ (i >> 1); };
    const auto bitsText = [](int value, int count) {
        std::string text;
        for (int bit = count - 1; bit >= 0; --bit) text += ((value >> bit) & 1) ? '1' : '0';
        return text;
    };
    std::string mapNames;
    std::string rowNames;
    std::string columnNames;
    for (int i = 0; i < width; ++i)
        (i < mapBits             ? mapNames
         : i < mapBits + rowBits ? rowNames
                                 : columnNames) += escaped(design.inputNames[i]);
    std::string html =
        "<h3>Karnaugh maps</h3><p>Each product has one colour on every map; a cell "
        "lists the products covering it.</p>";
    for (int j = 0; j < design.outputs(); ++j) {
        html += "<p><b>" + escaped(design.outputNames[j]) + "</b></p>";
        if (mapBits > 0) html += "<table cellspacing=\"8\"><tr>";
        for (int m = 0; m < (1 << mapBits); ++m) {
            const int high = gray(m) << inner;
            if (mapBits > 0)
                html += "<td valign=\"top\"><p>" + mapNames + " = " + bitsText(gray(m), mapBits) +
                        "</p>";
            html += "<table cellspacing=\"0\" cellpadding=\"4\" border=\"1\"><tr><th>" + rowNames +
                    " \\ " + columnNames + "</th>";
            for (int c = 0; c < (1 << columnBits); ++c)
                html += "<th>" + bitsText(gray(c), columnBits) + "</th>";
            html += "</tr>";
            for (int r = 0; r < (1 << rowBits); ++r) {
                html += "<tr><th>" + (rowBits > 0 ? bitsText(gray(r), rowBits) : std::string()) +
                        "</th>";
                for (int c = 0; c < (1 << columnBits); ++c) {
                    const int row = high | (gray(r) << columnBits) | gray(c);
                    std::string products;
                    int first = -1;
                    for (std::size_t i = 0; i < cover.products.size(); ++i) {
                        const qm::SharedProduct& p = cover.products[i];
                        if (((p.outputs >> j) & 1U) == 0 || !p.cube.contains(row)) continue;
                        if (first < 0) first = static_cast<int>(i);
                        products += " P" + std::to_string(i + 1);
                    }
                    html += "<td align=\"center\"";
                    if (first >= 0) html += std::string(" bgcolor=\"") + colours[first % 10] + "\"";
                    html += ">" + std::string(1, design.rows[row][j]) +
                            (products.empty() ? "" : "<br><small>" + products + "</small>") +
                            "</td>";
                }
                html += "</tr>";
            }
            html += "</table>";
            if (mapBits > 0) html += "</td>";
        }
        if (mapBits > 0) html += "</tr></table>";
    }
    return html;
}

}  // namespace quendal::design
