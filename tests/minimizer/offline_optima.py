#!/usr/bin/env python3
"""Offline checker: the exact minimum of totally symmetric functions by a general MILP solver.

Has CBC (Debian package coinor-cbc, needed only here) minimise products first and literals
second over the primes, found independently of the minimizer, with the model of the benchmarks'
tools/cbc_optimum.py, without a time limit. Prints one
line per function: width, on-count mask, don't-care-count mask, products, literals, as the
table in symmetric_optima_test.cpp expects.

    tests/minimizer/offline_optima.py 8 ONMASK DCMASK [ONMASK DCMASK ...]
"""
import os
import sys

# The CBC model is the benchmarks' own (tools/cbc_optimum.py).
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import cbc_optimum  # noqa: E402


def optimum(width, on_mask, dc_mask):
    states = []
    for row in range(1 << width):
        ones = bin(row).count("1")
        states.append("on" if (on_mask >> ones) & 1 else "dc" if (dc_mask >> ones) & 1 else "off")
    status, products, literals, _ = cbc_optimum.optimum_of_states(width, states)
    if status != "optimal":
        raise SystemExit("not solved to optimality")
    return products, literals


def main():
    width = int(sys.argv[1])
    args = sys.argv[2:]
    for i in range(0, len(args), 2):
        on_mask, dc_mask = int(args[i], 0), int(args[i + 1], 0)
        products, literals = optimum(width, on_mask, dc_mask)
        print(width, hex(on_mask), hex(dc_mask), products, literals, flush=True)


if __name__ == "__main__":
    main()
