#!/usr/bin/env python3
"""Independent check of the hand-worked ion-electron cases.

Reads ionelectron_cases.tsv (next to this script, or the path given as the first argument) and
checks every case on its own arithmetic: each half-reaction balanced in atoms and charge, with
its electrons on the proper side and a single element changing its oxidation number; the medium
kept (no H^+ in basic medium, no OH^- in acid medium); the two halves, multiplied so the
electrons cancel, added and simplified, giving exactly the net ionic equation of the file; the
electrons transferred; the net ionic and the molecular equations balanced, in lowest terms and
written with the skeleton's species in the skeleton's order.

Standard library only; it shares no code with the program.
"""

import math
import os
import re
import sys
from collections import Counter
from fractions import Fraction

ELEMENTS = set("""
H He Li Be B C N O F Ne Na Mg Al Si P S Cl Ar K Ca Sc Ti V Cr Mn Fe Co Ni Cu Zn Ga Ge As Se Br
Kr Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I Xe Cs Ba La Ce Pr Nd Pm Sm Eu Gd Tb Dy Ho Er
Tm Yb Lu Hf Ta W Re Os Ir Pt Au Hg Tl Pb Bi Po At Rn Fr Ra Ac Th Pa U Np Pu Am Cm Bk Cf Es Fm Md
No Lr Rf Db Sg Bh Hs Mt Ds Rg Cn Nh Fl Mc Lv Ts Og
""".split())

ELECTRON = "e^-"
# What the method adds to balance O and H: the skeleton of an ionic case may leave them out.
AUXILIARY = ("H2O", "H^+", "OH^-")
MEDIA = ("acido", "basico")


class NotationError(ValueError):
    pass


# --- Formulas -------------------------------------------------------------------------------

def _count(text, pos):
    m = re.compile(r"\d+").match(text, pos)
    if not m:
        return 1, pos
    n = int(m.group(0))
    if n == 0 or m.group(0).startswith("0"):
        raise NotationError("bad count %r" % m.group(0))
    return n, m.end()


def _group(text, pos, closer):
    counts = Counter()
    while pos < len(text):
        c = text[pos]
        if c in ")]":
            if c != closer:
                raise NotationError("unmatched %r" % c)
            return counts, pos + 1
        if c in "([":
            inner, pos = _group(text, pos + 1, ")" if c == "(" else "]")
            if not inner:
                raise NotationError("empty brackets")
            n, pos = _count(text, pos)
            for sym, k in inner.items():
                counts[sym] += k * n
            continue
        m = re.compile(r"[A-Z][a-z]?").match(text, pos)
        if not m:
            raise NotationError("unexpected %r" % c)
        if m.group(0) not in ELEMENTS:
            raise NotationError("no element %r" % m.group(0))
        n, pos = _count(text, m.end())
        counts[m.group(0)] += n
    if closer is not None:
        raise NotationError("missing %r" % closer)
    return counts, pos


_formula_cache = {}


def parse_formula(formula):
    """ "Fe2(SO4)3" -> (Counter({'O': 12, 'S': 3, 'Fe': 2}), 0); "e^-" -> (Counter(), -1)."""
    if formula in _formula_cache:
        return _formula_cache[formula]
    if formula == ELECTRON:
        result = (Counter(), -1)
    else:
        body, charge = formula, 0
        if "^" in formula:
            body, tail = formula.split("^", 1)
            m = re.fullmatch(r"([1-9]\d*)?([+-])", tail)
            if not m or m.group(1) == "1":
                raise NotationError("bad charge %r in %r" % (tail, formula))
            charge = int(m.group(1) or "1") * (1 if m.group(2) == "+" else -1)
        if not body:
            raise NotationError("empty formula %r" % formula)
        counts, _ = _group(body, 0, None)
        result = (counts, charge)
    _formula_cache[formula] = result
    return result


# --- Equations ------------------------------------------------------------------------------

def parse_side(text):
    """ "2 MnO4^- + 5 e^-" -> [("MnO4^-", 2), ("e^-", 5)], checking the program's notation."""
    terms = []
    for term in text.split(" + "):
        m = re.fullmatch(r"(?:([1-9]\d*) )?(\S+)", term)
        if not m:
            raise NotationError("bad term %r" % term)
        if m.group(1) == "1":
            raise NotationError("coefficient 1 written in %r" % term)
        coef = int(m.group(1) or "1")
        parse_formula(m.group(2))
        if any(f == m.group(2) for f, _ in terms):
            raise NotationError("%s twice on one side" % m.group(2))
        terms.append((m.group(2), coef))
    return terms


def parse_equation(text):
    sides = text.split(" = ")
    if len(sides) != 2:
        raise NotationError("not one \" = \" in %r" % text)
    return parse_side(sides[0]), parse_side(sides[1])


def atoms(side):
    total = Counter()
    for formula, coef in side:
        for sym, n in parse_formula(formula)[0].items():
            total[sym] += n * coef
    return total


def charge(side):
    return sum(parse_formula(f)[1] * coef for f, coef in side)


def balance_problems(left, right):
    problems = []
    a, b = atoms(left), atoms(right)
    for sym in sorted(set(a) | set(b)):
        if a[sym] != b[sym]:
            problems.append("%s %d on the left, %d on the right" % (sym, a[sym], b[sym]))
    if charge(left) != charge(right):
        problems.append("charge %+d on the left, %+d on the right" % (charge(left), charge(right)))
    return problems


def common_divisor(left, right):
    return math.gcd(*(c for _, c in left + right))


def text_of(side):
    return " + ".join(f if c == 1 else "%d %s" % (c, f) for f, c in side)


# --- Oxidation numbers ----------------------------------------------------------------------

def oxidation_totals(formula):
    """Sum of the oxidation numbers of each element in one unit of formula, by the school rules
    (H +1, O -2, the remaining element takes the rest; H2, O2 and peroxides apart). None when
    the species has two elements besides H and O, where those rules do not decide."""
    counts, q = parse_formula(formula)
    others = [s for s in counts if s not in ("H", "O")]
    if not others:
        if "O" not in counts:
            return {"H": Fraction(q)}
        if "H" not in counts:
            return {"O": Fraction(q)}
        return {"H": Fraction(counts["H"]), "O": Fraction(q - counts["H"])}
    if len(others) > 1:
        return None
    totals = {others[0]: Fraction(q - counts["H"] + 2 * counts["O"])}
    if counts["H"]:
        totals["H"] = Fraction(counts["H"])
    if counts["O"]:
        totals["O"] = Fraction(-2 * counts["O"])
    return totals


def oxidation_change(left, right):
    """{element: total oxidation number on the right minus on the left}, only the changes;
    or a string saying why it cannot be told."""
    change = Counter()
    for sign, side in ((-1, left), (1, right)):
        for formula, coef in side:
            if formula == ELECTRON:
                continue
            totals = oxidation_totals(formula)
            if totals is None:
                return "cannot tell the oxidation numbers in %s" % formula
            for sym, value in totals.items():
                change[sym] += sign * coef * value
    return {sym: v for sym, v in change.items() if v != 0}


# --- The checks -----------------------------------------------------------------------------

def check_half(name, half, oxidation):
    left, right = half
    problems = ["%s: %s" % (name, p) for p in balance_problems(left, right)]
    e_left = sum(c for f, c in left if f == ELECTRON)
    e_right = sum(c for f, c in right if f == ELECTRON)
    if oxidation and (e_left or not e_right):
        problems.append("%s: the electrons must stand on the right only" % name)
    if not oxidation and (e_right or not e_left):
        problems.append("%s: the electrons must stand on the left only" % name)
    change = oxidation_change(left, right)
    if isinstance(change, str):
        problems.append("%s: %s" % (name, change))
    elif len(change) != 1:
        problems.append("%s: %d elements change oxidation number (%s), not one"
                        % (name, len(change), ", ".join(sorted(change))))
    else:
        (sym, delta), = change.items()
        if (delta > 0) != oxidation:
            problems.append("%s: %s is %s, not %s" % (
                name, sym, "oxidised" if delta > 0 else "reduced",
                "oxidised" if oxidation else "reduced"))
    return problems, e_right if oxidation else e_left


def combine(ox, e_ox, red, e_red):
    """The two halves multiplied so the electrons cancel, added and simplified; returns
    (left Counter, right Counter, electrons of the lcm, common divisor taken out)."""
    lcm = math.lcm(e_ox, e_red)
    left, right = Counter(), Counter()
    for (l, r), k in ((ox, lcm // e_ox), (red, lcm // e_red)):
        for f, c in l:
            left[f] += c * k
        for f, c in r:
            right[f] += c * k
    for f in list(left):
        both = min(left[f], right[f])
        left[f] -= both
        right[f] -= both
    left = +left
    right = +right
    divisor = math.gcd(*left.values(), *right.values())
    for side in (left, right):
        for f in side:
            side[f] //= divisor
    return left, right, lcm, divisor


def skeleton_order_problems(name, equation, skeleton, extras_allowed):
    """The species of equation follow the skeleton's, side by side and in its order; besides
    them only water, H^+ and OH^- when extras_allowed."""
    problems = []
    for label, eq_side, sk_side in (("left", equation[0], skeleton[0]),
                                    ("right", equation[1], skeleton[1])):
        wanted = [f for f, _ in sk_side]
        got = [f for f, _ in eq_side]
        missing = [f for f in wanted if f not in got]
        if missing:
            problems.append("%s: %s of the skeleton missing on the %s"
                            % (name, ", ".join(missing), label))
        extra = [f for f in got if f not in wanted]
        if extra and (not extras_allowed or any(f not in AUXILIARY for f in extra)):
            problems.append("%s: %s on the %s, not in the skeleton"
                            % (name, ", ".join(extra), label))
        if not missing and [f for f in got if f in wanted] != wanted:
            problems.append("%s: the %s side is not in the skeleton's order" % (name, label))
    return problems


def check_case(fields):
    """The problems of one case (a list of strings, empty when it is right)."""
    if len(fields) != 8:
        return ["%d columns, not 8" % len(fields)]
    _, medium, skeleton_text, ox_text, red_text, ionic_text, molecular_text, e_text = fields
    problems = []
    if medium not in MEDIA:
        problems.append("medio %r is neither acido nor basico" % medium)
    if not re.fullmatch(r"[1-9]\d*", e_text):
        problems.append("electrones %r is not a positive whole number" % e_text)
    equations = {}
    for name, text in (("esqueleto", skeleton_text), ("oxidación", ox_text),
                       ("reducción", red_text), ("iónica", ionic_text),
                       ("molecular", molecular_text)):
        if name == "molecular" and text == "-":
            continue
        try:
            equations[name] = parse_equation(text)
        except NotationError as e:
            problems.append("%s: %s" % (name, e))
    if problems:
        return problems

    skeleton = equations["esqueleto"]
    ox, red, ionic = equations["oxidación"], equations["reducción"], equations["iónica"]
    molecular = equations.get("molecular")

    if any(c != 1 for f, c in skeleton[0] + skeleton[1]):
        problems.append("esqueleto: a skeleton has no coefficients")

    # The medium: everything written in it uses only its own ion.
    banned = "H^+" if medium == "basico" else "OH^-"
    for name in ("esqueleto", "oxidación", "reducción", "iónica"):
        left, right = equations[name]
        if any(f == banned for f, _ in left + right):
            problems.append("%s: %s in %s medium" % (name, banned, medium))

    half_problems, e_ox = check_half("oxidación", ox, True)
    problems += half_problems
    half_problems, e_red = check_half("reducción", red, False)
    problems += half_problems

    for name in ("iónica", "molecular"):
        if name not in equations:
            continue
        left, right = equations[name]
        problems += ["%s: %s" % (name, p) for p in balance_problems(left, right)]
        if common_divisor(left, right) != 1:
            problems.append("%s: the coefficients share the divisor %d"
                            % (name, common_divisor(left, right)))
        if any(f == ELECTRON for f, _ in left + right):
            problems.append("%s: electrons left over" % name)
        both = {f for f, _ in left} & {f for f, _ in right}
        if both:
            problems.append("%s: %s on both sides" % (name, ", ".join(sorted(both))))

    if e_ox and e_red and not any(p.startswith(("oxidación", "reducción")) for p in problems):
        left, right, lcm, divisor = combine(ox, e_ox, red, e_red)
        if Counter(dict(ionic[0])) != left or Counter(dict(ionic[1])) != right:
            problems.append("iónica: the halves (x%d oxidation, x%d reduction) add up to %s = %s"
                            % (lcm // e_ox, lcm // e_red, text_of(sorted(left.items())),
                               text_of(sorted(right.items()))))
        elif e_text.isdigit() and int(e_text) != lcm // divisor:
            problems.append("electrones %s, but the lcm of %d and %d is %d%s"
                            % (e_text, e_ox, e_red, lcm,
                               "" if divisor == 1 else
                               ", divided by %d in the simplified equation: %d"
                               % (divisor, lcm // divisor)))

    if molecular is None:
        problems += skeleton_order_problems("iónica", ionic, skeleton, True)
    else:
        problems += skeleton_order_problems("molecular", molecular, skeleton, False)
        charged = [f for f, _ in molecular[0] + molecular[1] if parse_formula(f)[1] != 0]
        if charged:
            problems.append("molecular: ions %s in a molecular equation" % ", ".join(charged))
        # The redox elements of the halves must be the molecular equation's too.
        present = set(atoms(molecular[0]))
        for name, half in (("oxidación", ox), ("reducción", red)):
            change = oxidation_change(*half)
            if isinstance(change, dict):
                for sym in change:
                    if sym not in present:
                        problems.append("%s: %s changes but the molecular equation has no %s"
                                        % (name, sym, sym))
    return problems


def self_check():
    """The checker must reject wrong cases, or its passing says nothing: each mutation of a
    right case must be caught by the check named beside it."""
    good = [
        "x\tacido\tKMnO4 + H2O2 + H2SO4 = MnSO4 + O2 + K2SO4 + H2O\tH2O2 = O2 + 2 H^+ + 2 e^-\t"
        "MnO4^- + 8 H^+ + 5 e^- = Mn^2+ + 4 H2O\t2 MnO4^- + 5 H2O2 + 6 H^+ = 2 Mn^2+ + 5 O2 + 8 H2O\t"
        "2 KMnO4 + 5 H2O2 + 3 H2SO4 = 2 MnSO4 + 5 O2 + K2SO4 + 8 H2O\t10",
        "x\tbasico\tCl2 = Cl^- + ClO^-\tCl2 + 4 OH^- = 2 ClO^- + 2 H2O + 2 e^-\tCl2 + 2 e^- = 2 Cl^-\t"
        "Cl2 + 2 OH^- = Cl^- + ClO^- + H2O\t-\t1",
        "x\tbasico\tAl + NO3^- = Al(OH)4^- + NH3\tAl + 4 OH^- = Al(OH)4^- + 3 e^-\t"
        "NO3^- + 6 H2O + 8 e^- = NH3 + 9 OH^-\t8 Al + 3 NO3^- + 18 H2O + 5 OH^- = 8 Al(OH)4^- + 3 NH3"
        "\t-\t24",
    ]
    mutations = [
        # (case, column, new text, words the problem must contain)
        (0, 5, "2 MnO4^- + 5 H2O2 + 6 H^+ = 2 Mn^2+ + 5 O2 + 7 H2O", "iónica: H"),
        (0, 5, "4 MnO4^- + 10 H2O2 + 12 H^+ = 4 Mn^2+ + 10 O2 + 16 H2O", "divisor 2"),
        (0, 5, "2 MnO4^- + 5 H2O2 + 16 H^+ = 2 Mn^2+ + 5 O2 + 8 H2O + 10 H^+", "both sides"),
        (0, 3, "H2O2 + 2 e^- = O2 + 2 H^+", "right only"),
        (0, 3, "MnO4^- + 8 H^+ + 5 e^- = Mn^2+ + 4 H2O", "right only"),
        (0, 4, "MnO4^- + 8 H^+ + 4 e^- = Mn^2+ + 4 H2O", "charge"),
        (0, 4, "MnO4^- + 8 H^+ = Mn^2+ + 4 H2O + 5 e^-", "left only"),
        (0, 3, "Cu + Cl2 = Cu^3+ + 2 Cl^- + e^-", "2 elements change"),
        (0, 6, "2 KMnO4 + 5 H2O2 + 3 H2SO4 = 5 O2 + 2 MnSO4 + K2SO4 + 8 H2O", "order"),
        (0, 6, "2 KMnO4 + 5 H2O2 + 3 H2SO4 = 2 MnSO4 + 5 O2 + K2SO4", "missing"),
        (0, 6, "4 KMnO4 + 10 H2O2 + 6 H2SO4 = 4 MnSO4 + 10 O2 + 2 K2SO4 + 16 H2O", "divisor"),
        (0, 6, "2 KMnO4 + 5 H2O2 + 3 H2SO4 = 2 MnSO4 + 5 O2 + K2SO4 + 7 H2O", "molecular: H"),
        (0, 7, "5", "lcm"),
        (0, 1, "basico", "H^+ in basico"),
        (0, 1, "neutro", "medio"),
        (0, 5, "2 MnO4^- + 5 H2O2 + 6 H^+ = 2 Mn^2+ + 5 O2 + 1 H2O", "coefficient 1"),
        (0, 5, "2 MnO4^- + 5 H2O2 + 6 H+ = 2 Mn^2+ + 5 O2 + 8 H2O", "unexpected"),
        (0, 2, "KMnO4 + 2 H2O2 + H2SO4 = MnSO4 + O2 + K2SO4 + H2O", "no coefficients"),
        (1, 7, "2", "divided by 2"),
        (1, 5, "2 Cl2 + 4 OH^- = 2 Cl^- + 2 ClO^- + 2 H2O", "divisor 2"),
        (1, 5, "Cl2 + 2 OH^- = ClO^- + Cl^- + H2O", "order"),
        (1, 5, "Cl2 + 2 OH^- = Cl^- + ClO^- + H2O + H2", "H2"),
        (1, 3, "Cl2 + 4 H2O = 2 ClO^- + 8 H^+ + 2 e^-", "H^+ in basico"),
        (1, 3, "Cl2 + 2 H2O = 2 HClO + 2 H^+ + 2 e^-", "H^+ in basico"),
        (1, 1, "acido", "OH^- in acido"),
        (1, 6, "Cl2 + 2 NaOH = NaCl + NaClO + H2O", "not in the skeleton"),
        (2, 5, "8 Al + 3 NO3^- + 18 H2O + 5 OH^- = 8 Al(OH)4^- + 3 NH3 + OH^-", "both sides"),
        (2, 4, "NO3^- + 6 H2O + 8 e^- = NH3 + 9 OH^- + e^-", "left only"),
        (2, 3, "Al + 4 OH^- = Al(OH)4 + 3 e^-", "charge"),
        (2, 3, "Al + 4 OH^- = [Al(OH)4^- + 3 e^-", "missing"),
    ]
    ok = True
    for fields in (g.split("\t") for g in good):
        problems = check_case(fields)
        if problems:
            ok = False
            print("checker itself rejects a right case: %s" % "; ".join(problems))
    for index, column, text, words in mutations:
        fields = good[index].split("\t")
        fields[column] = text
        problems = check_case(fields)
        if not any(words in p for p in problems):
            ok = False
            print("checker itself misses %r in column %d (%s): %s"
                  % (text, column, words, "; ".join(problems) or "no problem"))
    return ok


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "ionelectron_cases.tsv")
    if not self_check():
        return 1
    checked = failed = 0
    seen = set()
    with open(path, encoding="utf-8") as f:
        for lineno, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            case_id = fields[0]
            problems = check_case(fields)
            if case_id in seen:
                problems.insert(0, "id repeated")
            seen.add(case_id)
            checked += 1
            if problems:
                failed += 1
                for p in problems:
                    print("%s (line %d): %s" % (case_id, lineno, p))
    print("%d cases checked, %d failed" % (checked, failed))
    return 1 if failed or not checked else 0


if __name__ == "__main__":
    sys.exit(main())
