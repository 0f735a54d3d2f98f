// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Programme.h"

#include "model/Constantes.h"
#include "model/LecteurTexte.h"
#include "model/Texte.h"

#include <algorithm>
#include <iterator>
#include <sstream>

void TFigure::SetNom(const char* texte)
{
    tavo::CopieTexte(Nom, texte);
}

void TProgramme::Reinitialise()
{
    Figures.clear();
    KFigures.clear();
    Ident.Nom[0] = '\0';
    Ident.DateProgramme.SetDate(1, 1, 1990);
    Ident.TypeBruit = 0;
    Ident.KBruit = 0;
    Ident.TypeConformite = 0;
    Ident.KConformite = 0;
}

short TProgramme::NbLignes() const
{
    return static_cast<short>(NbFigures() + (Ident.TypeBruit != 0 ? 1 : 0) +
                              (Ident.TypeConformite != 0 ? 1 : 0));
}

short TProgramme::MaxFigures() const
{
    const int lignesEnPlus = (Ident.TypeBruit != 0 ? 1 : 0) + (Ident.TypeConformite != 0 ? 1 : 0);
    return static_cast<short>(std::min(MAX_FIGURES_FICHIER, MAX_FIGURES - lignesEnPlus));
}

TFigure TProgramme::GetFigure(short p) const
{
    if (Figures.empty())
        return {};
    if (p <= 1)
        return Figures.front();
    if (p > NbFigures())
        return {};
    return *std::next(Figures.begin(), p - 1);
}

short TProgramme::GetK(short k) const
{
    const short n = NbFigures();
    if (k == n)
        return Ident.TypeBruit != 0 ? Ident.KBruit : Ident.KConformite;
    if (k == n + 1)
        return Ident.KConformite;
    if (k < 0 || k > n)
        return 0;
    return KFigures[static_cast<std::size_t>(k)];
}

bool TProgramme::BruitValide(short valeur) const
{
    switch (Ident.TypeBruit) {
    case 1:
        return valeur != -1;
    case 2:
        return valeur == 0 || valeur == 5 || valeur == -1;
    case 3:
        return valeur == 0 || valeur == -1;
    default:
        return false;
    }
}

bool TProgramme::ConformiteValide(short valeur) const
{
    return Ident.TypeConformite == 1 && (valeur == 0 || valeur == -1);
}

short TProgramme::NoteNegativeBruit() const
{
    switch (Ident.TypeBruit) {
    case 2:
        return -5;
    case 3:
        return -10;
    default:
        return 0;
    }
}

short TProgramme::NoteNegativeConformite() const
{
    return Ident.TypeConformite == 1 ? -10 : 0;
}

namespace {

// Reads an integer into a short; a missing, malformed or out-of-range value gives 0.
bool litCourt(tavo::LecteurTexte& lecteur, short& valeur)
{
    bool horsLimites = false;
    if (lecteur.LitEntier(valeur, horsLimites))
        return true;
    valeur = 0;
    return false;
}

} // namespace

void TProgramme::Lit(std::string_view contenu)
{
    tavo::LecteurTexte lecteur(contenu);
    lecteur.LitLigne(Ident.Nom);
    if (!Ident.DateProgramme.Lit(lecteur))
        lecteur.SauteFinLigne();
    if (!litCourt(lecteur, Ident.TypeBruit))
        return;
    if (Ident.TypeBruit != 0 && !litCourt(lecteur, Ident.KBruit))
        return;
    if (!litCourt(lecteur, Ident.TypeConformite))
        return;
    if (Ident.TypeConformite != 0 && !litCourt(lecteur, Ident.KConformite))
        return;
    lecteur.SauteFinLigne();
    lecteur.SauteFinLigne();

    long long annonces = 0;
    if (!lecteur.LitEntier(annonces))
        return;
    lecteur.SauteFinLigne();
    const long long nombre = std::clamp<long long>(annonces, 0, MaxFigures());
    for (long long i = 0; i < nombre && !lecteur.Fin(); ++i) {
        char nom[255]; // a figure name's capacity; a NUL in the line reads as a space
        lecteur.LitLigne(nom);
        TFigure figure;
        figure.SetNom(nom);
        short k = 0;
        const bool kLu = litCourt(lecteur, k);
        figure.SetK(k);
        Figures.push_back(figure);
        KFigures.push_back(k);
        if (!kLu)
            return;
        lecteur.SauteFinLigne();
    }
}

std::istream& operator>>(std::istream& flux, TProgramme& programme)
{
    std::ostringstream contenu;
    contenu << flux.rdbuf();
    programme.Reinitialise();
    programme.Lit(contenu.str());
    return flux;
}
