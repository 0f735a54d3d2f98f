// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Constantes.h"
#include "model/Reserve.h"

#include <cstdint>
#include <list>
#include <string>

class TProgramme;

namespace tavo {
class LecteurTexte;
class TEmpreinteOctets;
} // namespace tavo

/** Who a pilot is: eight Windows-1252 texts of fixed capacity. */
class TIdentPilote
{
public:
    void SetNom(const char* texte);
    void SetPrenom(const char* texte);
    void SetClub(const char* texte);
    void SetNumClub(const char* texte);
    void SetLicence(const char* texte);
    void SetFrequence1(const char* texte);
    void SetFrequence2(const char* texte);
    void SetDossard(const char* texte);

    const char* GetNom() const { return Nom; }
    const char* GetPrenom() const { return Prenom; }
    const char* GetClub() const { return Club; }
    const char* GetNumClub() const { return NumClub; }
    const char* GetLicence() const { return Licence; }
    const char* GetFrequence1() const { return Frequence1; }
    const char* GetFrequence2() const { return Frequence2; }
    const char* GetDossard() const { return Dossard; }

    /** The bib's integer value (0 when empty or not a number): the bib order. */
    long ValeurDossard() const;
    /** Bib order: a before b when a's bib value is smaller. */
    bool operator<(const TIdentPilote& autre) const
    {
        return ValeurDossard() < autre.ValeurDossard();
    }

    /** Appends the eight lines of the file form. */
    void Ecrit(std::string& sortie) const;
    /** Reads the eight lines; false when the text ends first. */
    bool Lit(tavo::LecteurTexte& lecteur);
    /** Adds what the file stores of the identity (each text up to its end). */
    void AjouteEmpreinte(tavo::TEmpreinteOctets& empreinte) const;

private:
    char Nom[21] = {};
    char Prenom[16] = {};
    char Club[21] = {};
    char NumClub[4] = {};
    char Licence[8] = {};
    char Frequence1[7] = {};
    char Frequence2[7] = {};
    char Dossard[5] = {};
};

/**
 * Every mark given to a pilot (the only persistent part) and the scores
 * derived from them. Flights, figure lines and judges are numbered from 1;
 * an index outside the grid reads 0 and writes nothing.
 */
class TNotesPilote
{
public:
    TNotesPilote();

    void SetNote(short vol, short figure, short juge, short note);
    // The readers give 0 outside the grid. Inline: the views read them for every pilot.
    short GetNote(short vol, short figure, short juge) const
    {
        if (JugeVolValides(juge, vol) && figure >= 1 && figure <= MAX_FIGURES)
            return Notes[juge - 1][vol - 1][figure - 1];
        return 0;
    }

    double GetScoreVol(short vol) const { return VolValide(vol) ? ScoreVol[vol - 1] : 0.0; }
    void SetScoreVol(short vol, double valeur);
    double GetScoreVol1000(short vol) const { return VolValide(vol) ? ScoreVol1000[vol - 1] : 0.0; }
    void SetScoreVol1000(short vol, double valeur);

    double GetScoreJuge(short juge, short vol) const
    {
        return JugeVolValides(juge, vol) ? ScoreJuge[juge - 1][vol - 1] : 0.0;
    }
    double GetScoreJugeBruitConf(short juge, short vol) const
    {
        return JugeVolValides(juge, vol) ? ScoreJugeBruitConf[juge - 1][vol - 1] : 0.0;
    }
    double GetScoreJugeTBL(short juge, short vol) const
    {
        return JugeVolValides(juge, vol) ? ScoreJugeTBL[juge - 1][vol - 1] : 0.0;
    }
    void SetScoreJugeTBL(short juge, short vol, double valeur);

    short GetJugeRetenu(short juge, short vol) const;
    void RejeteJuge(short juge, short vol);
    void RetientJuges(short vol);

    short GetRangJuge(short juge, short vol) const;
    void SetRangJuge(short juge, short vol, short rang);

    double GetTotal() const { return Total; }
    void SetTotal(double valeur) { Total = valeur; }
    double GetTotalFlyOff() const { return TotalFlyOff; }
    void SetTotalFlyOff(double valeur) { TotalFlyOff = valeur; }

    // Scoring (src/scoring/CalculVol.cpp)
    /** Lowest mark of figure line `ligne` of flight `vol` among judges 1 to nbJuges. */
    short NoteMin(short vol, short ligne, short nbJuges) const;
    /** Highest mark of figure line `ligne` of flight `vol` among judges 1 to nbJuges. */
    short NoteMax(short vol, short ligne, short nbJuges) const;
    /** Recomputes the flight score and the judges' sums of one flight from the marks. */
    void CalculeVol(short vol, short nbJuges, const TProgramme& programme);
    /** The majority-decided noise and conformity lines alone, divided like the flight score. */
    double ScoreBruitConf(short vol, short nbJuges, const TProgramme& programme) const;

    /** True when every mark is 0. */
    bool SansNote() const;

    /** Appends the 182 marks lines: per flight 25 lines of five marks, then an empty line. */
    void Ecrit(std::string& sortie) const;
    /** Reads the 875 marks; false when the text ends or a mark is not a 16-bit number. */
    bool Lit(tavo::LecteurTexte& lecteur, bool& horsLimites);
    /** Adds the marks (what the file stores of them). */
    void AjouteEmpreinte(tavo::TEmpreinteOctets& empreinte) const;

private:
    static bool VolValide(short vol) { return vol >= 1 && vol <= MAX_VOLS; }
    static bool JugeVolValides(short juge, short vol)
    {
        return juge >= 1 && juge <= MAX_JUGES && VolValide(vol);
    }

    short Notes[MAX_JUGES][MAX_VOLS][MAX_FIGURES];
    double ScoreVol[MAX_VOLS];
    double ScoreJuge[MAX_JUGES][MAX_VOLS];
    double ScoreJugeBruitConf[MAX_JUGES][MAX_VOLS];
    double ScoreJugeTBL[MAX_JUGES][MAX_VOLS];
    short JugeRetenu[MAX_JUGES][MAX_VOLS];
    short RangJuge[MAX_JUGES][MAX_VOLS];
    double ScoreVol1000[MAX_VOLS];
    double Total;
    double TotalFlyOff;
};

/** A pilot: identity and marks, with every operation of both parts. */
class TPilote
{
public:
    // Identity
    void SetNom(const char* t) { Ident.SetNom(t); }
    void SetPrenom(const char* t) { Ident.SetPrenom(t); }
    void SetClub(const char* t) { Ident.SetClub(t); }
    void SetNumClub(const char* t) { Ident.SetNumClub(t); }
    void SetLicence(const char* t) { Ident.SetLicence(t); }
    void SetFrequence1(const char* t) { Ident.SetFrequence1(t); }
    void SetFrequence2(const char* t) { Ident.SetFrequence2(t); }
    void SetDossard(const char* t) { Ident.SetDossard(t); }
    const char* GetNom() const { return Ident.GetNom(); }
    const char* GetPrenom() const { return Ident.GetPrenom(); }
    const char* GetClub() const { return Ident.GetClub(); }
    const char* GetNumClub() const { return Ident.GetNumClub(); }
    const char* GetLicence() const { return Ident.GetLicence(); }
    const char* GetFrequence1() const { return Ident.GetFrequence1(); }
    const char* GetFrequence2() const { return Ident.GetFrequence2(); }
    const char* GetDossard() const { return Ident.GetDossard(); }
    long ValeurDossard() const { return Ident.ValeurDossard(); }
    bool operator<(const TPilote& autre) const { return Ident < autre.Ident; }

    // Marks and derived scores
    void SetNote(short v, short f, short j, short n) { NotesP.SetNote(v, f, j, n); }
    short GetNote(short v, short f, short j) const { return NotesP.GetNote(v, f, j); }
    double GetScoreVol(short v) const { return NotesP.GetScoreVol(v); }
    void SetScoreVol(short v, double x) { NotesP.SetScoreVol(v, x); }
    double GetScoreVol1000(short v) const { return NotesP.GetScoreVol1000(v); }
    void SetScoreVol1000(short v, double x) { NotesP.SetScoreVol1000(v, x); }
    double GetScoreJuge(short j, short v) const { return NotesP.GetScoreJuge(j, v); }
    double GetScoreJugeBruitConf(short j, short v) const
    {
        return NotesP.GetScoreJugeBruitConf(j, v);
    }
    double GetScoreJugeTBL(short j, short v) const { return NotesP.GetScoreJugeTBL(j, v); }
    void SetScoreJugeTBL(short j, short v, double x) { NotesP.SetScoreJugeTBL(j, v, x); }
    short GetJugeRetenu(short j, short v) const { return NotesP.GetJugeRetenu(j, v); }
    void RejeteJuge(short j, short v) { NotesP.RejeteJuge(j, v); }
    void RetientJuges(short v) { NotesP.RetientJuges(v); }
    short GetRangJuge(short j, short v) const { return NotesP.GetRangJuge(j, v); }
    void SetRangJuge(short j, short v, short r) { NotesP.SetRangJuge(j, v, r); }
    double GetTotal() const { return NotesP.GetTotal(); }
    void SetTotal(double x) { NotesP.SetTotal(x); }
    double GetTotalFlyOff() const { return NotesP.GetTotalFlyOff(); }
    void SetTotalFlyOff(double x) { NotesP.SetTotalFlyOff(x); }
    short NoteMin(short v, short l, short n) const { return NotesP.NoteMin(v, l, n); }
    short NoteMax(short v, short l, short n) const { return NotesP.NoteMax(v, l, n); }
    void CalculeVol(short v, short n, const TProgramme& p) { NotesP.CalculeVol(v, n, p); }
    double ScoreBruitConf(short v, short n, const TProgramme& p) const
    {
        return NotesP.ScoreBruitConf(v, n, p);
    }

    /** Mean of the retained judges' TBL scores for a flight: sum(flag x score) / sum(flag). */
    double MoyenneJuges(short nbJuges, short vol) const;
    /** Sample standard deviation of the retained judges' TBL scores; 0 under two judges. */
    double EcartTypeJuges(short nbJuges, short vol) const;

    TIdentPilote& GetIdent() { return Ident; }
    const TIdentPilote& GetIdent() const { return Ident; }
    TNotesPilote& GetNotesPilote() { return NotesP; }
    const TNotesPilote& GetNotesPilote() const { return NotesP; }

    /** True when every identity text is empty and every mark is 0: a record holding nothing. */
    bool EstVide() const;

    /** Appends the 190 lines of the file form: identity, then marks. */
    void Ecrit(std::string& sortie) const;
    /** A fingerprint of what the file stores of the pilot: equal records, equal values. */
    std::uint64_t Empreinte() const;

private:
    TIdentPilote Ident;
    TNotesPilote NotesP;
};

/** The pilots of a competition, in list order; their records come from the reserve. */
using TPilotes = std::list<TPilote, tavo::AllocateurReserve<TPilote>>;
