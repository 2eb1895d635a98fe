#include "circuit/netlist_export.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <sstream>
#include <string_view>

namespace quendal::circuit {

namespace {

constexpr std::size_t kMaxNameLength = 64;

// Reserved in Verilog (case-sensitive) or VHDL (any case); a name must be
// usable in both, so both lists are compared without case.
constexpr std::string_view kKeywords[] = {
    // Verilog-2005
    "always",
    "and",
    "assign",
    "automatic",
    "begin",
    "buf",
    "bufif0",
    "bufif1",
    "case",
    "casex",
    "casez",
    "cell",
    "cmos",
    "config",
    "deassign",
    "default",
    "defparam",
    "design",
    "disable",
    "edge",
    "else",
    "end",
    "endcase",
    "endconfig",
    "endfunction",
    "endgenerate",
    "endmodule",
    "endprimitive",
    "endspecify",
    "endtable",
    "endtask",
    "event",
    "for",
    "force",
    "forever",
    "fork",
    "function",
    "generate",
    "genvar",
    "highz0",
    "highz1",
    "if",
    "ifnone",
    "incdir",
    "include",
    "initial",
    "inout",
    "input",
    "instance",
    "integer",
    "join",
    "large",
    "liblist",
    "library",
    "localparam",
    "macromodule",
    "medium",
    "module",
    "nand",
    "negedge",
    "nmos",
    "nor",
    "noshowcancelled",
    "not",
    "notif0",
    "notif1",
    "or",
    "output",
    "parameter",
    "pmos",
    "posedge",
    "primitive",
    "pull0",
    "pull1",
    "pulldown",
    "pullup",
    "pulsestyle_onevent",
    "pulsestyle_ondetect",
    "rcmos",
    "real",
    "realtime",
    "reg",
    "release",
    "repeat",
    "rnmos",
    "rpmos",
    "rtran",
    "rtranif0",
    "rtranif1",
    "scalared",
    "showcancelled",
    "signed",
    "small",
    "specify",
    "specparam",
    "strong0",
    "strong1",
    "supply0",
    "supply1",
    "table",
    "task",
    "time",
    "tran",
    "tranif0",
    "tranif1",
    "tri",
    "tri0",
    "tri1",
    "triand",
    "trior",
    "trireg",
    "unsigned",
    "use",
    "uwire",
    "vectored",
    "wait",
    "wand",
    "weak0",
    "weak1",
    "while",
    "wire",
    "wor",
    "xnor",
    "xor"};
constexpr std::string_view kVhdlKeywords[] = {
    "abs",          "access",    "after",      "alias",     "all",
    "architecture", "array",     "assert",     "attribute", "block",
    "body",         "buffer",    "bus",        "component", "configuration",
    "constant",     "context",   "disconnect", "downto",    "elsif",
    "entity",       "exit",      "file",       "group",     "guarded",
    "impure",       "in",        "inertial",   "is",        "label",
    "linkage",      "literal",   "loop",       "map",       "mod",
    "new",          "next",      "null",       "of",        "on",
    "open",         "others",    "out",        "package",   "port",
    "postponed",    "procedure", "process",    "protected", "pure",
    "range",        "record",    "register",   "reject",    "rem",
    "report",       "return",    "rol",        "ror",       "select",
    "severity",     "shared",    "signal",     "sla",       "sll",
    "sra",          "srl",       "subtype",    "then",      "to",
    "transport",    "type",      "units",      "until",     "variable",
    "when",         "with",      "std_logic"};

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isKeyword(const std::string& name) {
    const std::string low = lowered(name);
    return std::find(std::begin(kKeywords), std::end(kKeywords), low) != std::end(kKeywords) ||
           std::find(std::begin(kVhdlKeywords), std::end(kVhdlKeywords), low) !=
               std::end(kVhdlKeywords);
}

// Names of nets and instances in the texts.
class Names {
public:
    explicit Names(const Netlist& n) : n_(n), ports_(portNames(n)) {}

    const std::vector<std::string>& ports() const { return ports_; }

    // A net's name; a net nothing drives has none (it is written as 0).
    bool driven(NetId net) const { return net != kNoNet && n_.net(net).driver.part >= 0; }
    std::string net(NetId net) const {
        const Part& driver = n_.part(n_.net(net).driver.part);
        if (driver.kind == PartKind::Input) return ports_[static_cast<std::size_t>(driver.column)];
        return "n" + std::to_string(net);
    }
    // Internal nets: driven by anything but an input terminal.
    std::vector<NetId> internalNets() const {
        std::vector<NetId> out;
        for (NetId id = 0; id < static_cast<NetId>(n_.nets.size()); ++id)
            if (driven(id) && n_.part(n_.net(id).driver.part).kind != PartKind::Input)
                out.push_back(id);
        return out;
    }
    static std::string instance(const Part& p, std::size_t index) {
        return p.name.empty() ? "u" + std::to_string(index) : p.name;
    }

private:
    const Netlist& n_;
    std::vector<std::string> ports_;
};

bool isGate(PartKind k) {
    return k == PartKind::Not || k == PartKind::And || k == PartKind::Or || k == PartKind::Nand ||
           k == PartKind::Nor;
}

const char* kindName(PartKind k) {
    switch (k) {
        case PartKind::Input: return "input";
        case PartKind::Constant: return "constant";
        case PartKind::Output: return "output";
        case PartKind::Not: return "not";
        case PartKind::And: return "and";
        case PartKind::Or: return "or";
        case PartKind::Nand: return "nand";
        case PartKind::Nor: return "nor";
        case PartKind::Mux: return "mux";
        case PartKind::Demux: return "demux";
    }
    return "";
}

std::string binary(unsigned value, std::size_t bits) {
    std::string s(bits, '0');
    for (std::size_t b = 0; b < bits; ++b)
        if ((value >> (bits - 1 - b)) & 1U) s[b] = '1';
    return s;
}

// ---- Verilog ----------------------------------------------------------------

std::string vNet(const Names& names, NetId net) {
    return names.driven(net) ? names.net(net) : "1'b0";
}

std::string vJoin(const Names& names, const std::vector<Pin>& pins) {
    std::string s;
    for (const Pin& p : pins) s += (s.empty() ? "" : ", ") + vNet(names, p.net);
    return s;
}

void verilogBlock(std::ostringstream& out, const Names& names, const Part& p,
                  const std::string& id) {
    const std::vector<Pin> sel = p.pinsOf(PinRole::Select);
    const std::vector<Pin> data = p.pinsOf(PinRole::Data);
    const std::vector<Pin> strobe = p.pinsOf(PinRole::Strobe);
    const std::vector<Pin> outs = p.pinsOf(PinRole::Out);
    const std::string enabled = strobe.empty() ? "1'b1" : "~" + vNet(names, strobe[0].net);
    std::string selVec;
    for (auto it = sel.begin(); it != sel.end(); ++it)
        selVec += (it == sel.begin() ? "" : ", ") + vNet(names, it->net);
    out << "    wire [" << sel.size() - 1 << ":0] " << id << "_s = {" << selVec << "};\n";
    if (p.kind == PartKind::Mux) {
        out << "    // " << id << ": " << data.size() << " : 1 multiplexer\n";
        std::string dataVec;
        for (auto it = data.rbegin(); it != data.rend(); ++it)
            dataVec += (it == data.rbegin() ? "" : ", ") + vNet(names, it->net);
        out << "    wire [" << data.size() - 1 << ":0] " << id << "_d = {" << dataVec << "};\n";
        if (names.driven(outs[0].net))
            out << "    assign " << names.net(outs[0].net) << " = " << enabled << " & " << id
                << "_d[" << id << "_s];\n";
        return;
    }
    out << "    // " << id << ": 1 : " << outs.size() << " demultiplexer, outputs "
        << (p.activeLowOutputs ? "resting at 1" : "resting at 0") << "\n";
    const std::string din = data.empty() ? "1'b0" : vNet(names, data[0].net);
    const std::string rest = p.activeLowOutputs ? "1'b1" : "1'b0";
    for (std::size_t k = 0; k < outs.size(); ++k) {
        if (outs[k].net == kNoNet) continue;
        out << "    assign " << names.net(outs[k].net) << " = (" << enabled << " && " << id
            << "_s == " << sel.size() << "'d" << k << ") ? " << din << " : " << rest << ";\n";
    }
}

// ---- VHDL -------------------------------------------------------------------

std::string hNet(const Names& names, NetId net) {
    return names.driven(net) ? names.net(net) : "'0'";
}

void vhdlBlock(std::ostringstream& out, const Names& names, const Part& p, const std::string& id) {
    const std::vector<Pin> sel = p.pinsOf(PinRole::Select);
    const std::vector<Pin> data = p.pinsOf(PinRole::Data);
    const std::vector<Pin> strobe = p.pinsOf(PinRole::Strobe);
    const std::vector<Pin> outs = p.pinsOf(PinRole::Out);
    std::string selVec;
    for (auto it = sel.begin(); it != sel.end(); ++it)
        selVec += (it == sel.begin() ? "" : " & ") + hNet(names, it->net);
    if (sel.size() == 1) selVec = "(0 => " + selVec + ")";
    out << "    " << id << "_s <= " << selVec << ";\n";
    const std::string off =
        strobe.empty() ? "" : " when " + hNet(names, strobe[0].net) + " = '0' else '";
    if (p.kind == PartKind::Mux) {
        out << "    -- " << id << ": " << data.size() << " : 1 multiplexer\n";
        if (!names.driven(outs[0].net)) return;
        out << "    " << id << "_y <= ";
        for (std::size_t k = 0; k < data.size(); ++k)
            out << hNet(names, data[k].net) << " when " << id << "_s = \""
                << binary(static_cast<unsigned>(k), sel.size()) << "\" else\n        ";
        out << "'0';\n";
        out << "    " << names.net(outs[0].net) << " <= " << id << "_y"
            << (strobe.empty() ? "" : off + "0'") << ";\n";
        return;
    }
    out << "    -- " << id << ": 1 : " << outs.size() << " demultiplexer, outputs "
        << (p.activeLowOutputs ? "resting at 1" : "resting at 0") << "\n";
    const std::string din = data.empty() ? "'0'" : hNet(names, data[0].net);
    const std::string rest = p.activeLowOutputs ? "'1'" : "'0'";
    for (std::size_t k = 0; k < outs.size(); ++k) {
        if (outs[k].net == kNoNet) continue;
        out << "    " << names.net(outs[k].net) << " <= " << din << " when ";
        if (!strobe.empty()) out << hNet(names, strobe[0].net) << " = '0' and ";
        out << id << "_s = \"" << binary(static_cast<unsigned>(k), sel.size()) << "\" else " << rest
            << ";\n";
    }
}

std::string vhdlGate(const Names& names, const Part& p) {
    const std::vector<Pin> in = p.inputs();
    if (p.kind == PartKind::Not) return "not " + hNet(names, in.at(0).net);
    const bool inverted = p.kind == PartKind::Nand || p.kind == PartKind::Nor;
    const char* op = (p.kind == PartKind::And || p.kind == PartKind::Nand) ? " and " : " or ";
    std::string expr;
    for (const Pin& pin : in) expr += (expr.empty() ? "" : op) + hNet(names, pin.net);
    return inverted ? "not (" + expr + ")" : expr;
}

// ---- JSON -------------------------------------------------------------------

std::string quoted(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            static const char* hex = "0123456789abcdef";
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string point(Point p) {
    return "[" + std::to_string(p.x) + ", " + std::to_string(p.y) + "]";
}

const char* roleName(PinRole r) {
    switch (r) {
        case PinRole::In: return "in";
        case PinRole::Select: return "select";
        case PinRole::Data: return "data";
        case PinRole::Strobe: return "strobe";
        case PinRole::Out: return "out";
    }
    return "";
}

std::string pinRef(PinRef r) {
    return "{\"part\": " + std::to_string(r.part) + ", \"pin\": " + std::to_string(r.pin) + "}";
}

}  // namespace

namespace {

// A name Verilog and VHDL both take as it is: a letter, then letters, digits
// or single underscores, not ending in one, and no keyword of either.
bool usableName(const std::string& name) {
    if (name.empty() || name.size() > kMaxNameLength ||
        !std::isalpha(static_cast<unsigned char>(name.front())) || name.back() == '_')
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 0x80 || !(std::isalnum(c) || c == '_')) return false;
        if (c == '_' && i + 1 < name.size() && name[i + 1] == '_') return false;
    }
    return !isKeyword(name);
}

// A name the texts already give to something inside the module: a net
// ("n7"), a gate or block instance, or a block's own signals.
bool internalName(const Netlist& n, const std::string& name) {
    const std::string low = lowered(name);
    if (low.size() > 1 && low[0] == 'n' &&
        std::all_of(low.begin() + 1, low.end(), [](char c) { return std::isdigit(c); }))
        return true;
    for (std::size_t i = 0; i < n.parts.size(); ++i) {
        const Part& p = n.parts[i];
        const bool block = p.kind == PartKind::Mux || p.kind == PartKind::Demux;
        if (!isGate(p.kind) && !block) continue;
        const std::string id = lowered(Names::instance(p, i));
        if (low == id) return true;
        if (block && (low == id + "_s" || low == id + "_d" || low == id + "_y")) return true;
    }
    return false;
}

bool taken(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& p) { return lowered(p) == lowered(name); });
}

// The name, or the name with _2, _3, ... added until no name in `names` has it.
std::string unique(const std::vector<std::string>& names, const std::string& name) {
    std::string out = name;
    for (int k = 2; taken(names, out); ++k) out = name + "_" + std::to_string(k);
    return out;
}

}  // namespace

std::vector<std::string> portNames(const Netlist& n) {
    std::vector<std::string> ports;
    for (int c = 0; c < n.width(); ++c) {
        const std::string& letter = n.letters[static_cast<std::size_t>(c)];
        std::string name = letter;
        const bool plain = usableName(letter) && !internalName(n, letter);
        // A design's outputs have names of their own, so only one function's
        // output Y is kept free here.
        const bool clash =
            !plain || (n.outputs.empty() && lowered(letter) == "y") || taken(ports, letter);
        if (clash)
            name = unique(ports, (plain ? letter : std::string("x")) + "_" + std::to_string(c + 1));
        ports.push_back(name);
    }
    return ports;
}

std::vector<std::string> outputPortNames(const Netlist& n) {
    if (n.outputs.empty()) return {"Y"};
    std::vector<std::string> used = portNames(n), out;
    for (std::size_t j = 0; j < n.outputs.size(); ++j) {
        const std::string& name = n.outputs[j].name;
        std::string port = name;
        if (!usableName(name) || internalName(n, name) || taken(used, name))
            port = unique(used, "out_" + std::to_string(j + 1));
        used.push_back(port);
        out.push_back(port);
    }
    return out;
}

std::optional<std::string> moduleNameProblem(const std::string& name, const Netlist& netlist) {
    if (name.empty()) return "The module name is empty.";
    if (name.size() > kMaxNameLength)
        return "The module name is longer than " + std::to_string(kMaxNameLength) + " characters.";
    if (!std::isalpha(static_cast<unsigned char>(name.front())))
        return "The module name must begin with a letter (A to Z).";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 0x80 || !(std::isalnum(c) || c == '_'))
            return "The module name may hold only letters A to Z, digits and underscores.";
        if (c == '_' && i + 1 < name.size() && name[i + 1] == '_')
            return "The module name may not hold two underscores in a row.";
    }
    if (name.back() == '_') return "The module name may not end with an underscore.";
    if (isKeyword(name)) return "\"" + name + "\" is a reserved word of Verilog or VHDL.";
    const std::string low = lowered(name);
    for (const std::string& port : portNames(netlist))
        if (lowered(port) == low) return "\"" + name + "\" is the name of an input.";
    for (const std::string& port : outputPortNames(netlist))
        if (lowered(port) == low)
            return "\"" + name + "\" is the name of " + (netlist.outputs.empty() ? "the" : "an") +
                   " output.";
    return std::nullopt;
}

std::string toVerilog(const Netlist& n, const std::string& module) {
    const Names names(n);
    const std::vector<std::string> outs = outputPortNames(n);
    const std::vector<NamedOutput> outNets = outputPorts(n);
    std::ostringstream out;
    out << "// " << styleName(n.style) << " circuit drawn by Quendal\n";
    out << "module " << module << " (";
    for (const std::string& port : names.ports()) out << "\n    input wire " << port << ",";
    for (std::size_t j = 0; j < outs.size(); ++j)
        out << "\n    output wire " << outs[j] << (j + 1 < outs.size() ? "," : "\n);\n");
    const std::vector<NetId> internal = names.internalNets();
    for (NetId id : internal) out << "    wire " << names.net(id) << ";\n";
    for (std::size_t i = 0; i < n.parts.size(); ++i) {
        const Part& p = n.parts[i];
        const std::string id = Names::instance(p, i);
        if (p.kind == PartKind::Constant) {
            if (names.driven(p.output()))
                out << "    assign " << names.net(p.output()) << " = 1'b" << (p.value ? 1 : 0)
                    << ";\n";
        } else if (isGate(p.kind)) {
            if (!names.driven(p.output())) continue;
            out << "    " << kindName(p.kind) << " " << id << " (" << names.net(p.output()) << ", "
                << vJoin(names, p.inputs()) << ");\n";
        } else if (p.kind == PartKind::Mux || p.kind == PartKind::Demux) {
            verilogBlock(out, names, p, id);
        }
    }
    for (std::size_t j = 0; j < outs.size(); ++j)
        out << "    assign " << outs[j] << " = "
            << (outNets[j].net == kNoNet ? "1'b0" : vNet(names, outNets[j].net)) << ";\n";
    out << "endmodule\n";
    return out.str();
}

std::string toVhdl(const Netlist& n, const std::string& entity) {
    const Names names(n);
    const std::vector<std::string> outs = outputPortNames(n);
    const std::vector<NamedOutput> outNets = outputPorts(n);
    std::ostringstream out;
    out << "-- " << styleName(n.style) << " circuit drawn by Quendal\n";
    out << "library ieee;\nuse ieee.std_logic_1164.all;\n\n";
    out << "entity " << entity << " is\n    port (\n";
    for (const std::string& port : names.ports()) out << "        " << port << " : in std_logic;\n";
    for (std::size_t j = 0; j < outs.size(); ++j)
        out << "        " << outs[j] << " : out std_logic" << (j + 1 < outs.size() ? ";\n" : "\n");
    out << "    );\nend entity " << entity << ";\n\n";
    out << "architecture structure of " << entity << " is\n";
    for (NetId id : names.internalNets())
        out << "    signal " << names.net(id) << " : std_logic;\n";
    for (std::size_t i = 0; i < n.parts.size(); ++i) {
        const Part& p = n.parts[i];
        if (p.kind != PartKind::Mux && p.kind != PartKind::Demux) continue;
        const std::string id = Names::instance(p, i);
        out << "    signal " << id << "_s : std_logic_vector("
            << p.pinsOf(PinRole::Select).size() - 1 << " downto 0);\n";
        if (p.kind == PartKind::Mux) out << "    signal " << id << "_y : std_logic;\n";
    }
    out << "begin\n";
    for (std::size_t i = 0; i < n.parts.size(); ++i) {
        const Part& p = n.parts[i];
        const std::string id = Names::instance(p, i);
        if (p.kind == PartKind::Constant) {
            if (names.driven(p.output()))
                out << "    " << names.net(p.output()) << " <= '" << (p.value ? 1 : 0) << "';\n";
        } else if (isGate(p.kind)) {
            if (!names.driven(p.output())) continue;
            out << "    " << names.net(p.output()) << " <= " << vhdlGate(names, p) << ";  -- " << id
                << "\n";
        } else if (p.kind == PartKind::Mux || p.kind == PartKind::Demux) {
            vhdlBlock(out, names, p, id);
        }
    }
    for (std::size_t j = 0; j < outs.size(); ++j)
        out << "    " << outs[j]
            << " <= " << (outNets[j].net == kNoNet ? "'0'" : hNet(names, outNets[j].net)) << ";\n";
    out << "end architecture structure;\n";
    return out.str();
}

std::string toJson(const Netlist& n, const std::string& module, const std::string& costObject) {
    const Names names(n);
    std::ostringstream out;
    out << "{\n  \"format\": \"quendal-netlist\",\n  \"version\": 1,\n";
    out << "  \"module\": " << quoted(module) << ",\n";
    out << "  \"style\": " << quoted(styleName(n.style)) << ",\n";
    out << "  \"units\": \"twips\",\n";
    out << "  \"inputs\": [";
    for (std::size_t c = 0; c < names.ports().size(); ++c)
        out << (c ? ", " : "") << quoted(names.ports()[c]);
    const std::vector<std::string> outs = outputPortNames(n);
    out << "],\n  \"output\": " << quoted(outs.front()) << ",\n  \"output_net\": " << n.output
        << ",\n";
    if (!n.outputs.empty()) {
        out << "  \"outputs\": [";
        for (std::size_t j = 0; j < outs.size(); ++j)
            out << (j ? ", " : "") << "{\"name\": " << quoted(outs[j])
                << ", \"net\": " << n.outputs[j].net << "}";
        out << "],\n";
    }
    out << "  \"parts\": [";
    for (std::size_t i = 0; i < n.parts.size(); ++i) {
        const Part& p = n.parts[i];
        out << (i ? "," : "") << "\n    {\"id\": " << i << ", \"name\": " << quoted(p.name)
            << ", \"kind\": " << quoted(kindName(p.kind));
        if (p.kind == PartKind::Input) out << ", \"column\": " << p.column;
        if (p.kind == PartKind::Constant) out << ", \"value\": " << p.value;
        if (p.kind == PartKind::Demux)
            out << ", \"active_low_outputs\": " << (p.activeLowOutputs ? "true" : "false");
        out << ", \"at\": " << point(p.at) << ", \"box\": [" << p.box.x << ", " << p.box.y << ", "
            << p.box.width << ", " << p.box.height << "], \"pins\": [";
        for (std::size_t k = 0; k < p.pins.size(); ++k)
            out << (k ? ", " : "") << "{\"role\": " << quoted(roleName(p.pins[k].role))
                << ", \"net\": " << p.pins[k].net << ", \"at\": " << point(p.pins[k].at) << "}";
        out << "]}";
    }
    out << "\n  ],\n  \"nets\": [";
    for (std::size_t id = 0; id < n.nets.size(); ++id) {
        const Net& net = n.nets[id];
        out << (id ? "," : "") << "\n    {\"id\": " << id << ", \"name\": "
            << quoted(names.driven(static_cast<NetId>(id)) ? names.net(static_cast<NetId>(id))
                                                           : net.name)
            << ", \"driver\": " << (net.driver.part >= 0 ? pinRef(net.driver) : "null")
            << ", \"sinks\": [";
        for (std::size_t k = 0; k < net.sinks.size(); ++k)
            out << (k ? ", " : "") << pinRef(net.sinks[k]);
        out << "], \"wires\": [";
        for (std::size_t k = 0; k < net.wires.size(); ++k) {
            const Wire& w = n.wires[static_cast<std::size_t>(net.wires[k])];
            out << (k ? ", " : "") << "[" << w.from.x << ", " << w.from.y << ", " << w.to.x << ", "
                << w.to.y << "]";
        }
        out << "], \"dots\": [";
        for (std::size_t k = 0; k < net.dots.size(); ++k)
            out << (k ? ", " : "") << point(n.dots[static_cast<std::size_t>(net.dots[k])].at);
        out << "]}";
    }
    out << "\n  ],\n  \"cost\": " << (costObject.empty() ? "{}" : costObject) << "\n}\n";
    return out.str();
}

}  // namespace quendal::circuit
