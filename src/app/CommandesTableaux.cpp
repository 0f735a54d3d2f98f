// SPDX-License-Identifier: GPL-3.0-or-later
// The sheets still to type, and the table views written as spreadsheets' files.
#include "app/Menu.h"
#include "app/ModesVue.h"
#include "app/TTavoWindow.h"
#include "document/Document.h"
#include "model/Fichier.h"
#include "model/Option.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"
#include "platform/Geometrie.h"
#include "presentation/Messages.h"
#include "presentation/PresentationManquantes.h"
#include "presentation/Tableau.h"

#include <QDir>
#include <QFileInfo>

using namespace tavo;

const TableVue& TTavoWindow::TableFeuillesManquantes()
{
    const std::uint64_t revision = m_document->Revision();
    const std::string repProgrammes = Options->GetRepProgrammes();
    if (!m_manquantes.table || m_manquantes.revision != revision ||
        m_manquantes.repProgrammes != repProgrammes)
        m_manquantes = {
            revision, repProgrammes,
            PresenteFeuillesManquantes(
                *Concours, CalculeFeuillesManquantes(*Concours, ParametresCalcul(*Options)))};
    return *m_manquantes.table;
}

void TTavoWindow::CmFeuillesManquantes()
{
    m_manquantes.table.reset(); // the programmes' files may have changed: read them again
    const TableVue& table = TableFeuillesManquantes();
    const int dpi = viewport()->logicalDpiY();
    auto ecran = [dpi](int pixels) { return dpi > 96 ? MulDiv(pixels, dpi, 96) : pixels; };
    const int lignes = static_cast<int>(table.NbLignes());
    EntreVue(modes::FEUILLES_MANQUANTES, DixiemesMmEnPixels(table.Largeur(), dpi) + 10,
             ecran(17 * lignes + 321));
}

bool TTavoWindow::VueExportable() const
{
    return Vue == modes::FEUILLES_MANQUANTES || DecodeVue(Vue).has_value();
}

void TTavoWindow::CmExporterCsv()
{
    TableVue table;
    std::string nom;
    if (Vue == modes::FEUILLES_MANQUANTES) {
        table = TableFeuillesManquantes();
        nom = "Feuilles manquantes";
    } else if (const auto mode = DecodeVue(Vue)) {
        Resultat<TableVue> r =
            TableDeVue(*Concours, ParametresCalcul(*Options), mode->genre, mode->numero);
        if (!r.statut) {
            EchecVue(QString::fromStdString(MessageStatut(r.statut)));
            return;
        }
        table = std::move(r.valeur);
        nom = NomDeVue(mode->genre, mode->numero);
    } else {
        return;
    }
    TDonneesFichier donnees;
    donnees.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    donnees.Filtre = QStringLiteral("Tableaux CSV (*.csv)|*.csv|Tous les fichiers (*)|*|");
    donnees.ExtensionDefaut = QStringLiteral("csv");
    QString dossier = QFileInfo(CheminQt(Options->GetRepConcours())).absoluteFilePath();
    if (!QFileInfo(dossier).isDir())
        dossier = QDir::homePath();
    donnees.RepertoireInitial = dossier;
    donnees.NomFichier =
        QDir(dossier).filePath(QString::fromStdString(nom) + QStringLiteral(".csv"));
    if (!DialogueEnregistrer(this, donnees))
        return;
    std::string erreur;
    if (!EcritFichierSur(CheminNatif(donnees.NomFichier), FichierCsv(TableauDe(table)), &erreur))
        MessageBox(this,
                   QStringLiteral("Le fichier « %1 » n'a pas pu être écrit.\n\n%2")
                       .arg(donnees.NomFichier, QString::fromStdString(erreur)),
                   NomTavo(), MB_OK | MB_ICONEXCLAMATION);
}
