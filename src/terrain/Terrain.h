// SPDX-License-Identifier: GPL-3.0-or-later
// The judges on the field: their keys, their sheets as they tap them, the pilot called to the
// line, and the answers to their phones. Lives on the thread that owns the competition.
#pragma once

#include "model/Journal.h"
#include "model/Programme.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {
class TDocument;
}

namespace tavo::terrain {

/** A key: 128 random bits as 32 lowercase hexadecimal digits. */
std::string NouvelleCle();
/** Whether two keys are equal, in a time that does not depend on where they differ. */
bool MemesCles(std::string_view a, std::string_view b);

/** An HTTP answer: its status and its JSON body. */
struct Reponse
{
    int statut = 200;
    std::string corps;
};

/** A pilot called to the line. */
struct Appel
{
    short vol = 1;
    std::string dossard;
    friend bool operator==(const Appel&, const Appel&) = default;
};

/** Where one judge is with one pilot's sheet of one flight. */
struct CaseGrille
{
    enum class Etat
    {
        Rien,
        EnCours,
        Envoyee,
    };
    Etat etat = Etat::Rien;
    int notees = 0; ///< lines tapped
    int lignes = 0; ///< lines of the sheet
};

/** A sheet every judge of the panel sent, finished as a typed one is. */
struct FeuilleTerminee
{
    short vol = 1;
    std::string dossard;
    double score = 0;
};

/**
 * The field's side of a competition document. Every mark a phone sends goes
 * into the document as a typed one does (`TDocument::StockeNote`: the
 * competition, the journal, the revision); the sheets sent and the keys are
 * kept beside the file (".NAME.terrain", readable by its owner only) so that a
 * restart changes nothing for the phones.
 */
class TTerrain
{
public:
    TTerrain(TDocument& document, std::string repProgrammes);

    /** The judges who mark: the competition's number of judges. */
    short NbJuges() const;
    /** Judge j's name and first name, as UTF-8. */
    std::string NomJuge(short juge) const;

    /** Reads the keys and sheets kept beside the file; keys are made for judges without one. */
    void Charge();
    /** The file the keys and sent sheets are kept in; empty for a competition without a file. */
    std::string CheminEtat() const;
    const std::string& Cle(short juge) const;
    /** A new key for judge j: the old one no longer opens anything. */
    void NouvelleCle(short juge);
    /** The judge a key is of, 0 when none. */
    short JugeDeCle(std::string_view cle) const;
    /** Every key with its judge, for the server's threads. */
    std::vector<std::pair<std::string, short>> Cles() const;

    /** Calls a pilot to the line: every phone shows him. */
    void Appelle(short vol, const std::string& dossard);
    /** Calls the pilot after the called one in entry order; false after the last. */
    bool PiloteSuivant();
    std::optional<Appel> AppelCourant() const { return m_appel; }

    /** The answer to an authenticated request of judge `juge`. */
    Reponse Traite(short juge, const std::string& methode, const std::string& chemin,
                   const std::map<std::string, std::string>& parametres, std::string_view corps);

    /** Judge j's place on pilot `dossard`'s sheet of flight `vol`. */
    CaseGrille Case(short vol, const std::string& dossard, short juge) const;
    /** Whether some judge tapped or sent pilot `dossard`'s sheet of flight `vol`. */
    bool EnSaisie(short vol, const std::string& dossard) const;
    /** Whether some judge tapped marks on a sheet he has not sent yet. */
    bool SaisieEnCours() const;
    const TDocument& Document() const { return m_document; }
    /** The flights that have a programme, each with the programme's name (UTF-8). */
    std::vector<std::pair<short, std::string>> Vols();
    /** The flight and bib (UTF-8) of the sheet judge j worked on last; nothing before. */
    std::optional<Appel> FeuilleCourante(short juge) const;
    /** When judge j's phone last asked anything; nothing when never. */
    std::optional<std::chrono::steady_clock::time_point> DerniereVue(short juge) const;

    /** Called after a sheet every judge sent is finished. */
    std::function<void(const FeuilleTerminee&)> SurFeuilleTerminee;
    /** Called after anything the grid shows changed. */
    std::function<void()> SurChangement;
    /** A French sentence when the kept state cannot be written (the marks are safe anyway). */
    std::function<void(const std::string&)> SurErreur;

private:
    struct Feuille
    {
        std::uint32_t notees = 0; ///< lines tapped, line l at bit l - 1
        bool envoyee = false;
    };
    using CleFeuille = std::tuple<short, std::string, short>; ///< flight, bib, judge

    Reponse Etat(short juge);
    Reponse FeuilleDe(short juge, const std::map<std::string, std::string>& parametres);
    Reponse Note(short juge, std::string_view corps);
    Reponse Envoi(short juge, std::string_view corps);
    const TProgramme* Programme(short vol);
    void Enregistre();
    /** Stores a mark through the document, as a typed one. */
    void StockeNote(const tavo::NoteJournal& note);
    void Termine(short vol, const std::string& dossard);
    void Change();

    TDocument& m_document;
    std::string m_repProgrammes;
    std::array<std::string, 6> m_cles{}; ///< judge 1 to 5
    std::map<CleFeuille, Feuille> m_feuilles;
    std::uint64_t m_versionEnvois = 0; ///< bumped whenever a sheet's sent state may change
    std::optional<Appel> m_appel;
    /** A judge's state as last sent, and what it was made from: polls ask it again and again. */
    struct EtatEnvoye
    {
        std::uint64_t revision = 0;
        std::uint64_t envois = 0;
        std::optional<Appel> appel;
        std::optional<std::string> corps;
    };
    std::array<EtatEnvoye, 6> m_etats{};
    std::array<std::optional<std::chrono::steady_clock::time_point>, 6> m_vus{};
    std::array<std::optional<Appel>, 6> m_courantes{};
    /** Each flight's programme file name and what it held; nothing: the flight has none. */
    std::map<short, std::pair<std::string, std::optional<TProgramme>>> m_programmes;
};

/** The values a line of a programme accepts on a phone: 0 to 10, or the line's own values. */
std::vector<short> ValeursLigne(const TProgramme& programme, short ligne);

} // namespace tavo::terrain
