// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

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
     * when someone else holds it or the lock cannot be written (a read-only
     * directory): the file is then open without a lock.
     */
    bool Prend(const QString& fichier);
    /** Removes the lock held, if any. */
    void Libere();
    /** The file whose lock is held; empty when none. */
    const QString& Fichier() const { return m_fichier; }

private:
    QString m_fichier;
    QString m_verrou;
};

/** True when process `pid` runs on this computer (true when the system cannot tell). */
bool ProcessusActif(qint64 pid);

/** This computer's name, as locks and journals record it. */
QString NomHote();

} // namespace tavo
