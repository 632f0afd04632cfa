#!/usr/bin/env python3
"""Independent check of the hand-written inorganic nomenclature cases.

Reads nomenclature_cases.tsv and nomenclature_refusals.tsv (next to this script, or in the
directory given as the first argument) and data/names.txt when it can find it. For every case it
parses the formula into atoms and charge, then reads each name on its own and recomputes what
the name says:
  - composition names: multiplying prefixes (mono ... deca; bis, tris, tetrakis for groups), the
    element names and the "-uro"/"óxido" words, additive anion names (tetraoxidosulfato) and
    hydrogen names (dihidrogeno(tetraoxidosulfato)); the atoms must be the formula's;
  - names with an oxidation number (Roman numeral) or a charge number: the charges must add up
    to the formula's charge, the numeral must be one the element has in school, and it must be
    written exactly when the element has more than one positive school number;
  - additive and hydrogen names: the central atom's oxidation number must be a school one;
  - traditional names of acids, salts and ions: through the checker's own table of anions.
It also checks that every class appears, the file's format, the refusals file (at least 35 rows,
none of them a name or formula the cases accept), and the ions of names.txt against its own
tables. A self-test plants mistakes in copies of good rows and asserts each one is caught.

Standard library only; it shares no code with the program. Exit status 0 only if all pass.
"""

import copy
import os
import re
import sys
from collections import Counter

CLASSES = ["elemento", "óxido", "peróxido", "hidruro_metálico", "hidruro_no_metálico",
           "hidrácido", "sal_binaria", "hidróxido", "oxoácido", "oxisal", "sal_ácida",
           "sal_amonio", "catión", "anión"]
COLUMNS = ["id", "clase", "fórmula", "composición", "oxidación", "tradicional", "hidrógeno",
           "también"]
NOT_IUPAC = " [no IUPAC 2005]"

ELEMENTS = {
    "hidrógeno": "H", "helio": "He", "litio": "Li", "berilio": "Be", "boro": "B",
    "carbono": "C", "nitrógeno": "N", "oxígeno": "O", "flúor": "F", "neón": "Ne",
    "sodio": "Na", "magnesio": "Mg", "aluminio": "Al", "silicio": "Si", "fósforo": "P",
    "azufre": "S", "cloro": "Cl", "argón": "Ar", "potasio": "K", "calcio": "Ca",
    "titanio": "Ti", "cromo": "Cr", "manganeso": "Mn", "hierro": "Fe", "cobalto": "Co",
    "níquel": "Ni", "cobre": "Cu", "cinc": "Zn", "arsénico": "As", "selenio": "Se",
    "bromo": "Br", "rubidio": "Rb", "estroncio": "Sr", "plata": "Ag", "cadmio": "Cd",
    "estaño": "Sn", "antimonio": "Sb", "teluro": "Te", "yodo": "I", "cesio": "Cs",
    "bario": "Ba", "platino": "Pt", "oro": "Au", "mercurio": "Hg", "plomo": "Pb",
}
SYMBOLS = set(ELEMENTS.values())

# Oxidation numbers school tables give for naming.
SCHOOL = {
    "H": [-1, 1], "Li": [1], "Na": [1], "K": [1], "Rb": [1], "Cs": [1], "Ag": [1],
    "Be": [2], "Mg": [2], "Ca": [2], "Sr": [2], "Ba": [2], "Zn": [2], "Cd": [2], "Al": [3],
    "Cu": [1, 2], "Hg": [1, 2], "Au": [1, 3], "Fe": [2, 3], "Co": [2, 3], "Ni": [2, 3],
    "Sn": [2, 4], "Pb": [2, 4], "Pt": [2, 4], "Ti": [2, 3, 4], "Cr": [2, 3, 6],
    "Mn": [2, 3, 4, 6, 7], "B": [-3, 3], "C": [-4, 2, 4], "Si": [-4, 4],
    "N": [-3, 1, 2, 3, 4, 5], "P": [-3, 3, 5], "As": [-3, 3, 5], "Sb": [-3, 3, 5],
    "O": [-2], "S": [-2, 2, 4, 6], "Se": [-2, 2, 4, 6], "Te": [-2, 2, 4, 6], "F": [-1],
    "Cl": [-1, 1, 3, 5, 7], "Br": [-1, 1, 3, 5, 7], "I": [-1, 1, 3, 5, 7],
}

PREFIXES = {"mono": 1, "di": 2, "tri": 3, "tetra": 4, "penta": 5, "hexa": 6, "hepta": 7,
            "octa": 8, "nona": 9, "deca": 10}
GROUP_PREFIXES = {"bis": 2, "tris": 3, "tetrakis": 4, "pentakis": 5, "hexakis": 6,
                  "heptakis": 7, "octakis": 8, "nonakis": 9, "decakis": 10}
ROMAN = {"I": 1, "II": 2, "III": 3, "IV": 4, "V": 5, "VI": 6, "VII": 7, "VIII": 8}

# Roots of the "-uro" anions (cloruro) and of the "-ato" additive anions (tetraoxidosulfato).
URO_ROOTS = {"fluor": "F", "clor": "Cl", "brom": "Br", "yod": "I", "sulf": "S",
             "seleni": "Se", "telur": "Te", "nitr": "N", "fosf": "P", "arseni": "As",
             "carb": "C", "silici": "Si", "bor": "B", "hidr": "H", "antimoni": "Sb"}
ATO_ROOTS = {"sulf": "S", "carbon": "C", "nitr": "N", "fosf": "P", "bor": "B", "clor": "Cl",
             "brom": "Br", "yod": "I", "crom": "Cr", "mangan": "Mn", "silic": "Si",
             "seleni": "Se", "arseni": "As", "telur": "Te", "antimoni": "Sb", "oxigen": "O"}
# Ligands of additive names: atoms and charge.
LIGANDS = {"hidroxido": ("OH", -1), "oxido": ("O", -2), "hidruro": ("H", -1),
           "sulfuro": ("S", -2), "cloruro": ("Cl", -1), "bromuro": ("Br", -1),
           "yoduro": ("I", -1), "fluoruro": ("F", -1), "nitruro": ("N", -3)}

# The checker's own table of anion names as schools use them.
ANIONS = {
    "óxido": "O^2-", "peróxido": "O2^2-", "hidróxido": "OH^-", "hidruro": "H^-",
    "fluoruro": "F^-", "cloruro": "Cl^-", "bromuro": "Br^-", "yoduro": "I^-",
    "sulfuro": "S^2-", "seleniuro": "Se^2-", "telururo": "Te^2-", "nitruro": "N^3-",
    "fosfuro": "P^3-", "arseniuro": "As^3-", "carburo": "C^4-", "siliciuro": "Si^4-",
    "boruro": "B^3-", "cianuro": "CN^-",
    "sulfato": "SO4^2-", "sulfito": "SO3^2-", "disulfato": "S2O7^2-", "tiosulfato": "S2O3^2-",
    "nitrato": "NO3^-", "nitrito": "NO2^-", "carbonato": "CO3^2-", "fosfato": "PO4^3-",
    "fosfonato": "PHO3^2-", "fosfinato": "PH2O2^-", "metafosfato": "PO3^-",
    "difosfato": "P2O7^4-", "borato": "BO3^3-", "metaborato": "BO2^-", "silicato": "SiO4^4-",
    "arseniato": "AsO4^3-", "arsenito": "AsO3^3-", "seleniato": "SeO4^2-",
    "selenito": "SeO3^2-", "ortotelurato": "TeO6^6-",
    "hipoclorito": "ClO^-", "clorito": "ClO2^-", "clorato": "ClO3^-", "perclorato": "ClO4^-",
    "hipobromito": "BrO^-", "bromito": "BrO2^-", "bromato": "BrO3^-", "perbromato": "BrO4^-",
    "hipoyodito": "IO^-", "yodito": "IO2^-", "yodato": "IO3^-", "peryodato": "IO4^-",
    "ortoperyodato": "IO6^5-", "cromato": "CrO4^2-", "dicromato": "Cr2O7^2-",
    "permanganato": "MnO4^-", "manganato": "MnO4^2-",
}
ACIDS = {
    "sulfúrico": "sulfato", "sulfuroso": "sulfito", "disulfúrico": "disulfato",
    "tiosulfúrico": "tiosulfato", "nítrico": "nitrato", "nitroso": "nitrito",
    "carbónico": "carbonato", "fosfórico": "fosfato", "fosfónico": "fosfonato",
    "fosfínico": "fosfinato", "metafosfórico": "metafosfato", "difosfórico": "difosfato",
    "bórico": "borato", "metabórico": "metaborato", "silícico": "silicato",
    "arsénico": "arseniato", "arsenioso": "arsenito", "selénico": "seleniato",
    "selenioso": "selenito", "ortotelúrico": "ortotelurato",
    "hipocloroso": "hipoclorito", "cloroso": "clorito", "clórico": "clorato",
    "perclórico": "perclorato", "hipobromoso": "hipobromito", "bromoso": "bromito",
    "brómico": "bromato", "perbrómico": "perbromato", "hipoyodoso": "hipoyodito",
    "yodoso": "yodito", "yódico": "yodato", "peryódico": "peryodato",
    "ortoperyódico": "ortoperyodato", "crómico": "cromato", "dicrómico": "dicromato",
    "permangánico": "permanganato", "mangánico": "manganato",
    "fluorhídrico": "fluoruro", "clorhídrico": "cloruro", "bromhídrico": "bromuro",
    "yodhídrico": "yoduro", "sulfhídrico": "sulfuro", "selenhídrico": "seleniuro",
    "telurhídrico": "telururo", "cianhídrico": "cianuro",
}
HYDRIDES = {"oxidano": "H2O", "azano": "NH3", "diazano": "N2H4", "sulfano": "H2S",
            "fosfano": "PH3", "metano": "CH4", "silano": "SiH4", "borano": "BH3",
            "arsano": "AsH3", "estibano": "SbH3", "selano": "H2Se", "telano": "H2Te",
            "fluorano": "HF", "clorano": "HCl", "bromano": "HBr", "yodano": "HI",
            "alumano": "AlH3", "plumbano": "PbH4", "dioxidano": "H2O2"}
OTHER = {"agua": "H2O", "amoniaco": "NH3", "metano": "CH4", "hidrazina": "N2H4",
         "ozono": "O3", "amonio": "NH4^+", "oxonio": "H3O^+", "hidrón": "H^+"}


class NameError_(Exception):
    pass


# ---------------------------------------------------------------- formulas

def parse_formula(text):
    """Atoms (Counter) and charge of a formula in tovel's notation."""
    body, charge = text, 0
    if "^" in text:
        body, ch = text.split("^", 1)
        m = re.fullmatch(r"(\d*)([+-])", ch)
        if not m:
            raise ValueError("bad charge in %r" % text)
        charge = (int(m.group(1)) if m.group(1) else 1) * (1 if m.group(2) == "+" else -1)
    pos = 0

    def group():
        nonlocal pos
        atoms = Counter()
        while pos < len(body):
            c = body[pos]
            if c in "([":
                pos += 1
                inner = group()
                if pos >= len(body) or body[pos] not in ")]":
                    raise ValueError("unclosed group in %r" % text)
                pos += 1
                n = number()
                for k, v in inner.items():
                    atoms[k] += v * n
            elif c in ")]":
                return atoms
            else:
                m = re.match(r"[A-Z][a-z]?", body[pos:])
                if not m or m.group(0) not in SYMBOLS:
                    raise ValueError("unknown element at %r in %r" % (body[pos:], text))
                pos += len(m.group(0))
                atoms[m.group(0)] += number()
        return atoms

    def number():
        nonlocal pos
        m = re.match(r"\d+", body[pos:])
        if not m:
            return 1
        pos += len(m.group(0))
        if int(m.group(0)) < 2:
            raise ValueError("count below 2 written in %r" % text)
        return int(m.group(0))

    atoms = group()
    if pos != len(body) or not atoms:
        raise ValueError("cannot read formula %r" % text)
    return atoms, charge


def atoms_of(formula):
    return parse_formula(formula)


def first_elements(formula):
    """Symbols in the order the formula first writes them."""
    return list(dict.fromkeys(re.findall(r"[A-Z][a-z]?", formula.split("^")[0])))


# ---------------------------------------------------------------- name pieces

def with_prefix(word, table=PREFIXES):
    """(count, rest) splits: with each prefix that starts the word, and with none."""
    out = [(1, word, None)]
    for p, n in table.items():
        if word.startswith(p) and len(word) > len(p):
            out.append((n, word[len(p):], p))
    return out


def element_word(word):
    """prefix + element name -> Counter, or None."""
    for n, rest, p in with_prefix(word):
        if rest in ELEMENTS:
            return Counter({ELEMENTS[rest]: n}), p
    return None


def additive(text):
    """Ligands then a central atom: 'tetraoxidosulfato', 'dihidroxidodioxidoazufre'.
    Returns (atoms, ligand charge sum, central symbol, central count, is_anion) or None."""
    results = []

    def walk(s, atoms, lig_charge, nlig):
        # the central atom
        for n, rest, _ in with_prefix(s):
            if rest.endswith("ato") and rest[:-3] in ATO_ROOTS and nlig > 0:
                sym = ATO_ROOTS[rest[:-3]]
                a = atoms.copy()
                a[sym] += n
                results.append((a, lig_charge, sym, n, True))
            if rest in ELEMENTS and nlig > 0:
                sym = ELEMENTS[rest]
                a = atoms.copy()
                a[sym] += n
                results.append((a, lig_charge, sym, n, False))
        for n, rest, _ in with_prefix(s):
            for lig, (lf, lc) in LIGANDS.items():
                if rest.startswith(lig) and len(rest) > len(lig):
                    a = atoms.copy()
                    for k, v in parse_formula(lf)[0].items():
                        a[k] += v * n
                    walk(rest[len(lig):], a, lig_charge + lc * n, nlig + 1)

    walk(text, Counter(), 0, 0)
    return results[0] if results else None


def hydrogen_anion(text):
    """'dihidrogeno(tetraoxidosulfato)' -> (atoms, hydrogen count, (anion atoms, ligand charge,
    central symbol, central count)), or None."""
    m = re.fullmatch(r"([a-z]*)hidrogeno\((.+)\)", text)
    if not m:
        return None
    n = 1 if m.group(1) == "" else PREFIXES.get(m.group(1))
    if n is None:
        return None
    inner = m.group(2)
    base = None
    if inner in ANIONS:
        a, c = parse_formula(ANIONS[inner])
        base = (a, None, None, None)
    else:
        ad = additive(inner)
        if ad is None or not ad[4]:
            return None
        base = (ad[0], ad[1], ad[2], ad[3])
    atoms = base[0].copy()
    atoms["H"] += n
    return atoms, n, base


def anion_side(word):
    """The electronegative side of a composition name (the words before "de") -> Counter of
    atoms, or None if it cannot be read."""
    m = re.fullmatch(r"(%s)[\(\[](.+)[\)\]]" % "|".join(GROUP_PREFIXES), word)
    if m:
        inner = anion_side(m.group(2))
        if inner is None:
            return None
        n = GROUP_PREFIXES[m.group(1)]
        return Counter({k: v * n for k, v in inner.items()})
    if word == "monóxido":
        return Counter({"O": 1})
    h = hydrogen_anion(word)
    if h:
        return h[0]
    for n, rest, _ in with_prefix(word):
        if rest == "óxido":
            return Counter({"O": n})
        if rest == "hidróxido":
            return Counter({"O": n, "H": n})
        if rest == "cianuro":
            return Counter({"C": n, "N": n})
        if rest.endswith("uro") and rest[:-3] in URO_ROOTS:
            return Counter({URO_ROOTS[rest[:-3]]: n})
    ad = additive(word)
    if ad and ad[4]:
        return ad[0]
    return None


def cation_side(word):
    for n, rest, _ in with_prefix(word):
        if rest == "amonio":
            return Counter({"N": n, "H": 4 * n})
    e = element_word(word)
    return e[0] if e else None


def composition_name(name):
    """A composition name -> (atoms, charge or None)."""
    m = re.fullmatch(r"(.+)\((\d+)([+-])\)", name)
    if m and not re.search(r"\(\d+[+-]\)$", m.group(1)) and " de " not in name:
        word = m.group(1)
        charge = int(m.group(2)) * (1 if m.group(3) == "+" else -1)
        h = hydrogen_anion(word)
        if h:
            return h[0], charge
        a = anion_side(word)
        if a is None:
            e = element_word(word)
            a = e[0] if e else None
        if a is None:
            raise NameError_("cannot read %r" % name)
        return a, charge
    if " de " in name:
        left, right = name.rsplit(" de ", 1)
        a = anion_side(left)
        b = cation_side(right)
        if a is None or b is None:
            raise NameError_("cannot read %r" % name)
        return a + b, 0
    e = element_word(name)
    if e:
        return e[0], 0
    raise NameError_("cannot read %r" % name)


def positive(sym):
    return [n for n in SCHOOL.get(sym, []) if n > 0]


def numeral_rule(sym, given, errors, where):
    """given: int or None. Returns the oxidation number to use, or None after an error."""
    pos = positive(sym)
    if given is None:
        if len(pos) != 1:
            errors.append("%s: %s has several oxidation numbers, the numeral is missing"
                          % (where, sym))
            return None
        return pos[0]
    if len(pos) == 1:
        errors.append("%s: %s has one oxidation number, no numeral is written" % (where, sym))
        return None
    if given not in pos:
        errors.append("%s: %s has no school oxidation number %+d" % (where, sym, given))
        return None
    return given


def split_numeral(word):
    """'hierro(III)' -> ('hierro', 3, 'roman'); 'hierro(3+)' -> ('hierro', 3, 'charge')."""
    m = re.fullmatch(r"(.+)\(([IVX]+)\)", word)
    if m and m.group(2) in ROMAN:
        return m.group(1), ROMAN[m.group(2)], "roman"
    m = re.fullmatch(r"(.+)\((\d+)\+\)", word)
    if m:
        return m.group(1), int(m.group(2)), "charge"
    return word, None, None


def anion_word(word):
    """A traditional anion word (sulfato, hidrogenocarbonato) -> (atoms, charge) or None."""
    if word in ANIONS:
        return parse_formula(ANIONS[word])
    m = re.fullmatch(r"(di|tri)?hidrogeno(.+)", word)
    if m and m.group(2) in ANIONS:
        n = PREFIXES[m.group(1)] if m.group(1) else 1
        a, c = parse_formula(ANIONS[m.group(2)])
        a = a.copy()
        a["H"] += n
        return a, c + n
    return None


def check_salt_name(name, atoms, charge, errors, where):
    """'sulfato de hierro(III)', 'óxido de sodio', 'cloruro de amonio'. True if read."""
    if " de " not in name:
        return False
    left, right = name.rsplit(" de ", 1)
    an = anion_word(left)
    if an is None:
        return False
    base, given, kind = split_numeral(right)
    if base == "amonio":
        cat_atoms, syms, ox = Counter({"N": 1, "H": 4}), None, 1
        if given is not None:
            errors.append("%s: ammonium takes no numeral in %r" % (where, name))
            return True
    elif base in ELEMENTS:
        sym = ELEMENTS[base]
        cat_atoms = Counter({sym: 1})
        ox = numeral_rule(sym, given, errors, where + " %r" % name)
        if ox is None:
            return True
    else:
        return False
    a_atoms, a_charge = an
    for a in range(1, 5):
        for k in range(1, 13):
            total = Counter({s: v * a for s, v in cat_atoms.items()})
            for s, v in a_atoms.items():
                total[s] += v * k
            if total == atoms:
                if a * ox + k * a_charge != charge:
                    errors.append("%s: charges of %r do not add up to the formula's (%d)"
                                  % (where, name, charge))
                return True
    errors.append("%s: %r does not give the formula's atoms" % (where, name))
    return True


def check_cation_name(name, atoms, charge, errors, where):
    # "ion sodio": the cation of an element with one number, read as "sodio" with its number.
    if name.startswith("ion "):
        name = name[len("ion "):]
    base, given, kind = split_numeral(name)
    e = element_word(base)
    if not e:
        return False
    cat, p = e
    if p is None and set(cat) == set(atoms) and len(atoms) == 1:
        cat = atoms
    if cat != atoms:
        errors.append("%s: %r does not give the formula's atoms" % (where, name))
        return True
    sym = next(iter(cat))
    n = cat[sym]
    if kind == "charge":
        if given != charge:
            errors.append("%s: charge number of %r is not the formula's" % (where, name))
        return True
    ox = numeral_rule(sym, given, errors, where + " %r" % name)
    if ox is not None and ox * n != charge:
        errors.append("%s: %r gives charge %d, the formula %d" % (where, name, ox * n, charge))
    return True


def central_ok(sym, n, lig_charge, h, charge, errors, where, name):
    """The central atom's oxidation number must be whole and a school one."""
    if sym == "O":
        return
    rest = charge - lig_charge - h
    if rest % n or rest // n not in SCHOOL.get(sym, []):
        errors.append("%s: %r puts %s at %s, not a school oxidation number"
                      % (where, name, sym, "%d/%d" % (rest, n) if rest % n else rest // n))


def check_hydrogen_or_additive(name, atoms, charge, errors, where):
    """Hydrogen names, additive names of acids, parent hydrides. True if read."""
    if name in HYDRIDES:
        got = parse_formula(HYDRIDES[name])
    else:
        got = None
        for base, f in HYDRIDES.items():
            if name == base[:-1] + "io":
                a, c = parse_formula(f)
                a = a.copy(); a["H"] += 1
                got = (a, c + 1)
            elif name == base[:-1] + "uro":
                a, c = parse_formula(f)
                a = a.copy(); a["H"] -= 1
                got = (+a, c - 1)
    if got is not None:
        if got != (atoms, charge):
            errors.append("%s: %r is not the formula" % (where, name))
        return True
    m = re.fullmatch(r"(.+\))\((\d+)-\)", name)
    body, ch = (m.group(1), -int(m.group(2))) if m else (name, 0)
    h = hydrogen_anion(body)
    if h:
        a, nh, (_, lig, sym, n) = h
        if a != atoms or ch != charge:
            errors.append("%s: %r is not the formula" % (where, name))
        elif sym:
            central_ok(sym, n, lig, nh, charge, errors, where, name)
        return True
    if " de " in name:
        try:
            a, c = composition_name(name)
        except NameError_:
            return False
        if a != atoms:
            errors.append("%s: %r is not the formula" % (where, name))
        return True
    ad = additive(name)
    if ad and not ad[4]:
        a, lig, sym, n, _ = ad
        if a != atoms:
            errors.append("%s: %r is not the formula" % (where, name))
        else:
            central_ok(sym, n, lig, 0, charge, errors, where, name)
        return True
    return False


def check_traditional(name, row, atoms, charge, errors, where):
    marked = name.endswith(NOT_IUPAC)
    if marked:
        name = name[:-len(NOT_IUPAC)]
    cr_mn = row["clase"] == "oxoácido" and ({"Cr", "Mn"} & set(atoms))
    if marked != bool(cr_mn):
        errors.append("%s: %r: the [no IUPAC 2005] mark belongs to the Cr and Mn acids only"
                      % (where, name))
    if name.startswith("ácido "):
        adj = name[len("ácido "):]
        if adj not in ACIDS:
            errors.append("%s: unknown acid %r" % (where, name))
            return True
        a, c = parse_formula(ANIONS[ACIDS[adj]])
        want = a.copy()
        want["H"] += -c
        if want != atoms or charge != 0:
            errors.append("%s: %r is not the formula" % (where, name))
        return True
    if name in OTHER:
        if parse_formula(OTHER[name]) != (atoms, charge):
            errors.append("%s: %r is not the formula" % (where, name))
        return True
    an = anion_word(name)
    if an is not None:
        if an != (atoms, charge):
            errors.append("%s: %r is not the formula" % (where, name))
        return True
    return check_salt_name(name, atoms, charge, errors, where)


def check_composition(name, row, atoms, charge, errors, where):
    try:
        a, c = composition_name(name)
    except NameError_ as e:
        errors.append("%s: %s" % (where, e))
        return
    if a != atoms or c != charge:
        errors.append("%s: %r gives %s, the formula is %s" % (where, name, fmt(a, c),
                                                             fmt(atoms, charge)))
        return
    # "mono" only for an element with several positive oxidation numbers.
    if (name.startswith("mono") or name.startswith("monóxido")) and " de " in name:
        sym = ELEMENTS.get(name.rsplit(" de ", 1)[1])
        if sym and len(positive(sym)) < 2:
            errors.append("%s: %r: 'mono' is for elements with several numbers" % (where, name))
    # Ions with an additive name: the central atom's number must be a school one.
    m = re.fullmatch(r"(.+)\((\d+)-\)", name)
    if m:
        ad = additive(m.group(1))
        if ad:
            central_ok(ad[2], ad[3], ad[1], 0, charge, errors, where, name)


def fmt(atoms, charge):
    return "".join("%s%s" % (k, v if v > 1 else "") for k, v in sorted(atoms.items())) + \
        ("^%+d" % charge if charge else "")


# ---------------------------------------------------------------- files

def read_tsv(path, ncols):
    rows, errors = [], []
    with open(path, encoding="utf-8") as f:
        for i, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            parts = line.split("\t")
            if len(parts) != ncols:
                errors.append("%s:%d: %d columns, expected %d" % (os.path.basename(path), i,
                                                                  len(parts), ncols))
                continue
            if any(p != p.strip() or not p for p in parts):
                errors.append("%s:%d: empty column or stray blanks" % (os.path.basename(path), i))
            rows.append(parts)
    return rows, errors


def load_cases(path):
    rows, errors = read_tsv(path, len(COLUMNS))
    if rows and rows[0] == COLUMNS:
        rows = rows[1:]
    else:
        errors.append("cases: the column header line is missing or changed")
    return [dict(zip(COLUMNS, r)) for r in rows], errors


def names_of(cell):
    return [] if cell == "-" else [n.strip() for n in cell.split(" ; ")]


def read_composition(name, row, atoms, charge, errors, where):
    try:
        a, c = composition_name(name)
    except NameError_:
        return False
    if (a, c) != (atoms, charge):
        errors.append("%s: %r is not the formula" % (where, name))
    return True


def also_readers(clase):
    """The ways a name under "también" may be read, each (name, row, atoms, charge, errors,
    where) -> True if it could read the name."""
    readers = [
        lambda n, r, a, c, e, w: check_traditional(n, r, a, c, e, w),
        lambda n, r, a, c, e, w: check_hydrogen_or_additive(n, a, c, e, w),
        read_composition,
    ]
    if clase == "catión":
        readers.insert(0, lambda n, r, a, c, e, w: check_cation_name(n, a, c, e, w))
    return readers


def check_cases(rows):
    errors, unverified = [], []
    seen_ids, seen_formula = set(), set()
    for row in rows:
        where = row["id"]
        if where in seen_ids:
            errors.append("%s: duplicate id" % where)
        seen_ids.add(where)
        clase = row["clase"]
        if clase not in CLASSES:
            errors.append("%s: unknown class %r" % (where, clase))
            continue
        try:
            atoms, charge = parse_formula(row["fórmula"])
        except ValueError as e:
            errors.append("%s: %s" % (where, e))
            continue
        if (clase, row["fórmula"]) in seen_formula:
            errors.append("%s: formula %s repeated in class %s" % (where, row["fórmula"], clase))
        seen_formula.add((clase, row["fórmula"]))
        want_sign = {"catión": 1, "anión": -1}.get(clase, 0)
        if (charge > 0) - (charge < 0) != want_sign:
            errors.append("%s: a %s with charge %d" % (where, clase, charge))
        # Formula order of IUPAC 2005: oxygen before the halogens.
        order = first_elements(row["fórmula"])
        if charge == 0 and "O" in order and set(order) - {"O"} <= {"Cl", "Br", "I", "F"} and order[0] != "O":
            errors.append("%s: IUPAC 2005 writes oxygen before the halogen" % where)
        if all(row[c] == "-" for c in COLUMNS[3:7]):
            errors.append("%s: no name at all" % where)
        if clase == "oxoácido" and (row["tradicional"] == "-" or row["hidrógeno"] == "-"):
            errors.append("%s: an oxoacid needs its traditional and hydrogen names" % where)

        for name in names_of(row["composición"]):
            check_composition(name, row, atoms, charge, errors, where)
        for name in names_of(row["oxidación"]):
            if clase == "catión":
                if not check_cation_name(name, atoms, charge, errors, where):
                    errors.append("%s: cannot read %r" % (where, name))
            elif not check_salt_name(name, atoms, charge, errors, where):
                errors.append("%s: cannot read %r" % (where, name))
        for name in names_of(row["tradicional"]):
            if not check_traditional(name, row, atoms, charge, errors, where):
                errors.append("%s: cannot read %r" % (where, name))
        for name in names_of(row["hidrógeno"]):
            if not check_hydrogen_or_additive(name, atoms, charge, errors, where):
                errors.append("%s: cannot read %r" % (where, name))
        for name in names_of(row["también"]):
            if name.startswith("fórmula:"):
                alt = name[len("fórmula:"):]
                try:
                    if parse_formula(alt) != (atoms, charge) or alt == row["fórmula"]:
                        errors.append("%s: %r is not another way to write %s"
                                      % (where, alt, row["fórmula"]))
                except ValueError as e:
                    errors.append("%s: %s" % (where, e))
                continue
            if clase == "elemento" and name in ELEMENTS:
                if set(atoms) != {ELEMENTS[name]}:
                    errors.append("%s: %r is not the element" % (where, name))
                continue
            readings = []
            for reader in also_readers(clase):
                errs = []
                if reader(name, row, atoms, charge, errs, where):
                    readings.append(errs)
                    if not errs:
                        break
            if not readings:
                unverified.append("%s: %s" % (where, name))
            elif all(readings):
                errors.extend(readings[0])
    present = {r["clase"] for r in rows}
    for c in CLASSES:
        if c not in present:
            errors.append("class %s has no case" % c)
    return errors, unverified


def accepted_inputs(rows):
    out = set()
    for r in rows:
        out.add(r["fórmula"])
        for c in COLUMNS[3:]:
            for n in names_of(r[c]):
                n = n[:-len(NOT_IUPAC)] if n.endswith(NOT_IUPAC) else n
                out.add(n[len("fórmula:"):] if n.startswith("fórmula:") else n)
    return out


def check_refusals(refusals, rows):
    errors = []
    if len(refusals) < 35:
        errors.append("refusals: %d rows, at least 35 wanted" % len(refusals))
    accepted = accepted_inputs(rows)
    seen = set()
    for entry, reason in refusals:
        if entry in seen:
            errors.append("refusals: %r twice" % entry)
        seen.add(entry)
        if entry in accepted:
            errors.append("refusals: %r is a name or formula the cases accept" % entry)
        if len(reason) < 10:
            errors.append("refusals: the reason for %r says too little" % entry)
    return errors


def check_names_file(path):
    """The draft data file: records well formed, ions agree with the checker's tables."""
    errors = []
    kinds = {"prefijo", "elemento", "anión", "catión", "hidruro"}
    with open(path, encoding="utf-8") as f:
        for i, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            where = "names.txt:%d" % i
            fields = line.split()
            if fields[0] not in kinds:
                errors.append("%s: unknown record %r" % (where, fields[0]))
                continue
            if fields[0] == "prefijo":
                if len(fields) != 4 or PREFIXES.get(fields[2]) != int(fields[1]) or \
                        (fields[3] != "-" and GROUP_PREFIXES.get(fields[3]) != int(fields[1])):
                    errors.append("%s: prefix record disagrees" % where)
            elif fields[0] == "elemento":
                if len(fields) != 6:
                    errors.append("%s: an element record has 6 fields" % where)
                    continue
                _, sym, name, nums, uro, ato = fields
                if ELEMENTS.get(name) != sym:
                    errors.append("%s: %s is not %s" % (where, name, sym))
                try:
                    numbers = [int(n) for n in nums.split(",")]
                except ValueError:
                    errors.append("%s: bad numbers %r" % (where, nums))
                    continue
                if sym in SCHOOL and sorted(numbers) != SCHOOL[sym]:
                    errors.append("%s: numbers of %s differ from the checker's %s"
                                  % (where, sym, SCHOOL[sym]))
                if uro != "-" and URO_ROOTS.get(uro) != sym:
                    errors.append("%s: -uro root %r is not %s" % (where, uro, sym))
                if ato != "-" and ATO_ROOTS.get(ato) != sym:
                    errors.append("%s: -ato root %r is not %s" % (where, ato, sym))
            elif fields[0] == "hidruro":
                if HYDRIDES.get(fields[2]) != fields[1]:
                    errors.append("%s: parent hydride %s is not %s" % (where, fields[2], fields[1]))
            else:
                try:
                    atoms, charge = parse_formula(fields[1])
                except ValueError as e:
                    errors.append("%s: %s" % (where, e))
                    continue
                sign = 1 if fields[0] == "catión" else -1
                if charge * sign <= 0:
                    errors.append("%s: charge sign of %s" % (where, fields[1]))
                name = fields[2]
                if fields[0] == "anión" and anion_word(name) not in (None, (atoms, charge)):
                    errors.append("%s: %s is not %s" % (where, name, fields[1]))
                if fields[0] == "anión" and anion_word(name) is None:
                    errors.append("%s: the checker does not know %s" % (where, name))
                for extra in fields[3:]:
                    if extra.startswith("aditivo="):
                        try:
                            a, c = composition_name(extra[len("aditivo="):])
                            if (a, c) != (atoms, charge):
                                errors.append("%s: %s is not %s" % (where, extra, fields[1]))
                        except NameError_ as e:
                            errors.append("%s: %s" % (where, e))
                    elif extra.startswith("ácido="):
                        adj = extra[len("ácido="):]
                        if ACIDS.get(adj) != name:
                            errors.append("%s: ácido %s does not give %s" % (where, adj, name))
                    elif extra.startswith("hidruro="):
                        errs = []
                        if not check_hydrogen_or_additive(extra[len("hidruro="):], atoms,
                                                          charge, errs, where) or errs:
                            errors.append("%s: %s is not %s" % (where, extra, fields[1]))
                    elif extra != "antiguo":
                        errors.append("%s: unknown field %r" % (where, extra))
    return errors


# ---------------------------------------------------------------- self-test

def self_test(rows, refusals):
    """Plant one mistake at a time in copies of good rows; each must be caught."""
    by_id = {r["id"]: r for r in rows}

    def mutate(rid, column, old, new):
        def f(rs):
            r = next(x for x in rs if x["id"] == rid)
            assert old in r[column], (rid, column, old)
            r[column] = r[column].replace(old, new, 1)
        return f

    def setting(rid, **values):
        def f(rs):
            r = next(x for x in rs if x["id"] == rid)
            r.update(values)
        return f

    def drop_class(clase):
        def f(rs):
            rs[:] = [r for r in rs if r["clase"] != clase]
        return f

    plants = [
        ("wrong prefix in a composition name", mutate("ox11", "composición", "trióxido", "dióxido")),
        ("wrong count in a formula", mutate("ox11", "fórmula", "Fe2O3", "Fe3O3")),
        ("wrong Roman numeral", mutate("ox11", "oxidación", "(III)", "(II)")),
        ("numeral the element does not have", mutate("sb09", "oxidación", "(II)", "(IV)")),
        ("numeral on a one-number element", mutate("ox01", "oxidación", "sodio", "sodio(I)")),
        ("numeral missing", mutate("ox10", "oxidación", "(II)", "")),
        ("wrong group prefix", mutate("os06", "composición", "tris(", "bis(")),
        ("wrong -uro word", mutate("sb05", "composición", "dicloruro", "dibromuro")),
        ("wrong additive prefix", mutate("an17", "composición", "tetraoxido", "trioxido")),
        ("wrong ion charge", mutate("an17", "fórmula", "SO4^2-", "SO4^-")),
        ("wrong hydrogen count", mutate("oa11", "hidrógeno", "dihidrogeno", "hidrogeno")),
        ("wrong acid ending", mutate("oa11", "tradicional", "sulfúrico", "sulfuroso")),
        ("wrong hydracid", mutate("ha03", "tradicional", "bromhídrico", "clorhídrico")),
        ("Cr acid without its mark", mutate("oa34", "tradicional", NOT_IUPAC, "")),
        ("mark on an IUPAC acid", mutate("oa11", "tradicional", "sulfúrico", "sulfúrico" + NOT_IUPAC)),
        ("wrong cation charge number", mutate("ca09", "oxidación", "hierro(3+)", "hierro(2+)")),
        ("wrong cation numeral", mutate("ca09", "oxidación", "hierro(III)", "hierro(II)")),
        ("wrong numeral in a salt's traditional name", mutate("os06", "tradicional", "(III)", "(II)")),
        ("peroxide named as oxide", mutate("pe02", "oxidación", "peróxido", "óxido")),
        ("halogen written before oxygen", mutate("ox47", "fórmula", "O7Cl2", "Cl2O7")),
        ("impossible central number in an ion",
         setting("an27", fórmula="PO4^-", composición="tetraoxidofosfato(1-)", tradicional="-")),
        ("impossible central number in an acid",
         setting("oa04", fórmula="HNO4", tradicional="ácido nítrico",
                 hidrógeno="hidrogeno(tetraoxidonitrato)", también="-")),
        ("impossible central number in an additive name",
         setting("oa04", fórmula="HNO4", hidrógeno="hidrogeno(trioxidonitrato)",
                 tradicional="ácido nítrico", también="hidroxidotrioxidonitrógeno")),
        ("'mono' on a one-number metal", mutate("ox04", "composición", "óxido", "monóxido")),
        ("unknown class", mutate("ox01", "clase", "óxido", "oxido")),
        ("duplicate id", mutate("ox02", "id", "ox02", "ox01")),
        ("wrong alternative formula", mutate("ox47", "también", "Cl2O7", "Cl2O5")),
        ("wrong parent hydride", mutate("hn09", "hidrógeno", "azano", "fosfano")),
        ("wrong ammonium count", mutate("am07", "composición", "diamonio", "amonio")),
        ("wrong acid salt", mutate("sa05", "tradicional", "dihidrogenofosfato", "hidrogenofosfato")),
        ("a class missing", drop_class("peróxido")),
    ]
    failures = []
    for label, plant in plants:
        rs = copy.deepcopy(rows)
        plant(rs)
        errs, _ = check_cases(rs)
        if not errs:
            failures.append(label)
    # A refusal that the cases accept, and too few refusals.
    if not check_refusals(refusals + [("óxido de sodio", "planted")], rows):
        failures.append("refusal that is an accepted name")
    if not check_refusals(refusals[:30], rows):
        failures.append("too few refusals")
    return len(plants) + 2, failures


def main():
    here = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    rows, errors = load_cases(os.path.join(here, "nomenclature_cases.tsv"))
    refusal_rows, rerr = read_tsv(os.path.join(here, "nomenclature_refusals.tsv"), 2)
    errors += rerr
    if refusal_rows and refusal_rows[0] == ["entrada", "motivo"]:
        refusal_rows = refusal_rows[1:]
    refusals = [tuple(r) for r in refusal_rows]

    case_errors, unverified = check_cases(rows)
    errors += case_errors
    errors += check_refusals(refusals, rows)
    names_file = os.path.normpath(os.path.join(here, "..", "..", "data", "names.txt"))
    if os.path.exists(names_file):
        errors += check_names_file(names_file)
    else:
        print("note: %s not found, not checked" % names_file)

    planted, failures = self_test(rows, refusals)

    counts = Counter(r["clase"] for r in rows)
    print("cases: %d (%s)" % (len(rows), ", ".join("%s %d" % (c, counts[c]) for c in CLASSES)))
    print("refusals: %d" % len(refusals))
    print("names read but not verified: %d" % len(unverified))
    for u in unverified:
        print("  " + u)
    print("self-test: %d planted mistakes, %d not caught" % (planted, len(failures)))
    for f in failures:
        print("  NOT CAUGHT: " + f)
    for e in errors:
        print("ERROR " + e)
    ok = not errors and not failures
    print("OK" if ok else "FAILED: %d errors" % len(errors))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
