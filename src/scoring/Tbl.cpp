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

using ParJuge = std::array<double, MAX_JUGES>;
using Voles = std::vector<TPilote*>;

double Ajuste(const TPilote& pilote, short juge, short vol)
{
    return pilote.GetScoreJuge(juge, vol) - pilote.GetScoreJugeBruitConf(juge, vol);
}

// Each judge's mean adjusted score over the flown pilots (0 when none has flown).
ParJuge Moyennes(const Voles& voles, short juges, short vol)
{
    ParJuge moyenne{};
    for (short j = 1; j <= juges && !voles.empty(); ++j) {
        double somme = 0.0;
        for (const TPilote* pilote : voles)
            somme += Ajuste(*pilote, j, vol);
        moyenne[j - 1] = somme / static_cast<double>(voles.size());
    }
    return moyenne;
}

// Each judge's spread (with more than two flown pilots), and the panel's spread
// around its mean over every judge's scores (with more than two of them).
ParJuge Ecarts(const Voles& voles, short juges, short vol, const ParJuge& moyenne,
               double moyenneJury, double& ecartJury)
{
    ParJuge ecart{};
    long long c = 0;
    double s0 = 0.0;
    const auto e = static_cast<long long>(voles.size());
    for (short j = 1; j <= juges; ++j) {
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
    ecartJury = c > 2 ? std::sqrt(s0 / static_cast<double>(c - 1)) : 0.0;
    return ecart;
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
    TblVol[vol - 1] = true;
    const short juges = tavo::JugesEffectifs(Ident.NbJuges);
    // Who has flown is decided once, on the plain scores the run starts with.
    std::vector<bool> aVole;
    Voles voles;
    for (TPilote& pilote : Pilotes) {
        aVole.push_back(tavo::AVole(pilote.GetScoreVol(vol)));
        if (aVole.back())
            voles.push_back(&pilote);
    }

    const ParJuge moyenne = Moyennes(voles, juges, vol);
    while (static_cast<int>(Juges.size()) < juges)
        Juges.emplace_back();
    double moyenneJury = 0.0;
    for (short j = 1; j <= juges; ++j)
        moyenneJury += moyenne[j - 1];
    MoyenneJury = juges > 0 ? moyenneJury / juges : 0.0;
    const ParJuge ecart = Ecarts(voles, juges, vol, moyenne, MoyenneJury, EcartTypeJury);
    auto juge = Juges.begin();
    for (short j = 1; j <= juges; ++j, ++juge) {
        juge->SetMoyenne(moyenne[j - 1]);
        juge->SetEcartType(ecart[j - 1]);
    }

    std::size_t p = 0;
    for (TPilote& pilote : Pilotes) {
        const bool vole = aVole[p++];
        for (short j = 1; j <= juges; ++j) {
            const double a = vole ? Ajuste(pilote, j, vol) : 0.0;
            const bool reechelonne = vole && ecart[j - 1] > ECART_MINIMAL;
            pilote.SetScoreJugeTBL(
                j, vol,
                reechelonne ? (a - moyenne[j - 1]) * EcartTypeJury / ecart[j - 1] + MoyenneJury
                            : a);
        }
        pilote.RetientJuges(vol);
        if (vole)
            RejetteExtremes(pilote, juges, vol);
    }
    for (TPilote& pilote : Pilotes)
        pilote.SetScoreVol(vol, pilote.MoyenneJuges(juges, vol) +
                                    pilote.ScoreBruitConf(vol, juges, *Programme));
}
