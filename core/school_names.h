#pragma once
// The names of inorganic nomenclature (data/school/names.txt, built into the program): each
// element's name and the root of its "-uro" anion, the order elements are written in, the
// hydrides IUPAC 2005 names by themselves, and the polyatomic ions with their names.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

struct ElementName {
    std::string symbol;
    std::string name;  // "hierro"
    std::string root;  // "clor" of cloruro; empty where the element forms no such anion
};

struct IonName {
    std::string formula;       // as tovel writes it: "SO4^2-"
    std::string name;          // "sulfato"
    std::string acid;          // the adjective of its acid: "sulfúrico"; empty for none
    std::string additive;      // "tetraoxidosulfato"; empty for none
    std::string substitutive;  // from a parent hydride: "azanio"; empty for none
    bool old = false;  // its acid's traditional name is no longer kept by IUPAC 2005 (crómico)
    int charge = 0;
};

// An acid named by itself, not from its anion (H3PO3 gives two H^+ only).
struct AcidName {
    std::string formula;
    std::string adjective;  // "fosfónico"
    std::string hydrogen;   // "dihidrogeno(hidrurotrioxidofosfato)"
    std::string additive;   // "dihidroxidohidrurooxidofósforo"
};

struct HydrideName {
    std::string formula;
    std::vector<std::string> names;  // the accepted name first (agua), then the parent hydride
};

struct SchoolNames {
    std::vector<ElementName> elements;
    std::map<std::string, std::string> hydracids;  // "HCl" -> "clorhídrico"
    std::vector<std::string> order;                // the most electropositive first
    std::vector<HydrideName> hydrides;
    std::vector<IonName> anions, cations;
    std::vector<AcidName> acids;

    const ElementName* Element(std::string_view symbol) const;
    const ElementName* ElementByName(std::string_view name) const;
    // Where the element goes in a binary formula; -1 for one the order lacks.
    int Rank(std::string_view symbol) const;
    const IonName* Anion(std::string_view formula) const;
    const HydrideName* Hydride(std::string_view formula) const;
    const AcidName* Acid(std::string_view formula) const;
};

// The text of data/school/names.txt.
std::string_view SchoolNamesText();

// Reads that format; lines that do not read are skipped.
SchoolNames ReadSchoolNames(std::string_view text);

// The built-in names.
const SchoolNames& BuiltInNames();

}  // namespace tovel
