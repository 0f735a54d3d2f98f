// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavo {
class LecteurTexte;

/** The computer's local time now, as strftime writes it with `format` ("%H:%M:%S"). */
std::string MaintenantLocal(const char* format);
} // namespace tavo

/**
 * A calendar date with its text "jj/mm/aaaa". Setting the three numbers
 * rebuilds the text; `SetTexte` keeps the text as given and reads the numbers
 * from its fixed positions.
 */
class Date
{
public:
    /** Today's date of the computer. */
    Date();
    Date(short jour, short mois, short annee);

    void AujourdHui();
    /** Sets the three numbers together and rebuilds the text. */
    void SetDate(short jour, short mois, short annee);
    /** Stores the text as it is ("##/##/####" expected); numbers from positions 1-2, 4-5, 7-10. */
    void SetTexte(const char* texte);

    const char* GetTexte() const { return Texte; }
    short GetJour() const { return Jour; }
    short GetMois() const { return Mois; }
    short GetAnnee() const { return Annee; }

    /** Appends the file form: day/month/year without leading zeros, and a line end. */
    void Ecrit(std::string& sortie) const;
    /**
     * Reads the file form from the current line, then discards the rest of
     * the line. Returns false when the line does not hold two "/" and a year.
     */
    bool Lit(tavo::LecteurTexte& lecteur);

private:
    void ConstruitTexte();

    short Jour = 1;
    short Mois = 1;
    short Annee = 1990;
    char Texte[11] = {};
};
