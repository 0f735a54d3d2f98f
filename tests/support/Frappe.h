// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

/** Types a text into a widget one key at a time, accented letters included. */
inline void Frappe(QWidget* cible, const QString& texte)
{
    for (QChar c : texte) {
        const int touche = c.unicode() < 0x80 ? QChar(c).toUpper().unicode() : 0;
        QKeyEvent appui(QEvent::KeyPress, touche, Qt::NoModifier, QString(c));
        QApplication::sendEvent(cible, &appui);
        QKeyEvent relache(QEvent::KeyRelease, touche, Qt::NoModifier, QString(c));
        QApplication::sendEvent(cible, &relache);
    }
}
