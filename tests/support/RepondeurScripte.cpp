// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RepondeurScripte.h"

#include <QFileInfo>

namespace tavo {

TRepondeurScripte::TRepondeurScripte(QWidget* fenetre)
{
    if (fenetre)
        Attache(fenetre);
}

TRepondeurScripte::~TRepondeurScripte()
{
    for (const QPointer<QWidget>& fenetre : m_fenetres)
        if (fenetre)
            AttacheRepondeur(fenetre, nullptr);
}

void TRepondeurScripte::Attache(QWidget* fenetre)
{
    AttacheRepondeur(fenetre, this);
    m_fenetres.emplace_back(fenetre);
}

void TRepondeurScripte::Oublie()
{
    m_messages.clear();
    m_dialogues.clear();
}

int TRepondeurScripte::MessageBox(QWidget*, const QString& texte, const QString& titre,
                                  unsigned type)
{
    m_messages.push_back(Message{texte, titre, type});
    if (!m_reponses.empty()) {
        const int reponse = m_reponses.front();
        m_reponses.pop_front();
        return reponse;
    }
    switch (type & MB_BOUTONS) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

bool TRepondeurScripte::Fichier(bool enregistrement, TDonneesFichier& donnees)
{
    m_dialogues.push_back(DialogueFichier{enregistrement, donnees});
    if (m_fichiers.empty())
        return false;
    const std::optional<QString> choix = m_fichiers.front();
    m_fichiers.pop_front();
    if (!choix)
        return false;
    donnees.NomFichier = *choix;
    donnees.RepertoireInitial = QFileInfo(*choix).absolutePath();
    return true;
}

bool TRepondeurScripte::Ouvre(QWidget*, TDonneesFichier& donnees)
{
    return Fichier(false, donnees);
}

bool TRepondeurScripte::Enregistre(QWidget*, TDonneesFichier& donnees)
{
    return Fichier(true, donnees);
}

bool TRepondeurScripte::ChoisitRepertoire(QWidget*, const QString&, TDonneesFichier& donnees)
{
    return Fichier(false, donnees);
}

} // namespace tavo
