// SPDX-License-Identifier: GPL-3.0-or-later
// The two pilot rankings: after N flights and after k fly-offs.
#include "model/Concours.h"
#include "model/Option.h"
#include "scoring/Classements.h"
#include "scoring/Regles.h"

#include <algorithm>
#include <cstring>

namespace tavo {

ParametresCalcul::ParametresCalcul(const TOption& options)
    : repProgrammes(options.GetRepProgrammes())
    , tbl(options.GetTBL() != 0)
    , rapport1000(options.GetRapport1000() != 0)
{}

namespace {

using Pilotes = std::vector<const TPilote*>;

Pilotes CopiePilotes(const TConcours& concours)
{
    Pilotes pilotes;
    pilotes.reserve(concours.GetPilotes().size());
    for (const TPilote& pilote : concours.GetPilotes())
        pilotes.push_back(&pilote);
    return pilotes;
}

// Descending on one key; equal keys keep the order they had.
template <typename Cle>
void TrieDecroissant(Pilotes::iterator debut, Pilotes::iterator fin, Cle cle)
{
    std::stable_sort(debut, fin,
                     [&cle](const TPilote* a, const TPilote* b) { return cle(*a) > cle(*b); });
}

LigneClassement Ligne(const TPilote& pilote, int rang, int premierVol, int vols)
{
    LigneClassement ligne;
    ligne.rang = rang;
    ligne.dossard = pilote.GetDossard();
    ligne.nom = pilote.GetNom();
    ligne.prenom = pilote.GetPrenom();
    ligne.qualif = pilote.GetTotalFlyOff();
    for (int v = premierVol; v < premierVol + vols; ++v) {
        ligne.scores.push_back(pilote.GetScoreVol(static_cast<short>(v)));
        ligne.scores1000.push_back(pilote.GetScoreVol1000(static_cast<short>(v)));
    }
    ligne.total = pilote.GetTotal();
    return ligne;
}

std::vector<LigneClassement> Lignes(const Pilotes& pilotes, int premierVol, int vols)
{
    std::vector<LigneClassement> lignes;
    lignes.reserve(pilotes.size());
    for (const TPilote* pilote : pilotes)
        lignes.push_back(Ligne(*pilote, static_cast<int>(lignes.size()) + 1, premierVol, vols));
    return lignes;
}

} // namespace

Statut ManqueProgrammes(TConcours& concours, const ParametresCalcul& parametres, int n)
{
    Statut statut{false, Manque::Programmes};
    statut.nbVols = concours.GetNbVols();
    for (short v = 1; v <= n; ++v)
        if (!concours.ChargeProgramme(v, parametres.repProgrammes)) {
            statut.vol = v;
            statut.programme = concours.GetProgrammeVol(static_cast<short>(v - 1));
            break;
        }
    return statut;
}

Statut PrepareClassementVols(TConcours& concours, const ParametresCalcul& parametres, int n)
{
    if (!concours.CalculeVols(static_cast<short>(n), parametres.repProgrammes, parametres.tbl))
        return ManqueProgrammes(concours, parametres, n);
    return {};
}

bool TblSurVols(const TConcours& concours, int n)
{
    for (short v = 1; v <= n; ++v)
        if (concours.TblApplique(v))
            return true;
    return false;
}

ClassementVols CalculeClassementVols(TConcours& concours, int n, bool rapport1000)
{
    ClassementVols classement;
    classement.vols = n;
    classement.tbl = TblSurVols(concours, n);
    classement.regle = RegleApresVols(concours.GetCategorie(), n);
    if (classement.regle == 0) {
        // No rule for this category: no total of another N may show.
        for (TPilote& pilote : concours.GetPilotes())
            pilote.SetTotal(0.0);
    }
    concours.CalculeTotaux(classement.regle, rapport1000 ? 1 : 0);
    Pilotes pilotes = CopiePilotes(concours);
    TrieDecroissant(pilotes.begin(), pilotes.end(), [](const TPilote& p) { return p.GetTotal(); });
    classement.lignes = Lignes(pilotes, 1, n);
    return classement;
}

Resultat<ClassementVols> ClassementApresVols(TConcours& concours,
                                             const ParametresCalcul& parametres, int n)
{
    Resultat<ClassementVols> resultat;
    resultat.statut = PrepareClassementVols(concours, parametres, n);
    if (resultat.statut)
        resultat.valeur = CalculeClassementVols(concours, n, parametres.rapport1000);
    else
        resultat.valeur.vols = n;
    return resultat;
}

Statut PrepareClassementFlyOff(TConcours& concours, const ParametresCalcul& parametres, int k)
{
    const int vols = VolsFlyOff(concours.GetCategorie(), k);
    if (!concours.CalculeVols(static_cast<short>(vols), parametres.repProgrammes, parametres.tbl))
        return ManqueProgrammes(concours, parametres, vols);
    return {};
}

ClassementFlyOff CalculeClassementFlyOff(TConcours& concours, int k)
{
    const char* categorie = concours.GetCategorie();
    const char* serie = concours.GetSerie();
    ClassementFlyOff classement;
    classement.flyoffs = k;
    classement.volsQualif = VolsQualification(categorie);
    classement.regle = RegleFlyOff(categorie, serie, concours.DepuisAn2000(), k);
    classement.tbl = TblSurVols(concours, VolsFlyOff(categorie, k));
    if (classement.regle == 0)
        return classement;

    concours.CalculeTotaux(std::strcmp(categorie, "VGM") == 0 ? 7 : 3, 1);
    if (QualifRapporteeA1000(categorie, serie, concours.DepuisAn2000()))
        concours.NormaliseQualif1000();
    concours.CalculeTotaux(classement.regle, 1);

    // Qualification order, then the finalists (the head, down to the first pilot
    // without a total) on their fly-off total.
    Pilotes pilotes = CopiePilotes(concours);
    TrieDecroissant(pilotes.begin(), pilotes.end(),
                    [](const TPilote& p) { return p.GetTotalFlyOff(); });
    const auto queue = std::find_if(pilotes.begin(), pilotes.end(),
                                    [](const TPilote* p) { return !AVole(p->GetTotal()); });
    TrieDecroissant(pilotes.begin(), queue, [](const TPilote& p) { return p.GetTotal(); });
    classement.lignes = Lignes(pilotes, classement.volsQualif + 1, k);
    return classement;
}

Resultat<ClassementFlyOff> ClassementApresFlyOff(TConcours& concours,
                                                 const ParametresCalcul& parametres, int k)
{
    Resultat<ClassementFlyOff> resultat;
    const bool regle =
        RegleFlyOff(concours.GetCategorie(), concours.GetSerie(), concours.DepuisAn2000(), k) != 0;
    if (regle)
        resultat.statut = PrepareClassementFlyOff(concours, parametres, k);
    if (resultat.statut)
        resultat.valeur = CalculeClassementFlyOff(concours, k);
    else {
        resultat.valeur.flyoffs = k;
        resultat.valeur.volsQualif = VolsQualification(concours.GetCategorie());
    }
    return resultat;
}

} // namespace tavo
