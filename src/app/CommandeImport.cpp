// SPDX-License-Identifier: GPL-3.0-or-later
// "Importer des pilotes...": the registration spreadsheet read, previewed, then added.
#include "app/DialoguesSaisie.h"
#include "app/ModesVue.h"
#include "app/TTavoWindow.h"
#include "document/Document.h"
#include "model/ImportPilotes.h"
#include "model/Option.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"

#include <QFileInfo>

using namespace tavo;

void TTavoWindow::CmImporter()
{
    TDonneesFichier donnees;
    donnees.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
    donnees.Filtre = QStringLiteral("Tableaux CSV (*.csv)|*.csv|Tous les fichiers (*)|*|");
    donnees.ExtensionDefaut = QStringLiteral("csv");
    donnees.RepertoireInitial =
        m_repImport.isEmpty() ? CheminQt(Options->GetRepConcours()) : m_repImport;
    if (!DialogueOuvrir(this, donnees))
        return;
    m_repImport = QFileInfo(donnees.NomFichier).absolutePath();
    const ImportPilotes import =
        LitFichierImportPilotes(CheminNatif(donnees.NomFichier), *Concours);
    if (!m_dialoguesSaisie.Import) {
        MessageBox(this, QStringLiteral("Cette commande n'est pas disponible dans cette version."),
                   NomTavo(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (m_dialoguesSaisie.Import(this, import, donnees.NomFichier) != IDOK || import.Refuse() ||
        import.pilotes.empty())
        return;
    // The pilots join as the pilot dialog's do: journaled, modified, saved when automatic.
    const PhotoConcours avant = Photographie(*Concours);
    AjoutePilotesImportes(*Concours, import);
    if (Vue == modes::LISTE_PILOTES)
        RemplitListe();
    m_document->Change(avant);
    if (Options->GetSauvegardeAuto())
        CmEnregistrer();
    LargeurVue = HauteurVue = 0;
    Invalide();
}
