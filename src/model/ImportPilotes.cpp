// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ImportPilotes.h"

#include "model/Concours.h"
#include "model/Cp1252.h"
#include "model/Fichier.h"
#include "model/Texte.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

namespace tavo {

namespace {

// A header row wider than this is no registration list.
constexpr std::size_t COLONNES_MAX = 1000;

constexpr std::string_view LISTE_COLONNES =
    "Nom, Prénom, Club, N° Club, Licence, Fréquences (ou Fréquence 1 et Fréquence 2), Dossard";

// ---- UTF-8

/** The code point at `i` of valid UTF-8, `i` moved past it. */
char32_t LitCodePoint(std::string_view t, std::size_t& i)
{
    const auto o = static_cast<unsigned char>(t[i]);
    int n = o < 0x80 ? 0 : o < 0xE0 ? 1 : o < 0xF0 ? 2 : 3;
    char32_t cp = n == 0 ? o : n == 1 ? (o & 0x1F) : n == 2 ? (o & 0x0F) : (o & 0x07);
    ++i;
    for (; n > 0 && i < t.size(); --n, ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(t[i]) & 0x3F);
    return cp;
}

/** Whether the bytes are UTF-8 without overlong forms, surrogates or code points past U+10FFFF. */
bool EstUtf8(std::string_view t)
{
    for (std::size_t i = 0; i < t.size();) {
        const auto o = static_cast<unsigned char>(t[i]);
        if (o < 0x80) {
            ++i;
            continue;
        }
        int n;
        char32_t min;
        if (o >= 0xC2 && o <= 0xDF) {
            n = 1;
            min = 0x80;
        } else if (o >= 0xE0 && o <= 0xEF) {
            n = 2;
            min = 0x800;
        } else if (o >= 0xF0 && o <= 0xF4) {
            n = 3;
            min = 0x10000;
        } else
            return false;
        if (i + static_cast<std::size_t>(n) >= t.size())
            return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80)
                return false;
        std::size_t j = i;
        const char32_t cp = LitCodePoint(t, j);
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i = j;
    }
    return true;
}

void AjouteUtf8(std::string& s, char32_t cp)
{
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// ---- The header

/** A Latin letter without its accent, lower case ('\0' for anything else but a digit). */
char Replie(char32_t cp)
{
    if (cp < 0x80) {
        const char c = static_cast<char>(cp);
        if (c >= 'A' && c <= 'Z')
            return static_cast<char>(c - 'A' + 'a');
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            return c;
        return '\0';
    }
    static constexpr std::string_view LATIN1 = // U+00C0 to U+00FF, '\0' where no letter
        "aaaaaaaceeeeiiii"
        "dnooooo\0ouuuuyts"
        "aaaaaaaceeeeiiii"
        "dnooooo\0ouuuuyty";
    if (cp >= 0xC0 && cp <= 0xFF)
        return LATIN1[cp - 0xC0];
    return '\0';
}

/** "N° Club" -> "nclub", "Prénom" -> "prenom": letters and digits only, folded. */
std::string NormaliseTitre(std::string_view utf8)
{
    std::string cle;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = LitCodePoint(utf8, i);
        if (cp == 0x152 || cp == 0x153)
            cle += "oe";
        else if (const char c = Replie(cp); c != '\0')
            cle += c;
    }
    return cle;
}

std::optional<ChampImport> ChampDuTitre(std::string_view utf8)
{
    using C = ChampImport;
    static const std::map<std::string, ChampImport> TITRES{
        {"nom", C::Nom},
        {"nompilote", C::Nom},
        {"nomdupilote", C::Nom},
        {"nomdefamille", C::Nom},
        {"prenom", C::Prenom},
        {"prenompilote", C::Prenom},
        {"club", C::Club},
        {"nomduclub", C::Club},
        {"nclub", C::NumClub},
        {"noclub", C::NumClub},
        {"numclub", C::NumClub},
        {"numeroclub", C::NumClub},
        {"numeroduclub", C::NumClub},
        {"numerodeclub", C::NumClub},
        {"nduclub", C::NumClub},
        {"clubn", C::NumClub},
        {"licence", C::Licence},
        {"license", C::Licence},
        {"nlicence", C::Licence},
        {"nolicence", C::Licence},
        {"numerolicence", C::Licence},
        {"numerodelicence", C::Licence},
        {"ndelicence", C::Licence},
        {"frequences", C::Frequences},
        {"frequence", C::Frequences},
        {"freq", C::Frequences},
        {"frequence1", C::Frequence1},
        {"freq1", C::Frequence1},
        {"frequence2", C::Frequence2},
        {"freq2", C::Frequence2},
        {"dossard", C::Dossard},
        {"ndossard", C::Dossard},
        {"nodossard", C::Dossard},
        {"numerodossard", C::Dossard},
        {"numerodedossard", C::Dossard},
        {"dossardn", C::Dossard},
    };
    const auto trouve = TITRES.find(NormaliseTitre(utf8));
    if (trouve == TITRES.end())
        return std::nullopt;
    return trouve->second;
}

// ---- CSV rows

struct Rangee
{
    std::size_t ligne = 0;
    std::vector<std::string> cellules;
    std::size_t nbCellules = 0; ///< every cell, the ones past the kept ones too
    bool surplusNonVide = false;
};

char DetecteSeparateur(std::string_view t)
{
    std::size_t pointsVirgules = 0;
    std::size_t virgules = 0;
    bool guillemets = false;
    for (char c : t) {
        if (c == '"')
            guillemets = !guillemets;
        else if (!guillemets && (c == '\n' || c == '\r')) {
            if (pointsVirgules + virgules > 0)
                break;
        } else if (!guillemets && c == ';')
            ++pointsVirgules;
        else if (!guillemets && c == ',')
            ++virgules;
    }
    return virgules > pointsVirgules ? ',' : ';';
}

/**
 * Splits the text into rows of cells, keeping at most `garde` cells of a row
 * (the others are counted). False, with the line, at an unclosed quote.
 */
class TLecteurCsv
{
public:
    TLecteurCsv(std::string_view texte, char separateur)
        : m_t(texte)
        , m_sep(separateur)
    {}

    bool Fin() const { return m_i >= m_t.size(); }
    std::size_t Ligne() const { return m_ligne; }

    /** The next row; false at an unclosed quote (`Ligne()` then says where it opened). */
    bool Suivante(Rangee& rangee, std::size_t garde)
    {
        rangee = Rangee{};
        rangee.ligne = m_ligne;
        for (;;) {
            std::string cellule;
            if (m_i < m_t.size() && m_t[m_i] == '"') {
                const std::size_t ouverte = m_ligne;
                ++m_i;
                for (;;) {
                    if (m_i >= m_t.size()) {
                        m_ligne = ouverte;
                        return false;
                    }
                    const char c = m_t[m_i];
                    if (c == '"') {
                        if (m_i + 1 < m_t.size() && m_t[m_i + 1] == '"') {
                            cellule += '"';
                            m_i += 2;
                            continue;
                        }
                        ++m_i;
                        break;
                    }
                    CompteLigne(c);
                    cellule += c;
                    ++m_i;
                }
            }
            // Unquoted text, or what follows a closing quote up to the separator.
            while (m_i < m_t.size() && m_t[m_i] != m_sep && m_t[m_i] != '\n' && m_t[m_i] != '\r')
                cellule += m_t[m_i++];
            if (rangee.cellules.size() < garde)
                rangee.cellules.push_back(std::move(cellule));
            else if (!SansEspaces(cellule).empty())
                rangee.surplusNonVide = true;
            ++rangee.nbCellules;
            if (m_i < m_t.size() && m_t[m_i] == m_sep) {
                ++m_i;
                continue;
            }
            if (m_i < m_t.size() && m_t[m_i] == '\r')
                ++m_i;
            if (m_i < m_t.size() && m_t[m_i] == '\n')
                ++m_i;
            ++m_ligne;
            return true;
        }
    }

private:
    void CompteLigne(char c)
    {
        if (c == '\n' || (c == '\r' && (m_i + 1 >= m_t.size() || m_t[m_i + 1] != '\n')))
            ++m_ligne;
    }

    std::string_view m_t;
    char m_sep;
    std::size_t m_i = 0;
    std::size_t m_ligne = 1;
};

bool Vide(const Rangee& rangee)
{
    return std::all_of(rangee.cellules.begin(), rangee.cellules.end(),
                       [](const std::string& c) { return SansEspaces(c).empty(); }) &&
           !rangee.surplusNonVide;
}

// ---- The cells' texts

/** The cell on one line: controls, tabs and no-break spaces as spaces, runs of spaces as one. */
std::string SurUneLigne(std::string_view utf8)
{
    std::string s;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = LitCodePoint(utf8, i);
        if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F) || cp == 0xA0 || cp == 0x202F)
            cp = ' ';
        else if (cp == 0x2019 || cp == 0x2018)
            cp = '\'';
        else if (cp == 0x2013 || cp == 0x2010 || cp == 0x2011)
            cp = '-';
        if (cp == ' ' && (s.empty() || s.back() == ' '))
            continue;
        AjouteUtf8(s, cp);
    }
    return SansEspaces(s);
}

bool EstLettreCp1252(char32_t cp)
{
    return (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z') ||
           (cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7) || cp == 0x160 || cp == 0x161 ||
           cp == 0x152 || cp == 0x153 || cp == 0x17D || cp == 0x17E || cp == 0x178;
}

/** What the pilot dialog lets one type in a field besides letters. */
std::string_view Ponctuation(ChampImport champ)
{
    switch (champ) {
    case ChampImport::Prenom:
        return " ()'.-";
    case ChampImport::Club:
        return "0123456789 '.-";
    default:
        return " '.-";
    }
}

bool EstChiffres(std::string_view t)
{
    return !t.empty() &&
           std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

/** "##.###": one or two digits, a point, one to three digits. */
bool EstFrequence(std::string_view t)
{
    const auto point = t.find('.');
    return point != std::string_view::npos && point >= 1 && point <= 2 &&
           EstChiffres(t.substr(0, point)) && t.size() - point - 1 >= 1 &&
           t.size() - point - 1 <= 3 && EstChiffres(t.substr(point + 1));
}

std::string Guillemets(std::string_view utf8)
{
    return "« " + std::string(utf8) + " »";
}

/** The bibs of the competition and of the rows kept so far. */
class TDossards
{
public:
    explicit TDossards(const TConcours& concours)
    {
        int position = 0;
        for (const TPilote& pilote : concours.GetPilotes()) {
            ++position;
            const std::string qui = SansEspaces(Cp1252VersUtf8(pilote.GetNom()) + " " +
                                                Cp1252VersUtf8(pilote.GetPrenom()));
            Ajoute(pilote.GetDossard(), "porté dans le concours par le pilote " +
                                            std::to_string(position) +
                                            (qui.empty() ? std::string() : " (" + qui + ")"));
        }
    }
    /** Who already wears the bib (its text or its number), or nothing. */
    std::optional<std::string> Porteur(const std::string& dossard) const
    {
        if (const auto t = m_textes.find(dossard); t != m_textes.end())
            return t->second;
        if (const auto n = m_nombres.find(ValeurEntiere(dossard)); n != m_nombres.end())
            return n->second;
        return std::nullopt;
    }
    void Ajoute(const std::string& dossard, const std::string& qui)
    {
        if (dossard.empty())
            return;
        m_textes.emplace(dossard, qui);
        if (EstChiffres(dossard))
            m_nombres.emplace(ValeurEntiere(dossard), qui);
    }

private:
    std::map<std::string, std::string> m_textes;
    std::map<long, std::string> m_nombres;
};

/** Turns the cells of one row into a pilot, saying what it changed. */
class TConvertisseur
{
public:
    TConvertisseur(std::size_t ligne, std::string dossard, std::vector<RemarqueImport>& notes)
        : m_ligne(ligne)
        , m_qui("dossard " + std::move(dossard) + " : ")
        , m_notes(notes)
    {}

    /** A name, first name or club in Windows-1252: refused characters left out, then cut. */
    std::string Texte(ChampImport champ, const std::string& utf8, std::size_t capacite)
    {
        std::string cp1252;
        std::string retires;
        const std::string_view ponctuation = Ponctuation(champ);
        for (std::size_t i = 0; i < utf8.size();) {
            const std::size_t debut = i;
            const char32_t cp = LitCodePoint(utf8, i);
            const bool accepte =
                EstLettreCp1252(cp) ||
                (cp < 0x80 && ponctuation.find(static_cast<char>(cp)) != std::string_view::npos);
            if (accepte)
                cp1252 += Utf8VersCp1252(utf8.substr(debut, i - debut));
            else if (retires.find(utf8.substr(debut, i - debut)) == std::string::npos)
                retires += utf8.substr(debut, i - debut);
        }
        // What was left out may leave two spaces side by side.
        cp1252.erase(std::unique(cp1252.begin(), cp1252.end(),
                                 [](char a, char b) { return a == ' ' && b == ' '; }),
                     cp1252.end());
        cp1252 = SansEspaces(cp1252);
        if (!retires.empty())
            Note(std::string(NomChampImport(champ)) + " " + Guillemets(utf8) +
                 " : caractères refusés par la fiche pilote retirés (" + Guillemets(retires) + ")");
        return Coupe(champ, cp1252, capacite);
    }

    /** A club number or a licence: digits only, else left empty. */
    std::string Chiffres(ChampImport champ, const std::string& utf8, std::size_t capacite)
    {
        if (utf8.empty())
            return {};
        if (!EstChiffres(utf8)) {
            Note(std::string(NomChampImport(champ)) + " " + Guillemets(utf8) +
                 (champ == ChampImport::Licence ? " laissée" : " laissé") +
                 " vide : des chiffres seulement");
            return {};
        }
        return Coupe(champ, utf8, capacite);
    }

    /** One frequency "##.###" (a decimal comma read as the point), else empty. */
    std::string Frequence(std::string_view champ, std::string texte)
    {
        std::replace(texte.begin(), texte.end(), ',', '.');
        if (EstFrequence(texte))
            return texte;
        Note(std::string(champ) + " " + Guillemets(texte) +
             " laissée vide : une fréquence s'écrit ##.### (35.100)");
        return {};
    }

    /** One or two frequencies in one cell, apart by "/", ";", "-", "et" or spaces. */
    std::array<std::string, 2> Frequences(const std::string& utf8)
    {
        std::vector<std::string> mots;
        std::string mot;
        for (char c : utf8 + " ") {
            if (std::string_view(" /;|+-").find(c) != std::string_view::npos) {
                if (!mot.empty() && mot != "et")
                    mots.push_back(mot);
                mot.clear();
            } else
                mot += c;
        }
        std::array<std::string, 2> frequences;
        for (std::size_t k = 0; k < mots.size(); ++k) {
            if (k < 2)
                frequences[k] = Frequence(NomChampImport(ChampImport::Frequences), mots[k]);
            else
                Note("fréquence " + Guillemets(mots[k]) +
                     " ignorée : deux fréquences au plus par pilote");
        }
        return frequences;
    }

private:
    std::string Coupe(ChampImport champ, const std::string& cp1252, std::size_t capacite)
    {
        if (cp1252.size() < capacite)
            return cp1252;
        const std::string coupe = SansEspaces(cp1252.substr(0, capacite - 1));
        Note(std::string(NomChampImport(champ)) + " " + Guillemets(Cp1252VersUtf8(cp1252)) +
             (champ == ChampImport::Licence ? " coupée à " : " coupé à ") +
             std::to_string(capacite - 1) + " caractères : " + Guillemets(Cp1252VersUtf8(coupe)));
        return coupe;
    }
    void Note(std::string texte) { m_notes.push_back({m_ligne, m_qui + std::move(texte)}); }

    std::size_t m_ligne;
    std::string m_qui;
    std::vector<RemarqueImport>& m_notes;
};

ImportPilotes Refus(ImportPilotes import, std::string raison)
{
    import.erreur = std::move(raison);
    import.pilotes.clear();
    import.lignes.clear();
    return import;
}

// Rows of the file as pilots, from the header's columns.
void LitRangees(ImportPilotes& import, TLecteurCsv& lecteur, const TConcours& concours)
{
    std::array<std::optional<std::size_t>, 9> colonne;
    for (std::size_t c = 0; c < import.colonnes.size(); ++c)
        if (const auto champ = import.colonnes[c].champ;
            champ && !colonne[static_cast<std::size_t>(*champ)])
            colonne[static_cast<std::size_t>(*champ)] = c;
    TDossards dossards(concours);
    const std::size_t nbColonnes = import.colonnes.size();
    Rangee rangee;
    while (!lecteur.Fin()) {
        if (!lecteur.Suivante(rangee, nbColonnes)) {
            import = Refus(std::move(import),
                           "Ligne " + std::to_string(lecteur.Ligne()) +
                               " : un guillemet ouvert n'est jamais fermé ; le fichier semble "
                               "abîmé ou coupé.");
            return;
        }
        if (rangee.surplusNonVide) {
            import = Refus(std::move(import),
                           "Ligne " + std::to_string(rangee.ligne) + " : " +
                               std::to_string(rangee.nbCellules) + " cellules pour " +
                               std::to_string(nbColonnes) +
                               " colonnes dans la ligne de titres ; le fichier semble abîmé.");
            return;
        }
        if (Vide(rangee))
            continue;
        const auto cellule = [&](ChampImport champ) {
            const auto c = colonne[static_cast<std::size_t>(champ)];
            return c && *c < rangee.cellules.size() ? SurUneLigne(rangee.cellules[*c])
                                                    : std::string();
        };
        const std::string dossard = cellule(ChampImport::Dossard);
        const auto ecarte = [&](const std::string& raison) {
            import.ecarts.push_back({rangee.ligne, raison});
        };
        const std::string nom =
            SansEspaces(cellule(ChampImport::Nom) + " " + cellule(ChampImport::Prenom));
        const std::string qui = nom.empty() ? std::string() : " (" + nom + ")";
        if (dossard.empty()) {
            ecarte("pas de dossard" + qui);
            continue;
        }
        if (!EstChiffres(dossard) || dossard.size() > 4) {
            ecarte("dossard " + Guillemets(dossard) + qui + " : 1 à 4 chiffres seulement");
            continue;
        }
        if (const auto porteur = dossards.Porteur(dossard)) {
            ecarte("dossard " + dossard + qui + " déjà " + *porteur);
            continue;
        }
        dossards.Ajoute(dossard, "donné ligne " + std::to_string(rangee.ligne));

        TConvertisseur conv(rangee.ligne, dossard, import.notes);
        TPilote pilote;
        pilote.SetDossard(dossard.c_str());
        pilote.SetNom(conv.Texte(ChampImport::Nom, cellule(ChampImport::Nom), 21).c_str());
        pilote.SetPrenom(conv.Texte(ChampImport::Prenom, cellule(ChampImport::Prenom), 16).c_str());
        pilote.SetClub(conv.Texte(ChampImport::Club, cellule(ChampImport::Club), 21).c_str());
        pilote.SetNumClub(
            conv.Chiffres(ChampImport::NumClub, cellule(ChampImport::NumClub), 4).c_str());
        pilote.SetLicence(
            conv.Chiffres(ChampImport::Licence, cellule(ChampImport::Licence), 8).c_str());
        std::array<std::string, 2> frequences = conv.Frequences(cellule(ChampImport::Frequences));
        for (int k = 0; k < 2; ++k) {
            const ChampImport champ = k == 0 ? ChampImport::Frequence1 : ChampImport::Frequence2;
            if (const std::string f = cellule(champ); !f.empty())
                frequences[k] = conv.Frequence(NomChampImport(champ), f);
        }
        pilote.SetFrequence1(frequences[0].c_str());
        pilote.SetFrequence2(frequences[1].c_str());
        import.pilotes.push_back(pilote);
        import.lignes.push_back(rangee.ligne);
    }
}

void AjouteFormat(std::vector<std::string>& lignes, const ImportPilotes& import)
{
    lignes.push_back("Fichier : " + std::string(import.NomEncodage()) + ", séparateur " +
                     std::string(import.NomSeparateur()));
    std::string utilisees;
    std::string ignorees;
    for (const ColonneImport& colonne : import.colonnes) {
        if (colonne.champ) {
            // A column named as its field is said once: "Nom", else "NOM DU PILOTE → Nom".
            const std::string champ(NomChampImport(*colonne.champ));
            utilisees += (utilisees.empty() ? "" : ", ") + colonne.titre +
                         (colonne.titre == champ ? std::string() : " → " + champ);
        } else if (!colonne.titre.empty())
            ignorees += (ignorees.empty() ? "" : ", ") + colonne.titre;
    }
    lignes.push_back("Colonnes lues : " + utilisees);
    if (!ignorees.empty())
        lignes.push_back("Colonnes ignorées : " + ignorees);
}

} // namespace

std::string_view NomChampImport(ChampImport champ)
{
    switch (champ) {
    case ChampImport::Nom:
        return "Nom";
    case ChampImport::Prenom:
        return "Prénom";
    case ChampImport::Club:
        return "Club";
    case ChampImport::NumClub:
        return "N° Club";
    case ChampImport::Licence:
        return "Licence";
    case ChampImport::Frequences:
        return "Fréquences";
    case ChampImport::Frequence1:
        return "Fréquence 1";
    case ChampImport::Frequence2:
        return "Fréquence 2";
    case ChampImport::Dossard:
        return "Dossard";
    }
    return {};
}

std::string_view ImportPilotes::NomSeparateur() const
{
    return separateur == ',' ? "virgule (,)" : "point-virgule (;)";
}

ImportPilotes LitImportPilotes(std::string_view octets, const TConcours& concours)
{
    ImportPilotes import;
    if (octets.size() > TAILLE_MAX_TABLEUR)
        return Refus(std::move(import), "Le fichier est trop grand pour une liste de pilotes (" +
                                            std::to_string(TAILLE_MAX_TABLEUR >> 20) +
                                            " Mo au plus).");
    if (octets.find('\0') != std::string_view::npos)
        return Refus(std::move(import),
                     "Le fichier contient des octets nuls : ce n'est pas un tableau enregistré "
                     "en texte CSV (dans le tableur : Enregistrer sous, type « Texte CSV »).");
    std::size_t ligne = 1;
    for (char c : octets) {
        const auto o = static_cast<unsigned char>(c);
        if (o == '\n')
            ++ligne;
        else if ((o < 0x20 && o != '\t' && o != '\r') || o == 0x7F)
            return Refus(std::move(import),
                         "Ligne " + std::to_string(ligne) +
                             " : caractère de contrôle ; ce n'est pas un tableau enregistré en "
                             "texte CSV, ou il est abîmé.");
    }
    // A BOM says UTF-8, but the bytes after it decide.
    const std::string_view corps = octets.starts_with("\xEF\xBB\xBF") ? octets.substr(3) : octets;
    import.utf8 = EstUtf8(corps);
    const std::string texte = import.utf8 ? std::string(corps) : Cp1252VersUtf8(corps);

    import.separateur = DetecteSeparateur(texte);
    TLecteurCsv lecteur(texte, import.separateur);
    Rangee titres;
    do {
        if (lecteur.Fin())
            return Refus(std::move(import), "Le fichier est vide : la première ligne doit "
                                            "donner le nom de chaque colonne (" +
                                                std::string(LISTE_COLONNES) + ").");
        if (!lecteur.Suivante(titres, COLONNES_MAX))
            return Refus(std::move(import), "Ligne " + std::to_string(lecteur.Ligne()) +
                                                " : un guillemet ouvert n'est jamais fermé ; "
                                                "le fichier semble abîmé ou coupé.");
    } while (Vide(titres));
    if (titres.nbCellules > COLONNES_MAX)
        return Refus(std::move(import), "La ligne de titres a plus de " +
                                            std::to_string(COLONNES_MAX) +
                                            " colonnes : ce n'est pas une liste de pilotes.");
    bool connue = false;
    bool nom = false;
    bool dossard = false;
    for (const std::string& titre : titres.cellules) {
        ColonneImport colonne{SurUneLigne(titre), ChampDuTitre(titre)};
        if (colonne.champ) {
            const bool deja = std::any_of(
                import.colonnes.begin(), import.colonnes.end(),
                [&](const ColonneImport& autre) { return autre.champ == colonne.champ; });
            if (deja)
                colonne.champ.reset(); // the first column of a field fills it
        }
        connue = connue || colonne.champ.has_value();
        nom = nom || colonne.champ == ChampImport::Nom;
        dossard = dossard || colonne.champ == ChampImport::Dossard;
        import.colonnes.push_back(std::move(colonne));
    }
    const std::string attendu = " La première ligne doit donner le nom de chaque colonne (" +
                                std::string(LISTE_COLONNES) + ").";
    if (!connue)
        return Refus(std::move(import),
                     "Aucune colonne n'est reconnue dans la ligne de titres." + attendu);
    if (!nom)
        return Refus(std::move(import), "Le fichier n'a pas de colonne « Nom »." + attendu);
    if (!dossard)
        return Refus(std::move(import), "Le fichier n'a pas de colonne « Dossard » : les notes "
                                        "sont saisies par dossard." +
                                            attendu);
    LitRangees(import, lecteur, concours);
    return import;
}

ImportPilotes LitFichierImportPilotes(const std::string& chemin, const TConcours& concours)
{
    std::string octets;
    switch (LitFichierBorne(chemin, octets, TAILLE_MAX_TABLEUR)) {
    case CodeLecture::Ok:
        return LitImportPilotes(octets, concours);
    case CodeLecture::FichierTropGrand:
        return Refus({}, "Le fichier est trop grand pour une liste de pilotes (" +
                             std::to_string(TAILLE_MAX_TABLEUR >> 20) + " Mo au plus).");
    case CodeLecture::PasUnFichier:
        return Refus({}, "Ce n'est pas un fichier ordinaire : il n'est pas lu.");
    default:
        return Refus({}, "Incapable d'ouvrir le fichier.");
    }
}

void AjoutePilotesImportes(TConcours& concours, const ImportPilotes& import)
{
    if (import.Refuse())
        return;
    for (const TPilote& pilote : import.pilotes)
        concours.GetPilotes().push_back(pilote);
}

std::vector<std::string> RapportImport(const ImportPilotes& import, bool avecFormat)
{
    std::vector<std::string> lignes;
    if (import.Refuse()) {
        lignes.push_back(import.erreur);
        lignes.push_back("Aucun pilote n'est ajouté.");
        return lignes;
    }
    if (avecFormat)
        AjouteFormat(lignes, import);
    const std::size_t n = import.pilotes.size();
    lignes.push_back(
        n == 0 && import.ecarts.empty()
            ? std::string("Aucun pilote à ajouter : le fichier n'a que sa ligne de titres.")
        : n == 0 ? std::string("Aucun pilote à ajouter.")
        : n == 1 ? std::string("1 pilote à ajouter.")
                 : std::to_string(n) + " pilotes à ajouter.");
    if (!import.ecarts.empty()) {
        lignes.push_back("Lignes écartées (" + std::to_string(import.ecarts.size()) + ") :");
        for (const RemarqueImport& r : import.ecarts)
            lignes.push_back("  ligne " + std::to_string(r.ligne) + " : " + r.texte);
    }
    if (!import.notes.empty()) {
        lignes.push_back("Textes modifiés (" + std::to_string(import.notes.size()) + ") :");
        for (const RemarqueImport& r : import.notes)
            lignes.push_back("  ligne " + std::to_string(r.ligne) + " : " + r.texte);
    }
    return lignes;
}

} // namespace tavo
