#!/usr/bin/env python3
"""Independent check of the hand-written yield cases (yield_cases.tsv next to this script).

For every case it reads the equation's formulas with its own small parser, checks that the
coefficients balance every element, finds the limiting reactant (or the product wanted), applies
the yield as textbooks do (products are the yield's part of the theoretical amount; a product
wanted needs the reactants of its theoretical amount), and compares with the expected answer
within 0.1 %. Standard library only; it shares no code with the program.
"""

import os
import re
import sys
from collections import Counter

MASS = {"H": 1.008, "C": 12.01, "N": 14.01, "O": 16.00, "Mg": 24.31, "Cl": 35.45,
        "K": 39.10, "Ca": 40.08, "Fe": 55.85, "Zn": 65.38}
MOLAR_VOLUME = 22.4


def atoms(formula):
    """Atoms of a formula without parentheses (the cases need none)."""
    if not re.fullmatch(r"([A-Z][a-z]?\d*)+", formula):
        raise ValueError(f"formula the checker cannot read: {formula}")
    counts = Counter()
    for symbol, count in re.findall(r"([A-Z][a-z]?)(\d*)", formula):
        counts[symbol] += int(count or 1)
    return counts


def molar_mass(formula):
    return sum(MASS[s] * n for s, n in atoms(formula).items())


def moles(formula, amount, unit):
    if unit == "g":
        return amount / molar_mass(formula)
    if unit == "mol":
        return amount
    if unit == "Lcn":
        return amount / MOLAR_VOLUME
    raise ValueError(unit)


def amount(formula, mol, unit):
    if unit == "g":
        return mol * molar_mass(formula)
    if unit == "mol":
        return mol
    return mol * MOLAR_VOLUME


def check(row):
    equation, coefficients, data, yield_text, expected = row
    left, right = equation.split("=")
    reactants, products = left.split("+"), right.split("+")
    coefficients = [int(c) for c in coefficients.split()]
    sides = [dict(zip(reactants, coefficients)), dict(zip(products, coefficients[len(reactants):]))]
    totals = [Counter(), Counter()]
    for side in (0, 1):
        for formula, c in sides[side].items():
            for s, n in atoms(formula).items():
                totals[side][s] += c * n
    if totals[0] != totals[1]:
        return f"not balanced: {equation}"
    given = []
    for datum in data.split(";"):
        formula, value = datum.split("=")
        number, unit = value.split()
        given.append((formula, float(number), unit))
    obtained = None
    extent = None
    if yield_text == "?":
        obtained = next(d for d in given if d[0] in sides[1])
        reactant_data = [d for d in given if d[0] in sides[0]]
        extent = min(moles(f, a, u) / sides[0][f] for f, a, u in reactant_data)
        theoretical = extent * sides[1][obtained[0]]
        got = moles(*obtained) / theoretical * 100
        want = float(expected.split("=")[1])
    else:
        y = float(yield_text) / 100
        reactant_data = [d for d in given if d[0] in sides[0]]
        if reactant_data:
            extent = min(moles(f, a, u) / sides[0][f] for f, a, u in reactant_data)
        else:
            f, a, u = given[0]
            extent = moles(f, a, u) / y / sides[1][f]
        formula, value = expected.split("=")
        number, unit = value.split()
        want = float(number)
        if formula in sides[0]:
            got = amount(formula, extent * sides[0][formula], unit)
        else:
            got = amount(formula, extent * sides[1][formula] * y, unit)
    if abs(got - want) > 0.001 * abs(want):
        return f"{equation} {data}: expected {want}, worked out {got:.4f}"
    return None


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    rows = []
    with open(os.path.join(here, "yield_cases.tsv"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            rows.append(line.rstrip("\n").split("\t"))
    failures = [m for m in (check(r) for r in rows) if m]
    if len(rows) < 10:
        failures.append(f"only {len(rows)} cases")
    if sum(1 for r in rows if r[3] == "?") < 3:
        failures.append("fewer than 3 cases that ask for the yield")
    for failure in failures:
        print(failure)
    print(f"{len(rows)} yield cases, {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
