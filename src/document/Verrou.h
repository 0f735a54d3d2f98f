// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace tavo {

/** Who has a file open: the user, the computer and the process, and since when. */
struct TDetenteurVerrou
{
    std::string Utilisateur;
    std::string Hote;
    long long Processus = 0;
    std::string Depuis;    ///< local time, "2026-06-13T08:00:00"; empty when unknown
    std::string Demarrage; ///< what tells the process from a later one of that number
};

/**
 * The lock a document puts beside the competition file it has open, as office
 * suites do (".~lock.NAME#" in the file's directory), telling who has it
 * open. While held, the lock file is also locked by the system (an open file
 * description lock where the system has them), so that any other holder in
 * this process or another sees it taken; a lock left by a process that has
 * ended on this computer is stale and does not count. Released when the
 * document lets the file go, and only while the lock file is still its own.
 */
class TVerrou
{
public:
    TVerrou() = default;
    ~TVerrou();
    TVerrou(const TVerrou&) = delete;
    TVerrou& operator=(const TVerrou&) = delete;

    /** The lock file of a competition file. */
    static std::string CheminVerrou(const std::string& fichier);
    /**
     * Who else holds the lock of `fichier`: another process, or another
     * document of this one. Nothing when the file is free or its lock is stale.
     */
    static std::optional<TDetenteurVerrou> Detenteur(const std::string& fichier);

    /**
     * Takes the lock of `fichier`, letting go of the one held before. False
     * when someone else holds it or the lock cannot be written: the file is
     * then open without a lock. `raison`, when given, tells why the lock could
     * not be written where the place itself could be (a full disk, say); it
     * stays empty when the lock is held elsewhere or the place is read-only.
     */
    bool Prend(const std::string& fichier, std::string* raison = nullptr);
    /** Removes the lock held, if the lock file is still this one's. */
    void Libere();
    /** The file whose lock is held; empty when none. */
    const std::string& Fichier() const { return m_fichier; }

private:
    std::string m_fichier;
    std::string m_verrou;
    int m_fd = -1; ///< the lock file, locked by the system while held
};

/** The user's name, as locks record it ("?" when unknown). */
std::string NomUtilisateur();

} // namespace tavo
