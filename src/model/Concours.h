// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Date.h"
#include "model/Juge.h"
#include "model/LectureConcours.h"
#include "model/Pilote.h"
#include "model/Programme.h"

#include <iosfwd>
#include <list>
#include <memory>
#include <string>
#include <string_view>

/** Identification, officials, report texts and settings of a competition. */
struct TIdentConcours
{
    char Titre[51] = {};
    char Lieu[31] = {};
    char Departement[31] = {};
    char Organisateur[31] = {};
    char NumAffiliation[4] = {};
    char Categorie[4] = "F3A"; ///< "F3A", "F3C" or "VGM"
    char Serie[6] = "1";       ///< "1", "1 1/2", "2" or "3"
    char Directeur[31] = {};
    char Commissaires[51] = {};
    char Chronometreurs[51] = {};
    char Jury1[31] = {};
    char Jury2[31] = {};
    char Jury3[31] = {};
    char Autres[51] = {};
    char Horaires[255] = {};
    char ConditionsMeteo[255] = {};
    char Controles[255] = {};
    char Incidents[255] = {};
    char Reclamations[255] = {};
    char Observations[255] = {};
    short NbJuges = 5;
    short NbVols = 1;
    char ProgrammeVol[7][255] = {};
    Date DateDebut;
    Date DateFin;
};

/**
 * The open competition: identification, pilots and judges by value, the
 * flight and bib chosen for score entry, and the one programme loaded last.
 * Pilots and judges are addressed by 1-based position; a position past the
 * end reads an empty record and writes nothing.
 */
class TConcours
{
public:
    TConcours();
    TConcours(const TConcours&) = delete;
    TConcours& operator=(const TConcours&) = delete;

    // Identification
    void SetTitre(const char* t);
    void SetLieu(const char* t);
    void SetDepartement(const char* t);
    void SetOrganisateur(const char* t);
    void SetNumAffiliation(const char* t);
    void SetCategorie(const char* t);
    void SetSerie(const char* t);
    void SetDirecteur(const char* t);
    void SetCommissaires(const char* t);
    void SetChronometreurs(const char* t);
    void SetJury1(const char* t);
    void SetJury2(const char* t);
    void SetJury3(const char* t);
    void SetAutres(const char* t);
    void SetHoraires(const char* t);
    void SetConditionsMeteo(const char* t);
    void SetControles(const char* t);
    void SetIncidents(const char* t);
    void SetReclamations(const char* t);
    void SetObservations(const char* t);
    const char* GetTitre() const { return Ident.Titre; }
    const char* GetLieu() const { return Ident.Lieu; }
    const char* GetDepartement() const { return Ident.Departement; }
    const char* GetOrganisateur() const { return Ident.Organisateur; }
    const char* GetNumAffiliation() const { return Ident.NumAffiliation; }
    const char* GetCategorie() const { return Ident.Categorie; }
    const char* GetSerie() const { return Ident.Serie; }
    const char* GetDirecteur() const { return Ident.Directeur; }
    const char* GetCommissaires() const { return Ident.Commissaires; }
    const char* GetChronometreurs() const { return Ident.Chronometreurs; }
    const char* GetJury1() const { return Ident.Jury1; }
    const char* GetJury2() const { return Ident.Jury2; }
    const char* GetJury3() const { return Ident.Jury3; }
    const char* GetAutres() const { return Ident.Autres; }
    const char* GetHoraires() const { return Ident.Horaires; }
    const char* GetConditionsMeteo() const { return Ident.ConditionsMeteo; }
    const char* GetControles() const { return Ident.Controles; }
    const char* GetIncidents() const { return Ident.Incidents; }
    const char* GetReclamations() const { return Ident.Reclamations; }
    const char* GetObservations() const { return Ident.Observations; }

    void SetDateDebut(const char* texte) { Ident.DateDebut.SetTexte(texte); }
    void SetDateFin(const char* texte) { Ident.DateFin.SetTexte(texte); }
    const char* GetDateDebut() const { return Ident.DateDebut.GetTexte(); }
    const char* GetDateFin() const { return Ident.DateFin.GetTexte(); }
    const Date& GetDateDebutDate() const { return Ident.DateDebut; }
    const Date& GetDateFinDate() const { return Ident.DateFin; }

    void SetNbJuges(short n) { Ident.NbJuges = n; }
    short GetNbJuges() const { return Ident.NbJuges; }
    void SetNbVols(short n) { Ident.NbVols = n; }
    short GetNbVols() const { return Ident.NbVols; }

    /** Programme file name of flight i + 1 (i = 0 to 6). */
    void SetProgrammeVol(const char* texte, short i);
    const char* GetProgrammeVol(short i) const;

    /** True when the competition starts in 2000 or later. */
    bool DepuisAn2000() const { return Ident.DateDebut.GetAnnee() >= 2000; }

    const TIdentConcours& GetIdent() const { return Ident; }

    // Pilots
    int NbPilotes() const { return static_cast<int>(Pilotes.size()); }
    /** Copies of every pilot, in list order. */
    TPilotes ListePilotes() const { return Pilotes; }
    TPilote GetPilote(int p) const;
    void SetPilote(const TPilote& pilote, int p);
    /** Copy of the first pilot whose bib equals the text exactly (an empty pilot if none). */
    TPilote GetPiloteDossard(const char* dossard) const;
    TPilote GetPiloteCourant() const { return GetPiloteDossard(DossardCourant); }
    void SetPiloteCourant(const TPilote& pilote);
    void AjoutePilote();
    void SupprimePilote(int p);

    /** The competition's own pilots, for the computations that update them in place. */
    TPilotes& GetPilotes() { return Pilotes; }
    const TPilotes& GetPilotes() const { return Pilotes; }

    // Judges
    int NbJugesSaisis() const { return static_cast<int>(Juges.size()); }
    TJuge GetJuge(int j) const;
    void SetJuge(const TJuge& juge, int j);
    void AjouteJuge();
    std::list<TJuge>& GetJuges() { return Juges; }
    const std::list<TJuge>& GetJuges() const { return Juges; }
    /** "Nom Prenom, " for each judge of that grade, in list order (empty when none). */
    std::string JugesStagiaires() const { return JugesDeGrade(1); }
    std::string JugesAgrees() const { return JugesDeGrade(2); }
    std::string JugesNationaux() const { return JugesDeGrade(3); }

    // Score entry state
    short GetVolCourant() const { return VolCourant; }
    void SetVolCourant(short vol) { VolCourant = vol; }
    const char* GetDossardCourant() const { return DossardCourant; }
    void SetDossardCourant(const char* texte);
    double GetMoyenneJury() const { return MoyenneJury; }
    void SetMoyenneJury(double valeur) { MoyenneJury = valeur; }
    double GetEcartTypeJury() const { return EcartTypeJury; }
    void SetEcartTypeJury(double valeur) { EcartTypeJury = valeur; }

    // Flight programme
    /**
     * Loads the programme file of flight v (1 to 7) from a directory. Returns
     * false, leaving the loaded programme as it was, when the file cannot be
     * read (missing, a directory, or no programme chosen).
     */
    bool ChargeProgramme(short v, const std::string& repertoire);
    /** Reads the programme file of flight v into `programme`, as `ChargeProgramme` does. */
    bool LitProgramme(short v, const std::string& repertoire, TProgramme& programme) const;
    const TProgramme& GetProgramme() const { return *Programme; }
    TProgramme& GetProgramme() { return *Programme; }

    // Scoring (src/scoring). Flights and judges are numbered from 1.
    /** `CalculeVol` of flight vol for every pilot, on the loaded programme. */
    void CalculeVolPilotes(short vol);
    /** Flight scores in thousandths of the flight's best score. */
    void NormaliseVol1000(short vol);
    /**
     * Loads and computes flights 1 to n in order (TBL correction when tbl is
     * set, then thousandths). False at the first programme that cannot be
     * loaded; the flights before it stay computed.
     */
    bool CalculeVols(short n, const std::string& repertoire, bool tbl);
    /** Every pilot's `Total` (and for rules 3 and 7 `TotalFlyOff`) by counting rule 1 to 19. */
    void CalculeTotaux(int regle, int rapport);
    /** Qualification totals in thousandths of the best one. */
    void NormaliseQualif1000();
    /** Mean of judge j's marks on the ordinary figures of every flown flight. */
    double MoyenneNotesJuge(short juge, const std::string& repertoire);
    /** Sample standard deviation of the same marks. */
    double EcartTypeNotesJuge(short juge, const std::string& repertoire);
    /** Share in percent of the same marks equal to `note`. */
    double PourcentageNoteJuge(short juge, short note, const std::string& repertoire);
    /** TBL correction of flight vol; needs `CalculeVolPilotes(vol)` on its programme first. */
    void CalculeTBL(short vol);
    /** Whether the flight scores of flight vol now hold the TBL correction. */
    bool TblApplique(short vol) const;

    // Life cycle
    /** Back to the defaults: identification, today's dates, no pilot or judge, flight 1, no bib. */
    void Nouveau();
    /**
     * Becomes a copy of another competition (records, derived values, entry state, loaded
     * programme), for computations that must leave the other one untouched.
     */
    void Reprend(const TConcours& autre);
    /** The competition file form, CR LF line ends. */
    std::string Ecrit() const;
    /**
     * Reads the competition file form. On success the competition is replaced
     * (as after `Nouveau`); on failure it is left exactly as it was.
     */
    tavo::ResultatLecture Lit(std::string_view contenu);
    /** `Lit` from a reader, which may stream the text from a file. */
    tavo::ResultatLecture Lit(tavo::LecteurTexte& lecteur);
    /** Takes the records of a competition just read, as a successful `Lit` does; `lu` is left
     * empty. */
    void Remplace(TConcours&& lu);

    // Parts of the file form, for the recovery journal's record of changes
    /** Appends the identification's lines (everything before the pilot count). */
    void EcritIdentification(std::string& sortie) const;
    /** Appends the judge count and the judges' records. */
    void EcritJuges(std::string& sortie) const;
    /** Replaces the identification with the text of `EcritIdentification`; false if damaged. */
    bool LitIdentification(std::string_view texte);
    /** Replaces the judges with the text of `EcritJuges`; false if damaged. */
    bool LitJuges(std::string_view texte);
    /**
     * Replaces `supprimes` pilots from 0-based position `debut` with the `ajoutes`
     * pilot records of `enregistrements` (the file form). False, changing
     * nothing, when the positions are outside the list or the records damaged.
     */
    bool RemplacePilotes(std::size_t debut, std::size_t supprimes, std::string_view enregistrements,
                         std::size_t ajoutes);

private:
    std::string JugesDeGrade(int grade) const;

    TIdentConcours Ident;
    TPilotes Pilotes;
    std::list<TJuge> Juges;
    short VolCourant = 1;
    std::unique_ptr<TProgramme> Programme;
    char DossardCourant[5] = {};
    double MoyenneJury = 0.0;
    double EcartTypeJury = 0.0;
    bool TblVol[MAX_VOLS] = {};
};

std::ostream& operator<<(std::ostream& flux, const TConcours& concours);
/** Reads a whole competition; sets failbit and keeps the competition when the text is damaged. */
std::istream& operator>>(std::istream& flux, TConcours& concours);
