#!/usr/bin/env python3
"""The optimum of Qm.exe input files by the MILP solver CBC, for benchmarks only.

Finds the primes on its own, then has CBC (Debian package coinor-cbc, installed by hand with
`apt-get install coinor-cbc`; not a build or test dependency) minimise products first and
literals second over them, with a time limit (CBC's own, which it checks only now and then). Prints one line per file: its name, "optimal" or "not proven", products, literals, and
CBC's wall-clock seconds. Qm.exe never uses CBC.

    tools/cbc_optimum.py [--seconds N] FILE...     # N defaults to 60
"""
import os
import subprocess
import sys
import tempfile
import time


def read_states(path):
    lines = [line.strip() for line in open(path) if line.strip()]
    width = len(lines[0].rstrip("d"))
    states = ["off"] * (1 << width)
    for line in lines:
        dont_care = line.endswith("d")
        for row in rows_of(line.rstrip("d")):
            if dont_care and states[row] == "on":
                continue
            states[row] = "dc" if dont_care else "on"
    return width, states


def rows_of(code):
    rows = [0]
    for c in code:
        if c == "-":
            rows = [r * 2 for r in rows] + [r * 2 + 1 for r in rows]
        else:
            rows = [r * 2 + int(c) for r in rows]
    return rows


def primes(width, states):
    codes = [""]
    for _ in range(width):
        codes = [c + d for c in codes for d in "01-"]
    inside = {c: all(states[r] != "off" for r in rows_of(c)) for c in codes}
    result = []
    for code in codes:
        if not inside[code] or not any(states[r] == "on" for r in rows_of(code)):
            continue
        if not any(inside[code[:i] + "-" + code[i + 1:]] for i in range(width) if code[i] != "-"):
            result.append(code)
    return result


def optimum_of_states(width, states, seconds=None):
    """CBC's optimum over the primes of the function whose row states ("on", "dc", "off") are
    given: ("optimal" or "not proven", products, literals, CBC's wall-clock seconds)."""
    codes = primes(width, states)
    if not any(state == "on" for state in states):
        return "optimal", 0, 0, 0.0
    weight = (1 << width) * width + 1  # more than any sum of literals
    cover = {r: [] for r in range(1 << width) if states[r] == "on"}
    for j, code in enumerate(codes):
        for r in rows_of(code):
            if r in cover:
                cover[r].append(j)
    lines = ["Minimize", " obj: " + " + ".join(
        f"{weight + sum(c != '-' for c in code)} x{j}" for j, code in enumerate(codes))]
    lines.append("Subject To")
    lines.extend(f" r{r}: " + " + ".join(f"x{j}" for j in js) + " >= 1" for r, js in cover.items())
    lines.append("Binary")
    lines.extend(f" x{j}" for j in range(len(codes)))
    lines.append("End")
    with tempfile.TemporaryDirectory() as folder:
        model = os.path.join(folder, "cover.lp")
        solution = os.path.join(folder, "cover.sol")
        with open(model, "w") as out:
            out.write("\n".join(lines) + "\n")
        limit = ["sec", str(seconds)] if seconds is not None else []
        start = time.monotonic()
        subprocess.run(["cbc", model, *limit, "solve", "solu", solution],
                       check=True, stdout=subprocess.DEVNULL)
        elapsed = time.monotonic() - start
        with open(solution) as text:
            head = text.readline()
    value = round(float(head.split()[-1]))
    status = "optimal" if head.startswith("Optimal") else "not proven"
    return status, value // weight, value % weight, elapsed


def optimum(path, seconds):
    width, states = read_states(path)
    return optimum_of_states(width, states, seconds)


def main():
    args = sys.argv[1:]
    seconds = 60
    if args[:1] == ["--seconds"]:
        seconds, args = int(args[1]), args[2:]
    for path in args:
        status, products, literals, elapsed = optimum(path, seconds)
        print(f"{os.path.basename(path)} {status} {products} {literals} {elapsed:.2f}", flush=True)


if __name__ == "__main__":
    main()
