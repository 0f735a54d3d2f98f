// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery journal: a text file of entries, each ending with a line end.
//   TAVO-JOURNAL 1
//   hote <host name>
//   processus <pid>
//   concours <n>         followed by n bytes of the competition file form and a line end
//   note <vol> <ligne> <juge> <note> <bib>
#include "model/Journal.h"

#include "model/Concours.h"
#include "model/Fichier.h"
#include "model/LecteurTexte.h"

#include <charconv>
#include <cstdio>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define TAVO_POSIX 1
#endif

namespace tavo {

namespace {

constexpr std::string_view SIGNATURE = "TAVO-JOURNAL 1\n";

/** The next whole line (without its LF); false when no line end is left. */
bool ligneSuivante(std::string_view& reste, std::string_view& ligne)
{
    const std::size_t fin = reste.find('\n');
    if (fin == std::string_view::npos)
        return false;
    ligne = reste.substr(0, fin);
    reste.remove_prefix(fin + 1);
    return true;
}

bool prefixe(std::string_view& ligne, std::string_view mot)
{
    if (ligne.substr(0, mot.size()) != mot)
        return false;
    ligne.remove_prefix(mot.size());
    return true;
}

/** Reads a decimal integer and the one space after it. */
template <typename T> bool entier(std::string_view& ligne, T& valeur)
{
    const auto [fin, ec] = std::from_chars(ligne.data(), ligne.data() + ligne.size(), valeur);
    if (ec != std::errc() || fin == ligne.data())
        return false;
    ligne.remove_prefix(static_cast<std::size_t>(fin - ligne.data()));
    if (!ligne.empty() && ligne.front() == ' ')
        ligne.remove_prefix(1);
    return true;
}

bool litNote(std::string_view ligne, NoteJournal& note)
{
    if (!entier(ligne, note.vol) || !entier(ligne, note.ligne) || !entier(ligne, note.juge) ||
        !entier(ligne, note.note))
        return false;
    note.dossard = std::string(ligne);
    return true;
}

/** A copy: its size on the line, then the bytes and a line end. */
bool litConcours(std::string_view ligne, std::string_view& reste, std::string& concours)
{
    std::size_t taille = 0;
    if (!entier(ligne, taille) || !ligne.empty() || reste.size() <= taille || reste[taille] != '\n')
        return false;
    concours = std::string(reste.substr(0, taille));
    reste.remove_prefix(taille + 1);
    return true;
}

} // namespace

bool LitJournal(std::string_view texte, ContenuJournal& contenu)
{
    contenu = {};
    if (!prefixe(texte, SIGNATURE))
        return false;
    std::string_view ligne;
    if (!ligneSuivante(texte, ligne) || !prefixe(ligne, "hote "))
        return false;
    contenu.hote = std::string(ligne);
    if (!ligneSuivante(texte, ligne) || !prefixe(ligne, "processus ") ||
        !entier(ligne, contenu.processus))
        return false;
    while (ligneSuivante(texte, ligne)) {
        NoteJournal note;
        std::string concours;
        if (prefixe(ligne, "note ") && litNote(ligne, note)) {
            contenu.notes.push_back(std::move(note));
        } else if (prefixe(ligne, "concours ") && litConcours(ligne, texte, concours)) {
            contenu.concours = std::move(concours);
            contenu.notes.clear();
        } else {
            break; // the tail a crash cut
        }
    }
    return true;
}

int RejoueNotes(TConcours& concours, const std::vector<NoteJournal>& notes)
{
    int rejouees = 0;
    for (const NoteJournal& n : notes) {
        for (TPilote& pilote : concours.GetPilotes())
            if (n.dossard == pilote.GetDossard()) {
                pilote.SetNote(n.vol, n.ligne, n.juge, n.note);
                ++rejouees;
                break;
            }
    }
    return rejouees;
}

TJournal::TJournal(std::string chemin, std::string hote, long long processus)
    : m_chemin(std::move(chemin))
{
    m_entete = std::string(SIGNATURE) + "hote " + hote + "\nprocessus ";
    AjouteEntier(m_entete, processus);
    m_entete += '\n';
}

TJournal::~TJournal()
{
#if defined(TAVO_POSIX)
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

bool TJournal::Ouvre()
{
#if defined(TAVO_POSIX)
    if (m_fd >= 0 || m_echec)
        return m_fd >= 0;
    m_fd = ::open(m_chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        m_echec = true;
        return false;
    }
    return Ajoute(m_entete);
#else
    return false;
#endif
}

bool TJournal::Ajoute(std::string_view texte)
{
#if defined(TAVO_POSIX)
    if (!EcritTout(m_fd, texte)) {
        // A journal with a hole would replay wrongly: it stops here.
        ::close(m_fd);
        m_fd = -1;
        m_echec = true;
        return false;
    }
#if defined(__linux__)
    // Starts writing to the disk without waiting for it.
    ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    return true;
#else
    (void)texte;
    return false;
#endif
}

bool TJournal::AjouteConcours(std::string_view texte)
{
    std::string entree = "concours ";
    AjouteEntier(entree, static_cast<long long>(texte.size()));
    entree += '\n';
    entree += texte;
    entree += '\n';
    const bool ok = Ouvre() && Ajoute(entree);
    Synchronise();
    return ok;
}

bool TJournal::AjouteNote(const NoteJournal& note)
{
    std::string entree = "note ";
    for (short valeur : {note.vol, note.ligne, note.juge, note.note}) {
        AjouteEntier(entree, valeur);
        entree += ' ';
    }
    // A bib is one line of the competition file; the journal keeps it on one line too.
    for (char c : note.dossard)
        entree += (c == '\n' || c == '\r') ? ' ' : c;
    entree += '\n';
    return Ouvre() && Ajoute(entree);
}

void TJournal::Synchronise()
{
#if defined(TAVO_POSIX)
    if (m_fd >= 0)
        ::fdatasync(m_fd);
#endif
}

void TJournal::Supprime()
{
#if defined(TAVO_POSIX)
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_echec = false;
    std::remove(m_chemin.c_str());
#endif
}

} // namespace tavo
