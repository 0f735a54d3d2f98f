// SPDX-License-Identifier: GPL-3.0-or-later
// The document commands of the main window: new, open, save, save as, the
// caption and the question asked before changes would be lost.
#include "document/Document.h"

#include "app/DessinVues.h"
#include "app/Menu.h"
#include "app/TTavoWindow.h"
#include "model/Fichier.h"
#include "platform/Chaines.h"
#include "presentation/Messages.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace tavo;

namespace {

const QString TITRE = NomTavo();
const QString INCAPABLE = Message(messages::FICHIER_ILLISIBLE);

} // namespace

void TTavoWindow::SetCaption(const QString& nom)
{
    if (!parentWidget())
        return;
    window()->setWindowTitle(
        (TITRE + QStringLiteral(" - [%1]")).arg(nom.isEmpty() ? QStringLiteral("sans nom") : nom));
}

bool TTavoWindow::CanClose()
{
    if (!m_document->Modifie())
        return true;
    switch (MessageBox(this, QStringLiteral("Voulez-vous enregistrer les modifications ?"), TITRE,
                       MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
        return false;
    case IDYES:
        // Going on after a cancelled or failed save would lose what the user asked to keep.
        return CmEnregistrer();
    default:
        m_document->Abandonne(); // the journal goes with the competition it no longer serves
        return true;
    }
}

void TTavoWindow::CmNouveau()
{
    if (!CanClose())
        return;
    m_document->Nouveau();
    if (Vue == modes::LISTE_PILOTES)
        CmCaracteristiques();
    Vue = modes::CARACTERISTIQUES;
    LargeurVue = HauteurVue = 0;
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    Invalide();
    SetCaption({});
}

bool TTavoWindow::OuvreFichier(const QString& chemin)
{
    ClassementJugesAffiche.Oublie();
    ResultatLecture resultat;
    const Issue issue = m_document->Ouvre(CheminNatif(chemin), &resultat);
    if (issue == Issue::Refusee)
        return false;
    if (!resultat) {
        QString texte = INCAPABLE;
        if (resultat.code != CodeLecture::FichierIntrouvable)
            texte += QStringLiteral("\n%1\n\n%2")
                         .arg(QFileInfo(chemin).absoluteFilePath(),
                              QString::fromStdString(MessageLecture(resultat)));
        MessageBox(this, texte, TITRE, MB_OK | MB_ICONEXCLAMATION);
        NoteRecent(chemin, false); // gone or damaged: not offered again
    } else {
        DonneesFichier->NomFichier = chemin;
        DonneesFichier->RepertoireInitial = QFileInfo(chemin).absolutePath();
        SetCaption(chemin);
        NoteRecent(chemin, true);
    }
    // Either way the window shows the characteristics of what is open.
    if (Vue == modes::LISTE_PILOTES)
        CmCaracteristiques();
    Vue = modes::CARACTERISTIQUES;
    LargeurVue = HauteurVue = 0;
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    Invalide();
    if (resultat)
        ProposeRecuperation();
    return static_cast<bool>(resultat);
}

namespace {

const QString RECENTS = QStringLiteral("fichiers/recents");

} // namespace

std::unique_ptr<QSettings> Reglages()
{
    // Where QSettings keeps a user's "tavo"/"tavo" settings. It reads the file as soon as it is
    // made: a pipe there would block the program, a huge file fill its memory. The settings
    // then live in a file of this run only, and the one found is left alone.
    const QString fichier =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/tavo/tavo.conf");
    std::string octets;
    const CodeLecture code =
        LitFichierBorne(CheminNatif(fichier), octets, TAILLE_MAX_PETIT_FICHIER);
    if (code == CodeLecture::Ok || code == CodeLecture::FichierIntrouvable)
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QStringLiteral("tavo"), QStringLiteral("tavo"));
    static const QTemporaryDir provisoire;
    return std::make_unique<QSettings>(provisoire.filePath(QStringLiteral("tavo.conf")),
                                       QSettings::IniFormat);
}

QStringList TTavoWindow::FichiersRecents() const
{
    return Reglages()->value(RECENTS).toStringList();
}

void TTavoWindow::NoteRecent(const QString& chemin, bool present)
{
    const QString absolu = QFileInfo(chemin).absoluteFilePath();
    QStringList recents = FichiersRecents();
    recents.removeAll(absolu);
    if (present)
        recents.prepend(absolu);
    while (recents.size() > NB_RECENTS)
        recents.removeLast();
    Reglages()->setValue(RECENTS, recents);
    Q_EMIT RecentsChanges();
}

bool TTavoWindow::OuvreDepose(const QString& chemin)
{
    return CanClose() && OuvreFichier(chemin);
}

void TTavoWindow::CmOuvrir()
{
    if (!CanClose())
        return;
    // The dialog works on a copy: a refused file must not become the name later saves write to.
    TDonneesFichier donnees = *DonneesFichier;
    donnees.RepertoireInitial = CheminQt(Options->GetRepConcours());
    if (!DialogueOuvrir(this, donnees))
        return;
    OuvreFichier(donnees.NomFichier);
}

bool TTavoWindow::Ecrit()
{
    const QString chemin = DonneesFichier->NomFichier;
    std::string erreur;
    const Issue issue = m_document->Ecrit(CheminNatif(chemin), &erreur);
    if (issue == Issue::Refusee)
        return false;
    if (issue == Issue::Echouee) {
        MessageBox(this,
                   INCAPABLE + QStringLiteral("\n%1\n\n%2")
                                   .arg(DonneesFichier->NomFichier, QString::fromStdString(erreur)),
                   // "Tavo2000" without its space: this box has always been titled so.
                   QStringLiteral("Tavo2000"), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    NoteRecent(chemin, true);
    return true;
}

bool TTavoWindow::CmEnregistrer()
{
    if (m_document->SansNom())
        return CmEnregistrerSous();
    return Ecrit();
}

bool TTavoWindow::CmEnregistrerSous()
{
    TDonneesFichier donnees = *DonneesFichier;
    if (m_document->SansNom()) {
        donnees.NomFichier = QStringLiteral("sans_nom.ccr");
        donnees.RepertoireInitial = CheminQt(Options->GetRepConcours());
    }
    if (!DialogueEnregistrer(this, donnees))
        return false;
    const TDonneesFichier precedentes = *DonneesFichier;
    *DonneesFichier = donnees;
    if (!Ecrit()) {
        // Keep the name of the last good file: the new one holds nothing.
        DonneesFichier->NomFichier = precedentes.NomFichier;
        return false;
    }
    SetCaption(DonneesFichier->NomFichier);
    return true;
}
