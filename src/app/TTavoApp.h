// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Application.h"

namespace tavo {
class TDecoratedFrame;
class TRepondeur;
} // namespace tavo
class TTavoWindow;

/**
 * The program: shows the splash picture, builds the frame around the main
 * window, and opens the competition file given on the command line.
 */
class TTavoApp : public tavo::TApplication
{
public:
    TTavoApp(int& argc, char** argv);

    tavo::TDecoratedFrame* GetFrame() const { return m_cadre; }
    TTavoWindow* GetClient() const { return m_client; }
    /** Who answers the frame's message boxes and file dialogs (null: Qt's dialogs). */
    void SetRepondeur(tavo::TRepondeur* repondeur) { m_repondeur = repondeur; }

    /**
     * Builds the frame around a new main window (without the splash), as at start-up, with
     * the size, place and maximised state it had when the program last ended.
     */
    static tavo::TDecoratedFrame* CreeCadre(TTavoWindow*& client);
    /** Remembers the frame's size, place and maximised state for the next start. */
    static void MemoriseCadre(const tavo::TDecoratedFrame& cadre);

protected:
    void InitMainWindow() override;
    void MainWindowShown() override;

private:
    tavo::TDecoratedFrame* m_cadre = nullptr;
    TTavoWindow* m_client = nullptr;
    tavo::TRepondeur* m_repondeur = nullptr;
};
