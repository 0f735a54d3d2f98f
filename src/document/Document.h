// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Verrou.h"
#include "model/Concours.h"
#include "model/Journal.h"
#include "model/LectureConcours.h"

#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavo {

/**
 * What a document asks or tells the one who works with it: the window puts
 * it in message boxes, a program without a window answers by itself.
 */
class TInterlocuteur
{
public:
    virtual ~TInterlocuteur() = default;

    /** `fichier` is open elsewhere: open it here too? */
    virtual bool OuvreMalgreVerrou(const std::string& fichier, const TDetenteurVerrou& qui) = 0;
    /** `fichier` changed on disk since it was read or written here: replace it anyway? */
    virtual bool RemplaceFichierChange(const std::string& fichier) = 0;
    /** `fichier`, which is not the document's, is open elsewhere: replace it anyway? */
    virtual bool RemplaceFichierOuvert(const std::string& fichier, const TDetenteurVerrou& qui) = 0;
    /**
     * Marks typed after the last save were found: replay them? With
     * `notesSeules`, the file was saved since and only the marks can come back.
     */
    virtual bool RecupereNotes(bool notesSeules) = 0;
    /** The lock `verrou` could not be made (a full disk): the file is not protected. */
    virtual void VerrouImpossible(const std::string& verrou, const std::string& raison) = 0;
    /** The journal cannot be written: crash recovery is off until the next save. */
    virtual void JournalImpossible(const std::string& journal, const std::string& raison) = 0;
    /** A journal too large to be a competition's was found and left unread. */
    virtual void JournalTropGrand(const std::string& journal, std::uint64_t taille) = 0;
};

/**
 * The files of a competition that nothing but its document writes: the file
 * (by the name given and by its real name), its lock (".~lock.NAME#"), its
 * recovery journals (".NAME.*.journal") and its judges' field keys
 * (".NAME.terrain") beside the file its links lead to. None for an empty name.
 */
std::vector<std::string> FichiersDuConcours(const std::string& fichier);
/** The judges' keys and sheets sent from the field, beside the file its links lead to. */
std::string FichierTerrain(const std::string& fichier);

/** What the journals crashed programs left for a competition file would give back. */
struct NotesNonEnregistrees
{
    /** The file was saved since by another window: only the marks would come back. */
    bool notesSeules = false;
    /** The journals that hold them, oldest first. */
    std::vector<std::string> journaux;
};

/**
 * Whether `fichier`, were it opened now, would be offered the recovery of what crashed
 * programs of this computer typed into it. Nothing for a file open elsewhere, gone or
 * unreadable. Reads only: the journals stay for the opening.
 */
std::optional<NotesNonEnregistrees> NotesARecuperer(const std::string& fichier);

/** How an open or a write ended. */
enum class Issue
{
    Faite,   ///< done
    Refusee, ///< the user answered no to a question: nothing done
    Echouee, ///< the file could not be read or written: nothing changed
};

/**
 * The open competition and everything that guards it: its file's name, whether
 * it changed since it was read or written (`Modifie`) and whether it ever had
 * a file (`SansNom`), the lock beside the file, the footprint of what the file
 * held, and the recovery journal of every mark and change since. Every change
 * goes through it and bumps `Revision`. The window, the command line and any
 * other front end work through one; it asks its questions to its interlocutor.
 */
class TDocument
{
public:
    explicit TDocument(TInterlocuteur& interlocuteur);
    /** A document given up or saved leaves no journal; unsaved changes keep theirs. */
    ~TDocument();
    TDocument(const TDocument&) = delete;
    TDocument& operator=(const TDocument&) = delete;

    TConcours& Concours() { return *m_concours; }
    const TConcours& Concours() const { return *m_concours; }
    /** The file read or written last; empty before the first. */
    const std::string& Fichier() const { return m_fichier; }
    bool Modifie() const { return m_modifie; }
    bool SansNom() const { return m_sansNom; }
    /** A number that every change of the competition makes larger. */
    std::uint64_t Revision() const { return m_revision; }

    /** The competition was changed in a way the journal need not know (or knows already). */
    void MarqueModifie();
    /** Says the competition is as its file (or that its changes are given up). */
    void MarqueEnregistre() { m_modifie = false; }

    /** A new empty competition without a file. */
    void Nouveau();
    /**
     * Opens a competition file: asks first when another program has it open
     * (`Refusee` on no); `Echouee`, with why in `lecture`, when it cannot be
     * read, the open competition then unchanged. Recovery is offered apart.
     */
    Issue Ouvre(const std::string& chemin, ResultatLecture* lecture = nullptr);
    /**
     * Writes the competition to `chemin` (its file, or a new name): asks first
     * when the file changed on disk since it was read or written here, or is
     * open elsewhere. `Echouee` with the reason in French in `erreur`.
     */
    Issue Ecrit(const std::string& chemin, std::string* erreur = nullptr);

    /** Stores a mark of pilot `dossard`'s sheet and journals it. */
    void StockeNote(const NoteJournal& note);
    /**
     * Finishes pilot `dossard`'s sheet of flight `vol` on `programme`: the flight score computed
     * and stored, the journal on the disk. The score, or nothing for a bib no pilot has.
     */
    std::optional<double> TermineVol(const std::string& dossard, short vol,
                                     const TProgramme& programme);
    /** A dialog changed the competition since `avant`: modified, and the changes journaled. */
    void Change(const PhotoConcours& avant);
    /** The changes since `avant` when there are some (a cancelled dialog's): true if any. */
    bool ChangeSiDifferent(const PhotoConcours& avant);
    /** Waits until the journal is on the disk (a sheet finished). */
    void Synchronise();
    /** The changes are given up: the journal goes with the document. */
    void Abandonne() { m_abandon = true; }

    /**
     * Offers to replay the journals a crashed program left for the open file
     * (or, with no file, for an unnamed competition); false when none was replayed.
     */
    bool ProposeRecuperation();
    /** The recovery journal: beside the file, or in the state directory without one. */
    std::string CheminJournal() const;
    /** The files nothing else may write: the file, its lock, its journals. */
    std::vector<std::string> FichiersProteges() const;
    /** After others wrote around the file: marks it modified if it no longer holds what it did. */
    void VerifieFichier();

private:
    /** The file is ours: its lock taken, the fingerprint of `contenu` computed aside. */
    void PrendFichier(const std::string& chemin, std::string contenu);
    /** The fingerprint of what the file held, waited for when it is still being computed. */
    const std::string& Empreinte() const;
    void LacheFichier();
    TJournal& JournalCourant();
    std::string NomJournal() const;
    void JournaliseChangements(const std::string& changements);
    void AnnonceEchecJournal();
    void OublieJournal();
    bool AccepteEcriture(const std::string& chemin);

    TInterlocuteur& m_interlocuteur;
    std::unique_ptr<TConcours> m_concours;
    std::string m_fichier;
    bool m_modifie = false;
    bool m_sansNom = true;
    bool m_abandon = false;
    std::uint64_t m_revision = 0;
    TVerrou m_verrou;
    std::string m_empreinteChemin; ///< the file the footprint is of
    /**
     * The fingerprint of what it held when read or written, computed on a thread of its own:
     * a large file's first paint does not wait for it.
     */
    std::shared_future<std::string> m_empreinte;
    std::unique_ptr<TJournal> m_journal;
    bool m_echecJournalAnnonce = false;
};

} // namespace tavo
