// SPDX-License-Identifier: GPL-3.0-or-later
// Counting rules: how a pilot's total is made from his flight scores, and
// which rule applies after N flights or k fly-offs.
#include "model/Concours.h"
#include "scoring/Regles.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace {

bool Egal(const char* a, const char* b)
{
    return std::strcmp(a, b) == 0;
}

double Max(double a, double b)
{
    return a > b ? a : b;
}

// The sum of all values but one smallest.
double MeilleursSaufUn(std::initializer_list<double> valeurs)
{
    double somme = 0.0;
    for (double valeur : valeurs)
        somme += valeur;
    return somme - std::min(valeurs);
}

// The total of one pilot by rule 1 to 19; s(v) is the score totalled for flight v.
template <typename Score> double TotalRegle(int regle, Score s, double q)
{
    switch (regle) {
    case 1:
        return s(1);
    case 2:
        return Max(s(1), s(2));
    case 3:
        return MeilleursSaufUn({s(1), s(2), s(3)});
    case 4:
        return MeilleursSaufUn({s(1), s(2), s(3), s(4)});
    case 5:
        return s(1) + s(2);
    case 6:
        return s(2) + Max(s(1), s(3));
    case 7:
        return Max(s(1), s(3)) + Max(s(2), s(4));
    case 8:
        return s(5) + q;
    case 9:
        return s(5) + s(6) + q;
    case 10:
        return s(4) + q;
    case 11:
        return Max(s(4), s(5)) + q;
    case 12:
        return MeilleursSaufUn({s(4), s(5), s(6)}) + q;
    case 13:
        return s(4);
    case 14:
        return s(4) + s(5);
    case 15:
        return Max(s(4), s(6)) + s(5);
    case 16:
        return Max(s(4), s(6)) + Max(s(5), s(7));
    case 17:
        return Max(s(4), q);
    case 18:
        return MeilleursSaufUn({s(4), s(5), q});
    default: // 19
        return MeilleursSaufUn({s(4), s(5), s(6), q});
    }
}

} // namespace

void TConcours::CalculeTotaux(int regle, int rapport)
{
    if (regle < 1 || regle > 19)
        return;
    const bool milliemes = rapport == 1 || regle >= 8;
    for (TPilote& pilote : Pilotes) {
        auto s = [&pilote, milliemes](short v) {
            return milliemes ? pilote.GetScoreVol1000(v) : pilote.GetScoreVol(v);
        };
        const double total = TotalRegle(regle, s, pilote.GetTotalFlyOff());
        pilote.SetTotal(total);
        if (regle == 3 || regle == 7)
            pilote.SetTotalFlyOff(total);
    }
}

void TConcours::NormaliseQualif1000()
{
    if (Pilotes.empty())
        return;
    double meilleur = Pilotes.front().GetTotalFlyOff();
    for (const TPilote& pilote : Pilotes)
        meilleur = std::max(meilleur, pilote.GetTotalFlyOff());
    const double diviseur = tavo::DiviseurMille(meilleur);
    for (TPilote& pilote : Pilotes)
        pilote.SetTotalFlyOff(pilote.GetTotalFlyOff() * 1000 / diviseur);
}

namespace tavo {

int RegleApresVols(const char* categorie, int n)
{
    if (n < 1 || n > 4)
        return 0;
    if (n == 1)
        return 1;
    if (Egal(categorie, "F3A"))
        return n;
    if (Egal(categorie, "VGM"))
        return n + 3;
    if (Egal(categorie, "F3C"))
        return n;
    return 0;
}

int RegleFlyOff(const char* categorie, const char* serie, bool depuisAn2000, int k)
{
    if (k < 1 || k > MAX_FLYOFFS)
        return 0;
    if (Egal(categorie, "F3A")) {
        if (Egal(serie, "2"))
            return k <= 3 ? 9 + k : 0;
        if (Egal(serie, "3"))
            return k == 4 ? 16 : (depuisAn2000 ? 12 + k : 16 + k);
        return 0;
    }
    if (Egal(categorie, "VGM"))
        return k <= 2 ? 7 + k : 0;
    if (Egal(categorie, "F3C"))
        return k <= 3 ? 4 : 0;
    return 0;
}

bool FlyOffPropose(const char* categorie, const char* serie, int k)
{
    const bool f3a = Egal(categorie, "F3A");
    const bool premiereSerie = f3a && (Egal(serie, "1") || Egal(serie, "1 1/2"));
    switch (k) {
    case 1:
    case 2:
        return !premiereSerie;
    case 3:
        return !premiereSerie && !Egal(categorie, "VGM");
    case 4:
        return f3a && Egal(serie, "3");
    default:
        return false;
    }
}

int VolsQualification(const char* categorie)
{
    return Egal(categorie, "VGM") ? 4 : 3;
}

int VolsFlyOff(const char* categorie, int k)
{
    return k <= 2 ? VolsQualification(categorie) + k : 3 + k;
}

bool QualifRapporteeA1000(const char* categorie, const char* serie, bool depuisAn2000)
{
    return Egal(categorie, "F3A") && (Egal(serie, "2") || (Egal(serie, "3") && !depuisAn2000));
}

} // namespace tavo
