#!/usr/bin/env python3
"""Independent check of the hand-written oxidation number cases.

Reads oxidation_numbers.tsv (next to this script, or the path given as the first argument),
parses every formula on its own and checks that the listed numbers can stand for the atoms:
the numbers times the atom counts must add up to the charge. Where one element is listed
with several numbers (NH4NO3, the peroxo oxygens), some split of its atoms between those
numbers, each number taking at least one atom, must give the right sum.

It also checks what the file's format promises: every element of the formula is listed and
nothing else, elements come in the order the formula first writes them, one element never
repeats a number, a fraction is always marked "(media)", and no number lies outside the range
of its element's group.

Standard library only; it shares no code with the program.
"""

import itertools
import math
import os
import re
import sys
from fractions import Fraction

# Highest and lowest oxidation numbers by group, for the elements where school chemistry is
# firm about them. Elements not listed are not range-checked.
GROUP_MAX = {
    "H": 1, "Li": 1, "Na": 1, "K": 1, "Rb": 1, "Cs": 1,
    "Be": 2, "Mg": 2, "Ca": 2, "Sr": 2, "Ba": 2, "Zn": 2, "Cd": 2, "Hg": 2,
    "B": 3, "Al": 3,
    "C": 4, "Si": 4, "Sn": 4, "Pb": 4, "Ti": 4,
    "N": 5, "P": 5, "As": 5, "Sb": 5, "Bi": 5, "V": 5,
    "S": 6, "Se": 6, "Cr": 6,
    "Cl": 7, "Br": 7, "I": 7, "Mn": 7,
    "O": 2, "F": 0,
}
GROUP_MIN = {
    "H": -1, "C": -4, "Si": -4, "N": -3, "P": -3, "As": -3,
    "O": -2, "S": -2, "Se": -2, "F": -1, "Cl": -1, "Br": -1, "I": -1,
    "Li": 0, "Na": 0, "K": 0, "Mg": 0, "Ca": 0, "Ba": 0, "Al": 0, "Zn": 0,
}


class FormulaError(ValueError):
    pass


def parse_multiplier(text, pos):
    """A hydrate part's leading multiplier: "5", "0.5", "½" or nothing (1)."""
    if text.startswith("½", pos):
        return Fraction(1, 2), pos + 1
    m = re.compile(r"\d+(?:\.\d+)?").match(text, pos)
    if not m:
        return Fraction(1), pos
    value = Fraction(m.group(0))
    if value == 0:
        raise FormulaError("zero multiplier")
    return value, m.end()


def parse_group(text, pos, closer):
    """Element counts from pos up to the closing bracket (or the end); returns (counts, pos)."""
    counts = {}
    order = []
    while pos < len(text):
        c = text[pos]
        if c in ")]":
            if c != closer:
                raise FormulaError("unmatched " + c)
            return counts, order, pos + 1
        if c in "([":
            inner, inner_order, pos = parse_group(text, pos + 1, ")" if c == "(" else "]")
            n, pos = parse_count(text, pos)
            for sym in inner_order:
                if sym not in counts:
                    order.append(sym)
                counts[sym] = counts.get(sym, 0) + inner[sym] * n
            continue
        m = re.compile(r"[A-Z][a-z]?").match(text, pos)
        if not m:
            raise FormulaError("unexpected %r" % c)
        sym = m.group(0)
        n, pos = parse_count(text, m.end())
        if sym not in counts:
            order.append(sym)
        counts[sym] = counts.get(sym, 0) + n
    if closer is not None:
        raise FormulaError("missing " + closer)
    return counts, order, pos


def parse_count(text, pos):
    m = re.compile(r"\d+").match(text, pos)
    if not m:
        return 1, pos
    n = int(m.group(0))
    if n == 0:
        raise FormulaError("zero count")
    return n, m.end()


def parse_formula(formula):
    """Returns (counts as Fractions, elements in first-written order, charge)."""
    body, charge = formula, 0
    if "^" in formula:
        body, tail = formula.split("^", 1)
        m = re.fullmatch(r"(\d*)([+-])", tail)
        if not m:
            raise FormulaError("bad charge %r" % tail)
        charge = int(m.group(1) or "1") * (1 if m.group(2) == "+" else -1)
    counts, order = {}, []
    for k, part in enumerate(body.split("·")):
        mult, pos = parse_multiplier(part, 0)
        if k == 0 and pos != 0:
            raise FormulaError("multiplier before the first part")
        if pos == len(part):
            raise FormulaError("empty part")
        part_counts, part_order, end = parse_group(part, pos, None)
        assert end == len(part)
        for sym in part_order:
            if sym not in counts:
                order.append(sym)
            counts[sym] = counts.get(sym, 0) + part_counts[sym] * mult
    return counts, order, charge


NUMBER = re.compile(r"([A-Z][a-z]?) (0|[+-]\d+(?:/\d+)?)( \(media\))?")


def parse_numbers(text):
    """ "N -3, H +1, N +5, O -2" -> [("N", -3, False), ...] """
    sites = []
    for entry in text.split(", "):
        m = NUMBER.fullmatch(entry)
        if not m:
            raise FormulaError("bad entry %r" % entry)
        sites.append((m.group(1), Fraction(m.group(2)), m.group(3) is not None))
    return sites


def splits(atoms, parts):
    """Every way to share `atoms` whole atoms among `parts` numbers, each at least one."""
    if parts == 1:
        yield (atoms,)
        return
    for first in range(1, atoms - parts + 2):
        for rest in splits(atoms - first, parts - 1):
            yield (first,) + rest


def check_line(formula, numbers):
    """None when the line is right, otherwise what is wrong with it."""
    try:
        counts, order, charge = parse_formula(formula)
        sites = parse_numbers(numbers)
    except FormulaError as e:
        return str(e)

    listed_order = []
    by_element = {}
    for sym, value, media in sites:
        if sym not in by_element:
            listed_order.append(sym)
            by_element[sym] = []
        if value in by_element[sym]:
            return "%s listed twice at %s" % (sym, value)
        by_element[sym].append(value)
        if value.denominator != 1 and not media:
            return "fraction %s for %s without (media)" % (value, sym)
        if sym in GROUP_MAX and value > GROUP_MAX[sym]:
            return "%s %s is past its group's maximum %+d" % (sym, value, GROUP_MAX[sym])
        if sym in GROUP_MIN and value < GROUP_MIN[sym]:
            return "%s %s is below its group's minimum %+d" % (sym, value, GROUP_MIN[sym])
    if set(listed_order) != set(order):
        return "elements listed %s, formula has %s" % (listed_order, order)
    if listed_order != order:
        return "elements listed in the order %s, formula writes %s" % (listed_order, order)

    # Whole atoms for the splits: scale a half-hydrate up to whole counts.
    scale = math.lcm(*(c.denominator for c in counts.values())) if counts else 1
    fixed = Fraction(0)
    choices = []
    for sym, values in by_element.items():
        atoms = counts[sym] * scale
        if len(values) == 1:
            fixed += values[0] * atoms
            continue
        if atoms.denominator != 1 or atoms < len(values):
            return "%s has too few atoms for %d numbers" % (sym, len(values))
        choices.append([sum(v * n for v, n in zip(values, split))
                        for split in splits(int(atoms), len(values))])
    target = charge * scale
    for combo in itertools.product(*choices):
        if fixed + sum(combo) == target:
            return None
    if not choices:
        return "numbers add up to %s, the charge is %s" % (fixed / scale, charge)
    return "no split of the atoms makes the numbers add up to the charge %s" % charge


def self_check():
    """The checker must reject lines that are wrong, or its passing says nothing."""
    good = [
        ("H2O", "H +1, O -2"),
        ("NH4NO3", "N -3, H +1, N +5, O -2"),
        ("H2SO5", "H +1, S +6, O -2, O -1"),
        ("K4[Fe(CN)6]", "K +1, Fe +2, C +2, N -3"),
        ("CaSO4·½H2O", "Ca +2, S +6, O -2, H +1"),
        ("S4O6^2-", "S +5/2 (media), O -2"),
        ("[Fe(H2O)6]^3+", "Fe +3, H +1, O -2"),
    ]
    bad = [
        ("H2O", "H +1, O -1"),                   # sum is +1
        ("SO4^2-", "S +6, O -2, O -2"),          # same number twice
        ("H2O", "O -2, H +1"),                   # wrong order
        ("H2O", "H +1"),                         # oxygen missing
        ("Fe3O4", "Fe +8/3, O -2"),              # fraction without (media)
        ("H2SO5", "H +1, S +8, O -2"),           # past sulfur's maximum
        ("H2O2", "H +1, O -2, O -1"),            # one O each way gives -1, not 0
        ("NH4NO3", "N -3, H +1, N +3, O -2"),    # no split gives zero
        ("Fe^3+", "Fe +2"),                      # the charge counts
        ("CaSO4·2H2O", "Ca +2, S +4, O -2, H +1"),
        ("K4[Fe(CN)6", "K +1, Fe +2, C +2, N -3"),  # unclosed bracket
    ]
    wrong = [g for g in good if check_line(*g) is not None]
    wrong += [b for b in bad if check_line(*b) is None]
    for formula, numbers in wrong:
        print("checker itself is wrong on: %s\t%s" % (formula, numbers))
    return not wrong


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "oxidation_numbers.tsv")
    if not self_check():
        return 1
    passed = failed = 0
    seen = set()
    with open(path, encoding="utf-8") as f:
        for lineno, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            formula, tab, numbers = line.partition("\t")
            if not tab:
                problem = "no tab"
            elif formula in seen:
                problem = "formula repeated"
            elif numbers == "?":
                seen.add(formula)
                continue
            else:
                problem = check_line(formula, numbers)
            seen.add(formula)
            if problem is None:
                passed += 1
            else:
                failed += 1
                print("line %d: %s\t%s: %s" % (lineno, formula, numbers, problem))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
