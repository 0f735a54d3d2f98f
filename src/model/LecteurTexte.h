// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace tavo {

/**
 * Where a streamed text comes from: `Lit` fills up to `taille` bytes and
 * returns how many, 0 at the end (or after a failure, which the source keeps).
 */
class SourceTexte
{
public:
    virtual ~SourceTexte() = default;
    virtual std::size_t Lit(char* tampon, std::size_t taille) = 0;
};

/**
 * Sequential reader of a text, as the file readers need it: whole lines (CR LF
 * or LF), decimal integers separated by any blanks and line ends, and the rest
 * of a line to discard. Tracks the line number for messages. The text is held
 * in memory, or streamed from a `SourceTexte` through a buffer of a few blocks,
 * so that a large file is never held whole.
 */
class LecteurTexte
{
public:
    explicit LecteurTexte(std::string_view texte);
    /** Streams from `source` by blocks of `bloc` bytes (the buffer grows only for a longer line).
     */
    explicit LecteurTexte(SourceTexte& source, std::size_t bloc = std::size_t{1} << 20);

    /** True once every character has been read. */
    bool Fin();
    /** 1-based number of the line the next character belongs to. */
    std::size_t Ligne() const { return m_ligne; }

    /**
     * Reads the rest of the current line (without its line end) and moves to
     * the next one. At most `MAX_LIGNE_FICHIER` characters are kept. Returns
     * false, with `ligne` empty, when nothing is left to read. The view lasts
     * until the next read.
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

    /** `n` times `LitEntier` into a type (at most 16), faster for a line of one-digit marks. */
    template <typename T> bool LitEntiers(T* valeurs, std::size_t n, bool& horsLimites);

    /**
     * Reads the characters of the current line up to `separateur` and
     * converts them as a decimal number (0 when they are not one), then skips
     * the separator. Returns false when the separator is not on this line.
     */
    bool LitJusqua(char separateur, long& valeur);

    /** Discards the rest of the current line, its line end included. */
    void SauteFinLigne();

private:
    /** Keeps the unread text, appends the next block; false at the end of the source. */
    bool Remplit();
    /** The position of `c` at or after `depuis`, reading on as needed; npos when the text ends
     * first. */
    std::size_t Cherche(char c, std::size_t depuis);
    bool LitEntierLent(long long& valeur);

    std::string_view m_texte;
    std::size_t m_pos = 0;
    std::size_t m_ligne = 1;
    SourceTexte* m_source = nullptr;
    std::string m_tampon;
    std::size_t m_bloc = 0;
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

inline bool LecteurTexte::LitEntier(long long& valeur)
{
    // The marks of a file: a few digits between single blanks, far from the buffer's end.
    const char* p = m_texte.data() + m_pos;
    const char* const fin = m_texte.data() + m_texte.size();
    if (fin - p < 64)
        return LitEntierLent(valeur);
    std::size_t lignes = 0;
    const char* const limite = fin - 24;
    while (p < limite && (*p == ' ' || *p == '\n' || *p == '\r')) {
        lignes += *p == '\n';
        ++p;
    }
    const bool negatif = *p == '-';
    const char* chiffres = p + negatif;
    unsigned long long v = 0;
    const char* q = chiffres;
    while (q < chiffres + 18 && static_cast<unsigned char>(*q - '0') < 10) {
        v = v * 10 + static_cast<unsigned>(*q - '0');
        ++q;
    }
    if (p >= limite || q == chiffres || static_cast<unsigned char>(*q - '0') < 10) {
        m_ligne += lignes; // the rare forms: "+", tabs, 19 digits or more, the end near
        m_pos = static_cast<std::size_t>(p - m_texte.data());
        return LitEntierLent(valeur);
    }
    m_ligne += lignes;
    m_pos = static_cast<std::size_t>(q - m_texte.data());
    valeur = negatif ? -static_cast<long long>(v) : static_cast<long long>(v);
    return true;
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

template <typename T> bool LecteurTexte::LitEntiers(T* valeurs, std::size_t n, bool& horsLimites)
{
    // "8 7 9 0 0 ": one-digit marks a blank apart, after the line end before them.
    const char* p = m_texte.data() + m_pos;
    const char* const fin = m_texte.data() + m_texte.size();
    if (n >= 1 && n <= 16 && fin - p >= 64) {
        const char* const limite = fin - 40;
        std::size_t lignes = 0;
        while (p < limite && (*p == '\n' || *p == '\r' || *p == ' ')) {
            lignes += *p == '\n';
            ++p;
        }
        const auto chiffre = [](char c) { return static_cast<unsigned char>(c - '0') < 10; };
        bool courts = p < limite && !chiffre(p[2 * n - 1]);
        for (std::size_t i = 0; i < n && courts; ++i)
            courts = chiffre(p[2 * i]) && (i + 1 == n || p[2 * i + 1] == ' ');
        if (courts) {
            for (std::size_t i = 0; i < n; ++i)
                valeurs[i] = static_cast<T>(p[2 * i] - '0');
            horsLimites = false;
            m_ligne += lignes;
            m_pos = static_cast<std::size_t>(p + 2 * n - 1 - m_texte.data());
            return true;
        }
    }
    for (std::size_t i = 0; i < n; ++i)
        if (!LitEntier(valeurs[i], horsLimites))
            return false;
    return true;
}

} // namespace tavo
