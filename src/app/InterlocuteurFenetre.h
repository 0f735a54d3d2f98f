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

private:
    bool Demande(const QString& question);
    void Dit(const QString& texte);

    QWidget* m_fenetre;
};
