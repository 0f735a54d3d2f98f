// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tavo {

/** Buttons and icons of `MessageBox`, combined with |. */
enum TypeMessage : unsigned
{
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};
constexpr unsigned MB_BOUTONS = 0x0F;
constexpr unsigned MB_ICONES = 0xF0;

/** The button that closed a message box or a dialog. */
enum Reponse : int
{
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

/** Flags of the file dialogs. */
enum DrapeauFichier : unsigned
{
    OFN_HIDEREADONLY = 0x4,
    OFN_OVERWRITEPROMPT = 0x2,
    OFN_FILEMUSTEXIST = 0x1000,
};

/**
 * What the open and save dialogs share: the flags, the filter as pairs
 * "description|pattern|", the default extension (without its dot), the
 * initial directory and the file name, which holds the full path chosen.
 */
struct TDonneesFichier
{
    unsigned Flags = 0;
    QString Filtre;
    QString ExtensionDefaut;
    QString RepertoireInitial;
    QString NomFichier;

    /** The filter as Qt name filters: "description (patterns)". */
    QStringList FiltresQt() const;
};

/**
 * Answers the program's questions: message boxes and file dialogs. By default
 * Qt's dialogs answer; a window may be given an answerer of its own (a test's
 * scripted one), which then answers for it and every window within it.
 */
class TRepondeur
{
public:
    virtual ~TRepondeur() = default;
    virtual int MessageBox(QWidget* parent, const QString& texte, const QString& titre,
                           unsigned type) = 0;
    /** Runs the open dialog; true and `donnees.NomFichier` set when confirmed. */
    virtual bool Ouvre(QWidget* parent, TDonneesFichier& donnees) = 0;
    /** Runs the save dialog; true and `donnees.NomFichier` set when confirmed. */
    virtual bool Enregistre(QWidget* parent, TDonneesFichier& donnees) = 0;
    /** Runs the folder dialog from `donnees.RepertoireInitial`; the folder in `NomFichier`. */
    virtual bool ChoisitRepertoire(QWidget* parent, const QString& titre,
                                   TDonneesFichier& donnees) = 0;
};

/**
 * Gives the questions asked over `fenetre`, or over any window whose parent
 * chain leads to it, to `repondeur` (null: Qt's dialogs again). The answerer
 * must outlive the attachment.
 */
void AttacheRepondeur(QWidget* fenetre, TRepondeur* repondeur);

/** A message box; returns the button pressed (`Reponse`). */
int MessageBox(QWidget* parent, const QString& texte, const QString& titre, unsigned type);

/** The open-file dialog over `donnees`; false when not confirmed. */
bool DialogueOuvrir(QWidget* parent, TDonneesFichier& donnees);

/** The save-file dialog over `donnees`; false when not confirmed. */
bool DialogueEnregistrer(QWidget* parent, TDonneesFichier& donnees);

/** The folder dialog titled `titre`; false when not confirmed. */
bool DialogueRepertoire(QWidget* parent, const QString& titre, TDonneesFichier& donnees);

} // namespace tavo
