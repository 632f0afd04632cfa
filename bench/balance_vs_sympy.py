#!/usr/bin/env python3
"""Balances each equation of a file with sympy's exact null space, as a program written around a
computer algebra system would, and prints the process time of the loop alone (the interpreter's
start and sympy's import excluded) in milliseconds. Equations the null space does not balance
with one positive ray are counted, not timed apart. usage: balance_vs_sympy.py EQUATIONS"""

import re
import sys
import time
from math import gcd, lcm

import sympy


def counts(formula):
    """Atoms and charge of a formula in tovel's notation (groups, hydrates, charges after ^)."""
    formula = formula.strip()
    charge = 0
    if "^" in formula:
        formula, written = formula.split("^")
        size = int(written[:-1] or 1)
        charge = size if written[-1] == "+" else -size
    if formula == "e":
        return {}, -1
    total = {}
    for index, part in enumerate(re.split(r"[·*.]", formula)):
        times = 1
        if index > 0:
            digits = re.match(r"\d+", part)
            if digits:
                times = int(digits.group())
                part = part[digits.end():]
        for symbol, number in read(part, 0)[0].items():
            total[symbol] = total.get(symbol, 0) + number * times
    return total, charge


def read(text, i):
    atoms = {}
    while i < len(text):
        if text[i] in "([":
            inner, i = read(text, i + 1)
            digits = re.match(r"\d+", text[i:])
            times = int(digits.group()) if digits else 1
            i += digits.end() if digits else 0
            for symbol, number in inner.items():
                atoms[symbol] = atoms.get(symbol, 0) + number * times
        elif text[i] in ")]":
            return atoms, i + 1
        else:
            match = re.match(r"([A-Z][a-z]?)(\d*)", text[i:])
            atoms[match.group(1)] = atoms.get(match.group(1), 0) + int(match.group(2) or 1)
            i += match.end()
    return atoms, i


def side(text):
    """The formulas of one side: "+" separates them, except the sign of a charge (H^+)."""
    pieces, start = [], 0
    for i, c in enumerate(text):
        if c != "+":
            continue
        j = i
        while j > start and text[j - 1].isdigit():
            j -= 1
        if j > start and text[j - 1] == "^":
            continue
        pieces.append(text[start:i])
        start = i + 1
    pieces.append(text[start:])
    return [p.replace(" ", "") for p in pieces if p.strip()]


def balance(equation):
    left, right = equation.split("=")
    substances = [(counts(f), 1) for f in side(left)] + [(counts(f), -1) for f in side(right)]
    elements = sorted({e for (atoms, _), _ in substances for e in atoms})
    rows = [[atoms.get(e, 0) * sign for (atoms, _), sign in substances] for e in elements]
    if any(charge for (_, charge), _ in substances):
        rows.append([charge * sign for (_, charge), sign in substances])
    space = sympy.Matrix(rows).nullspace()
    if len(space) != 1:
        return None
    vector = space[0]
    scale = lcm(*[term.q for term in vector])
    whole = [int(term * scale) for term in vector]
    if all(c < 0 for c in whole):
        whole = [-c for c in whole]
    if any(c <= 0 for c in whole):
        return None
    common = 0
    for c in whole:
        common = gcd(common, c)
    return [c // common for c in whole]


def main():
    equations = [line.strip() for line in open(sys.argv[1], encoding="utf-8") if line.strip()]
    start = time.process_time()
    balanced = sum(balance(e) is not None for e in equations)
    elapsed = (time.process_time() - start) * 1000
    print(f"{len(equations)} equations, {balanced} with one positive balance")
    print(f"sympy null-space loop: {elapsed:.1f} ms")


main()
