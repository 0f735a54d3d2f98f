// SPDX-License-Identifier: GPL-3.0-or-later
// The results site: "Publier les résultats (HTML)..." and the publication after each sheet.
#include "app/Menu.h"
#include "app/TTavoWindow.h"
#include "document/Document.h"
#include "model/Option.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"
#include "publication/Site.h"

#include <QFileInfo>
#include <QSettings>

namespace {

// A folder name the options file can hold whole.
constexpr std::size_t LONGUEUR_MAX_REPERTOIRE = 254;

} // namespace

bool TTavoWindow::PublieResultats(bool annonce)
{
    QString repertoire = tavo::CheminQt(Options->GetRepPublication());
    if (repertoire.isEmpty()) {
        tavo::TDonneesFichier donnees;
        donnees.RepertoireInitial = tavo::CheminQt(Options->GetRepConcours());
        if (!tavo::DialogueRepertoire(this, QStringLiteral("Publier les résultats"), donnees))
            return false;
        repertoire = QFileInfo(donnees.NomFichier).absoluteFilePath();
        if (tavo::CheminNatif(repertoire).size() > LONGUEUR_MAX_REPERTOIRE) {
            tavo::MessageBox(
                this, QStringLiteral("Le nom du dossier « %1 » est trop long.").arg(repertoire),
                tavo::NomTavo(), tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
            return false;
        }
        Options->SetRepPublication(tavo::CheminNatif(repertoire).c_str());
        // Kept with the options; a folder that cannot be written keeps the old file, silently.
        Options->Enregistre(tavo::CheminNatif(RepertoireOptions));
    }
    // Never written, whatever the folder holds: the open file, its lock and journals, the
    // options and the window's settings.
    std::vector<std::string> proteges = m_document->FichiersProteges();
    proteges.push_back(TOption::CheminFichier(tavo::CheminNatif(RepertoireOptions)));
    proteges.push_back(tavo::CheminNatif(Reglages()->fileName()));
    const tavo::ResultatPublication resultat = tavo::PublieSite(
        *Concours, tavo::ParametresCalcul(*Options), tavo::CheminNatif(repertoire), proteges);
    m_document->VerifieFichier();
    if (!resultat.ok) {
        tavo::MessageBox(this,
                         QStringLiteral("Les résultats n'ont pas été publiés dans « %1 ».\n\n%2")
                             .arg(repertoire, QString::fromStdString(resultat.message)),
                         tavo::NomTavo(), tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
        return false;
    }
    if (annonce)
        tavo::MessageBox(this,
                         QStringLiteral("Les résultats sont publiés dans « %1 » (%2 fichiers).")
                             .arg(repertoire)
                             .arg(resultat.fichiers),
                         tavo::NomTavo(), tavo::MB_OK | tavo::MB_ICONINFORMATION);
    return true;
}
