// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include <QDateTime>
#include <QString>

namespace tavo {

/** Who has a file open: the user, the computer and the process, and since when. */
struct TDetenteurVerrou
{
    QString Utilisateur;
    QString Hote;
    qint64 Processus = 0;
    QDateTime Depuis;
    std::string Demarrage; ///< what tells the process from a later one of that number
};

/**
 * The lock a window puts beside the competition file it has open, as office
 * suites do (".~lock.NAME#" in the file's directory), telling who has it
 * open. A lock left by a process that has ended on this computer is stale
 * and does not count. Released when the window lets the file go.
 */
class TVerrou
{
public:
    TVerrou() = default;
    ~TVerrou();
    TVerrou(const TVerrou&) = delete;
    TVerrou& operator=(const TVerrou&) = delete;

    /** The lock file of a competition file. */
    static QString CheminVerrou(const QString& fichier);
    /**
     * Who else holds the lock of `fichier`: another process, or another window
     * of this one. Nothing when the file is free or its lock is stale.
     */
    static std::optional<TDetenteurVerrou> Detenteur(const QString& fichier);

    /**
     * Takes the lock of `fichier`, letting go of the one held before. False
     * when someone else holds it or the lock cannot be written: the file is
     * then open without a lock. `raison`, when given, tells why the lock could
     * not be written where the place itself could be (a full disk, say); it
     * stays empty when the lock is held elsewhere or the place is read-only.
     */
    bool Prend(const QString& fichier, QString* raison = nullptr);
    /** Removes the lock held, if any. */
    void Libere();
    /** The file whose lock is held; empty when none. */
    const QString& Fichier() const { return m_fichier; }

private:
    QString m_fichier;
    QString m_verrou;
};

/** This computer's name, as locks and journals record it. */
QString NomHote();

} // namespace tavo
