// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DecoratedFrame.h"

#include "platform/EtatClavier.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace tavo {

namespace {

const QString MAJ = QStringLiteral(" MAJ ");
const QString NUM = QStringLiteral(" NUM ");

std::function<std::optional<bool>(bool)>& lecteurVerrous()
{
    static std::function<std::optional<bool>(bool)> lecteur = VerrouActif;
    return lecteur;
}

// Black when the lock is on, grey when off, blank when the platform cannot tell.
void MontreVerrou(QLabel* indicateur, const QString& texte, std::optional<bool> actif)
{
    if (!indicateur)
        return;
    indicateur->setText(actif ? texte : QString());
    indicateur->setEnabled(actif.value_or(false));
}

} // namespace

void TDecoratedFrame::SetLecteurVerrous(std::function<std::optional<bool>(bool)> lecteur)
{
    lecteurVerrous() = lecteur ? std::move(lecteur) : VerrouActif;
}

TDecoratedFrame::TDecoratedFrame(const QString& titre, QWidget* client, TCibleCommandes* cible)
    : m_cible(cible)
{
    setWindowTitle(titre);
    setCentralWidget(client);
    m_cible->SetActualisation([this] { ActualiseCommandes(); });
    qApp->installEventFilter(this);
}

QMenu* TDecoratedFrame::Menu(const QStringList& chemin)
{
    const QString cle = chemin.join(u'\n');
    if (QMenu* menu = m_menus.value(cle))
        return menu;
    QMenu* menu = nullptr;
    if (chemin.size() == 1) {
        menu = menuBar()->addMenu(chemin.constFirst());
    } else {
        menu = Menu(chemin.mid(0, chemin.size() - 1))->addMenu(chemin.constLast());
    }
    menu->setObjectName(cle);
    connect(menu, &QMenu::aboutToShow, this, &TDecoratedFrame::ActualiseCommandes);
    m_menus.insert(cle, menu);
    return menu;
}

QAction* TDecoratedFrame::NouvelleAction(const TEntreeMenu& entree)
{
    auto* action = new QAction(entree.Texte, this);
    action->setData(entree.Id);
    action->setStatusTip(entree.Aide);
    const int id = entree.Id;
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommande(id); });
    m_actions.insert(id, action);
    return action;
}

void TDecoratedFrame::SetMenu(const std::vector<TEntreeMenu>& table)
{
    for (const TEntreeMenu& entree : table) {
        QMenu* menu = Menu(entree.Chemin);
        if (entree.Id == 0)
            menu->addSeparator();
        else
            menu->addAction(NouvelleAction(entree));
    }
}

QAction* TDecoratedFrame::InsereAvant(const TEntreeMenu& entree, int avant)
{
    QMenu* menu = Menu(entree.Chemin);
    QAction* suivante = Action(avant);
    QAction* action = entree.Id == 0 ? new QAction(this) : NouvelleAction(entree);
    action->setSeparator(entree.Id == 0);
    action->setVisible(false);
    menu->insertAction(suivante, action);
    return action;
}

void TDecoratedFrame::SetToolBar(const std::vector<TGadget>& gadgets)
{
    m_barre = new QToolBar(this);
    m_barre->setObjectName(QStringLiteral("barreOutils"));
    m_barre->setMovable(false);
    m_barre->setIconSize(QSize(20, 20));
    QFont police = m_barre->font();
    police.setPointSize(10);
    police.setBold(false);
    police.setItalic(false);
    m_barre->setFont(police);
    for (const TGadget& gadget : gadgets) {
        if (gadget.Id == 0) {
            if (gadget.LargeurSep == 0) {
                auto* vide = new QWidget(m_barre);
                vide->setFixedWidth(0);
                m_barre->addWidget(vide);
            } else {
                m_barre->addSeparator();
            }
            continue;
        }
        QAction* action = Action(gadget.Id);
        if (!action)
            action = NouvelleAction(TEntreeMenu{{}, gadget.Id, {}, {}});
        action->setIcon(QIcon(gadget.Glyphe));
        action->setEnabled(false);
        m_barre->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_barre);
}

void TDecoratedFrame::SetStatusBar()
{
    QStatusBar* barre = statusBar();
    barre->setSizeGripEnabled(true);
    m_majuscules = new QLabel(MAJ, barre);
    m_numerique = new QLabel(NUM, barre);
    for (QLabel* indicateur : {m_majuscules, m_numerique}) {
        indicateur->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        indicateur->setMinimumWidth(indicateur->sizeHint().width()); // the same, blank or not
        barre->addPermanentWidget(indicateur);
    }
    m_majuscules->setObjectName(QStringLiteral("indicateurMajuscules"));
    m_numerique->setObjectName(QStringLiteral("indicateurNumerique"));
    ActualiseIndicateurs();
}

void TDecoratedFrame::ActualiseIndicateurs()
{
    MontreVerrou(m_majuscules, MAJ, lecteurVerrous()(true));
    MontreVerrou(m_numerique, NUM, lecteurVerrous()(false));
}

void TDecoratedFrame::ActualiseCommandes()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        TCommandEnabler ce(it.key());
        if (it.key() != CM_EXIT)
            m_cible->CommandEnable(ce);
        it.value()->setEnabled(ce.Enabled());
    }
}

bool TDecoratedFrame::ExecuteCommande(int id)
{
    if (id == CM_EXIT) {
        close();
        return true;
    }
    TCommandEnabler ce(id);
    m_cible->CommandEnable(ce);
    const bool fait = ce.Enabled() && m_cible->Commande(id);
    ActualiseCommandes();
    return fait;
}

TDecoratedFrame::~TDecoratedFrame()
{
    m_cible->SetActualisation({});
}

void TDecoratedFrame::closeEvent(QCloseEvent* event)
{
    if (m_cible->CanClose())
        event->accept();
    else
        event->ignore();
}

bool TDecoratedFrame::eventFilter(QObject* objet, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const int touche = static_cast<QKeyEvent*>(event)->key();
        if (touche == Qt::Key_CapsLock || touche == Qt::Key_NumLock)
            ActualiseIndicateurs();
    } else if (event->type() == QEvent::WindowActivate && objet == this) {
        ActualiseIndicateurs();
    }
    return QMainWindow::eventFilter(objet, event);
}

} // namespace tavo
