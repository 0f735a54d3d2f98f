// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Sortie.h"

#include "model/Texte.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>

namespace tavo::cli {

namespace {

std::string Aligne(const std::string& texte, std::size_t largeur, Alignement alignement)
{
    const std::size_t l = Largeur(texte);
    if (l >= largeur)
        return texte;
    const std::size_t marge = largeur - l;
    switch (alignement) {
    case Alignement::Gauche:
        return texte + std::string(marge, ' ');
    case Alignement::Centre:
        return std::string(marge / 2, ' ') + texte + std::string(marge - marge / 2, ' ');
    case Alignement::Droite:
        break;
    }
    return std::string(marge, ' ') + texte;
}

} // namespace

std::size_t Largeur(std::string_view utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void EcritBlocTitre(const BlocTitre& bloc, std::ostream& sortie)
{
    sortie << bloc.titre << '\n'
           << bloc.serie << '\n'
           << bloc.lieu << '\n'
           << bloc.departement << '\n'
           << bloc.dates << "\n\n"
           << bloc.entete << '\n'
           << bloc.sousTitre << "\n\n";
}

namespace {

// The text form of columns and of `n` rows, `ligne(i)` giving the cells of row i.
template <typename Ligne>
void EcritTexteDe(const std::vector<Colonne>& colonnes, std::size_t n, Ligne ligne,
                  std::ostream& sortie)
{
    std::vector<std::size_t> largeurs;
    for (const Colonne& colonne : colonnes)
        largeurs.push_back(
            std::max(static_cast<std::size_t>(colonne.largeur), Largeur(colonne.titre)));
    std::string texte;
    auto ecrit = [&](auto texteDe) {
        texte.clear();
        for (std::size_t c = 0; c < colonnes.size(); ++c) {
            if (c > 0)
                texte += "  ";
            texte += Aligne(texteDe(c), largeurs[c], colonnes[c].alignement);
        }
        texte.erase(texte.find_last_not_of(' ') + 1);
        texte += '\n';
        sortie << texte;
    };
    ecrit([&](std::size_t c) { return colonnes[c].titre; });
    for (std::size_t i = 0; i < n; ++i) {
        const auto& cellules = ligne(i);
        ecrit(
            [&](std::size_t c) { return c < cellules.size() ? cellules[c].texte : std::string(); });
    }
}

} // namespace

void EcritTexte(const Tableau& tableau, std::ostream& sortie)
{
    EcritTexteDe(
        tableau.colonnes, tableau.lignes.size(),
        [&](std::size_t i) -> const std::vector<Cellule>& { return tableau.lignes[i]; }, sortie);
}

void EcritTexte(const TableVue& table, std::ostream& sortie)
{
    EcritTexteDe(
        ColonnesDe(table), table.NbLignes(), [&](std::size_t i) { return CellulesDe(table, i); },
        sortie);
}

std::string NombreJson(double valeur)
{
    if (!std::isfinite(valeur))
        return "null";
    if (valeur == 0)
        return "0"; // -0 too
    char tampon[64];
    const auto resultat = std::to_chars(tampon, tampon + sizeof tampon, valeur);
    return std::string(tampon, resultat.ptr);
}

SortieResultat::SortieResultat(std::ostream& sortie, bool sansControle, bool bom)
    : m_sortie(sortie)
    , m_sansControle(sansControle)
    , m_bom(bom)
{
    setp(m_tampon.data(), m_tampon.data() + m_tampon.size());
}

bool SortieResultat::Termine()
{
    Ecrit(true);
    errno = 0;
    if (!m_echec && !m_sortie.flush())
        Echec();
    return !m_echec;
}

SortieResultat::int_type SortieResultat::overflow(int_type c)
{
    Ecrit(false);
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

void SortieResultat::Ecrit(bool fin)
{
    std::string_view bloc(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    // A C1 control's first byte waits for its second.
    const bool garde =
        !fin && m_sansControle && !bloc.empty() && static_cast<unsigned char>(bloc.back()) == 0xC2;
    if (garde)
        bloc.remove_suffix(1);
    if (!bloc.empty() && !m_echec) {
        errno = 0;
        if (m_bom)
            m_sortie << BOM_UTF8;
        m_bom = false;
        if (m_sansControle)
            m_sortie << SansControle(bloc, true);
        else
            m_sortie.write(bloc.data(), static_cast<std::streamsize>(bloc.size()));
        if (!m_sortie)
            Echec();
    }
    m_tampon[0] = static_cast<char>(0xC2);
    setp(m_tampon.data(), m_tampon.data() + m_tampon.size());
    pbump(garde ? 1 : 0);
}

void SortieResultat::Echec()
{
    if (!m_echec)
        m_cause = errno;
    m_echec = true;
}

void Json::Termine()
{
    if (sortie)
        *sortie << texte << '\n';
    texte.clear();
}

void Json::Separe()
{
    constexpr std::size_t BLOC = 64 * 1024;
    if (sortie && texte.size() >= BLOC) {
        *sortie << texte;
        texte.clear();
    }
    if (apresCle) {
        apresCle = false;
        return;
    }
    if (!premiers.empty()) {
        if (!premiers.back())
            texte += ',';
        premiers.back() = false;
    }
}

Json& Json::Ouvre(char c)
{
    Separe();
    texte += c;
    premiers.push_back(true);
    return *this;
}

Json& Json::Ferme(char c)
{
    texte += c;
    premiers.pop_back();
    return *this;
}

Json& Json::DebutObjet()
{
    return Ouvre('{');
}
Json& Json::FinObjet()
{
    return Ferme('}');
}
Json& Json::DebutTableau()
{
    return Ouvre('[');
}
Json& Json::FinTableau()
{
    return Ferme(']');
}

Json& Json::Cle(std::string_view cle)
{
    Valeur(cle);
    texte += ':';
    apresCle = true;
    return *this;
}

Json& Json::Valeur(double valeur)
{
    Separe();
    texte += NombreJson(valeur);
    return *this;
}

Json& Json::Valeur(int valeur)
{
    Separe();
    texte += std::to_string(valeur);
    return *this;
}

Json& Json::Valeur(std::string_view utf8)
{
    Separe();
    texte += '"';
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto octet = static_cast<unsigned char>(utf8[i]);
        // Every control character escaped, DEL and C1 too: the same text, safe on a terminal.
        unsigned code = octet;
        if (LongueurC1(utf8, i) > 0)
            code = static_cast<unsigned char>(utf8[++i]);
        else if (!EstControle(octet)) {
            if (octet == '"' || octet == '\\')
                texte += '\\';
            texte += utf8[i];
            continue;
        }
        char echappe[8];
        std::snprintf(echappe, sizeof echappe, "\\u%04x", code);
        texte += echappe;
    }
    texte += '"';
    return *this;
}

Json& Json::Nul()
{
    Separe();
    texte += "null";
    return *this;
}

Json& Json::Booleen(bool valeur)
{
    Separe();
    texte += valeur ? "true" : "false";
    return *this;
}

} // namespace tavo::cli
