// SPDX-License-Identifier: GPL-3.0-or-later
// What keeps the open competition safe from other programs and from a crash:
// the lock beside its file, the footprint that tells a change made on disk by
// someone else, and the recovery journal of every mark since the last save.
#include "app/TTavoWindow.h"
#include "model/Fichier.h"
#include "model/Journal.h"
#include "platform/Chaines.h"
#include "platform/Verrou.h"

#include <vector>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace tavo;

namespace {

const QString TITRE = NomTavo();
const QString REMPLACER = QStringLiteral("Voulez-vous le remplacer quand même ?");
const QString EXTENSION_JOURNAL = QStringLiteral(".journal");

/** Where the journal of an unnamed competition goes: the user's state directory. */
QString RepertoireEtat()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/tavo");
}

QByteArray Hachage(const QString& chemin)
{
    QFile f(chemin);
    QCryptographicHash h(QCryptographicHash::Sha256);
    if (f.open(QIODevice::ReadOnly))
        h.addData(&f);
    return h.result();
}

QByteArray Hachage(const std::string& texte)
{
    return QCryptographicHash::hash(QByteArrayView(texte.data(), qsizetype(texte.size())),
                                    QCryptographicHash::Sha256);
}

bool MemeFichier(const QString& a, const QString& b)
{
    return tavo::MemeFichier(CheminNatif(a), CheminNatif(b));
}

QString Qui(const TDetenteurVerrou& d)
{
    QString texte = QStringLiteral("%1 sur l'ordinateur %2 (processus %3)")
                        .arg(d.Utilisateur, d.Hote)
                        .arg(d.Processus);
    if (d.Depuis.isValid())
        texte += QStringLiteral(" depuis le %1")
                     .arg(d.Depuis.toString(QStringLiteral("dd/MM/yyyy à HH:mm")));
    return texte;
}

/** The directory and the name start of a competition's journals (".NAME." or "sans_nom."). */
std::pair<QString, QString> FamilleJournal(const QString& fichier)
{
    if (fichier.isEmpty())
        return {RepertoireEtat(), QStringLiteral("sans_nom.")};
    const QFileInfo info(fichier);
    const QFileInfo reel(info.exists() ? info.canonicalFilePath() : info.absoluteFilePath());
    return {reel.absolutePath(), u'.' + reel.fileName() + u'.'};
}

/** A journal left by a program that ended without saving. */
struct Orphelin
{
    QString Chemin;
    ContenuJournal Contenu;
};

/** The process number in a journal's name, when the name is one of the family's. */
bool DeLaFamille(const QString& nom, const QString& debut)
{
    if (!nom.startsWith(debut) || !nom.endsWith(EXTENSION_JOURNAL))
        return false;
    bool nombre = false;
    nom.mid(debut.size(), nom.size() - debut.size() - EXTENSION_JOURNAL.size()).toLongLong(&nombre);
    return nombre;
}

/** Whether the program that wrote a journal is gone (and its marks are no one's). */
bool Abandonne(const ContenuJournal& contenu, const QString& fichier)
{
    const QString hote = QString::fromStdString(contenu.hote);
    if (hote == NomHote())
        return contenu.processus != QCoreApplication::applicationPid() &&
               !ProcessusActif(contenu.processus);
    // Another computer's program: still at work when it holds the file's lock.
    const auto d = fichier.isEmpty() ? std::nullopt : TVerrou::Detenteur(fichier);
    return !d || d->Hote != hote || d->Processus != contenu.processus;
}

/** The journals of ended programs for a file (none: the unnamed competition), oldest first. */
std::vector<Orphelin> JournauxOrphelins(const QString& fichier)
{
    const auto [dossier, debut] = FamilleJournal(fichier);
    std::vector<Orphelin> orphelins;
    const QFileInfoList entrees = QDir(dossier).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Time | QDir::Reversed);
    for (const QFileInfo& entree : entrees) {
        if (!DeLaFamille(entree.fileName(), debut))
            continue;
        // A journal older than its file holds nothing the file lacks.
        if (!fichier.isEmpty() && entree.lastModified() <= QFileInfo(fichier).lastModified())
            continue;
        QFile f(entree.filePath());
        Orphelin o{entree.filePath(), {}};
        if (!f.open(QIODevice::ReadOnly) || !LitJournal(f.readAll().toStdString(), o.Contenu) ||
            !Abandonne(o.Contenu, fichier))
            continue;
        if (o.Contenu.concours || !o.Contenu.notes.empty())
            orphelins.push_back(std::move(o));
    }
    return orphelins;
}

} // namespace

QString TTavoWindow::CheminJournal() const
{
    const auto [dossier, debut] = FamilleJournal(SansNom ? QString() : DonneesFichier->NomFichier);
    return QDir(dossier).filePath(debut + QString::number(QCoreApplication::applicationPid()) +
                                  EXTENSION_JOURNAL);
}

bool TTavoWindow::AccepteOuverture(const QString& chemin)
{
    if (Verrou && MemeFichier(chemin, Verrou->Fichier()))
        return true;
    const auto d = TVerrou::Detenteur(chemin);
    if (!d)
        return true;
    const QString question =
        QStringLiteral("Le concours « %1 » est déjà ouvert par %2.\n\n"
                       "Si vous l'ouvrez aussi ici, les notes enregistrées d'un côté "
                       "risquent d'effacer celles de l'autre.\n"
                       "Voulez-vous l'ouvrir quand même ?")
            .arg(QDir::toNativeSeparators(chemin), Qui(*d));
    return MessageBox(this, question, TITRE, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void TTavoWindow::PrendFichier(const QString& chemin, const std::string& contenu)
{
    OublieJournal();
    if (!Verrou)
        Verrou = std::make_unique<TVerrou>();
    if (!MemeFichier(chemin, Verrou->Fichier()))
        Verrou->Prend(chemin); // held elsewhere (opened anyway) or read-only: no lock of ours
    const QFileInfo info(chemin);
    Empreinte = {chemin, info.size(), info.lastModified(), Hachage(contenu)};
}

void TTavoWindow::LacheFichier()
{
    OublieJournal();
    if (Verrou)
        Verrou->Libere();
    Empreinte = {};
}

bool TTavoWindow::AccepteEcriture(const QString& chemin)
{
    const QFileInfo info(chemin);
    if (MemeFichier(chemin, Empreinte.Chemin)) {
        if (!info.exists() ||
            (info.size() == Empreinte.Taille && info.lastModified() == Empreinte.Modification))
            return true;
        if (Hachage(chemin) == Empreinte.Hachage)
            return true;
        const QString question =
            QStringLiteral("Le fichier « %1 » a été modifié sur le disque depuis qu'il a été "
                           "ouvert ou enregistré ici (par une autre fenêtre de Tavo 2000 ou un "
                           "autre programme).\n\n"
                           "Si vous enregistrez, ces modifications seront perdues.\n"
                           "%2")
                .arg(QDir::toNativeSeparators(chemin), REMPLACER);
        return MessageBox(this, question, TITRE, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
    }
    if (Verrou && MemeFichier(chemin, Verrou->Fichier()))
        return true;
    const auto d = TVerrou::Detenteur(chemin);
    if (!d)
        return true;
    const QString question = QStringLiteral("Le fichier « %1 » est ouvert par %2.\n\n%3")
                                 .arg(QDir::toNativeSeparators(chemin), Qui(*d), REMPLACER);
    return MessageBox(this, question, TITRE, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

TJournal& TTavoWindow::JournalCourant()
{
    const QString chemin = CheminJournal();
    if (!Journal || Journal->Chemin() != CheminNatif(chemin)) {
        QDir().mkpath(QFileInfo(chemin).absolutePath());
        Journal = std::make_unique<TJournal>(CheminNatif(chemin), NomHote().toStdString(),
                                             QCoreApplication::applicationPid());
    }
    return *Journal;
}

void TTavoWindow::JournaliseNote(short note)
{
    TJournal& journal = JournalCourant();
    // Without a file, or with changes the file lacks, marks alone could not be replayed.
    if (journal.Vierge() && (SansNom || Modifie))
        journal.AjouteConcours(Concours->Ecrit());
    journal.AjouteNote(
        {Concours->GetVolCourant(), LigneFigure, ColonneJuge, note, Concours->GetDossardCourant()});
}

void TTavoWindow::JournaliseConcours()
{
    JournalCourant().AjouteConcours(Concours->Ecrit());
}

void TTavoWindow::OublieJournal()
{
    if (Journal)
        Journal->Supprime();
    Journal.reset();
}

bool TTavoWindow::ProposeRecuperation()
{
    const std::vector<Orphelin> orphelins =
        JournauxOrphelins(SansNom ? QString() : DonneesFichier->NomFichier);
    if (orphelins.empty())
        return false;
    const bool oui = MessageBox(this,
                                QStringLiteral("Des notes saisies après le dernier enregistrement "
                                               "ont été retrouvées. Voulez-vous les récupérer ?"),
                                TITRE, MB_YESNO | MB_ICONQUESTION) == IDYES;
    if (oui) {
        for (const Orphelin& o : orphelins) {
            if (o.Contenu.concours)
                Concours->Lit(*o.Contenu.concours); // a damaged copy leaves what is open
            RejoueNotes(*Concours, o.Contenu.notes);
        }
        Modifie = true;
        JournaliseConcours(); // ours now, before the old journals go
        Invalide();
    }
    for (const Orphelin& o : orphelins)
        QFile::remove(o.Chemin);
    return oui;
}
