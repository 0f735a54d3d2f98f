// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Date.h"

#include <istream>
#include <list>
#include <string_view>
#include <vector>

/** One figure of a flight programme: its name and K factor. */
class TFigure
{
public:
    const char* GetNom() const { return Nom; }
    short GetK() const { return K; }
    void SetNom(const char* texte);
    void SetK(short k) { K = k; }

private:
    char Nom[255] = {};
    short K = 0;
};

/** A programme's name, date and its noise and conformity lines. */
struct TIdentProgramme
{
    char Nom[25] = {};
    Date DateProgramme;
    short TypeBruit = 0; ///< 0 none, 1 like a figure, 2 -5/0/+5, 3 -10/0
    short KBruit = 0;
    short TypeConformite = 0; ///< 0 none, 1 -10/0
    short KConformite = 0;
};

/**
 * A flight programme read from its file: the figures in order, then the noise
 * line and the conformity line when it has them. Never more lines than the
 * marks grid holds: with both extra lines, at most 23 figures are kept.
 */
class TProgramme
{
public:
    void Reinitialise();

    const char* GetNom() const { return Ident.Nom; }
    const TIdentProgramme& GetIdent() const { return Ident; }
    short NbFigures() const { return static_cast<short>(Figures.size()); }
    /** Figures plus the noise and conformity lines. */
    short NbLignes() const;
    /** Copy of the figure at 1-based position p (p of 1 or less: the first; past the end: an empty
     * one). */
    TFigure GetFigure(short p) const;
    /** K factor of 0-based line k: figures, then noise, then conformity. */
    short GetK(short k) const;

    short GetTypeBruit() const { return Ident.TypeBruit; }
    short GetKBruit() const { return Ident.KBruit; }
    short GetTypeConformite() const { return Ident.TypeConformite; }
    short GetKConformite() const { return Ident.KConformite; }

    /** Whether the noise line accepts a typed mark (0 to 20, or -1 for the minus key). */
    bool BruitValide(short valeur) const;
    /** Whether the conformity line accepts a typed mark (0 to 20, or -1 for the minus key). */
    bool ConformiteValide(short valeur) const;
    /** The mark stored for the minus key on the noise line: -5 (type 2), -10 (type 3), else 0. */
    short NoteNegativeBruit() const;
    /** The mark stored for the minus key on the conformity line: -10 (type 1), else 0. */
    short NoteNegativeConformite() const;

    /** The most figures kept for the current noise and conformity types. */
    short MaxFigures() const;

    /**
     * Reads a programme file's content after `Reinitialise`. Never fails: a
     * missing or malformed number counts as 0 and reading stops there.
     */
    void Lit(std::string_view contenu);

private:
    TIdentProgramme Ident;
    std::list<TFigure> Figures;
    std::vector<short> KFigures; ///< the figures' K factors, for a direct look-up by line
};

std::istream& operator>>(std::istream& flux, TProgramme& programme);
