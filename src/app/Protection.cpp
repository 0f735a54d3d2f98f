// SPDX-License-Identifier: GPL-3.0-or-later
// What keeps the open competition safe from other programs and from a crash:
// the lock beside its file, the footprint that tells a change made on disk by
// someone else, and the recovery journal of every mark since the last save.
#include "app/TTavoWindow.h"
#include "model/Empreinte.h"
#include "model/Fichier.h"
#include "model/Journal.h"
#include "model/Processus.h"
#include "platform/Chaines.h"
#include "platform/Verrou.h"

#include <vector>

#include <QCoreApplication>
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

/** The footprint of what a file holds now; empty when it cannot be read. */
std::string EmpreinteFichier(const QString& chemin)
{
    std::string octets;
    if (!LitFichier(CheminNatif(chemin), octets))
        return {};
    return EmpreinteHex(octets);
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

/** A journal's name in a family: the start, a process number, maybe "-N", ".journal". */
bool DeLaFamille(const QString& nom, const QString& debut)
{
    if (!nom.startsWith(debut) || !nom.endsWith(EXTENSION_JOURNAL))
        return false;
    const QStringList parties =
        nom.mid(debut.size(), nom.size() - debut.size() - EXTENSION_JOURNAL.size()).split(u'-');
    if (parties.size() > 2)
        return false;
    for (const QString& partie : parties) {
        bool nombre = false;
        partie.toLongLong(&nombre);
        if (!nombre)
            return false;
    }
    return true;
}

/** A journal a program of this computer left when it ended without saving. */
struct Orphelin
{
    QString Chemin;
    Reprise Mode = Reprise::Tout;
};

/**
 * The journals of ended programs of this computer for a file (none: the
 * unnamed competition), oldest first, whatever their times: one that started
 * from another content of the file (saved since by another window) gives back
 * its marks only. Another computer's journals are not ours to replay or
 * remove. Journals too large to read are listed in `tropGrands`.
 */
std::vector<Orphelin> JournauxOrphelins(const QString& fichier, const std::string& origine,
                                        QStringList& tropGrands)
{
    const auto [dossier, debut] = FamilleJournal(fichier);
    std::vector<Orphelin> orphelins;
    const QFileInfoList entrees = QDir(dossier).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Time | QDir::Reversed);
    const std::string hote = NomOrdinateur();
    for (const QFileInfo& entree : entrees) {
        if (!DeLaFamille(entree.fileName(), debut))
            continue;
        const ResultatReprise r = LitEnteteJournal(CheminNatif(entree.filePath()));
        if (r.etat == EtatJournal::TropGrand)
            tropGrands << entree.filePath();
        if (r.etat != EtatJournal::Lu || r.entete.hote != hote ||
            ProcessusVivant(r.entete.processus, r.entete.demarrage))
            continue;
        const bool memeOrigine = fichier.isEmpty() || r.entete.origine == origine;
        orphelins.push_back(
            {entree.filePath(), memeOrigine ? Reprise::Tout : Reprise::NotesSeules});
    }
    return orphelins;
}

} // namespace

QString TTavoWindow::CheminJournal() const
{
    const auto [dossier, debut] = FamilleJournal(SansNom ? QString() : DonneesFichier->NomFichier);
    const QString nom = QDir(dossier).filePath(
        debut + QString::number(QCoreApplication::applicationPid()) + EXTENSION_JOURNAL);
    if (Journal && Journal->Nom() == CheminNatif(nom))
        return CheminQt(Journal->Chemin().c_str());
    return nom;
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
    QString raison;
    // Held elsewhere (opened anyway) or a read-only place: no lock of ours, silently.
    if (!MemeFichier(chemin, Verrou->Fichier()) && !Verrou->Prend(chemin, &raison) &&
        !raison.isEmpty())
        MessageBox(this,
                   QStringLiteral("Le verrou « %1 » n'a pas pu être créé : %2.\n\n"
                                  "Le concours n'est pas protégé contre son ouverture dans une "
                                  "autre fenêtre de Tavo 2000 : n'ouvrez ce fichier qu'ici.")
                       .arg(QDir::toNativeSeparators(TVerrou::CheminVerrou(chemin)), raison),
                   TITRE, MB_OK | MB_ICONEXCLAMATION);
    Empreinte = {chemin, EmpreinteHex(contenu)};
}

void TTavoWindow::LacheFichier()
{
    OublieJournal();
    if (Verrou)
        Verrou->Libere();
    Empreinte = {};
}

void TTavoWindow::VerifieFichierOuvert()
{
    if (!SansNom && !Empreinte.Chemin.isEmpty() &&
        EmpreinteFichier(Empreinte.Chemin) != Empreinte.Hachage)
        Modifie = true;
}

bool TTavoWindow::AccepteEcriture(const QString& chemin)
{
    const QFileInfo info(chemin);
    if (MemeFichier(chemin, Empreinte.Chemin)) {
        // The content decides: another program may rewrite a file within the same second
        // and to the same size.
        if (!info.exists() || EmpreinteFichier(chemin) == Empreinte.Hachage)
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
    const auto [dossier, debut] = FamilleJournal(SansNom ? QString() : DonneesFichier->NomFichier);
    const std::string nom = CheminNatif(QDir(dossier).filePath(
        debut + QString::number(QCoreApplication::applicationPid()) + EXTENSION_JOURNAL));
    if (!Journal || Journal->Nom() != nom) {
        QDir().mkpath(dossier);
        const long long pid = NumeroProcessus();
        Journal = std::make_unique<TJournal>(
            nom, EnteteJournal{NomOrdinateur(), pid, DemarrageProcessus(pid),
                               SansNom ? std::string() : Empreinte.Hachage});
        EchecJournalAnnonce = false;
    }
    return *Journal;
}

void TTavoWindow::AnnonceEchecJournal()
{
    if (!Journal || !Journal->EnEchec() || EchecJournalAnnonce)
        return;
    EchecJournalAnnonce = true;
    MessageBox(this,
               QStringLiteral("Le journal de récupération « %1 » ne peut pas être écrit : %2.\n\n"
                              "La récupération des notes après un arrêt brutal est désactivée "
                              "jusqu'au prochain enregistrement : enregistrez le concours pour "
                              "ne pas risquer de perdre ce qui a été saisi.")
                   .arg(QDir::toNativeSeparators(CheminQt(Journal->Chemin().c_str())),
                        QString::fromStdString(Journal->Raison())),
               TITRE, MB_OK | MB_ICONEXCLAMATION);
}

void TTavoWindow::JournaliseNote(short note)
{
    TJournal& journal = JournalCourant();
    // Without a file, marks alone could not be replayed: the journal starts with the whole
    // competition. With one, every change since it was read or written is in the journal.
    if (journal.Vierge() && SansNom)
        journal.AjouteConcours(Concours->Ecrit());
    journal.AjouteNote(
        {Concours->GetVolCourant(), LigneFigure, ColonneJuge, note, Concours->GetDossardCourant()},
        *PiloteSaisi);
    AnnonceEchecJournal();
}

void TTavoWindow::JournaliseChangements(const std::string& changements)
{
    TJournal& journal = JournalCourant();
    // An unnamed competition is only in memory: its journal starts with the whole of it.
    if (journal.Vierge() && SansNom)
        journal.AjouteConcours(Concours->Ecrit());
    else
        journal.AjouteChangements(changements);
    AnnonceEchecJournal();
}

void TTavoWindow::OublieJournal()
{
    if (Journal)
        Journal->Supprime();
    Journal.reset();
}

bool TTavoWindow::ProposeRecuperation()
{
    QStringList tropGrands;
    const std::vector<Orphelin> orphelins =
        JournauxOrphelins(SansNom ? QString() : DonneesFichier->NomFichier,
                          SansNom ? std::string() : Empreinte.Hachage, tropGrands);
    for (const QString& journal : tropGrands)
        MessageBox(this,
                   QStringLiteral("Le journal de récupération « %1 » est trop grand (%2 Mo) pour "
                                  "être celui d'un concours : il n'est pas lu.")
                       .arg(QDir::toNativeSeparators(journal))
                       .arg(QFileInfo(journal).size() >> 20),
                   TITRE, MB_OK | MB_ICONEXCLAMATION);
    if (orphelins.empty())
        return false;

    // What the journals give back, on a copy: offered only when it changes something.
    TConcours recupere;
    recupere.Reprend(*Concours);
    bool notesSeules = false;
    std::vector<bool> entiers; // journals wholly replayed: nothing of them is left out
    for (const Orphelin& o : orphelins) {
        const ResultatReprise r = RejoueJournal(CheminNatif(o.Chemin), recupere, o.Mode);
        notesSeules = notesSeules || (o.Mode == Reprise::NotesSeules && r.appliquees > 0);
        entiers.push_back(o.Mode == Reprise::Tout || r.ignorees == 0);
    }
    const std::string changements = Changements(Photographie(*Concours), recupere);
    bool oui = false;
    if (!changements.empty()) {
        QString question = QStringLiteral("Des notes saisies après le dernier enregistrement "
                                          "ont été retrouvées. Voulez-vous les récupérer ?");
        if (notesSeules)
            question += QStringLiteral(
                "\n\nLe fichier a été enregistré depuis, par une autre fenêtre ou un autre "
                "programme : seules les notes sont reprises, sur les pilotes de même dossard et "
                "de même nom.");
        oui = MessageBox(this, question, TITRE, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    if (oui) {
        Concours->Reprend(recupere);
        Modifie = true;
        // Ours now, before the old journals go.
        if (SansNom)
            JournaliseChangements({});
        else
            JournaliseChangements(changements);
        Invalide();
    }
    // A journal that held more than could be replayed here stays for another time.
    for (std::size_t i = 0; i < orphelins.size(); ++i)
        if (entiers[i])
            QFile::remove(orphelins[i].Chemin);
    return oui;
}
