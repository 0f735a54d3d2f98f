// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

namespace tavo {

TApplication::TApplication(int& argc, char** argv)
    : m_application(std::make_unique<QApplication>(argc, argv))
    , m_traduction(std::make_unique<QTranslator>())
{
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
    return QApplication::arguments().mid(1);
}

int TApplication::Run()
{
    InitMainWindow();
    if (!m_principale)
        return 1;
    m_principale->show();
    MainWindowShown();
    return QApplication::exec();
}

} // namespace tavo
