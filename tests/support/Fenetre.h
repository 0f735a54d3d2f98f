// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/TTavoApp.h"
#include "app/TTavoWindow.h"
#include "document/Document.h"
#include "platform/DecoratedFrame.h"
#include "support/RepondeurScripte.h"

#include <gtest/gtest.h>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

/**
 * The real frame and main window, started in a temporary start-up directory
 * (an empty options file marks it) with a scripted answerer for every message
 * box and file dialog.
 */
class FenetreTest : public ::testing::Test
{
protected:
    FenetreTest()
        : ancien(QDir::currentPath())
    {
        QDir::setCurrent(depart.path());
        QFile(depart.filePath(QStringLiteral("tavo.ini"))).open(QIODevice::WriteOnly);
        QDir(depart.path()).mkdir(QStringLiteral("Concours"));
        cadre.reset(TTavoApp::CreeCadre(fenetre));
        repondeur.Attache(cadre.get());
        cadre->resize(800, 600);
        cadre->show();
    }
    ~FenetreTest() override
    {
        // Close without the question: the tests left what they left.
        fenetre->GetDocument().MarqueEnregistre();
        cadre.reset();
        QDir::setCurrent(ancien);
    }

    /** A copy of the demo competition in the temporary directory. */
    QString CopieDemo(const QString& nom = QStringLiteral("demo.ccr")) const
    {
        const QString chemin = depart.filePath(QStringLiteral("Concours/") + nom);
        QFile::copy(QStringLiteral(TAVO_DATA_DIR "/Concours/demo.ccr"), chemin);
        return chemin;
    }
    bool Execute(int id) { return cadre->ExecuteCommande(id); }
    QString Titre() const { return cadre->windowTitle(); }

    QString ancien;
    QTemporaryDir depart;
    tavo::TRepondeurScripte repondeur;
    TTavoWindow* fenetre = nullptr;
    std::unique_ptr<tavo::TDecoratedFrame> cadre;
};
