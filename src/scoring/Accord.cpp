// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoring/Accord.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tavo {

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

namespace {

// Pairs among runs of equal values of a sorted sequence: the sum of t(t - 1) / 2.
template <typename Egal> long long PairesEgales(std::size_t n, Egal egal)
{
    long long paires = 0;
    for (std::size_t debut = 0; debut < n;) {
        std::size_t fin = debut + 1;
        while (fin < n && egal(debut, fin))
            ++fin;
        const auto t = static_cast<long long>(fin - debut);
        paires += t * (t - 1) / 2;
        debut = fin;
    }
    return paires;
}

// Sorts `v` and returns its inversions: the pairs i < j with v[i] > v[j].
long long TrieInversions(std::vector<double>& v)
{
    long long inversions = 0;
    std::vector<double> tampon(v.size());
    for (std::size_t largeur = 1; largeur < v.size(); largeur *= 2) {
        for (std::size_t gauche = 0; gauche < v.size(); gauche += 2 * largeur) {
            const std::size_t milieu = std::min(gauche + largeur, v.size());
            const std::size_t droite = std::min(gauche + 2 * largeur, v.size());
            std::size_t i = gauche;
            std::size_t j = milieu;
            std::size_t k = gauche;
            while (i < milieu && j < droite) {
                if (v[j] < v[i]) {
                    inversions += static_cast<long long>(milieu - i);
                    tampon[k++] = v[j++];
                } else {
                    tampon[k++] = v[i++];
                }
            }
            while (i < milieu)
                tampon[k++] = v[i++];
            while (j < droite)
                tampon[k++] = v[j++];
        }
        v.swap(tampon);
    }
    return inversions;
}

} // namespace

// Knight's algorithm: sorted by a then b, the discordant pairs are the inversions of b. The
// counts are those of the pairwise definition, exactly, so the figure is too.
std::optional<double> KendallTauB(const std::vector<double>& a, const std::vector<double>& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    if (n < 2)
        return std::nullopt;
    std::vector<std::size_t> ordre(n);
    std::iota(ordre.begin(), ordre.end(), std::size_t{0});
    std::sort(ordre.begin(), ordre.end(), [&](std::size_t i, std::size_t j) {
        return a[i] < a[j] || (a[i] == a[j] && b[i] < b[j]);
    });
    const long long egauxA =
        PairesEgales(n, [&](std::size_t i, std::size_t j) { return a[ordre[i]] == a[ordre[j]]; });
    const long long egauxAB = PairesEgales(n, [&](std::size_t i, std::size_t j) {
        return a[ordre[i]] == a[ordre[j]] && b[ordre[i]] == b[ordre[j]];
    });
    std::vector<double> suiteB(n);
    for (std::size_t i = 0; i < n; ++i)
        suiteB[i] = b[ordre[i]];
    const long long discordantes = TrieInversions(suiteB);
    const long long egauxB =
        PairesEgales(n, [&](std::size_t i, std::size_t j) { return suiteB[i] == suiteB[j]; });
    const auto paires = static_cast<long long>(n * (n - 1) / 2);
    if (egauxA == paires || egauxB == paires)
        return std::nullopt;
    // Concordant and discordant pairs are those tied in neither.
    const long long s = (paires - egauxA - egauxB + egauxAB) - 2 * discordantes;
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
