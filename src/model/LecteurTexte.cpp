// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/LecteurTexte.h"

#include "model/Constantes.h"
#include "model/Texte.h"

#include <charconv>

namespace tavo {

LecteurTexte::LecteurTexte(std::string_view texte)
    : m_texte(texte)
{}

bool LecteurTexte::LitLigne(std::string_view& ligne)
{
    ligne = {};
    if (Fin())
        return false;
    const std::size_t debut = m_pos;
    std::size_t fin = m_texte.find('\n', debut);
    if (fin == std::string_view::npos) {
        fin = m_texte.size();
        m_pos = fin;
    } else {
        m_pos = fin + 1;
        ++m_ligne;
    }
    std::size_t finTexte = fin;
    if (finTexte > debut && m_texte[finTexte - 1] == '\r')
        --finTexte;
    ligne = m_texte.substr(debut, finTexte - debut);
    if (ligne.size() > static_cast<std::size_t>(MAX_LIGNE_FICHIER))
        ligne = ligne.substr(0, MAX_LIGNE_FICHIER);
    return true;
}

bool LecteurTexte::LitEntier(long long& valeur)
{
    while (m_pos < m_texte.size()) {
        const char c = m_texte[m_pos];
        if (c == '\n')
            ++m_ligne;
        else if (c != ' ' && c != '\t' && c != '\r' && c != '\v' && c != '\f')
            break;
        ++m_pos;
    }
    const char* debut = m_texte.data() + m_pos;
    const char* fin = m_texte.data() + m_texte.size();
    const char* chiffres = debut;
    if (chiffres < fin && *chiffres == '+')
        ++chiffres; // from_chars accepts '-' but not '+'
    long long v = 0;
    const auto [ptr, ec] = std::from_chars(chiffres, fin, v);
    if (ptr == chiffres || (chiffres != debut && *chiffres == '-'))
        return false;
    if (ec == std::errc::result_out_of_range)
        v = (*chiffres == '-') ? std::numeric_limits<long long>::min()
                               : std::numeric_limits<long long>::max();
    m_pos = static_cast<std::size_t>(ptr - m_texte.data());
    valeur = v;
    return true;
}

bool LecteurTexte::LitJusqua(char separateur, long& valeur)
{
    std::size_t i = m_pos;
    while (i < m_texte.size() && m_texte[i] != separateur && m_texte[i] != '\n')
        ++i;
    if (i >= m_texte.size() || m_texte[i] != separateur)
        return false;
    valeur = ValeurEntiere(m_texte.substr(m_pos, i - m_pos));
    m_pos = i + 1;
    return true;
}

void LecteurTexte::SauteFinLigne()
{
    const std::size_t fin = m_texte.find('\n', m_pos);
    if (fin == std::string_view::npos) {
        m_pos = m_texte.size();
    } else {
        m_pos = fin + 1;
        ++m_ligne;
    }
}

} // namespace tavo
