// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/LecteurTexte.h"

#include "model/Constantes.h"
#include "model/Texte.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace tavo {

LecteurTexte::LecteurTexte(std::string_view texte)
    : m_texte(texte)
{}

LecteurTexte::LecteurTexte(SourceTexte& source, std::size_t bloc)
    : m_source(&source)
    , m_bloc(bloc < 64 ? 64 : bloc)
{}

bool LecteurTexte::Remplit()
{
    if (!m_source)
        return false;
    // The unread text moves to the front of the buffer, which grows only when little room
    // is left after it (a line longer than half a block).
    const std::size_t reste = m_texte.size() - m_pos;
    if (reste > 0 && m_pos > 0)
        std::memmove(m_tampon.data(), m_tampon.data() + m_pos, reste);
    if (m_tampon.size() - reste < m_bloc / 2)
        m_tampon.resize(std::max(m_tampon.size() * 2, reste + m_bloc));
    const std::size_t lu = m_source->Lit(m_tampon.data() + reste, m_tampon.size() - reste);
    m_texte = std::string_view(m_tampon.data(), reste + lu);
    m_pos = 0;
    if (lu == 0)
        m_source = nullptr; // at the end: never asked again
    return lu > 0;
}

bool LecteurTexte::Fin()
{
    return m_pos >= m_texte.size() && !Remplit();
}

std::size_t LecteurTexte::Cherche(char c, std::size_t depuis)
{
    for (;;) {
        const std::size_t trouve = m_texte.find(c, depuis);
        if (trouve != std::string_view::npos)
            return trouve;
        const std::size_t decalage = m_pos;
        const std::size_t vu = m_texte.size();
        if (!Remplit())
            return std::string_view::npos;
        depuis = vu - decalage; // the positions moved back by what was dropped
    }
}

bool LecteurTexte::LitLigne(std::string_view& ligne)
{
    ligne = {};
    if (Fin())
        return false;
    std::size_t fin = Cherche('\n', m_pos);
    const std::size_t debut = m_pos;
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

bool LecteurTexte::LitEntierLent(long long& valeur)
{
    for (;;) {
        if (m_pos >= m_texte.size() && !Remplit())
            return false;
        const char c = m_texte[m_pos];
        if (c == '\n')
            ++m_ligne;
        else if (c != ' ' && c != '\t' && c != '\r' && c != '\v' && c != '\f')
            break;
        ++m_pos;
    }
    // The whole number in the buffer: a sign, then digits up to the first other character.
    for (std::size_t i = m_pos;; ++i) {
        if (i >= m_texte.size()) {
            const std::size_t decalage = m_pos;
            if (!Remplit())
                break;
            i -= decalage;
        }
        const char c = m_texte[i];
        if (!(c >= '0' && c <= '9') && !(i == m_pos && (c == '+' || c == '-')))
            break;
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
    for (;; ++i) {
        if (i >= m_texte.size()) {
            const std::size_t decalage = m_pos;
            if (!Remplit())
                return false;
            i -= decalage;
        }
        if (m_texte[i] == separateur || m_texte[i] == '\n')
            break;
    }
    if (m_texte[i] != separateur)
        return false;
    valeur = ValeurEntiere(m_texte.substr(m_pos, i - m_pos));
    m_pos = i + 1;
    return true;
}

void LecteurTexte::SauteFinLigne()
{
    const std::size_t fin = Cherche('\n', m_pos);
    if (fin == std::string_view::npos) {
        m_pos = m_texte.size();
    } else {
        m_pos = fin + 1;
        ++m_ligne;
    }
}

} // namespace tavo
