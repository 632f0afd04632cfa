#!/usr/bin/env python3
"""Independent check of the hand-written formula cases next to this script.

composition_cases.tsv: each formula's percents and water recomputed from the checker's own
atomic masses (to 0.02). empirical_cases.tsv: the working redone (moles, divided by the smallest,
the smallest multiplier up to 6 within 0.1, n = M / M(empirical)) and compared atom by atom with
the expected formulas. hydrate_cases.tsv: x recomputed. Standard library only; it shares no code
with the program. Exit status 0 only if all pass.
"""

import os
import re
import sys
from collections import Counter

MASS = {"H": 1.008, "C": 12.01, "N": 14.01, "O": 16.00, "Na": 22.99, "Mg": 24.31,
        "Al": 26.98, "P": 30.97, "S": 32.07, "Cl": 35.45, "K": 39.10, "Ca": 40.08,
        "Cr": 52.00, "Mn": 54.94, "Fe": 55.85, "Co": 58.93, "Cu": 63.55, "Ba": 137.33}
HERE = os.path.dirname(os.path.abspath(__file__))
FRACTIONS = {"½": 0.5, "¼": 0.25, "¾": 0.75}


def plain_atoms(text):
    """Atoms of a formula without a hydrate dot, with one level of parentheses."""
    counts = Counter()
    for group, multiplier in re.findall(r"\(([^)]*)\)(\d*)", text):
        for s, n in re.findall(r"([A-Z][a-z]?)(\d*)", group):
            counts[s] += int(n or 1) * int(multiplier or 1)
    for s, n in re.findall(r"([A-Z][a-z]?)(\d*)", re.sub(r"\([^)]*\)\d*", "", text)):
        counts[s] += int(n or 1)
    return counts


def atoms(formula):
    """Atoms in order of first appearance, hydrate water included, as (symbol, count)."""
    order, counts = [], Counter()
    for k, part in enumerate(formula.split("·")):
        factor = 1.0
        if k > 0:
            m = re.match(r"([½¼¾]|\d+)(.*)", part)
            factor = FRACTIONS.get(m.group(1)) or float(m.group(1))
            part = m.group(2)
        for s in re.findall(r"[A-Z][a-z]?", part):
            if s not in order:
                order.append(s)
        for s, n in plain_atoms(part).items():
            counts[s] += n * factor
    return [(s, counts[s]) for s in order]


def rows(name):
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t") for line in f
                if line.strip() and not line.startswith("#")]


def check_composition(failures):
    cases = rows("composition_cases.tsv")
    for formula, shares, water in cases:
        parts = atoms(formula)
        total = sum(MASS[s] * n for s, n in parts)
        expected = [tuple(p.split("=")) for p in shares.split(";")]
        if [s for s, _ in expected] != [s for s, _ in parts]:
            failures.append(f"{formula}: elements {expected} not in the formula's order")
            continue
        for (s, n), (_, pct) in zip(parts, expected):
            if abs(MASS[s] * n / total * 100 - float(pct)) > 0.02:
                failures.append(f"{formula}: %{s} is {MASS[s] * n / total * 100:.2f}, not {pct}")
        if abs(sum(float(p) for _, p in expected) - 100) > 0.05:
            failures.append(f"{formula}: the percents do not add up to 100")
        if water != "-":
            m = re.search(r"·([½¼¾]|\d+)H2O", formula)
            x = FRACTIONS.get(m.group(1)) or float(m.group(1))
            got = x * (2 * MASS["H"] + MASS["O"]) / total * 100
            if abs(got - float(water)) > 0.02:
                failures.append(f"{formula}: water is {got:.2f} %, not {water}")
    return len(cases)


def formula_counts(text):
    return Counter(dict(plain_atoms(text)))


def check_empirical(failures):
    cases = rows("empirical_cases.tsv")
    for kind, data, molar, empirical, molecular in cases:
        values = dict((k, float(v)) for k, v in (p.split("=") for p in data.split(";")))
        if kind == "combustion":
            co2, h2o, sample = values["CO2"], values["H2O"], values["muestra"]
            c = co2 * MASS["C"] / (MASS["C"] + 2 * MASS["O"])
            h = h2o * 2 * MASS["H"] / (2 * MASS["H"] + MASS["O"])
            grams = {"C": c, "H": h}
            if sample - c - h > 0.01 * sample:
                grams["O"] = sample - c - h
        else:
            grams = values
            if kind == "percent" and abs(sum(values.values()) - 100) > 0.5:
                failures.append(f"{data}: percents add up to {sum(values.values())}")
        moles = {s: g / MASS[s] for s, g in grams.items()}
        smallest = min(moles.values())
        ratios = {s: n / smallest for s, n in moles.items()}
        for k in range(1, 7):
            if all(abs(r * k - round(r * k)) <= 0.1 for r in ratios.values()):
                break
        else:
            failures.append(f"{data}: no multiplier clears {ratios}")
            continue
        counts = Counter({s: round(r * k) for s, r in ratios.items()})
        if counts != formula_counts(empirical):
            failures.append(f"{data}: worked out {dict(counts)}, the file says {empirical}")
        if molar != "-":
            mass = sum(MASS[s] * n for s, n in counts.items())
            n = float(molar) / mass
            if abs(n - round(n)) > 0.1:
                failures.append(f"{data}: M / M(empirical) = {n:.3f} is not whole")
            whole = Counter({s: c * round(n) for s, c in counts.items()})
            if whole != formula_counts(molecular):
                failures.append(f"{data}: molecular {dict(whole)}, the file says {molecular}")
        elif molecular != "-":
            failures.append(f"{data}: a molecular formula without a molar mass")
    return cases


def check_hydrates(failures):
    cases = rows("hydrate_cases.tsv")
    for salt, loss, x in cases:
        mass = sum(MASS[s] * n for s, n in plain_atoms(salt).items())
        if ">" in loss:
            before, after = (float(v) for v in loss.split(">"))
            water, left = before - after, after
        else:
            water, left = float(loss), 100 - float(loss)
        ratio = (water / (2 * MASS["H"] + MASS["O"])) / (left / mass)
        if abs(ratio - int(x)) > 0.1:
            failures.append(f"{salt} {loss}: x = {ratio:.3f}, the file says {x}")
    return len(cases)


def main():
    failures = []
    compositions = check_composition(failures)
    empirical = check_empirical(failures)
    hydrates = check_hydrates(failures)
    if compositions < 10:
        failures.append(f"only {compositions} compositions")
    if len(empirical) < 25:
        failures.append(f"only {len(empirical)} empirical cases")
    if sum(1 for c in empirical if c[0] == "combustion") < 4:
        failures.append("fewer than 4 combustion cases")
    if sum(1 for c in empirical if c[2] != "-") < 10:
        failures.append("fewer than 10 cases with a molar mass")
    if hydrates < 5:
        failures.append(f"only {hydrates} hydrates")
    for failure in failures:
        print(failure)
    print(f"{compositions} compositions, {len(empirical)} empirical cases, {hydrates} hydrates, "
          f"{len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
