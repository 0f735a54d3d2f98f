// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DialoguesStandard.h"

#include <deque>
#include <optional>
#include <vector>

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tavo {

/**
 * An answerer that plays a script instead of showing dialogs, and records
 * every question asked over the windows it is attached to (for its lifetime).
 * A message box with no scripted answer gets its first button (OK, Yes); a
 * file dialog with no scripted answer is cancelled.
 */
class TRepondeurScripte : public TRepondeur
{
public:
    struct Message
    {
        QString Texte;
        QString Titre;
        unsigned Type = 0;
    };
    struct DialogueFichier
    {
        bool Enregistrement = false;
        TDonneesFichier Donnees; ///< as the program passed them
    };

    /** Attached to `fenetre` when one is given. */
    explicit TRepondeurScripte(QWidget* fenetre = nullptr);
    ~TRepondeurScripte() override;
    TRepondeurScripte(const TRepondeurScripte&) = delete;
    TRepondeurScripte& operator=(const TRepondeurScripte&) = delete;

    /** Answers for `fenetre` and the windows within it too. */
    void Attache(QWidget* fenetre);

    /** The next message box answers `reponse`. */
    void Repond(int reponse) { m_reponses.push_back(reponse); }
    /** The next file dialog chooses `chemin` (nullopt: cancelled). */
    void Choisit(std::optional<QString> chemin) { m_fichiers.push_back(std::move(chemin)); }

    const std::vector<Message>& Messages() const { return m_messages; }
    const std::vector<DialogueFichier>& Dialogues() const { return m_dialogues; }
    /** Answers scripted but not used. */
    std::size_t ReponsesRestantes() const { return m_reponses.size() + m_fichiers.size(); }
    void Oublie();

    int MessageBox(QWidget* parent, const QString& texte, const QString& titre,
                   unsigned type) override;
    bool Ouvre(QWidget* parent, TDonneesFichier& donnees) override;
    bool Enregistre(QWidget* parent, TDonneesFichier& donnees) override;
    /** A folder dialog, recorded and answered as an open dialog. */
    bool ChoisitRepertoire(QWidget* parent, const QString& titre,
                           TDonneesFichier& donnees) override;

private:
    bool Fichier(bool enregistrement, TDonneesFichier& donnees);

    std::vector<QPointer<QWidget>> m_fenetres;
    std::deque<int> m_reponses;
    std::deque<std::optional<QString>> m_fichiers;
    std::vector<Message> m_messages;
    std::vector<DialogueFichier> m_dialogues;
};

} // namespace tavo
