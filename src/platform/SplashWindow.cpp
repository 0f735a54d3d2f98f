// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SplashWindow.h"

#include "platform/Lecture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace tavo {

TSplashWindow* TSplashWindow::Cree(const QString& fichier, int largeur, int hauteur,
                                   const QString& titre)
{
    const QImage image = LitImage(fichier);
    if (image.isNull())
        return nullptr;
    auto* splash = new TSplashWindow(QPixmap::fromImage(image));
    splash->setWindowTitle(titre);
    // Shrink to fit: the window takes the bitmap's size.
    splash->resize(largeur, hauteur);
    splash->setFixedSize(image.size());
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        splash->move(ecran->availableGeometry().center() - splash->rect().center());
    return splash;
}

TSplashWindow::TSplashWindow(const QPixmap& image)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_image(image)
{
    setObjectName(QStringLiteral("splash"));
    setAttribute(Qt::WA_DeleteOnClose);
}

void TSplashWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    grabMouse();
}

void TSplashWindow::hideEvent(QHideEvent* event)
{
    releaseMouse();
    QWidget::hideEvent(event);
}

void TSplashWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(rect(), m_image);
}

void TSplashWindow::mousePressEvent(QMouseEvent*)
{
    close();
}

} // namespace tavo
