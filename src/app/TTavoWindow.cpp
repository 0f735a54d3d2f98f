// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TTavoWindow.h"

#include "app/DessinVues.h"
#include "app/InterlocuteurFenetre.h"
#include "app/ListePilotes.h"
#include "app/Menu.h"
#include "app/ModesVue.h"
#include "document/Document.h"
#include "document/FeuilleSaisie.h"
#include "model/Emplacements.h"
#include "platform/Chaines.h"
#include "platform/Clavier.h"
#include "platform/PainterDC.h"
#include "presentation/Messages.h"
#include "scoring/Classements.h"
#include "scoring/Regles.h"

#include <algorithm>

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
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
    const tavo::Emplacements emplacements =
        tavo::TrouveEmplacements(tavo::CheminNatif(RepertoireCourant()), true);
    RepertoireDepart = tavo::CheminQt(emplacements.depart.c_str());
    RepertoireOptions = tavo::CheminQt(emplacements.options.c_str());
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
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);

    m_interlocuteur = std::make_unique<TInterlocuteurFenetre>(this);
    m_document = std::make_unique<tavo::TDocument>(*m_interlocuteur);
    Concours = &m_document->Concours();
    m_feuille = std::make_unique<tavo::TFeuilleSaisie>(*m_document);
    Options = std::make_unique<TOption>(emplacements.depart);
    const tavo::CodeLecture lecture = Options->Charge(emplacements.options);
    if (lecture != tavo::CodeLecture::Ok && lecture != tavo::CodeLecture::FichierIntrouvable)
        ProblemeOptions =
            QStringLiteral("Le fichier d'options « %1 » n'a pas été lu : %2.\n\n"
                           "Les options par défaut sont utilisées : sauvegarde automatique "
                           "désactivée, impression automatique après la saisie des notes "
                           "activée, mise en page automatique activée, rapport 1000 activé, TBL "
                           "désactivé, programmes de vol dans « %3 », concours dans « %4 ». "
                           "Valider la boîte « Options » les enregistre à sa place.")
                .arg(QDir::toNativeSeparators(
                         tavo::CheminQt(TOption::CheminFichier(emplacements.options).c_str())),
                     lecture == tavo::CodeLecture::FichierTropGrand
                         ? QStringLiteral("il fait plus de 1 Mio, ce ne peut pas en être un")
                         : QStringLiteral("ce n'est pas un fichier ordinaire"),
                     QDir::toNativeSeparators(tavo::CheminQt(Options->GetRepProgrammes())),
                     QDir::toNativeSeparators(tavo::CheminQt(Options->GetRepConcours())));
    Scroller = std::make_unique<tavo::TScroller>(this, UNITE_DEFILEMENT, UNITE_DEFILEMENT, 0, 0);
    SetCaption({});
}

TTavoWindow::~TTavoWindow()
{
    delete ListeVue;
}

void TTavoWindow::AnnonceDemarrage()
{
    if (ProblemeOptions.isEmpty())
        return;
    tavo::MessageBox(this, ProblemeOptions, tavo::NomTavo(),
                     tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
    ProblemeOptions.clear();
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
    if (Vue == modes::LISTE_PILOTES && ListeVue) {
        connect(ListeVue->header(), &QHeaderView::sectionClicked, this, &TTavoWindow::ClicColonne,
                Qt::UniqueConnection);
        RemplitListe();
    }
}

bool TTavoWindow::Commande(int id)
{
    ClassementJugesAffiche.Oublie();
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
        if (id >= CM_RECENT_1 && id < CM_RECENT_1 + NB_RECENTS) {
            const QStringList recents = FichiersRecents();
            if (id - CM_RECENT_1 < recents.size())
                OuvreDepose(recents[id - CM_RECENT_1]);
            return true;
        }
        return CommandeSaisie(id) || CommandeVue(id) || CommandeImpression(id) ||
               CommandeIndisponible(id);
    }
}

void TTavoWindow::CommandEnable(TCommandEnabler& ce)
{
    const bool horsFeuille = Vue != modes::FEUILLE;
    const int id = ce.GetId();
    // Fly-off views and printouts: only those the category and series offer.
    std::optional<int> flyoffs;
    if (const auto vue = VueDeCommande(id); vue && vue->genre == tavo::GenreVue::FlyOff)
        flyoffs = vue->numero;
    else if (const auto demande = DemandeDe(id);
             demande && demande->formulaire == tavo::Formulaire::FlyOff)
        flyoffs = demande->nombre;
    if (flyoffs) {
        ce.Enable(horsFeuille &&
                  tavo::FlyOffPropose(Concours->GetCategorie(), Concours->GetSerie(), *flyoffs));
        return;
    }
    switch (id) {
    case CM_MISE_EN_PAGE:
        ce.Enable(horsFeuille && !Options->GetMiseEnPageAuto());
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
    QString lu;
    switch (Vue) {
    case modes::CARACTERISTIQUES:
        DessineCaracteristiques(dc, client, *Concours, &lu);
        DitVue(QStringLiteral("Caractéristiques du concours"), lu);
        break;
    case modes::JUGES:
        DessineJuges(dc, client, *Concours, &lu);
        DitVue(QStringLiteral("Juges du concours"), lu);
        break;
    case modes::LISTE_PILOTES:
        break;
    case modes::FEUILLE:
        DessineFeuilleNotes(dc, *this);
        return;
    default:
        if (const auto mode = DecodeVue(Vue))
            PaintVue(dc, *mode, client);
        return;
    }
    // The characteristics and judges views fit the window: nothing to scroll.
    if (Vue != modes::LISTE_PILOTES && (Scroller->XRange() != 0 || Scroller->YRange() != 0))
        Scroller->SetRange(0, 0);
}

void TTavoWindow::PaintVue(tavo::TDC& dc, ModeVue mode, const TRect& client)
{
    const auto x = static_cast<int>(Scroller->XOffset());
    const auto y = static_cast<int>(Scroller->YOffset());
    const TRect visible{x, y, x + client.Width(), y + client.Height()};
    const std::string repProgrammes = Options->GetRepProgrammes();
    const int n = mode.numero;
    std::string lu;
    switch (mode.genre) {
    case tavo::GenreVue::ClassementVols:
        DessineClassementPilotes(dc, LargeurVue, *Concours, n, Options->GetRapport1000() != 0,
                                 visible, &lu);
        break;
    case tavo::GenreVue::FlyOff:
        if (!DessineClassementFlyOff(dc, LargeurVue, *Concours, n, visible, &lu)) {
            CmCaracteristiques();
            return;
        }
        break;
    case tavo::GenreVue::ClassementJuges:
        DessineClassementJuges(dc, LargeurVue, *Concours, n, repProgrammes, visible,
                               ClassementJugesAffiche, &lu);
        break;
    case tavo::GenreVue::Diagramme:
        DessineDiagramme(dc, *Concours, n, repProgrammes);
        break;
    case tavo::GenreVue::Profil:
        DessineProfilTBL(dc, LargeurVue, *Concours, n, repProgrammes);
        break;
    }
    // What screen readers say of the view: its heading, and the rows in view.
    std::string nom = tavo::EnteteVue(mode.genre);
    if (const std::string sousTitre = tavo::SousTitreVue(mode.genre, n); !sousTitre.empty())
        nom += " " + sousTitre;
    DitVue(QString::fromStdString(nom), QString::fromStdString(lu));
}

void TTavoWindow::DitVue(const QString& nom, const QString& lu)
{
    if (viewport()->accessibleName() != nom)
        viewport()->setAccessibleName(nom);
    if (viewport()->accessibleDescription() != lu)
        viewport()->setAccessibleDescription(lu);
}

void TTavoWindow::RecalculeDefilement()
{
    const TRect client = GetClientRect();
    long x = std::max(0, LargeurVue - client.Width());
    long y = std::max(0, HauteurVue - client.Height());
    if (Vue != modes::FEUILLE) {
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
    if (Vue == modes::LISTE_PILOTES) {
        QuitteListe();
        Vue = modes::CARACTERISTIQUES;
        CmListePilotes();
    } else if (Vue == modes::FEUILLE && !minimise) {
        RecalculeDefilement();
        MontreCurseur();
    } else if (DecodeVue(Vue) && !minimise) {
        RecalculeDefilement();
    }
    Invalide();
}

namespace {

// The competition file a drag brings: one local file named "*.ccr", or nothing.
QString FichierDepose(const QMimeData* donnees)
{
    if (donnees == nullptr || donnees->urls().size() != 1 || !donnees->urls().front().isLocalFile())
        return {};
    const QString chemin = donnees->urls().front().toLocalFile();
    return chemin.endsWith(QStringLiteral(".ccr"), Qt::CaseInsensitive) ? chemin : QString();
}

} // namespace

void TTavoWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (Vue != modes::FEUILLE && !FichierDepose(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TTavoWindow::dropEvent(QDropEvent* event)
{
    const QString chemin = FichierDepose(event->mimeData());
    if (Vue == modes::FEUILLE || chemin.isEmpty())
        return;
    event->acceptProposedAction();
    OuvreDepose(chemin);
}

void TTavoWindow::keyPressEvent(QKeyEvent* event)
{
    ClassementJugesAffiche.Oublie();
    if (Vue != modes::FEUILLE) {
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
    if (Vue == modes::LISTE_PILOTES)
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
    tavo::MessageBox(this, message, tavo::NomTavo(), tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
    Invalide();
}

void TTavoWindow::CmCaracteristiques()
{
    QuitteListe();
    Vue = modes::CARACTERISTIQUES;
    LargeurVue = HauteurVue = 0;
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    Invalide();
}

void TTavoWindow::CmJuges()
{
    QuitteListe();
    Vue = modes::JUGES;
    LargeurVue = HauteurVue = 0;
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    Invalide();
}

void TTavoWindow::CmListePilotes()
{
    if (Vue == modes::LISTE_PILOTES) {
        Invalide();
        return;
    }
    Vue = modes::CARACTERISTIQUES;
    Scroller->SetRange(0, 0);
    ListeVue = new TListePilotes(*Concours, viewport());
    ListeVue->setGeometry(viewport()->rect());
    Vue = modes::LISTE_PILOTES;
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
        if (const auto vue = VueDeCommande(id)) {
            CommandeClassement(*vue);
            return true;
        }
        return false;
    }
}

void TTavoWindow::CommandeClassement(ModeVue vue)
{
    const tavo::ParametresCalcul parametres(*Options);
    const int dpi = viewport()->logicalDpiY();
    // Heights of rows and title blocks as they are at 96 dpi; a finer screen has taller
    // text, and the last rows must still be reached by scrolling.
    auto ecran = [dpi](int pixels) { return dpi > 96 ? tavo::MulDiv(pixels, dpi, 96) : pixels; };
    const int n = vue.numero;
    const int hauteurClassement = ecran(17 * Concours->NbPilotes() + 321);
    tavo::Statut statut;
    int hauteur = 0;
    switch (vue.genre) {
    case tavo::GenreVue::ClassementVols:
        statut = tavo::PrepareClassementVols(*Concours, parametres, n);
        hauteur = hauteurClassement;
        break;
    case tavo::GenreVue::FlyOff:
        statut = tavo::PrepareClassementFlyOff(*Concours, parametres, n);
        hauteur = hauteurClassement;
        break;
    case tavo::GenreVue::ClassementJuges: {
        statut = tavo::PrepareClassementJuges(*Concours, parametres, n);
        int voles = 0;
        for (const TPilote& pilote : Concours->GetPilotes())
            voles += tavo::AVole(pilote.GetScoreVol(static_cast<short>(n))) ? 1 : 0;
        hauteur = ecran(17 * voles + 321);
        break;
    }
    case tavo::GenreVue::Diagramme:
        statut = tavo::PrepareDiagramme(*Concours, parametres);
        hauteur = tavo::DixiemesMmEnPixels(1348, dpi);
        break;
    case tavo::GenreVue::Profil:
        statut = tavo::PrepareProfil(*Concours, parametres, n);
        hauteur = ecran(450);
        break;
    }
    if (!statut) {
        EchecVue(QString::fromStdString(tavo::MessageStatut(statut)));
        return;
    }
    // The tables have 5 pixels on each side; the diagram has its own margins.
    const int marge = vue.genre == tavo::GenreVue::Diagramme ? 0 : 10;
    const int largeur = tavo::DixiemesMmEnPixels(
                            tavo::LargeurVueDixiemes(vue.genre, n, Concours->GetNbJuges()), dpi) +
                        marge;
    EntreVue(CodeVue(vue), largeur, hauteur);
}
