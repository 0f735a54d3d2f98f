// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

namespace tavo {

/**
 * A window that shows a bitmap file at its own size until it is clicked. It
 * captures the mouse: a click anywhere dismisses it.
 * `Cree` returns null when the file cannot be read: the program then starts
 * without it.
 */
class TSplashWindow : public QWidget
{
    Q_OBJECT

public:
    static TSplashWindow* Cree(const QString& fichier, int largeur, int hauteur,
                               const QString& titre);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    explicit TSplashWindow(const QPixmap& image);

    QPixmap m_image;
};

} // namespace tavo
