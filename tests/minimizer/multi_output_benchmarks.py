#!/usr/bin/env python3
"""Multi-output benchmarks: classic two-level test functions written from their definitions.

For each function: writes its PLA, times "Qm.exe --pla" on it (its own 5 s limit), checks the
cover it writes, and compares its cost (products, then AND plus OR inputs) with
  - each output minimized on its own, no product shared (from "Qm.exe --pla --explain"),
  - a greedy multi-output cover of our own (most uncovered output rows first, then redundant
    products dropped per output),
  - the optimum of the MILP solver CBC (Debian package coinor-cbc, needed only here) over the
    multi-output primes, which this script finds on its own, with CBC's time limit.
Prints a Markdown table for docs/benchmarks.md.

    tests/minimizer/multi_output_benchmarks.py BUILD_DIR [--cbc-seconds S] [--only NAME ...]
    tests/minimizer/multi_output_benchmarks.py --write FOLDER    # the PLA files only

The functions whose classic tables are not defined by a rule (con1, inc, misex1, dc2, bw, f51m,
...) are not here: their files are data, not definitions, and are not copied.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile
import time


def bits(value, count):
    """The `count` low bits of value, most significant first."""
    return [(value >> (count - 1 - i)) & 1 for i in range(count)]


def table(inputs, outputs, rule):
    """rows[m] = list of output values (1, 0 or None for don't-care) of input row m."""
    return inputs, outputs, [rule(m) for m in range(1 << inputs)]


def count_ones(inputs, outputs):
    return table(inputs, outputs, lambda m: bits(bin(m).count("1"), outputs))


def split(m, widths):
    """Row number m cut into fields of the given widths, the first field leftmost."""
    fields = []
    shift = sum(widths)
    for w in widths:
        shift -= w
        fields.append((m >> shift) & ((1 << w) - 1))
    return fields


SEGMENTS = ["1111110", "0110000", "1101101", "1111001", "0110011",
            "1011011", "1011111", "1110000", "1111111", "1111011"]


def compare2(m):
    """2-bit comparator: A > B, A = B, A < B."""
    a, b = split(m, [2, 2])
    return [int(a > b), int(a == b), int(a < b)]


def functions():
    f = {}
    # Weight of the input word in binary (rd = "rate of ones"): rd53, rd73, rd84.
    f["rd53"] = count_ones(5, 3)
    f["rd73"] = count_ones(7, 3)
    f["rd84"] = count_ones(8, 4)
    # The square of a 5-bit number: its bit 0 is the input's bit 0 and bit 1 is always 0, so the
    # classic file keeps the 8 others (bits 9 down to 2).
    f["squar5"] = table(5, 8, lambda m: bits((m * m) >> 2, 8))
    f["sqr6"] = table(6, 12, lambda m: bits(m * m, 12))
    f["sqrt8"] = table(8, 4, lambda m: bits(int(m ** 0.5 + 1e-9), 4))
    # Adders: z4 is two 3-bit numbers and a carry in; adr4 two 4-bit numbers.
    f["z4"] = table(7, 4, lambda m: bits(sum(split(m, [3, 3, 1])), 4))
    f["adr4"] = table(8, 5, lambda m: bits(sum(split(m, [4, 4])), 5))
    # 4 x 4 bit multiplier.
    f["mlp4"] = table(8, 8, lambda m: bits(split(m, [4, 4])[0] * split(m, [4, 4])[1], 8))
    # The design window's presets.
    f["bcd7seg"] = table(4, 7, lambda m: [int(c) for c in SEGMENTS[m]] if m < 10 else [None] * 7)
    f["excess3"] = table(4, 4, lambda m: bits(m + 3, 4) if m < 10 else [None] * 4)
    f["comp2"] = table(4, 3, compare2)
    f["mul2"] = table(4, 4, lambda m: bits(split(m, [2, 2])[0] * split(m, [2, 2])[1], 4))
    f["gray4"] = table(4, 4, lambda m: bits(m ^ (m >> 1), 4))
    return f


def pla_text(name, inputs, outputs, rows):
    lines = [f"# {name}", f".i {inputs}", f".o {outputs}", ".type fd"]
    for m, values in enumerate(rows):
        out = "".join("-" if v is None else str(v) for v in values)
        lines.append("".join(str(b) for b in bits(m, inputs)) + " " + out)
    lines.append(".e")
    return "\n".join(lines) + "\n"


def codes_of(width):
    codes = [""]
    for _ in range(width):
        codes = [c + d for c in codes for d in "01-"]
    return codes


def rows_of(code):
    rows = [0]
    for c in code:
        rows = [r * 2 + b for r in rows for b in ((0, 1) if c == "-" else (int(c),))]
    return rows


def multi_output_primes(inputs, outputs, rows):
    """(code, outputs served) of every multi-output prime: inside and touching the on rows of
    each output it serves, and no cube one literal larger is inside all of those."""
    on = [{m for m in range(1 << inputs) if rows[m][j] == 1} for j in range(outputs)]
    care = [{m for m in range(1 << inputs) if rows[m][j] != 0} for j in range(outputs)]
    inside, touches = {}, {}
    for code in codes_of(inputs):
        rs = rows_of(code)
        inside[code] = sum(1 << j for j in range(outputs) if all(r in care[j] for r in rs))
        touches[code] = sum(1 << j for j in range(outputs) if any(r in on[j] for r in rs))
    primes = []
    for code, mask in inside.items():
        serves = mask & touches[code]
        if serves == 0:
            continue
        larger = [code[:i] + "-" + code[i + 1:] for i in range(inputs) if code[i] != "-"]
        if not any(inside[c] & serves == serves for c in larger):
            primes.append((code, serves))
    return primes, on


def literals(code):
    return sum(c != "-" for c in code)


def cost_of(products):
    """products: list of (code, outputs mask) -> (products, gate inputs)."""
    return len(products), sum(literals(c) + bin(s).count("1") for c, s in products)


def greedy(inputs, outputs, rows):
    primes, on = multi_output_primes(inputs, outputs, rows)
    open_rows = {(j, m) for j in range(outputs) for m in on[j]}
    chosen = []
    prime_rows = [{(j, m) for j in range(outputs) if (s >> j) & 1 for m in rows_of(c) if m in on[j]}
                  for c, s in primes]
    while open_rows:
        best = max(range(len(primes)),
                   key=lambda i: (len(prime_rows[i] & open_rows), -literals(primes[i][0])))
        chosen.append(best)
        open_rows -= prime_rows[best]
    # Each output keeps only the products it needs, the widest first.
    usage = {i: 0 for i in chosen}
    for j in range(outputs):
        mine = [i for i in chosen if (primes[i][1] >> j) & 1]
        mine.sort(key=lambda i: -len([m for m in rows_of(primes[i][0]) if m in on[j]]))
        needed = list(mine)
        for i in reversed(mine):
            rest = [k for k in needed if k != i]
            if on[j] <= {m for k in rest for m in rows_of(primes[k][0])}:
                needed = rest
        for i in needed:
            usage[i] |= 1 << j
    return cost_of([(primes[i][0], s) for i, s in usage.items() if s])


def cbc_optimum(inputs, outputs, rows, seconds):
    primes, on = multi_output_primes(inputs, outputs, rows)
    big = (inputs + outputs + 1) * len(primes) + 1  # more than any cover's gate inputs
    obj = []
    cons = []
    binaries = []
    for i, (code, serves) in enumerate(primes):
        obj.append(f"{big + literals(code)} y{i}")
        binaries.append(f"y{i}")
        for j in range(outputs):
            if (serves >> j) & 1:
                obj.append(f"z{i}_{j}")
                binaries.append(f"z{i}_{j}")
                cons.append(f" u{i}_{j}: z{i}_{j} - y{i} <= 0")
    for j in range(outputs):
        for m in sorted(on[j]):
            terms = [f"z{i}_{j}" for i, (code, serves) in enumerate(primes)
                     if (serves >> j) & 1 and m in rows_of(code)]
            cons.append(f" r{j}_{m}: " + " + ".join(terms) + " >= 1")
    if not cons:
        return (0, 0), True, 0.0
    lines = ["Minimize", " obj: " + " + ".join(obj), "Subject To", *cons, "Binary",
             *[" " + b for b in binaries], "End"]
    with tempfile.TemporaryDirectory() as folder:
        model = os.path.join(folder, "m.lp")
        solution = os.path.join(folder, "m.sol")
        with open(model, "w") as out:
            out.write("\n".join(lines) + "\n")
        start = time.monotonic()
        subprocess.run(["cbc", model, "sec", str(seconds), "threads", "1", "solve", "solu",
                        solution], check=True, stdout=subprocess.DEVNULL)
        elapsed = time.monotonic() - start
        with open(solution) as text:
            head = text.readline()
    value = round(float(head.split()[-1]))
    return (value // big, value % big), head.startswith("Optimal"), elapsed


def check_cover(text, inputs, outputs, rows):
    products = []
    for line in text.splitlines():
        if line and line[0] in "01-":
            code, out = line.split()
            products.append((code, int(out[::-1], 2)))
    for j in range(outputs):
        covered = set()
        for code, s in products:
            if (s >> j) & 1:
                for m in rows_of(code):
                    if rows[m][j] == 0:
                        raise SystemExit(f"cover takes row {m} of output {j}, a 0")
                    covered.add(m)
        if any(rows[m][j] == 1 and m not in covered for m in range(1 << inputs)):
            raise SystemExit(f"cover misses a 1 of output {j}")
    return cost_of(products)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?")
    parser.add_argument("--write")
    parser.add_argument("--cbc-seconds", type=int, default=60)
    parser.add_argument("--only", nargs="*")
    args = parser.parse_args()
    funcs = functions()
    if args.only:
        funcs = {k: v for k, v in funcs.items() if k in args.only}
    if args.write:
        os.makedirs(args.write, exist_ok=True)
        for name, (i, o, rows) in funcs.items():
            with open(os.path.join(args.write, name + ".pla"), "w") as out:
                out.write(pla_text(name, i, o, rows))
        return
    qm = os.path.join(args.build, "bin", "Qm.exe")
    print("| Function | In/out | Qm.exe --pla | Time | Separate | Greedy | CBC | CBC time |")
    print("|---|---|---|---|---|---|---|---|")
    with tempfile.TemporaryDirectory() as folder:
        for name, (i, o, rows) in funcs.items():
            path = os.path.join(folder, name + ".pla")
            result = os.path.join(folder, name + ".out.pla")
            with open(path, "w") as out:
                out.write(pla_text(name, i, o, rows))
            start = time.monotonic()
            run = subprocess.run([qm, "--pla", path, result], capture_output=True, text=True)
            elapsed = time.monotonic() - start
            with open(result) as text:
                mine = check_cover(text.read(), i, o, rows)
            status = "" if run.returncode == 0 else f" (status {run.returncode})"
            explained = subprocess.run([qm, "--pla", "--explain", path], capture_output=True,
                                       text=True)
            separate = json.loads(explained.stdout)["separateCost"]
            opt, proven, cbc_time = cbc_optimum(i, o, rows, args.cbc_seconds)
            print(f"| {name} | {i}/{o} | {mine[0]} / {mine[1]}{status} | {elapsed * 1000:.0f} ms"
                  f" | {separate['products']} / {separate['gateInputs']}"
                  f" | {'%d / %d' % greedy(i, o, rows)}"
                  f" | {opt[0]} / {opt[1]}{'' if proven else ' (not proven)'}"
                  f" | {cbc_time:.1f} s |", flush=True)


if __name__ == "__main__":
    sys.exit(main())
