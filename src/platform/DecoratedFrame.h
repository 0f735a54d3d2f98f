// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/CibleCommandes.h"

#include <functional>
#include <optional>

#include <QMainWindow>
#include <QMap>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace tavo {

/**
 * A frame window around one client window, with a menu built from a table,
 * a tool bar at the top and a status bar at the bottom. Every menu item and
 * tool-bar button is an action carrying its command number (in `data()`) and
 * its hint as status tip, so the status bar shows the hint of the highlighted
 * item. Commands go to the client (`TCibleCommandes`), which enables them.
 */
class TDecoratedFrame : public QMainWindow
{
    Q_OBJECT

public:
    TDecoratedFrame(const QString& titre, QWidget* client, TCibleCommandes* cible);
    ~TDecoratedFrame() override;

    /** Builds the menu bar from a table; items stay enabled until the enablers run. */
    void SetMenu(const std::vector<TEntreeMenu>& table);
    /**
     * Adds a command to the menu of `entree` just before the item of command `avant`
     * (a separator when `entree.Id` is 0); returns its action, hidden until shown.
     */
    QAction* InsereAvant(const TEntreeMenu& entree, int avant);
    /** Builds the tool bar at the top; its buttons start disabled. */
    void SetToolBar(const std::vector<TGadget>& gadgets);
    /** The status bar at the bottom with the Caps Lock and Num Lock indicators. */
    void SetStatusBar();

    /** The action of a command (its menu item and tool-bar button), or null. */
    QAction* Action(int id) const { return m_actions.value(id, nullptr); }
    QList<int> Commandes() const { return m_actions.keys(); }
    QToolBar* BarreOutils() const { return m_barre; }

    /** Runs a command as the menu does: only when its enabler allows it. */
    bool ExecuteCommande(int id);
    /** Runs every enabler and greys the actions accordingly. */
    void ActualiseCommandes();
    /** Refreshes the Caps Lock and Num Lock indicators. */
    void ActualiseIndicateurs();

    /** Where the indicators read the keyboard state (tests replace it); empty: unknown. */
    static void SetLecteurVerrous(std::function<std::optional<bool>(bool majuscules)> lecteur);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    QMenu* Menu(const QStringList& chemin);
    QAction* NouvelleAction(const TEntreeMenu& entree);

    TCibleCommandes* m_cible;
    QMap<int, QAction*> m_actions;
    QMap<QString, QMenu*> m_menus;
    QToolBar* m_barre = nullptr;
    QLabel* m_majuscules = nullptr;
    QLabel* m_numerique = nullptr;
};

} // namespace tavo
