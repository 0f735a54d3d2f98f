// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

namespace tavo {

/** Asked of the command target for each command before it is shown or run. */
class TCommandEnabler
{
public:
    explicit TCommandEnabler(int id)
        : m_id(id)
    {}
    int GetId() const { return m_id; }
    void Enable(bool enabled = true) { m_enabled = enabled; }
    bool Enabled() const { return m_enabled; }

private:
    int m_id;
    bool m_enabled = true;
};

/**
 * One line of a menu table. `Chemin` is the path of menus that hold the
 * item, from the menu bar down ("&Affichage", "Classement des &pilotes");
 * `Id` 0 is a separator. Texts keep their "&" mnemonics.
 */
struct TEntreeMenu
{
    QStringList Chemin;
    int Id = 0;
    QString Texte;
    QString Aide;
};

/** A tool-bar gadget: a button of a command with its glyph, or a separator of a width. */
struct TGadget
{
    int Id = 0;          ///< command; 0 for a separator
    QString Glyphe;      ///< image of the button
    int LargeurSep = -1; ///< separator width; -1: the default width
};

/** Receives the commands of a frame and says which are enabled. */
class TCibleCommandes
{
public:
    virtual ~TCibleCommandes() = default;
    /** Runs a command; false when the target does not handle it. */
    virtual bool Commande(int id) = 0;
    virtual void CommandEnable(TCommandEnabler& ce) = 0;
    /** Asked before the frame closes. */
    virtual bool CanClose() { return true; }

    /** Set by the frame: called when the target's state changed outside a command. */
    void SetActualisation(std::function<void()> actualise) { m_actualise = std::move(actualise); }

protected:
    /** Has the enablers run again (after a key stroke that changed the view, say). */
    void EtatModifie()
    {
        if (m_actualise)
            m_actualise();
    }

private:
    std::function<void()> m_actualise;
};

/** The standard exit command: the frame closes after asking `CanClose`. */
constexpr int CM_EXIT = 24310;

} // namespace tavo
