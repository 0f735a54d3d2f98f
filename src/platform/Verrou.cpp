// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Verrou.h"

#include "platform/Chaines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSysInfo>

#if __has_include(<unistd.h>)
#include <cerrno>
#include <csignal>
#include <unistd.h>
#define TAVO_POSIX 1
#endif

namespace tavo {

namespace {

/** The locks this process holds, for telling its own windows apart. */
QSet<QString>& verrousTenus()
{
    static QSet<QString> verrous;
    return verrous;
}

QString utilisateur()
{
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"})
        if (const QString nom = qEnvironmentVariable(variable); !nom.isEmpty())
            return nom;
    return QStringLiteral("?");
}

QByteArray contenu()
{
    return (QStringList{utilisateur(), NomHote(),
                        QString::number(QCoreApplication::applicationPid()),
                        QDateTime::currentDateTime().toString(Qt::ISODate)}
                .join(u'\n') +
            u'\n')
        .toUtf8();
}

/** The holder a lock file names; nothing when it cannot be read. */
std::optional<TDetenteurVerrou> litVerrou(const QString& verrou)
{
    QFile f(verrou);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lignes = QString::fromUtf8(f.read(4096)).split(u'\n');
    if (lignes.size() < 4)
        return std::nullopt;
    TDetenteurVerrou d;
    d.Utilisateur = SurUneLigne(lignes[0]);
    d.Hote = SurUneLigne(lignes[1]);
    bool ok = false;
    d.Processus = lignes[2].toLongLong(&ok);
    d.Depuis = QDateTime::fromString(lignes[3], Qt::ISODate);
    return ok ? std::optional(d) : std::nullopt;
}

bool perime(const TDetenteurVerrou& d, const QString& verrou)
{
    if (d.Hote != NomHote())
        return false; // another computer's process cannot be checked from here
    if (d.Processus == QCoreApplication::applicationPid())
        return !verrousTenus().contains(verrou);
    return !ProcessusActif(d.Processus);
}

/** Creates the lock with its content in one step: it never exists half written. */
bool cree(const QString& verrou)
{
#if defined(TAVO_POSIX)
    const QString temporaire =
        verrou + QStringLiteral(".%1").arg(QCoreApplication::applicationPid());
    QFile f(temporaire);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenu()) < 0 ||
        !f.flush()) {
        f.remove();
        return false;
    }
    f.close();
    const bool lie = ::link(QFile::encodeName(temporaire).constData(),
                            QFile::encodeName(verrou).constData()) == 0;
    QFile::remove(temporaire);
    return lie;
#else
    QFile f(verrou);
    return f.open(QIODevice::WriteOnly | QIODevice::NewOnly) && f.write(contenu()) >= 0;
#endif
}

} // namespace

bool ProcessusActif(qint64 pid)
{
    if (pid <= 0)
        return false;
#if defined(TAVO_POSIX)
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#else
    return true;
#endif
}

QString NomHote()
{
    const QString nom = QSysInfo::machineHostName();
    return nom.isEmpty() ? QStringLiteral("?") : nom;
}

QString TVerrou::CheminVerrou(const QString& fichier)
{
    const QFileInfo info(fichier);
    const QString reel = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QFileInfo cible(reel);
    return cible.dir().filePath(QStringLiteral(".~lock.") + cible.fileName() + u'#');
}

std::optional<TDetenteurVerrou> TVerrou::Detenteur(const QString& fichier)
{
    const QString verrou = CheminVerrou(fichier);
    const auto d = litVerrou(verrou);
    if (!d || perime(*d, verrou))
        return std::nullopt;
    return d;
}

TVerrou::~TVerrou()
{
    Libere();
}

bool TVerrou::Prend(const QString& fichier)
{
    Libere();
    const QString verrou = CheminVerrou(fichier);
    if (Detenteur(fichier))
        return false;
    QFile::remove(verrou); // stale, or unreadable
    if (!cree(verrou))
        return false;
    m_fichier = fichier;
    m_verrou = verrou;
    verrousTenus().insert(verrou);
    return true;
}

void TVerrou::Libere()
{
    if (m_verrou.isEmpty())
        return;
    const auto d = litVerrou(m_verrou);
    if (d && d->Hote == NomHote() && d->Processus == QCoreApplication::applicationPid())
        QFile::remove(m_verrou);
    verrousTenus().remove(m_verrou);
    m_verrou.clear();
    m_fichier.clear();
}

} // namespace tavo
