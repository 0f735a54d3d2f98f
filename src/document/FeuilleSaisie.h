// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Pilote.h"

namespace tavo {

class TDocument;

/** The keys a score sheet knows, whatever keyboard or device they come from. */
enum class GenreTouche
{
    Entree,
    Echap,
    Gauche,
    Droite,
    Haut,
    Bas,
    Pave,      ///< a digit of the numeric keypad (`chiffre`)
    PavePlus,  ///< the keypad's "+"
    PaveMoins, ///< the keypad's "-"
    Principal, ///< a digit of the main keyboard (`chiffre`)
    Autre,
};

struct ToucheFeuille
{
    GenreTouche genre = GenreTouche::Autre;
    int chiffre = 0;
};

/** What a key did to the sheet. */
enum class EffetTouche
{
    Rien,    ///< refused or without meaning here
    Curseur, ///< the column, the cell or the sub-state changed
    Note,    ///< a mark was stored and the cell moved on
    Fin,     ///< Escape in column choice: the sheet is to be finished
};

/** The sheet once finished: its flight, its score, and the marks above 10 to be checked. */
struct ResultatFeuille
{
    short vol = 1;
    double score = 0;
    int suspectes = 0;
};

/**
 * The entry of one score sheet: the competition's current flight and bib, every
 * judge's marks typed in one at a time. Two sub-states: column choice (Left and
 * Right choose the judge) and mark entry (Up and Down choose the line, a digit
 * stores a mark and moves to the next line). Every mark goes through the
 * document, which journals it. A window shows it and hands it its keys; tests
 * and programs without a window drive it alike.
 */
class TFeuilleSaisie
{
public:
    /** The highest mark of a figure on the paper sheets: above it, a mark is to be checked. */
    static constexpr short MAX_NOTE_FIGURE = 10;

    explicit TFeuilleSaisie(TDocument& document);

    /** Starts the sheet of the competition's current flight and bib, on its loaded programme. */
    void Commence();
    /** A key: what it changed. */
    EffetTouche Touche(const ToucheFeuille& touche);
    /** Finishes the sheet: the flight score computed and stored, the journal on the disk. */
    ResultatFeuille Termine();

    /** The mark a key types: keypad 0 to 9 and "+" 10, main 1 to 9 give 11 to 19, main 0 20. */
    static short ValeurTouche(const ToucheFeuille& touche);

    bool EnSaisie() const { return m_saisie; }
    /** The judge column, 1 to the number of judges. */
    short Colonne() const { return m_colonne; }
    /** The figure line of the cell in mark entry, 1 to the programme's lines. */
    short Ligne() const { return m_ligne; }
    /** The pilot of the sheet, as the competition holds him. */
    TPilote Pilote() const;
    /** The marks above 10 on the sheet's lines. */
    int NotesSuspectes() const;

private:
    EffetTouche ToucheNote(const ToucheFeuille& touche);
    EffetTouche Stocke(short note);

    TDocument& m_document;
    short m_colonne = 1;
    short m_ligne = 1;
    bool m_saisie = false;
};

} // namespace tavo
