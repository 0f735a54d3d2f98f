// SPDX-License-Identifier: GPL-3.0-or-later
// The judge ranking of a flight, a judge's score diagram and the TBL profile.
#include "model/Concours.h"
#include "scoring/Classements.h"
#include "scoring/Regles.h"

#include <algorithm>
#include <numeric>

namespace tavo {

namespace {

// Names of judges 1 to J; a judge not entered has an empty name.
std::vector<std::string> NomsJuges(const TConcours& concours)
{
    const short juges = JugesEffectifs(concours.GetNbJuges());
    std::vector<std::string> noms;
    for (const TJuge& juge : concours.GetJuges()) {
        if (static_cast<short>(noms.size()) == juges)
            break;
        noms.emplace_back(juge.GetNom());
    }
    noms.resize(static_cast<std::size_t>(juges));
    return noms;
}

Statut ChargeVol(TConcours& concours, const ParametresCalcul& parametres, int v)
{
    if (!concours.ChargeProgramme(static_cast<short>(v), parametres.repProgrammes))
        return {false, Manque::ProgrammeVol, v};
    return {};
}

LigneJuges LigneJuge(const TPilote& pilote, int rang, short vol, short juges,
                     const std::array<int, MAX_JUGES>& places)
{
    LigneJuges ligne;
    ligne.rang = rang;
    ligne.dossard = pilote.GetDossard();
    ligne.nom = pilote.GetNom();
    ligne.prenom = pilote.GetPrenom();
    ligne.final = pilote.GetScoreVol(vol);
    for (short j = 1; j <= juges; ++j)
        ligne.notes.push_back(
            {pilote.GetScoreJuge(j, vol), EcartJugePourcent(pilote, j, vol), places[j - 1]});
    return ligne;
}

} // namespace

double EcartJugePourcent(const TPilote& pilote, short juge, short vol)
{
    const double score = pilote.GetScoreVol(vol);
    if (!AVole(score))
        return 0.0;
    return (pilote.GetScoreJuge(juge, vol) - score) * 100 / score;
}

Statut PrepareClassementJuges(TConcours& concours, const ParametresCalcul& parametres, int v)
{
    Statut statut = ChargeVol(concours, parametres, v);
    if (statut)
        concours.CalculeVolPilotes(static_cast<short>(v));
    return statut;
}

ClassementJuges CalculeClassementJuges(TConcours& concours, int v)
{
    const auto vol = static_cast<short>(v);
    const short juges = JugesEffectifs(concours.GetNbJuges());
    concours.CalculeVolPilotes(vol);

    std::vector<const TPilote*> pilotes;
    for (const TPilote& pilote : concours.GetPilotes())
        pilotes.push_back(&pilote);
    std::vector<std::size_t> ordre(pilotes.size());
    std::iota(ordre.begin(), ordre.end(), std::size_t{0});
    // The keys are read once into an array: sorting then stays in one small block of memory.
    std::vector<double> cles(pilotes.size());
    auto trie = [&](auto cle) {
        for (std::size_t i = 0; i < pilotes.size(); ++i)
            cles[i] = cle(*pilotes[i]);
        std::stable_sort(ordre.begin(), ordre.end(),
                         [&cles](std::size_t a, std::size_t b) { return cles[a] > cles[b]; });
    };

    // Each judge's own order gives the places; they stay in these rows.
    std::vector<std::array<int, MAX_JUGES>> places(pilotes.size());
    for (short j = 1; j <= juges; ++j) {
        trie([j, vol](const TPilote& p) { return p.GetScoreJuge(j, vol); });
        for (std::size_t i = 0; i < ordre.size(); ++i)
            places[ordre[i]][j - 1] = static_cast<int>(i) + 1;
    }
    trie([vol](const TPilote& p) { return p.GetScoreVol(vol); });

    ClassementJuges classement;
    classement.vol = v;
    classement.juges = NomsJuges(concours);
    // Every pilot who has flown is listed, those with a negative score last.
    for (std::size_t i : ordre)
        if (AVole(pilotes[i]->GetScoreVol(vol)))
            classement.lignes.push_back(LigneJuge(*pilotes[i],
                                                  static_cast<int>(classement.lignes.size()) + 1,
                                                  vol, juges, places[i]));
    return classement;
}

Resultat<ClassementJuges> ClassementJugesVol(TConcours& concours,
                                             const ParametresCalcul& parametres, int v)
{
    Resultat<ClassementJuges> resultat;
    resultat.statut = ChargeVol(concours, parametres, v);
    if (resultat.statut)
        resultat.valeur = CalculeClassementJuges(concours, v);
    else
        resultat.valeur.vol = v;
    return resultat;
}

Statut PrepareDiagramme(TConcours& concours, const ParametresCalcul& parametres)
{
    if (!concours.CalculeVols(VolsEffectifs(concours.GetNbVols()), parametres.repProgrammes,
                              parametres.tbl))
        return ManqueProgrammes(concours, parametres, VolsEffectifs(concours.GetNbVols()));
    return {};
}

DiagrammeJuge CalculeDiagramme(TConcours& concours, int j, const std::string& repProgrammes)
{
    const auto juge = static_cast<short>(j);
    DiagrammeJuge diagramme;
    diagramme.juge = j;
    const std::vector<std::string> noms = NomsJuges(concours);
    if (j >= 1 && j <= static_cast<int>(noms.size()))
        diagramme.nom = noms[static_cast<std::size_t>(j - 1)];
    StatistiquesNotesJuge(concours, juge, repProgrammes, diagramme);
    return diagramme;
}

Resultat<DiagrammeJuge> DiagrammeNotesJuge(TConcours& concours, const ParametresCalcul& parametres,
                                           int j)
{
    Resultat<DiagrammeJuge> resultat;
    resultat.statut = PrepareDiagramme(concours, parametres);
    if (resultat.statut)
        resultat.valeur = CalculeDiagramme(concours, j, parametres.repProgrammes);
    else
        resultat.valeur.juge = j;
    return resultat;
}

Statut PrepareProfil(TConcours& concours, const ParametresCalcul& parametres, int v)
{
    Statut statut = ChargeVol(concours, parametres, v);
    if (statut) {
        concours.CalculeVolPilotes(static_cast<short>(v));
        concours.CalculeTBL(static_cast<short>(v));
    }
    return statut;
}

ProfilJuges CalculeProfil(TConcours& concours, int v)
{
    const auto vol = static_cast<short>(v);
    const short juges = JugesEffectifs(concours.GetNbJuges());
    concours.CalculeVolPilotes(vol);

    ProfilJuges profil;
    profil.vol = v;
    profil.moyenneJury = concours.GetMoyenneJury();
    profil.ecartTypeJury = concours.GetEcartTypeJury();
    const std::vector<std::string> noms = NomsJuges(concours);
    auto juge = concours.GetJuges().begin();
    for (short j = 1; j <= juges; ++j) {
        ProfilJuge valeurs;
        valeurs.nom = noms[static_cast<std::size_t>(j - 1)];
        if (juge != concours.GetJuges().end()) {
            valeurs.moyenne = juge->GetMoyenne();
            valeurs.ecartType = juge->GetEcartType();
            ++juge;
        }
        long long voles = 0;
        long long retenus = 0;
        for (const TPilote& pilote : concours.GetPilotes())
            if (AVole(pilote.GetScoreVol(vol))) {
                ++voles;
                retenus += pilote.GetJugeRetenu(j, vol) == 1 ? 1 : 0;
            }
        valeurs.acceptes =
            voles == 0 ? 0.0 : 100.0 * static_cast<double>(retenus) / static_cast<double>(voles);
        if (profil.moyenneJury != 0.0)
            valeurs.ecartMoyen = valeurs.moyenne * 100 / profil.moyenneJury;
        if (profil.ecartTypeJury != 0.0)
            valeurs.ecartStdev = valeurs.ecartType * 100 / profil.ecartTypeJury;
        profil.juges.push_back(std::move(valeurs));
    }
    return profil;
}

Resultat<ProfilJuges> ProfilJugesVol(TConcours& concours, const ParametresCalcul& parametres, int v)
{
    Resultat<ProfilJuges> resultat;
    resultat.statut = PrepareProfil(concours, parametres, v);
    if (resultat.statut)
        resultat.valeur = CalculeProfil(concours, v);
    else
        resultat.valeur.vol = v;
    return resultat;
}

} // namespace tavo
