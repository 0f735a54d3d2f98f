// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QStringList>

class QApplication;
class QTranslator;
class QWidget;

namespace tavo {

/**
 * The application object: owns Qt's application (or uses the one that
 * exists), in French, and runs the message loop. A program derives from it
 * and builds its main window in `InitMainWindow`.
 */
class TApplication
{
public:
    TApplication(int& argc, char** argv);
    virtual ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    /** Creates the main window, shows it and runs the message loop; returns the exit code. */
    int Run();
    /** Creates and shows the main window, without running the loop; false when there is none. */
    bool Demarre();

    QWidget* GetMainWindow() const { return m_principale; }
    /** The command-line arguments after the program's name. */
    QStringList Arguments() const;

protected:
    virtual void InitMainWindow() = 0;
    /** Called once the main window is shown, before the message loop. */
    virtual void MainWindowShown() {}
    void SetMainWindow(QWidget* fenetre) { m_principale = fenetre; }

private:
    std::unique_ptr<QApplication> m_application;
    std::unique_ptr<QTranslator> m_traduction;
    QWidget* m_principale = nullptr;
    QStringList m_arguments; ///< when Qt's application was made elsewhere
};

} // namespace tavo
