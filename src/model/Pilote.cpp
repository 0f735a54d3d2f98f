// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Pilote.h"

#include "model/EcritureTexte.h"
#include "model/Empreinte.h"
#include "model/LecteurTexte.h"
#include "model/Texte.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using tavo::CopieTexte;

void TIdentPilote::SetNom(const char* texte)
{
    CopieTexte(Nom, texte);
}
void TIdentPilote::SetPrenom(const char* texte)
{
    CopieTexte(Prenom, texte);
}
void TIdentPilote::SetClub(const char* texte)
{
    CopieTexte(Club, texte);
}
void TIdentPilote::SetNumClub(const char* texte)
{
    CopieTexte(NumClub, texte);
}
void TIdentPilote::SetLicence(const char* texte)
{
    CopieTexte(Licence, texte);
}
void TIdentPilote::SetFrequence1(const char* texte)
{
    CopieTexte(Frequence1, texte);
}
void TIdentPilote::SetFrequence2(const char* texte)
{
    CopieTexte(Frequence2, texte);
}
void TIdentPilote::SetDossard(const char* texte)
{
    CopieTexte(Dossard, texte);
}

long TIdentPilote::ValeurDossard() const
{
    return tavo::ValeurEntiere(Dossard);
}

void TIdentPilote::Ecrit(std::string& sortie) const
{
    for (const char* champ : {Nom, Prenom, Club, NumClub, Licence, Frequence1, Frequence2, Dossard})
        tavo::AjouteLigne(sortie, champ);
}

void TIdentPilote::AjouteEmpreinte(tavo::TEmpreinteOctets& empreinte) const
{
    for (const char* champ : {Nom, Prenom, Club, NumClub, Licence, Frequence1, Frequence2, Dossard})
        empreinte.Ajoute(champ, std::strlen(champ) + 1); // the NUL keeps the fields apart
}

bool TIdentPilote::Lit(tavo::LecteurTexte& lecteur)
{
    return lecteur.LitLigne(Nom) && lecteur.LitLigne(Prenom) && lecteur.LitLigne(Club) &&
           lecteur.LitLigne(NumClub) && lecteur.LitLigne(Licence) && lecteur.LitLigne(Frequence1) &&
           lecteur.LitLigne(Frequence2) && lecteur.LitLigne(Dossard);
}

TNotesPilote::TNotesPilote()
    : Notes{}
    , ScoreVol{}
    , ScoreJuge{}
    , ScoreJugeBruitConf{}
    , ScoreJugeTBL{}
    , ScoreVol1000{}
    , Total(0.0)
    , TotalFlyOff(0.0)
{
    for (int j = 0; j < MAX_JUGES; ++j)
        for (int v = 0; v < MAX_VOLS; ++v) {
            JugeRetenu[j][v] = 1;
            RangJuge[j][v] = 1;
        }
}

namespace {
bool volValide(short vol)
{
    return vol >= 1 && vol <= MAX_VOLS;
}
} // namespace

void TNotesPilote::SetNote(short vol, short figure, short juge, short note)
{
    if (JugeVolValides(juge, vol) && figure >= 1 && figure <= MAX_FIGURES)
        Notes[juge - 1][vol - 1][figure - 1] = note;
}

void TNotesPilote::SetScoreVol(short vol, double valeur)
{
    if (volValide(vol))
        ScoreVol[vol - 1] = valeur;
}

void TNotesPilote::SetScoreVol1000(short vol, double valeur)
{
    if (volValide(vol))
        ScoreVol1000[vol - 1] = valeur;
}

void TNotesPilote::SetScoreJugeTBL(short juge, short vol, double valeur)
{
    if (JugeVolValides(juge, vol))
        ScoreJugeTBL[juge - 1][vol - 1] = valeur;
}

short TNotesPilote::GetJugeRetenu(short juge, short vol) const
{
    return JugeVolValides(juge, vol) ? JugeRetenu[juge - 1][vol - 1] : short{0};
}

void TNotesPilote::RejeteJuge(short juge, short vol)
{
    if (JugeVolValides(juge, vol))
        JugeRetenu[juge - 1][vol - 1] = 0;
}

void TNotesPilote::RetientJuges(short vol)
{
    if (volValide(vol))
        for (auto& juge : JugeRetenu)
            juge[vol - 1] = 1;
}

short TNotesPilote::GetRangJuge(short juge, short vol) const
{
    return JugeVolValides(juge, vol) ? RangJuge[juge - 1][vol - 1] : short{0};
}

void TNotesPilote::SetRangJuge(short juge, short vol, short rang)
{
    if (JugeVolValides(juge, vol))
        RangJuge[juge - 1][vol - 1] = rang;
}

bool TNotesPilote::SansNote() const
{
    const short* debut = &Notes[0][0][0];
    return std::all_of(debut, debut + MAX_JUGES * MAX_VOLS * MAX_FIGURES,
                       [](short note) { return note == 0; });
}

void TNotesPilote::Ecrit(std::string& sortie) const
{
    for (int v = 0; v < MAX_VOLS; ++v) {
        for (int f = 0; f < MAX_FIGURES; ++f) {
            for (int j = 0; j < MAX_JUGES; ++j) {
                tavo::AjouteEntier(sortie, Notes[j][v][f]);
                sortie += ' ';
            }
            tavo::FinLigne(sortie);
        }
        tavo::FinLigne(sortie);
    }
}

bool TNotesPilote::Lit(tavo::LecteurTexte& lecteur, bool& horsLimites)
{
    for (int v = 0; v < MAX_VOLS; ++v)
        for (int f = 0; f < MAX_FIGURES; ++f) {
            short ligne[MAX_JUGES] = {};
            const bool lue = lecteur.LitEntiers(ligne, MAX_JUGES, horsLimites);
            for (int j = 0; j < MAX_JUGES; ++j)
                Notes[j][v][f] = ligne[j];
            if (!lue)
                return false;
        }
    return true;
}

void TNotesPilote::AjouteEmpreinte(tavo::TEmpreinteOctets& empreinte) const
{
    empreinte.Ajoute(Notes, sizeof Notes);
}

double TPilote::MoyenneJuges(short nbJuges, short vol) const
{
    double somme = 0.0;
    int retenus = 0;
    for (short j = 1; j <= nbJuges && j <= MAX_JUGES; ++j) {
        const short flag = GetJugeRetenu(j, vol);
        somme += flag * GetScoreJugeTBL(j, vol);
        retenus += flag;
    }
    return retenus == 0 ? 0.0 : somme / retenus;
}

double TPilote::EcartTypeJuges(short nbJuges, short vol) const
{
    int retenus = 0;
    for (short j = 1; j <= nbJuges && j <= MAX_JUGES; ++j)
        retenus += GetJugeRetenu(j, vol);
    if (retenus < 2)
        return 0.0;
    const double moyenne = MoyenneJuges(nbJuges, vol);
    double somme = 0.0;
    for (short j = 1; j <= nbJuges && j <= MAX_JUGES; ++j) {
        const double ecart = GetScoreJugeTBL(j, vol) - moyenne;
        somme += GetJugeRetenu(j, vol) * ecart * ecart;
    }
    return std::sqrt(somme / (retenus - 1));
}

bool TPilote::EstVide() const
{
    for (const char* texte : {GetNom(), GetPrenom(), GetClub(), GetNumClub(), GetLicence(),
                              GetFrequence1(), GetFrequence2(), GetDossard()})
        if (texte[0] != '\0')
            return false;
    return NotesP.SansNote();
}

void TPilote::Ecrit(std::string& sortie) const
{
    Ident.Ecrit(sortie);
    NotesP.Ecrit(sortie);
}

std::uint64_t TPilote::Empreinte() const
{
    tavo::TEmpreinteOctets empreinte;
    Ident.AjouteEmpreinte(empreinte);
    NotesP.AjouteEmpreinte(empreinte);
    return empreinte.Valeur();
}
