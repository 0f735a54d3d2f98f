// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Document.h"

#include <QString>

class QWidget;

/** Puts the document's questions and news in message boxes over the main window. */
class TInterlocuteurFenetre : public tavo::TInterlocuteur
{
public:
    explicit TInterlocuteurFenetre(QWidget* fenetre);

    bool OuvreMalgreVerrou(const std::string& fichier, const tavo::TDetenteurVerrou& qui) override;
    bool RemplaceFichierChange(const std::string& fichier) override;
    bool RemplaceFichierOuvert(const std::string& fichier,
                               const tavo::TDetenteurVerrou& qui) override;
    bool RecupereNotes(bool notesSeules) override;
    void VerrouImpossible(const std::string& verrou, const std::string& raison) override;
    void JournalImpossible(const std::string& journal, const std::string& raison) override;
    void JournalTropGrand(const std::string& journal, std::uint64_t taille) override;

    /**
     * At start-up: `notes` were typed into `fichier` and never saved; open it and take them
     * back? The recovery question of its opening is then answered by this one.
     */
    bool OuvreEtRecupere(const std::string& fichier, const tavo::NotesNonEnregistrees& notes);
    /** The next recovery question is answered yes without being asked (until `false`). */
    void RecuperationAcceptee(bool acceptee) { m_recuperationAcceptee = acceptee; }

private:
    bool Demande(const QString& question);
    void Dit(const QString& texte);

    QWidget* m_fenetre;
    bool m_recuperationAcceptee = false;
};
