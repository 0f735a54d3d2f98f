// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Application.h"

namespace tavo {
class TDecoratedFrame;
}
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

    /** Builds the frame around a new main window (without the splash), as at start-up. */
    static tavo::TDecoratedFrame* CreeCadre(TTavoWindow*& client);

protected:
    void InitMainWindow() override;
    void MainWindowShown() override;

private:
    tavo::TDecoratedFrame* m_cadre = nullptr;
    TTavoWindow* m_client = nullptr;
};
