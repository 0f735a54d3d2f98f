// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TConcours;

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
 * What a recovery journal holds: who wrote it, the last copy of the whole
 * competition it took (when the competition differed from its file), and
 * the marks stored after that copy, in order.
 */
struct ContenuJournal
{
    std::string hote;
    long long processus = 0;
    std::optional<std::string> concours; ///< the competition file form
    std::vector<NoteJournal> notes;
};

/**
 * Reads a journal. A tail cut by a crash (an unfinished line or copy) is
 * ignored; false when the text is not a journal at all.
 */
bool LitJournal(std::string_view texte, ContenuJournal& contenu);

/** Stores the marks in the pilots found by bib; returns how many were stored. */
int RejoueNotes(TConcours& concours, const std::vector<NoteJournal>& notes);

/**
 * The recovery journal of the open competition: marks and copies are appended
 * to the file as they happen, each in one write, so that a crash of the
 * program loses none of them. The file is created by the first entry.
 */
class TJournal
{
public:
    TJournal(std::string chemin, std::string hote, long long processus);
    ~TJournal();
    TJournal(const TJournal&) = delete;
    TJournal& operator=(const TJournal&) = delete;

    const std::string& Chemin() const { return m_chemin; }
    /** True once the file exists and every entry so far was written. */
    bool Actif() const { return m_fd >= 0; }
    /** True while nothing was written, nor tried and failed. */
    bool Vierge() const { return m_fd < 0 && !m_echec; }

    /** Appends a copy of the whole competition (its file form). */
    bool AjouteConcours(std::string_view texte);
    /** Appends one mark. */
    bool AjouteNote(const NoteJournal& note);
    /** Waits until what was appended is on the disk. */
    void Synchronise();
    /** Closes the journal and removes its file. */
    void Supprime();

private:
    bool Ouvre();
    bool Ajoute(std::string_view texte);

    std::string m_chemin;
    std::string m_entete;
    int m_fd = -1;
    bool m_echec = false;
};

} // namespace tavo
