#!/usr/bin/env python3
"""Offline checker: the exact minimum of totally symmetric functions by a general MILP solver.

Finds the primes on its own (every product of the 3^n, kept when it lies inside the on and
don't-care rows, touches an on row and cannot lose a literal), then has CBC (Debian package
coinor-cbc, needed only here) minimise products first and literals second over them. Prints one
line per function: width, on-count mask, don't-care-count mask, products, literals, as the
table in symmetric_optima_test.cpp expects.

    tests/minimizer/offline_optima.py 8 ONMASK DCMASK [ONMASK DCMASK ...]
"""
import os
import subprocess
import sys
import tempfile

COUNT_WEIGHT = 256 * 8 + 1  # more than any sum of literals


def state(width, on_mask, dc_mask, row):
    ones = bin(row).count("1")
    if (on_mask >> ones) & 1:
        return "on"
    if (dc_mask >> ones) & 1:
        return "dc"
    return "off"


def rows_of(width, code):
    rows = [0]
    for c in code:
        if c == "-":
            rows = [r * 2 for r in rows] + [r * 2 + 1 for r in rows]
        else:
            rows = [r * 2 + int(c) for r in rows]
    return rows


def primes(width, on_mask, dc_mask):
    codes = [""]
    for _ in range(width):
        codes = [c + d for c in codes for d in "01-"]
    states = [state(width, on_mask, dc_mask, r) for r in range(1 << width)]
    inside = {c: all(states[r] != "off" for r in rows_of(width, c)) for c in codes}
    result = []
    for code in codes:
        if not inside[code]:
            continue
        if not any(states[r] == "on" for r in rows_of(width, code)):
            continue
        grows = any(inside[code[:i] + "-" + code[i + 1:]] for i in range(width) if code[i] != "-")
        if not grows:
            result.append(code)
    return result, states


def optimum(width, on_mask, dc_mask):
    codes, states = primes(width, on_mask, dc_mask)
    on_rows = [r for r in range(1 << width) if states[r] == "on"]
    if not on_rows:
        return 0, 0
    cover = {r: [] for r in on_rows}
    for j, code in enumerate(codes):
        for r in rows_of(width, code):
            if r in cover:
                cover[r].append(j)
    lines = ["Minimize", " obj: " + " + ".join(
        f"{COUNT_WEIGHT + sum(c != '-' for c in code)} x{j}" for j, code in enumerate(codes))]
    lines.append("Subject To")
    for r, js in cover.items():
        lines.append(f" r{r}: " + " + ".join(f"x{j}" for j in js) + " >= 1")
    lines.append("Binary")
    lines.extend(f" x{j}" for j in range(len(codes)))
    lines.append("End")
    with tempfile.TemporaryDirectory() as folder:
        model = os.path.join(folder, "cover.lp")
        solution = os.path.join(folder, "cover.sol")
        with open(model, "w") as out:
            out.write("\n".join(lines) + "\n")
        subprocess.run(["cbc", model, "solve", "solu", solution], check=True,
                       stdout=subprocess.DEVNULL)
        with open(solution) as text:
            head = text.readline()
    if not head.startswith("Optimal"):
        raise SystemExit(f"not solved to optimality: {head.strip()}")
    value = round(float(head.split()[-1]))
    return value // COUNT_WEIGHT, value % COUNT_WEIGHT


def main():
    width = int(sys.argv[1])
    args = sys.argv[2:]
    for i in range(0, len(args), 2):
        on_mask, dc_mask = int(args[i], 0), int(args[i + 1], 0)
        products, literals = optimum(width, on_mask, dc_mask)
        print(width, hex(on_mask), hex(dc_mask), products, literals, flush=True)


if __name__ == "__main__":
    main()
