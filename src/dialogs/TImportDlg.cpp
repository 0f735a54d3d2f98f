// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TImportDlg.h"

#include "model/ImportPilotes.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace tavo;

namespace {

constexpr int ID_FICHIER = 101;
constexpr int ID_FORMAT = 102;
constexpr int ID_COLONNES = 103;
constexpr int ID_TITRE_PILOTES = 104;
constexpr int ID_PILOTES = 105;
constexpr int ID_TITRE_RAPPORT = 106;
constexpr int ID_RAPPORT = 107;

using G = TGenre;

const TModeleDialogue MODELE = {
    TImportDlg::IDD,
    "Importer des pilotes",
    440,
    316,
    {
        {ID_FICHIER, G::Libelle, "", 10, 8, 420, 9},
        {ID_FORMAT, G::Libelle, "", 10, 19, 420, 9},
        {ID_COLONNES, G::Libelle, "", 10, 30, 420, 27},
        {ID_TITRE_PILOTES, G::Libelle, "Pilotes à ajouter :", 10, 60, 420, 9},
        {ID_PILOTES, G::Cadre, "", 10, 70, 420, 100},
        {ID_TITRE_RAPPORT, G::Libelle, "Compte rendu :", 10, 176, 420, 9},
        {ID_RAPPORT, G::Cadre, "", 10, 186, 420, 102},
        {IDOK, G::BoutonDefaut, "Importer", 320, 294, 50, 14},
        {IDCANCEL, G::Bouton, "Annuler", 380, 294, 50, 14},
    },
};

/** `widget` filling the frame `cadre`. */
void Remplit(QWidget* cadre, QWidget* widget)
{
    auto* disposition = new QVBoxLayout(cadre);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(widget);
}

QString U8(std::string_view texte)
{
    return QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size()));
}

} // namespace

TImportDlg::TImportDlg(QWidget* parent, const ImportPilotes& import, const QString& fichier)
    : TDialog(parent, MODELE)
{
    SetTexte(ID_FICHIER, QStringLiteral("Fichier : %1").arg(QFileInfo(fichier).fileName()));
    Controle(ID_FICHIER)->setToolTip(fichier);
    if (!import.Refuse())
        SetTexte(ID_FORMAT, QStringLiteral("Encodage : %1, séparateur : %2")
                                .arg(U8(import.NomEncodage()), U8(import.NomSeparateur())));
    // A column named as its field is said once: "Nom", else "NOM DU PILOTE → Nom".
    QStringList utilisees;
    QStringList ignorees;
    for (const ColonneImport& colonne : import.colonnes) {
        const QString titre = U8(colonne.titre);
        if (colonne.champ) {
            const QString champ = U8(NomChampImport(*colonne.champ));
            utilisees << (titre == champ ? titre : QStringLiteral("%1 → %2").arg(titre, champ));
        } else if (!titre.isEmpty())
            ignorees << titre;
    }
    QStringList colonnes;
    if (!utilisees.isEmpty())
        colonnes << QStringLiteral("Colonnes lues : ") + utilisees.join(QStringLiteral(", "));
    if (!ignorees.isEmpty())
        colonnes << QStringLiteral("Colonnes ignorées : ") + ignorees.join(QStringLiteral(", "));
    SetTexte(ID_COLONNES, colonnes.join(u'\n'));
    static_cast<QLabel*>(Controle(ID_COLONNES))->setWordWrap(true);
    static_cast<QLabel*>(Controle(ID_COLONNES))->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTexte(ID_TITRE_PILOTES, QStringLiteral("Pilotes à ajouter : %1").arg(import.pilotes.size()));

    const QStringList titres{
        QStringLiteral("Ligne"),   QStringLiteral("Dossard"), QStringLiteral("Nom"),
        QStringLiteral("Prénom"),  QStringLiteral("Club"),    QStringLiteral("N° Club"),
        QStringLiteral("Licence"), QStringLiteral("Fréq. 1"), QStringLiteral("Fréq. 2"),
    };
    m_table =
        new QTableWidget(static_cast<int>(import.pilotes.size()), static_cast<int>(titres.size()));
    m_table->setObjectName(QStringLiteral("pilotes"));
    m_table->setAccessibleName(QStringLiteral("Pilotes à ajouter"));
    m_table->setHorizontalHeaderLabels(titres);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const TPilote& p = import.pilotes[static_cast<std::size_t>(r)];
        const QStringList cellules{
            QString::number(import.lignes[static_cast<std::size_t>(r)]),
            Texte(p.GetDossard()),
            Texte(p.GetNom()),
            Texte(p.GetPrenom()),
            Texte(p.GetClub()),
            Texte(p.GetNumClub()),
            Texte(p.GetLicence()),
            Texte(p.GetFrequence1()),
            Texte(p.GetFrequence2()),
        };
        for (int c = 0; c < cellules.size(); ++c)
            m_table->setItem(r, c, new QTableWidgetItem(cellules[c]));
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    Remplit(Controle(ID_PILOTES), m_table);

    m_rapport = new QPlainTextEdit;
    m_rapport->setObjectName(QStringLiteral("rapport"));
    m_rapport->setAccessibleName(QStringLiteral("Compte rendu"));
    m_rapport->setReadOnly(true);
    m_rapport->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QStringList rapport;
    for (const std::string& ligne : RapportImport(import, false))
        rapport << U8(ligne);
    m_rapport->setPlainText(rapport.join(u'\n'));
    Remplit(Controle(ID_RAPPORT), m_rapport);

    // Nothing to add: "Importer" is greyed and the report says why.
    Bouton(IDOK)->setEnabled(!import.Refuse() && !import.pilotes.empty());
    if (!Bouton(IDOK)->isEnabled())
        if (auto* annuler = qobject_cast<QPushButton*>(Bouton(IDCANCEL)))
            annuler->setDefault(true);
}
