// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace tavo {

/**
 * Sequential reader of a text held in memory, as the file readers need it:
 * whole lines (CR LF or LF), decimal integers separated by any blanks and line
 * ends, and the rest of a line to discard. Tracks the line number for messages.
 */
class LecteurTexte
{
public:
    explicit LecteurTexte(std::string_view texte);

    /** True once every character has been read. */
    bool Fin() const { return m_pos >= m_texte.size(); }
    /** 1-based number of the line the next character belongs to. */
    std::size_t Ligne() const { return m_ligne; }

    /**
     * Reads the rest of the current line (without its line end) and moves to
     * the next one. At most `MAX_LIGNE_FICHIER` characters are kept. Returns
     * false, with `ligne` empty, when nothing is left to read.
     */
    bool LitLigne(std::string_view& ligne);

    /**
     * Reads a line into a fixed-capacity field, cut to its capacity. A NUL
     * byte in the line is read as a space, so that it cannot end the text early.
     */
    template <std::size_t N> bool LitLigne(char (&champ)[N]);

    /**
     * Skips blanks and line ends, then reads an optional sign and decimal
     * digits. Returns false when no digit stands there (end of text, or other
     * text); the position is then left on the offending character.
     */
    bool LitEntier(long long& valeur);

    /** `LitEntier` into a type, failing when the value does not fit it. */
    template <typename T> bool LitEntier(T& valeur, bool& horsLimites);

    /**
     * Reads the characters of the current line up to `separateur` and
     * converts them as a decimal number (0 when they are not one), then skips
     * the separator. Returns false when the separator is not on this line.
     */
    bool LitJusqua(char separateur, long& valeur);

    /** Discards the rest of the current line, its line end included. */
    void SauteFinLigne();

private:
    std::string_view m_texte;
    std::size_t m_pos = 0;
    std::size_t m_ligne = 1;
};

template <std::size_t N> bool LecteurTexte::LitLigne(char (&champ)[N])
{
    std::string_view ligne;
    const bool ok = LitLigne(ligne);
    const std::size_t n = ligne.size() < N - 1 ? ligne.size() : N - 1;
    for (std::size_t i = 0; i < n; ++i)
        champ[i] = ligne[i] == '\0' ? ' ' : ligne[i];
    champ[n] = '\0';
    return ok;
}

template <typename T> bool LecteurTexte::LitEntier(T& valeur, bool& horsLimites)
{
    long long v = 0;
    horsLimites = false;
    if (!LitEntier(v))
        return false;
    if (v < static_cast<long long>(std::numeric_limits<T>::min()) ||
        v > static_cast<long long>(std::numeric_limits<T>::max())) {
        horsLimites = true;
        return false;
    }
    valeur = static_cast<T>(v);
    return true;
}

} // namespace tavo
