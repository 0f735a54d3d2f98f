// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Validateurs.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include <QDialog>
#include <QRect>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QFont;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabBar;

namespace tavo {

/**
 * Dialog units: a quarter of the dialog font's average character width
 * horizontally, an eighth of its height vertically.
 */
struct TUnitesDialogue
{
    int X = 6;  ///< average character width, pixels
    int Y = 13; ///< character height, pixels

    /** The units of a font: the mean width of "A"-"Z" and "a"-"z", rounded, and the height. */
    static TUnitesDialogue DePolice(const QFont& police);
    /** A rectangle in dialog units as pixels. */
    QRect EnPixels(int x, int y, int cx, int cy) const;
};

/** The kinds of controls of a dialog template. */
enum class TGenre
{
    Libelle,       ///< static text, left aligned
    LibelleDroite, ///< static text, right aligned
    Cadre,         ///< etched frame without title
    GroupBox,
    Edit,
    Bouton,
    BoutonDefaut,
    CaseACocher,
    BoutonRadio, ///< consecutive radio buttons form one group
    ListeDeroulante,
    Onglets,
};

/** One control of a dialog template; position and size in dialog units. */
struct TControleDlg
{
    int Id;
    TGenre Genre;
    const char* Texte; ///< UTF-8
    int X, Y, Cx, Cy;
    int Capacite = 0;  ///< edits: the field's capacity, one more than the characters accepted
    bool Trie = false; ///< drop-down lists: items kept in alphabetical order
};

/** A dialog template: title, size in dialog units and controls in tab order. */
struct TModeleDialogue
{
    int Id;
    const char* Titre;
    int Cx, Cy;
    std::vector<TControleDlg> Controles;
};

/**
 * A modal dialog built from a template: each control is placed from its
 * dialog-unit rectangle and carries its id. Button 1 confirms through `CmOk`
 * (fields checked by their validators first), button 2, Escape and the close
 * box cancel through `CmCancel`. `Execute` returns the id of the button.
 * `SetupWindow` runs once, just before the dialog is first shown.
 *
 * Every edit is checked as the user types (`TValidateurQt`): it holds no more
 * than its capacity stores, and a keystroke or a paste that is refused or
 * altered says why in a hint shown under the field (and given to screen
 * readers as the field's description) until the next change or until the
 * focus leaves the field.
 */
class TDialog : public QDialog
{
    Q_OBJECT

public:
    TDialog(QWidget* parent, const TModeleDialogue& modele);
    ~TDialog() override;

    /** Runs the dialog modally; `IDOK` or `IDCANCEL`. */
    int Execute();

    QWidget* Controle(int id) const;
    QLineEdit* Edit(int id) const;
    QComboBox* Liste(int id) const;
    QAbstractButton* Bouton(int id) const;
    QGroupBox* GroupBox(int id) const;
    QTabBar* Onglets(int id) const;
    const TUnitesDialogue& Unites() const { return m_unites; }

    /** Gives an edit its validator, kept by the dialog. */
    void SetValidator(int id, std::unique_ptr<TValidator> validateur);
    const TValidator* GetValidator(int id) const;
    /**
     * The edit holds a path: kept in the file system's encoding with every
     * character as typed, its capacity counted in those bytes.
     */
    void SetChemin(int id);
    /** The hint shown about the user's last change in a field; empty when none is shown. */
    QString Indication() const;

    /** Runs `action` when button `id` is clicked. */
    void SurBouton(int id, std::function<void()> action);

    // Helpers over the controls, by id.
    QString GetTexte(int id) const;
    void SetTexte(int id, const QString& texte);
    /** Adds an item, at its alphabetical place in a sorted list; returns its position. */
    int AjouteChaine(int id, const QString& texte);
    /** Selects the first item beginning with `debut` (case ignored); -1 when none. */
    int SelectionneDebut(int id, const QString& debut);
    /** Selects the item equal to `texte` (case ignored); -1 when none. */
    int SelectionneEgal(int id, const QString& texte);
    int GetSelection(int id) const;
    void SetSelection(int id, int position);
    bool EstCoche(int id) const;
    void SetCoche(int id, bool coche);

    /**
     * Checks every edit the user has changed since the program filled it.
     * False, after saying which field and why, when a validator refuses one.
     */
    virtual bool CanClose();
    /** Closes the dialog, `Execute` returning `retour`. */
    void CloseWindow(int retour);
    /** Centres the dialog on its screen, size unchanged. */
    void CentreEcran();
    /** Escape and the close box: `CmCancel`. */
    void reject() override;

protected:
    virtual void SetupWindow() {}
    /** Confirmation: closes with `IDOK` when `CanClose` agrees. */
    virtual void CmOk();
    virtual void CmCancel();
    /** Makes a control visible before it takes the focus (a page of tabs, say). */
    virtual void MontreControle(int) {}

    void setVisible(bool visible) override;

private:
    /** The widget of one control at its place `r`; radio buttons join `groupeRadio`. */
    QWidget* CreeControle(const TControleDlg& c, const QRect& r, QButtonGroup*& groupeRadio,
                          QLabel* libelle);
    QWidget* CreeBouton(const TControleDlg& c, const QString& texte);
    QWidget* CreeListe(const TControleDlg& c, const QRect& r);
    QWidget* CreeOnglets(const TControleDlg& c, const QRect& r);
    QLabel* LibelleDe(int id) const;
    /** Gives edit `id` its check, from its validator, capacity and kind of text. */
    void Equipe(int id);
    void Indique(int id, const QString& texte);
    void CacheIndication();

    TUnitesDialogue m_unites;
    std::map<int, QWidget*> m_controles;
    std::vector<int> m_ordre;
    std::map<int, std::unique_ptr<TValidator>> m_validateurs;
    std::map<int, QLabel*> m_libelles; ///< edit → the label just before it
    std::map<int, int> m_limites;      ///< edit → the characters its field stores
    std::set<int> m_chemins;           ///< edits that hold a path
    std::set<int> m_saisis;            ///< edits the user has changed since the program filled them
    QLabel* m_indication = nullptr;
    int m_idIndication = 0; ///< the edit the hint is about
    QMetaObject::Connection m_suitFocus;
    bool m_prepare = false;
};

} // namespace tavo
