// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ListePilotes.h"

#include "model/Concours.h"
#include "platform/Chaines.h"
#include "presentation/Presentation.h"

#include <algorithm>
#include <unordered_map>

#include <QHeaderView>

std::vector<TLignePilote> OrdreListePilotes(const TConcours& concours, bool triDossard, bool triNom)
{
    // The n-th pilot of a bib is told apart from the others who wear it, in entry order.
    std::unordered_map<const TPilote*, int> occurrences;
    std::unordered_map<std::string, int> vus;
    for (const TPilote& pilote : concours.GetPilotes())
        occurrences[&pilote] = vus[pilote.GetDossard()]++;
    const tavo::OrdrePilotes ordre = triDossard ? tavo::OrdrePilotes::Dossards
                                     : triNom   ? tavo::OrdrePilotes::Alphabetique
                                                : tavo::OrdrePilotes::Saisie;
    std::vector<TLignePilote> lignes;
    lignes.reserve(concours.GetPilotes().size());
    for (const TPilote* pilote : tavo::PilotesDansLOrdre(concours, ordre))
        lignes.push_back({pilote->GetDossard(), occurrences[pilote], pilote});
    return lignes;
}

const TPilote* PiloteDeLigne(const TConcours& concours, const TLignePilote& ligne)
{
    int vus = 0;
    for (const TPilote& pilote : concours.GetPilotes())
        if (ligne.Dossard == pilote.GetDossard() && vus++ == ligne.Occurrence)
            return &pilote;
    return nullptr;
}

TModelePilotes::TModelePilotes(const TConcours& concours, QObject* parent)
    : QAbstractTableModel(parent)
    , m_concours(concours)
{}

void TModelePilotes::Remplit(std::vector<TLignePilote> lignes)
{
    beginResetModel();
    m_lignes = std::move(lignes);
    m_sur = true;
    endResetModel();
}

void TModelePilotes::Retrouve()
{
    if (m_sur)
        return;
    std::unordered_map<std::string, std::vector<const TPilote*>> parDossard;
    for (const TPilote& pilote : m_concours.GetPilotes())
        parDossard[pilote.GetDossard()].push_back(&pilote);
    for (TLignePilote& ligne : m_lignes) {
        const auto it = parDossard.find(ligne.Dossard);
        ligne.Pilote = it != parDossard.end() && ligne.Occurrence >= 0 &&
                               static_cast<std::size_t>(ligne.Occurrence) < it->second.size()
                           ? it->second[static_cast<std::size_t>(ligne.Occurrence)]
                           : nullptr;
    }
    m_sur = true;
    if (!m_lignes.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int TModelePilotes::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lignes.size());
}

int TModelePilotes::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 7;
}

QVariant TModelePilotes::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() ||
        index.row() >= static_cast<int>(m_lignes.size()))
        return {};
    const TLignePilote& ligne = m_lignes[static_cast<std::size_t>(index.row())];
    if (index.column() == 0)
        return tavo::Texte(ligne.Dossard.c_str());
    const TPilote* pilote = m_sur ? ligne.Pilote : PiloteDeLigne(m_concours, ligne);
    if (!pilote)
        return {};
    switch (index.column()) {
    case 1:
        return tavo::Texte(pilote->GetNom());
    case 2:
        return tavo::Texte(pilote->GetPrenom());
    case 3:
        return tavo::Texte(pilote->GetClub());
    case 4:
        return tavo::Texte(pilote->GetLicence());
    case 5:
        return tavo::Texte(pilote->GetFrequence1());
    case 6:
        return tavo::Texte(pilote->GetFrequence2());
    default:
        return {};
    }
}

QVariant TModelePilotes::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const titres[] = {"Dossard", "Nom",         "Prénom",     "Club",
                                         "Licence", "Fréquence 1", "Fréquence 2"};
    if (orientation != Qt::Horizontal || section < 0 || section >= 7)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(titres[section]);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

TListePilotes::TListePilotes(const TConcours& concours, QWidget* parent)
    : QTreeView(parent)
    , m_modele(concours, this)
{
    setObjectName(QStringLiteral("listeVue"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setAllColumnsShowFocus(true);
    setModel(&m_modele);
    QPalette couleurs = palette();
    couleurs.setColor(QPalette::Base, QColor(0, 0, 255));
    couleurs.setColor(QPalette::AlternateBase, QColor(0, 0, 255));
    couleurs.setColor(QPalette::Text, Qt::white);
    setPalette(couleurs);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < 7; ++c)
        setColumnWidth(c, 100);
}

QString TListePilotes::Texte(int ligne, int colonne) const
{
    return m_modele.data(m_modele.index(ligne, colonne), Qt::DisplayRole).toString();
}
