// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class TConcours;
class TPilote;

namespace tavo {

/** One mark stored on a score sheet: flight, figure line, judge, value and the pilot's bib. */
struct NoteJournal
{
    short vol = 1;
    short ligne = 1;
    short juge = 1;
    short note = 0;
    std::string dossard;
};

/**
 * Who wrote a journal, and over what: the computer, the process (its number
 * and what tells it from a later process of that number), and the
 * fingerprint of the competition file the journal started from (empty for a
 * competition without a file).
 */
struct EnteteJournal
{
    std::string hote;
    long long processus = 0;
    std::string demarrage;
    std::string origine;
};

/** What became of reading a journal. */
enum class EtatJournal
{
    Lu,        ///< a journal, read to its end or to a tail cut by a crash
    Illisible, ///< missing, unreadable, a link, or not a journal
    TropGrand, ///< larger than any competition's journal can be: not read
};

/** How much of a journal to replay. */
enum class Reprise
{
    Tout,        ///< copies, changes and marks: the journal started from this very file
    NotesSeules, ///< only marks, on pilots found with the same bib and name
};

/** What a replay did. */
struct ResultatReprise
{
    EtatJournal etat = EtatJournal::Illisible;
    EnteteJournal entete;
    std::uint64_t taille = 0;
    int appliquees = 0; ///< entries replayed
    int ignorees = 0;   ///< entries left out (changes in `NotesSeules`, marks of unknown pilots)
};

/** The largest journal read: a competition file's cap, with room for the marks typed. */
std::uint64_t TailleMaxJournal();

/** Reads a journal's header only (never follows a link, never waits on a pipe). */
ResultatReprise LitEnteteJournal(const std::string& chemin);

/**
 * Replays a journal onto a competition, reading it a piece at a time: memory
 * holds one entry, never the whole file. A tail cut by a crash ends the
 * replay; an entry that does not apply is skipped.
 */
ResultatReprise RejoueJournal(const std::string& chemin, TConcours& concours, Reprise reprise);

/**
 * What a competition's records were at one moment, small enough to keep
 * beside a competition of any size: its identification and judges as
 * written, a fingerprint per pilot.
 */
struct PhotoConcours
{
    std::string identification;
    std::string juges;
    std::vector<std::uint64_t> pilotes;
};

PhotoConcours Photographie(const TConcours& concours);

/**
 * The journal entries that turn the competition photographed in `avant` into
 * `apres`: the identification or the judges when they changed, the pilots as
 * replaced runs (a pilot edited, inserted or removed costs its own record,
 * not the list's). Empty when nothing changed.
 */
std::string Changements(const PhotoConcours& avant, const TConcours& apres);

/**
 * The recovery journal of the open competition: marks, changes and copies are
 * appended as they happen, each in one write, so that a crash of the program
 * loses none of them; a background thread flushes them to the disk a short
 * while later, so that a power cut loses at most the last moment. The file is
 * created by the first entry, under the name given or, when that name is
 * taken, a free name next to it ("-2", "-3"... after the process number):
 * an existing file is never opened, truncated nor followed through a link.
 */
class TJournal
{
public:
    /** How long appended entries wait for others before they are flushed together. */
    static constexpr int DELAI_SYNCHRONISATION_MS = 200;

    TJournal(std::string chemin, EnteteJournal entete);
    ~TJournal();
    TJournal(const TJournal&) = delete;
    TJournal& operator=(const TJournal&) = delete;

    /** The name asked for; `Chemin` is the name the file got. */
    const std::string& Nom() const { return m_nom; }
    const std::string& Chemin() const { return m_chemin; }
    const EnteteJournal& Entete() const { return m_entete; }
    /** True once the file exists and every entry so far was written. */
    bool Actif() const { return m_fd >= 0 && !EnEchec(); }
    /** True while nothing was written, nor tried and failed. */
    bool Vierge() const { return m_fd < 0 && !EnEchec(); }
    /** True once an entry could not be written or flushed: the journal takes no more. */
    bool EnEchec() const;
    /** Why it failed, in French. */
    std::string Raison() const;

    /** Appends a copy of the whole competition (its file form). */
    bool AjouteConcours(std::string_view texte);
    /** Appends the entries `Changements` made. */
    bool AjouteChangements(std::string_view entrees);
    /** Appends one mark of `pilote`'s sheet (naming him first when he is new to the journal). */
    bool AjouteNote(const NoteJournal& note, const TPilote& pilote);
    /** Waits until what was appended is on the disk. */
    void Synchronise();
    /** Entries appended, and entries known to be on the disk. */
    std::uint64_t Ecrites() const;
    std::uint64_t Synchronisees() const;
    /** Closes the journal and removes its file. */
    void Supprime();

private:
    bool Ouvre();
    bool Ajoute(std::string_view texte);
    void Echoue(int erreur);
    void Arrete(bool synchronise);
    void Synchroniseur();

    std::string m_nom;
    std::string m_chemin;
    EnteteJournal m_entete;
    std::string m_dernierPilote; ///< the pilot the last marks belong to, as written
    int m_fd = -1;

    mutable std::mutex m_mutex;
    std::condition_variable m_reveil;
    std::thread m_fil;
    int m_fdFil = -1; ///< the background thread's own descriptor of the file
    bool m_arret = false;
    std::uint64_t m_ecrites = 0;
    std::uint64_t m_synchronisees = 0;
    std::string m_raison;
};

} // namespace tavo
