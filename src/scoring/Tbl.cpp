// SPDX-License-Identifier: GPL-3.0-or-later
// TBL: each judge's scores of a flight brought to the panel's mean and spread,
// the outlying scores of each pilot rejected, and the flight score rebuilt from
// the scores that remain.
#include "model/Concours.h"
#include "scoring/Regles.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr double ECART_MINIMAL = 0.001;
constexpr double BORNE_REJET = 1.645;

double Ajuste(const TPilote& pilote, short juge, short vol)
{
    return pilote.GetScoreJuge(juge, vol) - pilote.GetScoreJugeBruitConf(juge, vol);
}

// Rejects, pass after pass, the scores beyond 1.645 standard deviations of the
// counted ones. A pass that would reject every counted judge rejects nothing.
void RejetteExtremes(TPilote& pilote, short juges, short vol)
{
    for (;;) {
        const double m = pilote.MoyenneJuges(juges, vol);
        const double s = pilote.EcartTypeJuges(juges, vol);
        const double bas = m - BORNE_REJET * s;
        const double haut = m + BORNE_REJET * s;
        std::vector<short> rejetes;
        int comptes = 0;
        for (short j = 1; j <= juges; ++j) {
            if (pilote.GetJugeRetenu(j, vol) == 0)
                continue;
            ++comptes;
            const double score = pilote.GetScoreJugeTBL(j, vol);
            if (score < bas || score > haut)
                rejetes.push_back(j);
        }
        if (rejetes.empty() || static_cast<int>(rejetes.size()) == comptes)
            return;
        for (short j : rejetes)
            pilote.RejeteJuge(j, vol);
    }
}

} // namespace

void TConcours::CalculeTBL(short vol)
{
    if (vol < 1 || vol > MAX_VOLS)
        return;
    const short juges = tavo::JugesEffectifs(Ident.NbJuges);
    std::vector<TPilote*> voles;
    for (TPilote& pilote : Pilotes)
        if (tavo::AVole(pilote.GetScoreVol(vol)))
            voles.push_back(&pilote);

    std::array<double, MAX_JUGES> moyenne{};
    std::array<double, MAX_JUGES> ecart{};
    double moyenneJury = 0.0;
    double ecartJury = 0.0;
    for (short j = 1; j <= juges && !voles.empty(); ++j) {
        double somme = 0.0;
        for (const TPilote* pilote : voles)
            somme += Ajuste(*pilote, j, vol);
        moyenne[j - 1] = somme / static_cast<double>(voles.size());
    }
    while (static_cast<int>(Juges.size()) < juges)
        Juges.emplace_back();
    auto juge = Juges.begin();
    for (short j = 1; j <= juges; ++j, ++juge)
        juge->SetMoyenne(moyenne[j - 1]);
    for (short j = 1; j <= juges; ++j)
        moyenneJury += moyenne[j - 1];
    if (juges > 0)
        moyenneJury /= juges;
    MoyenneJury = moyenneJury;

    long long c = 0;
    double s0 = 0.0;
    for (short j = 1; j <= juges; ++j) {
        const auto e = static_cast<long long>(voles.size());
        double s = 0.0;
        for (const TPilote* pilote : voles) {
            const double a = Ajuste(*pilote, j, vol);
            s += (a - moyenne[j - 1]) * (a - moyenne[j - 1]);
            s0 += (a - moyenneJury) * (a - moyenneJury);
            ++c;
        }
        if (e > 2)
            ecart[j - 1] = std::sqrt(s / static_cast<double>(e - 1));
    }
    if (c > 2)
        ecartJury = std::sqrt(s0 / static_cast<double>(c - 1));
    juge = Juges.begin();
    for (short j = 1; j <= juges; ++j, ++juge)
        juge->SetEcartType(ecart[j - 1]);
    EcartTypeJury = ecartJury;

    for (TPilote& pilote : Pilotes) {
        const bool vole = tavo::AVole(pilote.GetScoreVol(vol));
        for (short j = 1; j <= juges; ++j) {
            double score = 0.0;
            if (vole) {
                const double a = Ajuste(pilote, j, vol);
                score = ecart[j - 1] > ECART_MINIMAL
                            ? (a - moyenne[j - 1]) * ecartJury / ecart[j - 1] + moyenneJury
                            : a;
            }
            pilote.SetScoreJugeTBL(j, vol, score);
        }
    }
    for (TPilote& pilote : Pilotes) {
        pilote.RetientJuges(vol);
        if (tavo::AVole(pilote.GetScoreVol(vol)))
            RejetteExtremes(pilote, juges, vol);
    }
    for (TPilote& pilote : Pilotes)
        pilote.SetScoreVol(vol, pilote.MoyenneJuges(juges, vol) +
                                    pilote.ScoreBruitConf(vol, juges, *Programme));
}
