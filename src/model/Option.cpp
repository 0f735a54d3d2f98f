// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Option.h"

#include "model/EcritureTexte.h"
#include "model/Fichier.h"
#include "model/LecteurTexte.h"
#include "model/Texte.h"

TOption::TOption(const std::string& repertoireDepart)
{
    tavo::CopieTexte(RepProgrammes, (repertoireDepart + "/Vols").c_str());
    tavo::CopieTexte(RepConcours, (repertoireDepart + "/Concours").c_str());
}

void TOption::SetRepProgrammes(const char* texte)
{
    tavo::CopieTexte(RepProgrammes, texte);
}

void TOption::SetRepConcours(const char* texte)
{
    tavo::CopieTexte(RepConcours, texte);
}

void TOption::SetRepPublication(const char* texte)
{
    tavo::CopieTexte(RepPublication, texte);
}

void TOption::SetPortTerrain(int port)
{
    if (port >= 1 && port <= 65535)
        PortTerrain = port;
}

std::string TOption::Ecrit() const
{
    std::string sortie;
    for (int drapeau : {SauvegardeAuto, ImpressionAuto, MiseEnPageAuto, Rapport1000, TBL})
        tavo::AjouteLigneEntier(sortie, drapeau);
    tavo::AjouteLigne(sortie, RepConcours);
    tavo::AjouteLigne(sortie, RepProgrammes);
    for (int drapeau : {PublicationAuto, AccordJuges})
        tavo::AjouteLigneEntier(sortie, drapeau);
    tavo::AjouteLigne(sortie, RepPublication);
    tavo::AjouteLigneEntier(sortie, PortTerrain);
    tavo::AjouteLigneEntier(sortie, ClavierSansPave);
    return sortie;
}

void TOption::Lit(std::string_view contenu)
{
    tavo::LecteurTexte lecteur(contenu);
    const auto litDrapeaux = [&lecteur](std::initializer_list<int*> drapeaux) {
        for (int* drapeau : drapeaux) {
            long long valeur = 0;
            if (!lecteur.LitEntier(valeur))
                return false;
            // Read as unsigned: any value other than 0 means the flag is set.
            *drapeau = valeur == 0
                           ? 0
                           : (valeur > 0 && valeur <= 0x7FFFFFFF ? static_cast<int>(valeur) : 1);
        }
        lecteur.SauteFinLigne();
        return true;
    };
    if (!litDrapeaux({&SauvegardeAuto, &ImpressionAuto, &MiseEnPageAuto, &Rapport1000, &TBL}))
        return;
    if (!lecteur.Fin())
        lecteur.LitLigne(RepConcours);
    if (!lecteur.Fin())
        lecteur.LitLigne(RepProgrammes);
    if (lecteur.Fin() || !litDrapeaux({&PublicationAuto, &AccordJuges}) || lecteur.Fin())
        return;
    lecteur.LitLigne(RepPublication);
    long long port = 0;
    if (lecteur.Fin() || !lecteur.LitEntier(port))
        return;
    if (port >= 1 && port <= 65535)
        PortTerrain = static_cast<int>(port);
    lecteur.SauteFinLigne();
    if (!lecteur.Fin())
        litDrapeaux({&ClavierSansPave});
}

std::string TOption::CheminFichier(const std::string& repertoireDepart)
{
    return repertoireDepart + "/tavo.ini";
}

tavo::CodeLecture TOption::Charge(const std::string& repertoireDepart)
{
    std::string contenu;
    const tavo::CodeLecture code = tavo::LitFichierBorne(CheminFichier(repertoireDepart), contenu,
                                                         tavo::TAILLE_MAX_PETIT_FICHIER);
    if (code == tavo::CodeLecture::Ok)
        Lit(contenu);
    return code;
}

bool TOption::Enregistre(const std::string& repertoireDepart) const
{
    return tavo::EcritFichierSur(CheminFichier(repertoireDepart), Ecrit());
}
