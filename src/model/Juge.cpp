// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Juge.h"

#include "model/EcritureTexte.h"
#include "model/LecteurTexte.h"
#include "model/Texte.h"

void TJuge::SetNom(const char* texte)
{
    tavo::CopieTexte(Nom, texte);
}
void TJuge::SetPrenom(const char* texte)
{
    tavo::CopieTexte(Prenom, texte);
}
void TJuge::SetClub(const char* texte)
{
    tavo::CopieTexte(Club, texte);
}
void TJuge::SetLicence(const char* texte)
{
    tavo::CopieTexte(Licence, texte);
}

void TJuge::Ecrit(std::string& sortie) const
{
    for (const char* champ : {Nom, Prenom, Licence, Club})
        tavo::AjouteLigne(sortie, champ);
    tavo::AjouteLigneEntier(sortie, Grade);
}

bool TJuge::Lit(tavo::LecteurTexte& lecteur, bool& horsLimites)
{
    horsLimites = false;
    if (!(lecteur.LitLigne(Nom) && lecteur.LitLigne(Prenom) && lecteur.LitLigne(Licence) &&
          lecteur.LitLigne(Club)))
        return false;
    if (!lecteur.LitEntier(Grade, horsLimites))
        return false;
    lecteur.SauteFinLigne();
    return true;
}
