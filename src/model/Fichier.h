// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LectureConcours.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TConcours;

namespace tavo {

/** Largest programme file or options file read; a larger one is refused like a missing one. */
constexpr std::uint64_t TAILLE_MAX_PETIT_FICHIER = std::uint64_t{1} << 20;

/** Largest competition file read: beyond it the competition could not fit in memory. */
std::uint64_t TailleMaxConcours();

/**
 * Reads a whole regular file as bytes, never more than `tailleMax` bytes even
 * if the file grows meanwhile. A directory or a missing or unreadable file
 * gives `FichierIntrouvable`, a device, pipe or socket `PasUnFichier` (never
 * waited on), a file over `tailleMax` `FichierTropGrand`; `contenu` is then
 * left as it was.
 */
CodeLecture LitFichierBorne(const std::string& chemin, std::string& contenu,
                            std::uint64_t tailleMax);

/** `LitFichierBorne`, true when the file was read. */
bool LitFichier(const std::string& chemin, std::string& contenu,
                std::uint64_t tailleMax = TailleMaxConcours());

/**
 * Two names of one file: the same device and inode when both exist, else the
 * same canonical path. An empty name is no file.
 */
bool MemeFichier(const std::string& a, const std::string& b);

/**
 * The absolute name of a file, through its links when it exists (the file the
 * name leads to), else made absolute and normal: the one name its lock and
 * journals are made beside.
 */
std::string CheminReel(const std::string& chemin);

/** Whether `nom` names a file inside a directory: not empty, no separator, not "." or "..". */
bool EstNomFichierSimple(std::string_view nom);

/**
 * Replaces a file without ever destroying the previous one: the bytes go to a
 * temporary file in the same directory, which is flushed to disk and then
 * renamed over the target. A symbolic link is followed: its target is
 * replaced and the link stays. A file with other hard links, or whose owner
 * the temporary file cannot take, is rewritten in place instead, its space
 * reserved first so that a full disk leaves it untouched. A read-only file is
 * refused. On failure the target is untouched where the file system allows
 * it, the temporary file is removed, and `erreur` (when given) tells why in
 * French.
 */
bool EcritFichierSur(const std::string& chemin, std::string_view contenu,
                     std::string* erreur = nullptr);

/** One file of a group written together. */
struct FichierAEcrire
{
    std::string chemin;
    std::string contenu;
};

/**
 * Writes several files, each one as `EcritFichierSur` does (a temporary file
 * renamed over the target: a file is replaced whole or left as it was), but
 * flushed to disk together: every temporary file is written first, then the
 * file system is flushed once, then they are renamed. Stops at the first
 * failure: the files renamed before it keep their new content, the others
 * their old one, and no temporary file is left. Returns the number of files
 * written; `erreur` tells which file failed and why, in French.
 */
int EcritFichiersSurs(const std::vector<FichierAEcrire>& fichiers, std::string* erreur = nullptr);

/** What a write of generated pages must leave alone, and how it knows its own pages. */
struct GardePages
{
    /** Files never written, whatever name leads to them (the same device and inode). */
    std::vector<std::string> proteges;
    /**
     * Whether an existing file, seen by its first and last bytes (at most 512
     * of each, the same whole file when it is smaller), is a page the group
     * may replace. Unset: any regular file may be replaced.
     */
    std::function<bool(std::string_view debut, std::string_view fin)> reconnait;
};

/**
 * Writes generated pages together as `EcritFichiersSurs` does, into names of
 * their own only: a name is never followed through a symbolic link and never
 * written in place (its temporary file is renamed over it, so another hard
 * link keeps the old content). A name that exists as anything but a regular
 * file, as a file `reconnait` does not know, or as the same file as one of
 * the `proteges`, is refused. Every name is checked before anything is
 * renamed, then once more just before its own rename: a refusal leaves the
 * folder as it was. Returns the number of files written; `erreur` is a whole
 * sentence in French naming the file.
 */
int EcritPagesSures(const std::vector<FichierAEcrire>& pages, const GardePages& garde,
                    std::string* erreur = nullptr);

/**
 * Writes generated pages as `EcritPagesSures` does, but one at a time as they
 * are made, so that few pages' texts are held: `Ajoute` checks a page's name
 * and hands its text to a thread that writes its temporary file while the
 * next pages are made (at most 8 MB, or one page, wait for it); `Termine`
 * waits for them, flushes them all once, checks every name again and renames
 * them. A failure to write is told by a later `Ajoute` or by `Termine`. A
 * refusal or a failure before `Termine` renames anything leaves the folder as
 * it was: the temporary files written so far are removed (at the latest when
 * the object goes).
 */
class TPagesSures
{
public:
    explicit TPagesSures(GardePages garde);
    ~TPagesSures();
    TPagesSures(const TPagesSures&) = delete;
    TPagesSures& operator=(const TPagesSures&) = delete;

    /** False, the reason in `Erreur`, when the page is refused or a page could not be written. */
    bool Ajoute(const std::string& chemin, std::string_view contenu);
    /** The number of pages written; 0 after a refusal. */
    int Termine();
    /** A whole sentence in French naming the file, after a refusal or a failure. */
    const std::string& Erreur() const;

private:
    struct Etat;
    std::unique_ptr<Etat> m_etat;
};

/**
 * Writes a whole document (a PDF) to the name the user gave. A file, new or
 * not, is replaced as `EcritFichierSur` does: on failure no part of the
 * document is left and a previous file keeps its content. A device, a pipe or
 * a name standing for an open descriptor (/dev/stdout) is written in place,
 * every write checked, and never created. False, with the reason in
 * `erreur`, when it was not written whole.
 */
bool EcritDocument(const std::string& chemin, std::string_view contenu, std::string* erreur);

/**
 * Writes every byte to a file descriptor, going on after an interruption;
 * false, with `errno` telling why, when the system refuses (POSIX systems).
 */
bool EcritTout(int fd, std::string_view contenu);

/**
 * Opens a competition file into `concours`; on failure the competition is
 * unchanged. The file is streamed, never held whole. `empreinte`, when given,
 * receives the fingerprint of all its bytes (`EmpreinteHex`).
 */
ResultatLecture OuvreConcours(TConcours& concours, const std::string& chemin,
                              std::string* empreinte = nullptr);

/** Saves a competition file safely (see `EcritFichierSur`). */
bool EnregistreConcours(const TConcours& concours, const std::string& chemin,
                        std::string* erreur = nullptr);

} // namespace tavo
