// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TTavoWindow.h"

#include "app/Commandes.h"
#include "app/ListePilotes.h"
#include "app/Vues.h"
#include "model/Journal.h"
#include "platform/Chaines.h"
#include "platform/Clavier.h"
#include "platform/PainterDC.h"
#include "platform/Verrou.h"
#include "scoring/Classements.h"
#include "scoring/Regles.h"

#include <algorithm>
#include <cstring>

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>

using tavo::TCommandEnabler;
using tavo::TRect;

QString RepertoireCourant()
{
    // QDir::currentPath has no trailing "/" except at the root, as wanted.
    return QDir::currentPath();
}

TTavoWindow::TTavoWindow(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("tavoWindow"));
    RepertoireDepart = RepertoireCourant();
    DonneesFichier = std::make_unique<tavo::TDonneesFichier>();
    DonneesFichier->Flags = tavo::OFN_HIDEREADONLY | tavo::OFN_FILEMUSTEXIST;
    DonneesFichier->Filtre = QStringLiteral("Fichiers Tavo (*.CCR)|*.ccr|");
    DonneesFichier->ExtensionDefaut = QStringLiteral("CCR");

    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QPalette couleurs = viewport()->palette();
    couleurs.setColor(QPalette::Window, QColor(0, 0, 255));
    couleurs.setColor(QPalette::Base, QColor(0, 0, 255));
    viewport()->setPalette(couleurs);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);

    Concours = std::make_unique<TConcours>();
    PiloteSaisi = std::make_unique<TPilote>();
    const std::string depart = tavo::CheminNatif(RepertoireDepart);
    Options = std::make_unique<TOption>(depart);
    Options->Charge(depart);
    Scroller = std::make_unique<tavo::TScroller>(this, UNITE_DEFILEMENT, UNITE_DEFILEMENT, 0, 0);
    SetCaption({});
}

TTavoWindow::~TTavoWindow()
{
    delete ListeVue;
    // Changes given up or saved leave no journal; unsaved ones keep theirs for recovery.
    if (!Modifie || Abandon)
        OublieJournal();
}

TRect TTavoWindow::GetClientRect() const
{
    return TRect{0, 0, viewport()->width(), viewport()->height()};
}

void TTavoWindow::Invalide()
{
    viewport()->update();
}

void TTavoWindow::SetupWindow()
{
    if (Vue == 2 && ListeVue) {
        connect(ListeVue->header(), &QHeaderView::sectionClicked, this, &TTavoWindow::ClicColonne,
                Qt::UniqueConnection);
        RemplitListe();
    }
}

bool TTavoWindow::Commande(int id)
{
    OublieClassementsAffiches();
    switch (id) {
    case CM_NOUVEAU:
        CmNouveau();
        return true;
    case CM_OUVRIR:
        CmOuvrir();
        return true;
    case CM_ENREGISTRER:
        CmEnregistrer();
        return true;
    case CM_ENREGISTRER_SOUS:
        CmEnregistrerSous();
        return true;
    case CM_AIDE:
        AfficheAide();
        return true;
    case CM_A_PROPOS:
        AProposDe();
        return true;
    default:
        return CommandeSaisie(id) || CommandeVue(id) || CommandeImpression(id) ||
               CommandeIndisponible(id);
    }
}

void TTavoWindow::CommandEnable(TCommandEnabler& ce)
{
    const bool horsFeuille = Vue != 3;
    const bool f3a = std::strcmp(Concours->GetCategorie(), "F3A") == 0;
    const bool vgm = std::strcmp(Concours->GetCategorie(), "VGM") == 0;
    const char* serie = Concours->GetSerie();
    const bool petiteSerie =
        f3a && (std::strcmp(serie, "1") == 0 || std::strcmp(serie, "1 1/2") == 0);
    switch (ce.GetId()) {
    case CM_MISE_EN_PAGE:
        ce.Enable(horsFeuille && !Options->GetMiseEnPageAuto());
        break;
    case CM_FLYOFF_1:
    case CM_FLYOFF_1 + 1:
    case CM_IMP_FLYOFF_1:
    case CM_IMP_FLYOFF_1 + 1:
        ce.Enable(horsFeuille && !petiteSerie);
        break;
    case CM_FLYOFF_1 + 2:
    case CM_IMP_FLYOFF_1 + 2:
        ce.Enable(horsFeuille && !petiteSerie && !vgm);
        break;
    case CM_FLYOFF_1 + 3:
    case CM_IMP_FLYOFF_1 + 3:
        ce.Enable(horsFeuille && f3a && std::strcmp(serie, "3") == 0);
        break;
    case CM_QUITTER:
    case CM_AIDE:
    case CM_A_PROPOS:
        ce.Enable(true);
        break;
    default:
        ce.Enable(horsFeuille);
        break;
    }
}

void TTavoWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.translate(-static_cast<int>(Scroller->XOffset()),
                      -static_cast<int>(Scroller->YOffset()));
    tavo::TPainterDC dc(painter, viewport()->logicalDpiX(), viewport()->logicalDpiY());
    Paint(dc, true, GetClientRect());
}

void TTavoWindow::Paint(tavo::TDC& dc, bool, const TRect& rect)
{
    const TRect client{0, 0, rect.Width(), rect.Height()};
    switch (Vue) {
    case 0:
        DessineCaracteristiques(dc, client, *Concours);
        break;
    case 1:
        DessineJuges(dc, client, *Concours);
        break;
    case 2:
        break;
    case 3:
        DessineFeuilleNotes(dc, *this);
        return;
    default: {
        const auto x = static_cast<int>(Scroller->XOffset());
        const auto y = static_cast<int>(Scroller->YOffset());
        const TRect visible{x, y, x + client.Width(), y + client.Height()};
        const std::string repProgrammes = Options->GetRepProgrammes();
        if (Vue >= 4 && Vue <= 7) {
            DessineClassementPilotes(dc, LargeurVue, *Concours, Vue - 3,
                                     Options->GetRapport1000() != 0, visible);
        } else if (Vue >= 8 && Vue <= 11) {
            if (!DessineClassementFlyOff(dc, LargeurVue, *Concours, Vue - 7, visible))
                CmCaracteristiques();
        } else if (Vue >= 12 && Vue <= 18) {
            DessineClassementJuges(dc, LargeurVue, *Concours, Vue - 11, repProgrammes, visible);
        } else if (Vue >= 19 && Vue <= 23) {
            DessineDiagramme(dc, *Concours, Vue - 18, repProgrammes);
        } else if (Vue >= 24 && Vue <= 30) {
            DessineProfilTBL(dc, LargeurVue, *Concours, Vue - 23, repProgrammes);
        }
        return;
    }
    }
    // The characteristics and judges views fit the window: nothing to scroll.
    if (Vue != 2 && (Scroller->XRange() != 0 || Scroller->YRange() != 0))
        Scroller->SetRange(0, 0);
}

void TTavoWindow::RecalculeDefilement()
{
    const TRect client = GetClientRect();
    long x = std::max(0, LargeurVue - client.Width());
    long y = std::max(0, HauteurVue - client.Height());
    if (Vue != 3) {
        x = (x + UNITE_DEFILEMENT - 1) / UNITE_DEFILEMENT;
        y = (y + UNITE_DEFILEMENT - 1) / UNITE_DEFILEMENT;
    }
    Scroller->SetRange(x, y);
    Invalide();
}

void TTavoWindow::scrollContentsBy(int, int)
{
    Invalide();
}

void TTavoWindow::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const bool minimise = window()->isMinimized();
    if (Vue == 2) {
        QuitteListe();
        Vue = 0;
        CmListePilotes();
    } else if (Vue == 3 && !minimise) {
        RecalculeDefilement();
        MontreCurseur();
    } else if (Vue >= 4 && Vue <= 30 && !minimise) {
        RecalculeDefilement();
    }
    Invalide();
}

void TTavoWindow::keyPressEvent(QKeyEvent* event)
{
    OublieClassementsAffiches();
    if (Vue != 3) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    ToucheFeuille(tavo::CodeVirtuel(*event));
}

void TTavoWindow::QuitteListe()
{
    delete ListeVue;
    ListeVue = nullptr;
}

void TTavoWindow::EntreVue(int vue, int largeur, int hauteur)
{
    if (Vue == 2)
        QuitteListe();
    Vue = vue;
    LargeurVue = largeur;
    HauteurVue = hauteur;
    Scroller->SetUnits(UNITE_DEFILEMENT, UNITE_DEFILEMENT);
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    Invalide();
}

void TTavoWindow::EchecVue(const QString& message)
{
    tavo::MessageBox(this, message, QStringLiteral("Tavo 2000"),
                     tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
    Invalide();
}

void TTavoWindow::CmCaracteristiques()
{
    QuitteListe();
    Vue = 0;
    LargeurVue = HauteurVue = 0;
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    Invalide();
}

void TTavoWindow::CmJuges()
{
    QuitteListe();
    Vue = 1;
    LargeurVue = HauteurVue = 0;
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    Invalide();
}

void TTavoWindow::CmListePilotes()
{
    if (Vue == 2) {
        Invalide();
        return;
    }
    Vue = 0;
    Scroller->SetRange(0, 0);
    ListeVue = new TListePilotes(*Concours, viewport());
    ListeVue->setGeometry(viewport()->rect());
    Vue = 2;
    SetupWindow();
    ListeVue->show();
    Invalide();
}

void TTavoWindow::RemplitListe()
{
    if (ListeVue)
        ListeVue->Modele().Remplit(OrdreListePilotes(*Concours, TriDossard, TriNom));
}

void TTavoWindow::ClicColonne(int colonne)
{
    if (colonne == 0) {
        TriDossard = !TriDossard;
        TriNom = false;
    } else if (colonne == 1) {
        TriNom = !TriNom;
        TriDossard = false;
    }
    RemplitListe();
}

bool TTavoWindow::CommandeVue(int id)
{
    switch (id) {
    case CM_CARACTERISTIQUES:
        CmCaracteristiques();
        return true;
    case CM_JUGES:
        CmJuges();
        return true;
    case CM_LISTE_PILOTES:
        CmListePilotes();
        return true;
    default:
        if (id >= CM_CLST_PILOTES_1 && id < CM_CLST_PILOTES_1 + 4)
            CommandeClassement(4 + id - CM_CLST_PILOTES_1);
        else if (id >= CM_FLYOFF_1 && id < CM_FLYOFF_1 + 4)
            CommandeClassement(8 + id - CM_FLYOFF_1);
        else if (id >= CM_CLST_JUGES_1 && id < CM_CLST_JUGES_1 + MAX_VOLS)
            CommandeClassement(12 + id - CM_CLST_JUGES_1);
        else if (id >= CM_DIAGRAMME_1 && id < CM_DIAGRAMME_1 + MAX_JUGES)
            CommandeClassement(19 + id - CM_DIAGRAMME_1);
        else if (id >= CM_TBL_1 && id < CM_TBL_1 + MAX_VOLS)
            CommandeClassement(24 + id - CM_TBL_1);
        else
            return false;
        return true;
    }
}

void TTavoWindow::CommandeClassement(int vue)
{
    const tavo::ParametresCalcul parametres(*Options);
    const int dpi = viewport()->logicalDpiY();
    auto mm = [dpi](int dixiemes) { return tavo::DixiemesMmEnPixels(dixiemes, dpi); };
    // Heights of rows and title blocks as they are at 96 dpi; a finer screen has taller
    // text, and the last rows must still be reached by scrolling.
    auto ecran = [dpi](int pixels) { return dpi > 96 ? tavo::MulDiv(pixels, dpi, 96) : pixels; };
    const short juges = Concours->GetNbJuges();
    const int hauteurClassement = ecran(17 * Concours->NbPilotes() + 321);
    tavo::Statut statut;
    int largeur = 0;
    int hauteur = 0;
    if (vue <= 7) {
        const int n = vue - 3;
        statut = tavo::PrepareClassementVols(*Concours, parametres, n);
        largeur = mm(1160 + 280 * (n - 1)) + 10;
        hauteur = hauteurClassement;
    } else if (vue <= 11) {
        const int k = vue - 7;
        statut = tavo::PrepareClassementFlyOff(*Concours, parametres, k);
        largeur = mm(1310 + 280 * (k - 1)) + 10;
        hauteur = hauteurClassement;
    } else if (vue <= 18) {
        const int v = vue - 11;
        statut = tavo::PrepareClassementJuges(*Concours, parametres, v);
        largeur = mm(juges == 3 ? 1780 : juges == 4 ? 2080 : 2380) + 10;
        int voles = 0;
        for (const TPilote& pilote : Concours->GetPilotes())
            voles += tavo::AVole(pilote.GetScoreVol(static_cast<short>(v))) ? 1 : 0;
        hauteur = ecran(17 * voles + 321);
    } else if (vue <= 23) {
        statut = tavo::PrepareDiagramme(*Concours, parametres);
        largeur = mm(1980);
        hauteur = mm(1348);
    } else {
        statut = tavo::PrepareProfil(*Concours, parametres, vue - 23);
        largeur = mm(juges == 3 ? 1500 : juges == 4 ? 1850 : 2200) + 10;
        hauteur = ecran(450);
    }
    if (!statut) {
        EchecVue(QString::fromStdString(statut.message));
        return;
    }
    EntreVue(vue, largeur, hauteur);
}
