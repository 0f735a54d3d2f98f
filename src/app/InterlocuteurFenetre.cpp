// SPDX-License-Identifier: GPL-3.0-or-later
// What the document asks and tells, in message boxes over the main window.
#include "app/InterlocuteurFenetre.h"

#include "document/Document.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

using namespace tavo;

namespace {

const QString TITRE = NomTavo();
const QString REMPLACER = QStringLiteral("Voulez-vous le remplacer quand même ?");
const QString NOTES_SEULES =
    QStringLiteral("\n\nLe fichier a été enregistré depuis, par une autre fenêtre ou un autre "
                   "programme : seules les notes sont reprises, sur les pilotes de même dossard "
                   "et de même nom.");

QString Natif(const std::string& chemin)
{
    return QDir::toNativeSeparators(CheminQt(chemin.c_str()));
}

QString Qui(const TDetenteurVerrou& d)
{
    QString texte = QStringLiteral("%1 sur l'ordinateur %2 (processus %3)")
                        .arg(QString::fromStdString(d.Utilisateur), QString::fromStdString(d.Hote))
                        .arg(d.Processus);
    const QDateTime depuis = QDateTime::fromString(QString::fromStdString(d.Depuis), Qt::ISODate);
    if (depuis.isValid())
        texte += QStringLiteral(" depuis le %1")
                     .arg(depuis.toString(QStringLiteral("dd/MM/yyyy à HH:mm")));
    return texte;
}

} // namespace

TInterlocuteurFenetre::TInterlocuteurFenetre(QWidget* fenetre)
    : m_fenetre(fenetre)
{}

bool TInterlocuteurFenetre::OuvreMalgreVerrou(const std::string& fichier,
                                              const TDetenteurVerrou& qui)
{
    return Demande(QStringLiteral("Le concours « %1 » est déjà ouvert par %2.\n\n"
                                  "Si vous l'ouvrez aussi ici, les notes enregistrées d'un "
                                  "côté risquent d'effacer celles de l'autre.\n"
                                  "Voulez-vous l'ouvrir quand même ?")
                       .arg(Natif(fichier), Qui(qui)));
}

bool TInterlocuteurFenetre::RemplaceFichierChange(const std::string& fichier)
{
    return Demande(
        QStringLiteral("Le fichier « %1 » a été modifié sur le disque depuis qu'il a été "
                       "ouvert ou enregistré ici (par une autre fenêtre de Tavo 2000 ou un "
                       "autre programme).\n\n"
                       "Si vous enregistrez, ces modifications seront perdues.\n"
                       "%2")
            .arg(Natif(fichier), REMPLACER));
}

bool TInterlocuteurFenetre::RemplaceFichierOuvert(const std::string& fichier,
                                                  const TDetenteurVerrou& qui)
{
    return Demande(QStringLiteral("Le fichier « %1 » est ouvert par %2.\n\n%3")
                       .arg(Natif(fichier), Qui(qui), REMPLACER));
}

bool TInterlocuteurFenetre::RecupereNotes(bool notesSeules)
{
    if (m_recuperationAcceptee)
        return true;
    QString question = QStringLiteral("Des notes saisies après le dernier enregistrement "
                                      "ont été retrouvées. Voulez-vous les récupérer ?");
    if (notesSeules)
        question += NOTES_SEULES;
    return MessageBox(m_fenetre, question, TITRE, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool TInterlocuteurFenetre::OuvreEtRecupere(const std::string& fichier,
                                            const NotesNonEnregistrees& notes)
{
    QDateTime derniere;
    for (const std::string& journal : notes.journaux) {
        const QDateTime date = QFileInfo(CheminQt(journal.c_str())).lastModified();
        if (!derniere.isValid() || date > derniere)
            derniere = date;
    }
    QString question =
        QStringLiteral("Le concours « %1 » a des notes saisies qui n'ont pas été enregistrées "
                       "(dernière saisie le %2).\n\nVoulez-vous l'ouvrir et les récupérer ?")
            .arg(Natif(fichier), derniere.toString(QStringLiteral("dd/MM/yyyy à HH:mm")));
    if (notes.notesSeules)
        question += NOTES_SEULES;
    return MessageBox(m_fenetre, question, TITRE, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TInterlocuteurFenetre::VerrouImpossible(const std::string& verrou, const std::string& raison)
{
    Dit(QStringLiteral("Le verrou « %1 » n'a pas pu être créé : %2.\n\n"
                       "Le concours n'est pas protégé contre son ouverture dans une "
                       "autre fenêtre de Tavo 2000 : n'ouvrez ce fichier qu'ici.")
            .arg(Natif(verrou), QString::fromStdString(raison)));
}

void TInterlocuteurFenetre::JournalImpossible(const std::string& journal, const std::string& raison)
{
    Dit(QStringLiteral("Le journal de récupération « %1 » ne peut pas être écrit : %2.\n\n"
                       "La récupération des notes après un arrêt brutal est désactivée "
                       "jusqu'au prochain enregistrement : enregistrez le concours pour "
                       "ne pas risquer de perdre ce qui a été saisi.")
            .arg(Natif(journal), QString::fromStdString(raison)));
}

void TInterlocuteurFenetre::JournalTropGrand(const std::string& journal, std::uint64_t taille)
{
    Dit(QStringLiteral("Le journal de récupération « %1 » est trop grand (%2 Mo) pour "
                       "être celui d'un concours : il n'est pas lu.")
            .arg(Natif(journal))
            .arg(taille >> 20));
}

bool TInterlocuteurFenetre::Demande(const QString& question)
{
    return MessageBox(m_fenetre, question, TITRE, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void TInterlocuteurFenetre::Dit(const QString& texte)
{
    MessageBox(m_fenetre, texte, TITRE, MB_OK | MB_ICONEXCLAMATION);
}
