// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

namespace tavo {

TApplication::TApplication(int& argc, char** argv)
    : m_application(QApplication::instance() ? nullptr : std::make_unique<QApplication>(argc, argv))
    , m_traduction(std::make_unique<QTranslator>())
{
    if (!m_application)
        for (int i = 1; i < argc; ++i)
            m_arguments << QString::fromLocal8Bit(argv[i]);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Qt's own dialogs and buttons in French.
    if (m_traduction->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(m_traduction.get());
}

TApplication::~TApplication()
{
    delete m_principale;
}

QStringList TApplication::Arguments() const
{
    return m_application ? QApplication::arguments().mid(1) : m_arguments;
}

bool TApplication::Demarre()
{
    InitMainWindow();
    if (!m_principale)
        return false;
    m_principale->show();
    MainWindowShown();
    return true;
}

int TApplication::Run()
{
    return Demarre() ? QApplication::exec() : 1;
}

} // namespace tavo
