// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Apercu.h"

#include <algorithm>

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace tavo {

namespace {

// What a window manager adds around a window: its borders and title bar, about.
constexpr int CADRE_LARGEUR = 12;
constexpr int CADRE_HAUTEUR = 40;
// The share of the free area the window takes at most, its frame included: on a 1366 x 768
// laptop, some 1311 x 699 pixels.
constexpr double PART_LARGEUR = 0.96;
constexpr double PART_HAUTEUR = 0.91;
// The room a fitted page leaves around it in the preview.
constexpr int MARGE_PAGE = 24;
constexpr qreal FACTEUR_ZOOM = 1.25;

} // namespace

QSize TailleApercu(const QRect& disponible, const QSizeF& page, const QSize& outils)
{
    const int largeurMax =
        std::max(1, static_cast<int>(disponible.width() * PART_LARGEUR) - CADRE_LARGEUR);
    const int hauteurMax =
        std::max(1, static_cast<int>(disponible.height() * PART_HAUTEUR) - CADRE_HAUTEUR);
    const double rapport =
        page.width() > 0 && page.height() > 0 ? page.width() / page.height() : 210.0 / 297.0;
    // As high as the window may be, the page's width following; a page too wide for the
    // screen is as wide as it may be, its height following.
    int hauteurPage = std::max(1, hauteurMax - outils.height() - 2 * MARGE_PAGE);
    int largeur = qRound(hauteurPage * rapport) + 2 * MARGE_PAGE;
    if (largeur > largeurMax) {
        largeur = largeurMax;
        hauteurPage = std::max(1, qRound((largeurMax - 2 * MARGE_PAGE) / rapport));
    }
    largeur = std::min(std::max(largeur, outils.width()), largeurMax);
    const int hauteur = std::min(hauteurMax, hauteurPage + outils.height() + 2 * MARGE_PAGE);
    return {largeur, hauteur};
}

TApercu::TApercu(QWidget* parent, QPrinter& imprimante,
                 const std::function<void(QPrinter*)>& dessine)
    : QDialog(parent)
    , m_pages(new QPrintPreviewWidget(&imprimante, this))
    , m_outils(new QToolBar(this))
{
    setWindowTitle(QStringLiteral("Aperçu avant impression"));
    setObjectName(QStringLiteral("apercu"));
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(m_pages, &QPrintPreviewWidget::paintRequested, this, dessine);
    connect(m_pages, &QPrintPreviewWidget::previewChanged, this, &TApercu::MetAJour);
    m_outils->setObjectName(QStringLiteral("outils"));
    m_outils->setToolButtonStyle(Qt::ToolButtonTextOnly);

    // Print and close first: on a narrow screen the bar folds from its end.
    QAction* imprimer = Action(QStringLiteral("imprimer"), QStringLiteral("Imprimer..."),
                               QStringLiteral("Imprimer ce document avec les choix de la boîte "
                                              "d'impression (Ctrl+P)"),
                               {QKeySequence(QKeySequence::Print)});
    connect(imprimer, &QAction::triggered, this, &QDialog::accept);
    QAction* fermer = Action(QStringLiteral("fermer"), QStringLiteral("Fermer"),
                             QStringLiteral("Fermer l'aperçu (Échap)"), {});
    connect(fermer, &QAction::triggered, this, &QDialog::reject);
    m_outils->addSeparator();

    QAction* zoomAvant =
        Action(QStringLiteral("zoomAvant"), QStringLiteral("Zoom avant"),
               QStringLiteral("Agrandir la page (Ctrl++)"),
               {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomAvant, &QAction::triggered, this, [this] { m_pages->zoomIn(FACTEUR_ZOOM); });
    QAction* zoomArriere =
        Action(QStringLiteral("zoomArriere"), QStringLiteral("Zoom arrière"),
               QStringLiteral("Réduire la page (Ctrl+-)"), {QKeySequence(QKeySequence::ZoomOut)});
    connect(zoomArriere, &QAction::triggered, this, [this] { m_pages->zoomOut(FACTEUR_ZOOM); });
    QAction* entiere = Action(QStringLiteral("pageEntiere"), QStringLiteral("Page entière"),
                              QStringLiteral("Montrer la page entière"), {});
    connect(entiere, &QAction::triggered, m_pages, &QPrintPreviewWidget::fitInView);
    QAction* largeur =
        Action(QStringLiteral("largeurPage"), QStringLiteral("Largeur de la page"),
               QStringLiteral("Montrer la page sur toute la largeur de la fenêtre"), {});
    connect(largeur, &QAction::triggered, m_pages, &QPrintPreviewWidget::fitToWidth);
    m_outils->addSeparator();

    m_precedente = Action(QStringLiteral("pagePrecedente"), QStringLiteral("Page précédente"),
                          QStringLiteral("Aller à la page précédente (Pg préc)"),
                          {QKeySequence(Qt::Key_PageUp)});
    connect(m_precedente, &QAction::triggered, this, [this] { Tourne(-1); });
    m_numero = new QLabel(m_outils);
    m_numero->setObjectName(QStringLiteral("numeroPage"));
    m_numero->setMargin(6);
    m_outils->addWidget(m_numero);
    m_suivante = Action(QStringLiteral("pageSuivante"), QStringLiteral("Page suivante"),
                        QStringLiteral("Aller à la page suivante (Pg suiv)"),
                        {QKeySequence(Qt::Key_PageDown)});
    connect(m_suivante, &QAction::triggered, this, [this] { Tourne(1); });

    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);
    colonne->addWidget(m_outils);
    colonne->addWidget(m_pages, 1);
    MetAJour();

    const QScreen* ecran = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect disponible = ecran ? ecran->availableGeometry() : QRect(0, 0, 1366, 768);
    resize(TailleApercu(disponible, imprimante.pageLayout().fullRect(QPageLayout::Point).size(),
                        m_outils->sizeHint()));
}

QAction* TApercu::Action(const QString& nom, const QString& texte, const QString& bulle,
                         const QList<QKeySequence>& touches)
{
    QAction* action = m_outils->addAction(texte);
    action->setObjectName(nom);
    action->setIconText(texte); // the tool bar would drop the "..." otherwise
    action->setToolTip(bulle);
    action->setShortcuts(touches);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    return action;
}

void TApercu::Tourne(int sens)
{
    // The preview tells of a page reached by scrolling, not of one it was sent to.
    m_pages->setCurrentPage(m_pages->currentPage() + sens);
    MetAJour();
}

QString TApercu::TextePage() const
{
    return QStringLiteral("Page %1 / %2").arg(m_pages->currentPage()).arg(m_pages->pageCount());
}

void TApercu::MetAJour()
{
    m_numero->setText(TextePage());
    m_precedente->setEnabled(m_pages->currentPage() > 1);
    m_suivante->setEnabled(m_pages->currentPage() < m_pages->pageCount());
}

QDialog* CreeApercu(QWidget* parent, QPrinter& imprimante,
                    const std::function<void(QPrinter*)>& dessine)
{
    return new TApercu(parent, imprimante, dessine);
}

} // namespace tavo
