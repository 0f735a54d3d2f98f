// SPDX-License-Identifier: GPL-3.0-or-later
// Flight scores: the trimmed sums of the judges' marks, the majority-decided
// noise and conformity lines, and the thousandths scale.
#include "model/Concours.h"
#include "model/Pilote.h"
#include "model/Programme.h"
#include "scoring/Regles.h"

#include <algorithm>
#include <vector>

namespace {

enum class Ligne
{
    Figure,         // trimmed sum (ordinary figures and a type 1 noise line)
    BruitPlusMoins, // noise type 2: -5, 0 or +5 by majority
    BruitMoinsDix,  // noise type 3: -10 or 0 by majority
    Conformite,     // -10 or 0 by majority
};

Ligne GenreLigne(const TProgramme& programme, short ligne)
{
    const short figures = programme.NbFigures();
    if (ligne <= figures)
        return Ligne::Figure;
    if (ligne == figures + 1 && programme.GetTypeBruit() != 0) {
        switch (programme.GetTypeBruit()) {
        case 2:
            return Ligne::BruitPlusMoins;
        case 3:
            return Ligne::BruitMoinsDix;
        default:
            return Ligne::Figure;
        }
    }
    return Ligne::Conformite;
}

// The divisor of the flight score: 3 for panels of 3 and 5 (three counted marks
// per figure), 2 for 4. Smaller panels average all their marks.
int Diviseur(short juges)
{
    if (juges == 3 || juges == 5)
        return 3;
    if (juges == 4)
        return 2;
    return juges;
}

// How many judges make a majority: 2 of 3, 3 of 4 or 5; every judge of a smaller panel.
int Majorite(short juges)
{
    return juges == 3 ? 2 : (juges >= 4 ? 3 : juges);
}

// Multiplies by one third or one half, as the flight score is divided.
double Divise(double valeur, short juges)
{
    const int diviseur = Diviseur(juges);
    if (diviseur == 3)
        return valeur * (1.0 / 3.0);
    if (diviseur == 2)
        return valeur * 0.5;
    return diviseur == 1 ? valeur : 0.0;
}

int Compte(const TNotesPilote& notes, short vol, short ligne, short juges, short valeur)
{
    int compte = 0;
    for (short j = 1; j <= juges; ++j)
        compte += notes.GetNote(vol, ligne, j) == valeur ? 1 : 0;
    return compte;
}

// The majority value D of a special line, scaled so that the division gives 5 K or 10 K.
int Majoritaire(const TNotesPilote& notes, short vol, short ligne, short juges, Ligne genre)
{
    if (juges < 1)
        return 0;
    const int majorite = Majorite(juges);
    const int echelle = Diviseur(juges);
    if (genre == Ligne::BruitPlusMoins) {
        if (Compte(notes, vol, ligne, juges, -5) >= majorite)
            return -5 * echelle;
        if (Compte(notes, vol, ligne, juges, 5) >= majorite)
            return 5 * echelle;
        return 0;
    }
    return Compte(notes, vol, ligne, juges, -10) >= majorite ? -10 * echelle : 0;
}

short NbLignesGrille(const TProgramme& programme)
{
    return std::min<short>(programme.NbLignes(), MAX_FIGURES);
}

} // namespace

short TNotesPilote::NoteMin(short vol, short ligne, short nbJuges) const
{
    const short juges = tavo::JugesEffectifs(nbJuges);
    short note = GetNote(vol, ligne, 1);
    for (short j = 2; j <= juges; ++j)
        note = std::min(note, GetNote(vol, ligne, j));
    return note;
}

short TNotesPilote::NoteMax(short vol, short ligne, short nbJuges) const
{
    const short juges = tavo::JugesEffectifs(nbJuges);
    short note = GetNote(vol, ligne, 1);
    for (short j = 2; j <= juges; ++j)
        note = std::max(note, GetNote(vol, ligne, j));
    return note;
}

void TNotesPilote::CalculeVol(short vol, short nbJuges, const TProgramme& programme)
{
    if (vol < 1 || vol > MAX_VOLS)
        return;
    const short juges = tavo::JugesEffectifs(nbJuges);
    const int v = vol - 1;
    double score = 0.0;
    for (int j = 0; j < juges; ++j)
        ScoreJuge[j][v] = ScoreJugeBruitConf[j][v] = 0.0;
    const short lignes = NbLignesGrille(programme);
    for (short k = 1; k <= lignes; ++k) {
        const int K = programme.GetK(static_cast<short>(k - 1));
        const Ligne genre = GenreLigne(programme, k);
        // Sum, lowest and highest mark in one pass (NoteMin and NoteMax).
        int somme = 0;
        int mini = Notes[0][v][k - 1];
        int maxi = mini;
        for (int j = 0; j < juges; ++j) {
            const int note = Notes[j][v][k - 1];
            somme += note;
            mini = std::min(mini, note);
            maxi = std::max(maxi, note);
            ScoreJuge[j][v] += K * note;
            if (genre != Ligne::Figure)
                ScoreJugeBruitConf[j][v] += K * note;
        }
        if (genre == Ligne::Figure) {
            if (juges > 3)
                somme -= mini + maxi;
            score += K * somme;
        } else
            score += K * Majoritaire(*this, vol, k, juges, genre);
    }
    ScoreVol[v] = Divise(score, juges);
}

double TNotesPilote::ScoreBruitConf(short vol, short nbJuges, const TProgramme& programme) const
{
    const short juges = tavo::JugesEffectifs(nbJuges);
    double contribution = 0.0;
    const short figures = programme.NbFigures();
    short ligne = static_cast<short>(figures + 1);
    if (programme.GetTypeBruit() != 0) {
        const Ligne genre = GenreLigne(programme, ligne);
        if (genre != Ligne::Figure && ligne <= MAX_FIGURES)
            contribution += programme.GetKBruit() * Majoritaire(*this, vol, ligne, juges, genre);
        ++ligne;
    }
    if (programme.GetTypeConformite() != 0 && ligne <= MAX_FIGURES)
        contribution +=
            programme.GetKConformite() * Majoritaire(*this, vol, ligne, juges, Ligne::Conformite);
    return Divise(contribution, juges);
}

void TConcours::CalculeVolPilotes(short vol)
{
    if (vol >= 1 && vol <= MAX_VOLS)
        TblVol[vol - 1] = false;
    for (TPilote& pilote : Pilotes)
        pilote.CalculeVol(vol, Ident.NbJuges, *Programme);
}

void TConcours::NormaliseVol1000(short vol)
{
    if (Pilotes.empty())
        return;
    double meilleur = Pilotes.front().GetScoreVol(vol);
    for (const TPilote& pilote : Pilotes)
        meilleur = std::max(meilleur, pilote.GetScoreVol(vol));
    const double diviseur = tavo::DiviseurMille(meilleur);
    for (TPilote& pilote : Pilotes)
        pilote.SetScoreVol1000(vol, pilote.GetScoreVol(vol) * 1000 / diviseur);
}

bool TConcours::TblApplique(short vol) const
{
    return vol >= 1 && vol <= MAX_VOLS && TblVol[vol - 1];
}

bool TConcours::CalculeVols(short n, const std::string& repertoire, bool tbl)
{
    // The programmes first, each read once, up to the first that cannot be; then every
    // pilot's flights in one pass over the list, each pilot's marks read once; then each
    // flight's TBL and thousandths in flight order, its programme loaded as they need it.
    // Each flight's scores depend on its own marks only: the results are those of computing
    // the flights one after the other.
    std::vector<TProgramme> programmes;
    for (short v = 1; v <= n; ++v) {
        TProgramme programme;
        if (!LitProgramme(v, repertoire, programme))
            break;
        programmes.push_back(std::move(programme));
    }
    const auto lus = static_cast<short>(programmes.size());
    for (short v = 1; v <= lus; ++v)
        TblVol[v - 1] = false;
    for (TPilote& pilote : Pilotes)
        for (short v = 1; v <= lus; ++v)
            pilote.CalculeVol(v, Ident.NbJuges, programmes[static_cast<std::size_t>(v - 1)]);
    for (short v = 1; v <= lus; ++v) {
        *Programme = programmes[static_cast<std::size_t>(v - 1)];
        if (tbl)
            CalculeTBL(v);
        NormaliseVol1000(v);
    }
    return lus == n;
}
