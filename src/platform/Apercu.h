// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QDialog>
#include <QKeySequence>
#include <QList>
#include <QRect>
#include <QSize>
#include <QSizeF>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;

namespace tavo {

/**
 * The size of the preview window, its frame left out, on a screen whose free
 * area (the desktop's panels left out) is `disponible`: the window and its
 * frame keep well inside it, and the page of proportions `page` (any unit)
 * is shown whole under the tool bar `outils`, as wide as the bar at least.
 */
QSize TailleApercu(const QRect& disponible, const QSizeF& page, const QSize& outils);

/**
 * "Aperçu avant impression": the pages `dessine` draws on a printer, the
 * page fitted at first, with zoom, page by page navigation, "Imprimer..."
 * (the dialog accepted: the caller prints) and "Fermer".
 */
class TApercu : public QDialog
{
public:
    TApercu(QWidget* parent, QPrinter& imprimante, const std::function<void(QPrinter*)>& dessine);

    QPrintPreviewWidget* Pages() const { return m_pages; }
    QToolBar* Outils() const { return m_outils; }
    /** "Page 2 / 5". */
    QString TextePage() const;

private:
    QAction* Action(const QString& nom, const QString& texte, const QString& bulle,
                    const QList<QKeySequence>& touches);
    /** The previous (-1) or next (1) page. */
    void Tourne(int sens);
    void MetAJour();

    QPrintPreviewWidget* m_pages;
    QToolBar* m_outils;
    QLabel* m_numero = nullptr;
    QAction* m_precedente = nullptr;
    QAction* m_suivante = nullptr;
};

/** The preview window "Aperçu avant impression" of the pages `dessine` draws. */
QDialog* CreeApercu(QWidget* parent, QPrinter& imprimante,
                    const std::function<void(QPrinter*)>& dessine);

} // namespace tavo
