// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoring/Accord.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tavo {

namespace {

int Signe(double x)
{
    return (x > 0.0) - (x < 0.0);
}

} // namespace

std::vector<double> RangsMoyens(const std::vector<double>& valeurs)
{
    std::vector<std::size_t> ordre(valeurs.size());
    std::iota(ordre.begin(), ordre.end(), std::size_t{0});
    std::stable_sort(ordre.begin(), ordre.end(),
                     [&](std::size_t a, std::size_t b) { return valeurs[a] > valeurs[b]; });
    std::vector<double> rangs(valeurs.size());
    for (std::size_t debut = 0; debut < ordre.size();) {
        std::size_t fin = debut + 1;
        while (fin < ordre.size() && valeurs[ordre[fin]] == valeurs[ordre[debut]])
            ++fin;
        // Positions debut+1 .. fin share their mean.
        const double rang = static_cast<double>(debut + 1 + fin) / 2.0;
        for (std::size_t i = debut; i < fin; ++i)
            rangs[ordre[i]] = rang;
        debut = fin;
    }
    return rangs;
}

std::optional<double> CorrelationRangs(const std::vector<double>& a, const std::vector<double>& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    if (n < 2)
        return std::nullopt;
    const double ma =
        std::accumulate(a.begin(), a.begin() + static_cast<long>(n), 0.0) / static_cast<double>(n);
    const double mb =
        std::accumulate(b.begin(), b.begin() + static_cast<long>(n), 0.0) / static_cast<double>(n);
    double sab = 0.0;
    double saa = 0.0;
    double sbb = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        sab += (a[i] - ma) * (b[i] - mb);
        saa += (a[i] - ma) * (a[i] - ma);
        sbb += (b[i] - mb) * (b[i] - mb);
    }
    if (saa == 0.0 || sbb == 0.0)
        return std::nullopt;
    return sab / std::sqrt(saa * sbb);
}

std::optional<double> KendallTauB(const std::vector<double>& a, const std::vector<double>& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    if (n < 2)
        return std::nullopt;
    long long s = 0;
    long long egauxA = 0;
    long long egauxB = 0;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            const int sa = Signe(a[i] - a[j]);
            const int sb = Signe(b[i] - b[j]);
            s += sa * sb;
            egauxA += sa == 0;
            egauxB += sb == 0;
        }
    const auto paires = static_cast<long long>(n * (n - 1) / 2);
    if (egauxA == paires || egauxB == paires)
        return std::nullopt;
    return static_cast<double>(s) /
           std::sqrt(static_cast<double>(paires - egauxA) * static_cast<double>(paires - egauxB));
}

AccordJuges CalculeAccord(const ClassementJuges& classement)
{
    AccordJuges accord;
    accord.vol = classement.vol;
    accord.pilotes = static_cast<int>(classement.lignes.size());
    std::vector<double> finals;
    for (const LigneJuges& ligne : classement.lignes)
        finals.push_back(ligne.final);
    const std::vector<double> rangsJury = RangsMoyens(finals);
    for (std::size_t j = 0; j < classement.juges.size(); ++j) {
        AccordJuge juge;
        juge.nom = classement.juges[j];
        if (accord.pilotes >= 2) {
            std::vector<double> scores;
            double ecarts = 0.0;
            for (const LigneJuges& ligne : classement.lignes) {
                scores.push_back(ligne.notes[j].score);
                ecarts += ligne.notes[j].ecart;
            }
            const std::vector<double> rangs = RangsMoyens(scores);
            juge.spearman = CorrelationRangs(rangs, rangsJury);
            juge.kendall = KendallTauB(rangs, rangsJury);
            juge.ecartMoyen = ecarts / static_cast<double>(accord.pilotes);
        }
        accord.juges.push_back(std::move(juge));
    }
    return accord;
}

Resultat<AccordJuges> AccordJugesVol(TConcours& concours, const ParametresCalcul& parametres, int v)
{
    const Resultat<ClassementJuges> classement = ClassementJugesVol(concours, parametres, v);
    Resultat<AccordJuges> resultat{classement.statut, CalculeAccord(classement.valeur)};
    return resultat;
}

} // namespace tavo
