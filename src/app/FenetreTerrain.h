// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "terrain/Serveur.h"
#include "terrain/Terrain.h"

#include <memory>

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;
class TTavoWindow;

/**
 * "Juges sur le terrain": the server the judges' phones talk to, started and stopped here, the
 * addresses, each judge's code and state, the pilot called to the line and the live grid of the
 * flight. Not modal; closing it hides it, the server goes on.
 */
class TFenetreTerrain : public QWidget
{
    Q_OBJECT

public:
    explicit TFenetreTerrain(TTavoWindow& fenetre);
    ~TFenetreTerrain() override;

    bool Actif() const { return m_serveur->Actif(); }
    /** Judges whose phone asked something in the last 10 seconds. */
    int JugesConnectes() const;
    tavo::terrain::TTerrain& GetTerrain() { return *m_terrain; }
    /** Starts the server on the port chosen; a port that cannot be had is told. */
    bool Demarre();
    void Arrete();
    /** The link judge j's code opens, on the first address of this computer. */
    std::string Lien(short juge) const;
    /**
     * Rebuilds the live results when the competition changed and no sheet is
     * being typed or tapped; `force`: at once, a sheet was just finished.
     */
    void PublieResultats(bool force = false);

Q_SIGNALS:
    /** The server started or stopped, or the judges connected changed. */
    void EtatChange();

private:
    void Construit();
    void Actualise();
    void ActualiseJuges();
    void ActualiseGrille();
    void ActualisePilotes();
    void ActualiseLater();
    void Appelle();
    void Suivant();
    void ImprimeCodes();
    short VolChoisi() const;

    TTavoWindow& m_fenetre;
    std::unique_ptr<tavo::terrain::TTerrain> m_terrain;
    std::unique_ptr<tavo::terrain::TServeurTerrain> m_serveur;
    QSpinBox* m_port = nullptr;
    QPushButton* m_marche = nullptr;
    QLabel* m_etat = nullptr;
    QLabel* m_adresses = nullptr;
    QTableWidget* m_juges = nullptr;
    QComboBox* m_vol = nullptr;
    QComboBox* m_pilote = nullptr;
    QLabel* m_appel = nullptr;
    QTableWidget* m_grille = nullptr;
    QTimer* m_horloge = nullptr;
    QTimer* m_resultats = nullptr;
    bool m_actualisationPrevue = false;
    int m_connectes = -1;
};
