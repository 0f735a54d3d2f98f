// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Verrou.h"

#include "model/ErreurSysteme.h"
#include "model/Fichier.h"
#include "model/Processus.h"
#include "platform/Chaines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#if __has_include(<unistd.h>)
#include <cerrno>
#include <fcntl.h>
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
    const long long pid = NumeroProcessus();
    return (QStringList{utilisateur(), NomHote(), QString::number(pid),
                        QDateTime::currentDateTime().toString(Qt::ISODate),
                        QString::fromStdString(DemarrageProcessus(pid))}
                .join(u'\n') +
            u'\n')
        .toUtf8();
}

/** The holder a lock file names; nothing when it cannot be read (never waits on a pipe). */
std::optional<TDetenteurVerrou> litVerrou(const QString& verrou)
{
    std::string octets;
    if (!LitFichier(CheminNatif(verrou), octets, 4096))
        return std::nullopt;
    const QStringList lignes = QString::fromStdString(octets).split(u'\n');
    if (lignes.size() < 4)
        return std::nullopt;
    TDetenteurVerrou d;
    d.Utilisateur = SurUneLigne(lignes[0]);
    d.Hote = SurUneLigne(lignes[1]);
    bool ok = false;
    d.Processus = lignes[2].toLongLong(&ok);
    d.Depuis = QDateTime::fromString(lignes[3], Qt::ISODate);
    if (lignes.size() > 4)
        d.Demarrage = lignes[4].toStdString();
    return ok ? std::optional(d) : std::nullopt;
}

bool perime(const TDetenteurVerrou& d, const QString& verrou)
{
    if (d.Hote != NomHote())
        return false; // another computer's process cannot be checked from here
    if (d.Processus == QCoreApplication::applicationPid())
        return !verrousTenus().contains(verrou);
    return !ProcessusVivant(d.Processus, d.Demarrage);
}

/**
 * Creates the lock with its content in one step: it never exists half written, and
 * nothing is left behind when it cannot be made. 0 or the system's error.
 */
int cree(const QString& verrou)
{
#if defined(TAVO_POSIX)
    const QByteArray cible = QFile::encodeName(verrou);
    const QByteArray temporaire =
        QFile::encodeName(verrou + QStringLiteral(".%1").arg(QCoreApplication::applicationPid()));
    ::unlink(temporaire.constData()); // left by a process that had our number
    const int fd = ::open(temporaire.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0)
        return errno;
    const QByteArray texte = contenu();
    int cause =
        EcritTout(fd, std::string_view(texte.constData(), std::size_t(texte.size()))) ? 0 : errno;
    if (::close(fd) != 0 && cause == 0)
        cause = errno;
    if (cause == 0 && ::link(temporaire.constData(), cible.constData()) != 0)
        cause = errno;
    ::unlink(temporaire.constData());
    return cause;
#else
    QFile f(verrou);
    return f.open(QIODevice::WriteOnly | QIODevice::NewOnly) && f.write(contenu()) >= 0 ? 0 : EIO;
#endif
}

} // namespace

QString NomHote()
{
    return QString::fromStdString(NomOrdinateur());
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

bool TVerrou::Prend(const QString& fichier, QString* raison)
{
    Libere();
    const QString verrou = CheminVerrou(fichier);
    if (Detenteur(fichier))
        return false;
    QFile::remove(verrou); // stale, or unreadable
    if (const int cause = cree(verrou); cause != 0) {
        // A place that cannot be written cannot be saved to either: the save will tell.
        if (raison && cause != EACCES && cause != EROFS && cause != EPERM)
            *raison = QString::fromStdString(RaisonSysteme(cause));
        return false;
    }
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
