// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QTreeView>

class TConcours;
class TPilote;

/**
 * A row of the pilots list: the bib only, and which pilot of that bib it is
 * (0 the first in the pilot list, 1 the second…), so that two pilots entered
 * with the same bib each show their own data.
 */
struct TLignePilote
{
    std::string Dossard;
    int Occurrence = 0;
    /** Its record when the rows were made, trusted while the model is sure of it. */
    const TPilote* Pilote = nullptr;
};

/**
 * The rows of the pilots list in display order: by ascending bib value
 * (stable), by name in character-code order, or in the pilot list's order.
 */
std::vector<TLignePilote> OrdreListePilotes(const TConcours& concours, bool triDossard,
                                            bool triNom);

/** The pilot a row stands for, looked up in the competition; null when it has gone. */
const TPilote* PiloteDeLigne(const TConcours& concours, const TLignePilote& ligne);

/** The seven columns; every cell but the bib is looked up in the competition when drawn. */
class TModelePilotes : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TModelePilotes(const TConcours& concours, QObject* parent = nullptr);

    void Remplit(std::vector<TLignePilote> lignes);
    /**
     * The pilots may change (a dialog is open over the list): each cell looks its pilot up
     * in the competition until `Retrouve`.
     */
    void Doute() { m_sur = false; }
    /** Finds each row's pilot again, once for all rows; a row whose pilot has gone shows none. */
    void Retrouve();
    const std::vector<TLignePilote>& Lignes() const { return m_lignes; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const TConcours& m_concours;
    std::vector<TLignePilote> m_lignes;
    bool m_sur = true; ///< the rows' records are the competition's
};

/** The report-style list view of the pilots (control 100): white on blue. */
class TListePilotes : public QTreeView
{
    Q_OBJECT

public:
    static constexpr int ID = 100;

    TListePilotes(const TConcours& concours, QWidget* parent);

    TModelePilotes& Modele() { return m_modele; }
    /** The text shown in a cell. */
    QString Texte(int ligne, int colonne) const;

private:
    TModelePilotes m_modele;
};
