// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its views, its commands, the score sheet it shows, its documents.
#include "app/TTavoWindow.h"

#include "app/DessinVues.h"
#include "app/DialoguesSaisie.h"
#include "app/FenetreTerrain.h"
#include "app/InterlocuteurFenetre.h"
#include "app/ListePilotes.h"
#include "app/Menu.h"
#include "app/ModesVue.h"
#include "app/TAProposDlg.h"
#include "app/VueDessin.h"
#include "document/Document.h"
#include "document/FeuilleSaisie.h"
#include "model/Cp1252.h"
#include "model/Emplacements.h"
#include "model/Fichier.h"
#include "model/Option.h"
#include "platform/Aide.h"
#include "platform/Chaines.h"
#include "platform/Clavier.h"
#include "platform/DialoguesStandard.h"
#include "platform/PainterDC.h"
#include "presentation/Messages.h"
#include "presentation/Presentation.h"
#include "print/Formulaires.h"
#include "print/PrintoutConcours.h"
#include "print/Printouts.h"
#include "publication/Site.h"
#include "scoring/Classements.h"
#include "scoring/Regles.h"

#include <algorithm>
#include <optional>

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMimeData>
#include <QPainter>
#include <QResizeEvent>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace tavo;

namespace {

const QString TITRE = NomTavo();

} // namespace

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
    delete m_terrain; // its server stops while the document is still here
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
    m_vueCalculee.reset();
    // A command may change the pilots under the list: its cells look them up until it is done.
    if (ListeVue)
        ListeVue->Modele().Doute();
    const bool faite = ExecuteCommande(id);
    if (ListeVue)
        ListeVue->Modele().Retrouve();
    return faite;
}

bool TTavoWindow::ExecuteCommande(int id)
{
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
    // Fly-off views and printouts: only those the category and series offer; a judge's
    // diagram: only the judges the panel has.
    std::optional<int> flyoffs, juge;
    if (const auto vue = VueDeCommande(id); vue && vue->genre == tavo::GenreVue::FlyOff)
        flyoffs = vue->numero;
    else if (vue && vue->genre == tavo::GenreVue::Diagramme)
        juge = vue->numero;
    else if (const auto demande = DemandeDe(id);
             demande && demande->formulaire == tavo::Formulaire::FlyOff)
        flyoffs = demande->nombre;
    else if (demande && demande->formulaire == tavo::Formulaire::Diagramme)
        juge = demande->nombre;
    if (flyoffs) {
        ce.Enable(horsFeuille &&
                  tavo::FlyOffPropose(Concours->GetCategorie(), Concours->GetSerie(), *flyoffs));
        return;
    }
    if (juge) {
        ce.Enable(horsFeuille && *juge <= tavo::JugesEffectifs(Concours->GetNbJuges()));
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
    case CM_TERRAIN:
        ce.Enable(horsFeuille && Concours->NbPilotes() > 0 && Concours->NbJugesSaisis() > 0);
        break;
    case CM_EXPORTER_CSV:
        ce.Enable(VueExportable());
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
    case modes::FEUILLES_MANQUANTES: {
        const auto x = static_cast<int>(Scroller->XOffset());
        const auto y = static_cast<int>(Scroller->YOffset());
        std::string texte;
        const tavo::TableVue& table = TableFeuillesManquantes();
        tavo::vues::DessineTableVue(dc, LargeurVue, table,
                                    {x, y, x + client.Width(), y + client.Height()}, &texte);
        DitVue(QStringLiteral("Feuilles manquantes"), QString::fromStdString(texte));
        return;
    }
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
    // A flight's programme is loaded again: a printout may have loaded another flight's since.
    if ((mode.genre == tavo::GenreVue::ClassementJuges || mode.genre == tavo::GenreVue::Profil) &&
        !Concours->ChargeProgramme(static_cast<short>(n), repProgrammes)) {
        m_vueCalculee.reset();
        tavo::vues::DessineProgrammeIntrouvable(dc, LargeurVue, *Concours, mode.genre, n);
        DitVue(QString::fromStdString(NomVue(mode)), {});
        return;
    }
    const VueCalculee* calculee = Calculee(mode, repProgrammes);
    if (calculee == nullptr) {
        CmCaracteristiques();
        return;
    }
    // What screen readers say of the view: its heading, and the rows in view.
    std::string lu;
    switch (mode.genre) {
    case tavo::GenreVue::Diagramme:
        DessineDiagramme(dc, *calculee->diagramme);
        break;
    case tavo::GenreVue::Profil:
        DessineProfilTBL(dc, LargeurVue, *calculee->table);
        break;
    default:
        tavo::vues::DessineTableVue(dc, LargeurVue, *calculee->table, visible, &lu);
        break;
    }
    DitVue(QString::fromStdString(calculee->nom), QString::fromStdString(lu));
}

const TTavoWindow::VueCalculee* TTavoWindow::Calculee(ModeVue mode,
                                                      const std::string& repProgrammes)
{
    const bool rapport1000 = Options->GetRapport1000() != 0;
    std::vector<int> programme;
    if (mode.genre == tavo::GenreVue::ClassementJuges || mode.genre == tavo::GenreVue::Profil)
        programme = SignatureProgramme(Concours->GetProgramme());
    const int vue = CodeVue(mode);
    if (m_vueCalculee && m_vueCalculee->revision == m_document->Revision() &&
        m_vueCalculee->vue == vue && m_vueCalculee->rapport1000 == rapport1000 &&
        m_vueCalculee->repProgrammes == repProgrammes && m_vueCalculee->programme == programme)
        return &*m_vueCalculee;
    m_vueCalculee.reset();
    VueCalculee calculee{m_document->Revision(), vue, rapport1000, repProgrammes,
                         std::move(programme),   {},  {},          NomVue(mode)};
    const int n = mode.numero;
    switch (mode.genre) {
    case tavo::GenreVue::ClassementVols:
        calculee.table = tavo::PresenteClassementVols(
            *Concours, tavo::CalculeClassementVols(*Concours, n, rapport1000));
        break;
    case tavo::GenreVue::FlyOff: {
        tavo::ClassementFlyOff classement = tavo::CalculeClassementFlyOff(*Concours, n);
        if (classement.regle == 0)
            return nullptr;
        calculee.table = tavo::PresenteClassementFlyOff(*Concours, std::move(classement));
        break;
    }
    case tavo::GenreVue::ClassementJuges:
        calculee.table =
            tavo::PresenteClassementJuges(*Concours, tavo::CalculeClassementJuges(*Concours, n));
        break;
    case tavo::GenreVue::Diagramme:
        calculee.diagramme =
            tavo::PresenteDiagramme(*Concours, tavo::CalculeDiagramme(*Concours, n, repProgrammes));
        break;
    case tavo::GenreVue::Profil:
        calculee.table = tavo::PresenteProfil(*Concours, tavo::CalculeProfil(*Concours, n));
        break;
    }
    m_vueCalculee = std::move(calculee);
    return &*m_vueCalculee;
}

std::string TTavoWindow::NomVue(ModeVue mode) const
{
    const int n = mode.numero;
    std::string nom = tavo::EnteteVue(mode.genre);
    const bool tbl =
        (mode.genre == tavo::GenreVue::ClassementVols && tavo::TblSurVols(*Concours, n)) ||
        (mode.genre == tavo::GenreVue::FlyOff &&
         tavo::TblSurVols(*Concours, tavo::VolsFlyOff(Concours->GetCategorie(), n)));
    if (const std::string sousTitre = tavo::SousTitreVue(mode.genre, n, tbl); !sousTitre.empty())
        nom += " " + sousTitre;
    return nom;
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
    case CM_FEUILLES_MANQUANTES:
        CmFeuillesManquantes();
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

// The document's recovery, as the window offers it.

QString TTavoWindow::CheminJournal() const
{
    return CheminQt(m_document->CheminJournal().c_str());
}

bool TTavoWindow::ProposeRecuperation()
{
    const bool oui = m_document->ProposeRecuperation();
    if (oui)
        Invalide();
    return oui;
}

bool TTavoWindow::ProposeRecents()
{
    // The latest competition with marks to recover is offered, and only it: a "no" leaves the
    // journals where they are, offered again at the next start or opening.
    for (const QString& chemin : FichiersRecents()) {
        const std::string fichier = CheminNatif(chemin);
        const auto notes = tavo::NotesARecuperer(fichier);
        if (!notes)
            continue;
        if (!m_interlocuteur->OuvreEtRecupere(fichier, *notes))
            return false;
        m_interlocuteur->RecuperationAcceptee(true);
        const bool ouvert = OuvreDepose(chemin);
        m_interlocuteur->RecuperationAcceptee(false);
        return ouvert;
    }
    return false;
}

// Documents: new, open, save, save as, the caption, the recent competitions.

namespace {

const QString INCAPABLE = Message(messages::FICHIER_ILLISIBLE);

} // namespace

void TTavoWindow::SetCaption(const QString& nom)
{
    if (!parentWidget())
        return;
    window()->setWindowTitle(
        (TITRE + QStringLiteral(" - [%1]")).arg(nom.isEmpty() ? QStringLiteral("sans nom") : nom));
}

bool TTavoWindow::CanClose()
{
    if (!m_document->Modifie())
        return true;
    switch (MessageBox(this, QStringLiteral("Voulez-vous enregistrer les modifications ?"), TITRE,
                       MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
        return false;
    case IDYES:
        // Going on after a cancelled or failed save would lose what the user asked to keep.
        return CmEnregistrer();
    default:
        m_document->Abandonne(); // the journal goes with the competition it no longer serves
        return true;
    }
}

void TTavoWindow::CmNouveau()
{
    if (!CanClose())
        return;
    FermeTerrain();
    m_document->Nouveau();
    if (Vue == modes::LISTE_PILOTES)
        CmCaracteristiques();
    Vue = modes::CARACTERISTIQUES;
    LargeurVue = HauteurVue = 0;
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    Invalide();
    SetCaption({});
}

bool TTavoWindow::OuvreFichier(const QString& chemin)
{
    m_vueCalculee.reset();
    if (ListeVue)
        ListeVue->Modele().Doute(); // the list may be painted under a question while it opens
    ResultatLecture resultat;
    const Issue issue = m_document->Ouvre(CheminNatif(chemin), &resultat);
    if (issue == Issue::Refusee)
        return false;
    if (!resultat) {
        QString texte = INCAPABLE;
        if (resultat.code != CodeLecture::FichierIntrouvable)
            texte += QStringLiteral("\n%1\n\n%2")
                         .arg(QFileInfo(chemin).absoluteFilePath(),
                              QString::fromStdString(MessageLecture(resultat)));
        MessageBox(this, texte, TITRE, MB_OK | MB_ICONEXCLAMATION);
        NoteRecent(chemin, false); // gone or damaged: not offered again
    } else {
        FermeTerrain(); // the phones' keys and sheets are the other competition's
        DonneesFichier->NomFichier = chemin;
        DonneesFichier->RepertoireInitial = QFileInfo(chemin).absolutePath();
        SetCaption(chemin);
        NoteRecent(chemin, true);
    }
    // Either way the window shows the characteristics of what is open.
    if (Vue == modes::LISTE_PILOTES)
        CmCaracteristiques();
    Vue = modes::CARACTERISTIQUES;
    LargeurVue = HauteurVue = 0;
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    Invalide();
    if (resultat)
        ProposeRecuperation();
    return static_cast<bool>(resultat);
}

namespace {

const QString RECENTS = QStringLiteral("fichiers/recents");

} // namespace

std::unique_ptr<QSettings> Reglages()
{
    // Where QSettings keeps a user's "tavo"/"tavo" settings. It reads the file as soon as it is
    // made: a pipe there would block the program, a huge file fill its memory. The settings
    // then live in a file of this run only, and the one found is left alone.
    const QString fichier =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/tavo/tavo.conf");
    std::string octets;
    const CodeLecture code =
        LitFichierBorne(CheminNatif(fichier), octets, TAILLE_MAX_PETIT_FICHIER);
    if (code == CodeLecture::Ok || code == CodeLecture::FichierIntrouvable)
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QStringLiteral("tavo"), QStringLiteral("tavo"));
    static const QTemporaryDir provisoire;
    return std::make_unique<QSettings>(provisoire.filePath(QStringLiteral("tavo.conf")),
                                       QSettings::IniFormat);
}

QStringList TTavoWindow::FichiersRecents() const
{
    return Reglages()->value(RECENTS).toStringList();
}

void TTavoWindow::NoteRecent(const QString& chemin, bool present)
{
    const QString absolu = QFileInfo(chemin).absoluteFilePath();
    QStringList recents = FichiersRecents();
    recents.removeAll(absolu);
    if (present)
        recents.prepend(absolu);
    while (recents.size() > NB_RECENTS)
        recents.removeLast();
    Reglages()->setValue(RECENTS, recents);
    Q_EMIT RecentsChanges();
}

bool TTavoWindow::OuvreDepose(const QString& chemin)
{
    return CanClose() && OuvreFichier(chemin);
}

void TTavoWindow::CmOuvrir()
{
    if (!CanClose())
        return;
    // The dialog works on a copy: a refused file must not become the name later saves write to.
    TDonneesFichier donnees = *DonneesFichier;
    donnees.RepertoireInitial = CheminQt(Options->GetRepConcours());
    if (!DialogueOuvrir(this, donnees))
        return;
    OuvreFichier(donnees.NomFichier);
}

bool TTavoWindow::Ecrit()
{
    const QString chemin = DonneesFichier->NomFichier;
    std::string erreur;
    const Issue issue = m_document->Ecrit(CheminNatif(chemin), &erreur);
    if (issue == Issue::Refusee)
        return false;
    if (issue == Issue::Echouee) {
        MessageBox(this,
                   INCAPABLE + QStringLiteral("\n%1\n\n%2")
                                   .arg(DonneesFichier->NomFichier, QString::fromStdString(erreur)),
                   // "Tavo2000" without its space: this box has always been titled so.
                   QStringLiteral("Tavo2000"), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    NoteRecent(chemin, true);
    return true;
}

bool TTavoWindow::CmEnregistrer()
{
    if (m_document->SansNom())
        return CmEnregistrerSous();
    return Ecrit();
}

bool TTavoWindow::CmEnregistrerSous()
{
    TDonneesFichier donnees = *DonneesFichier;
    if (m_document->SansNom()) {
        donnees.NomFichier = QStringLiteral("sans_nom.ccr");
        donnees.RepertoireInitial = CheminQt(Options->GetRepConcours());
    }
    if (!DialogueEnregistrer(this, donnees))
        return false;
    const TDonneesFichier precedentes = *DonneesFichier;
    *DonneesFichier = donnees;
    if (!Ecrit()) {
        // Keep the name of the last good file: the new one holds nothing.
        DonneesFichier->NomFichier = precedentes.NomFichier;
        return false;
    }
    SetCaption(DonneesFichier->NomFichier);
    return true;
}

// The data-entry commands, help and the about box.

namespace {

/** Says that a command is missing from this build; it then changes nothing. */
int indisponible(QWidget* parent)
{
    MessageBox(parent, QStringLiteral("Cette commande n'est pas disponible dans cette version."),
               TITRE, MB_OK | MB_ICONINFORMATION);
    return IDCANCEL;
}

} // namespace

bool TTavoWindow::CommandeSaisie(int id)
{
    const TDialoguesSaisie& dialogues = m_dialoguesSaisie;
    switch (id) {
    case CM_INFORMATIONS: {
        const PhotoConcours avant = Photographie(*Concours);
        const int r = dialogues.Concours
                          ? dialogues.Concours(this, *Concours, Options->GetRepProgrammes())
                          : indisponible(this);
        if (r == IDOK) {
            Invalide();
            m_document->Change(avant);
            if (Options->GetSauvegardeAuto())
                CmEnregistrer();
        } else if (m_document->ChangeSiDifferent(avant)) {
            // Judges paged through stay written even when the dialog is cancelled.
            Invalide();
        }
        return true;
    }
    case CM_PILOTES: {
        const PhotoConcours avant = Photographie(*Concours);
        const int r = dialogues.Pilotes ? dialogues.Pilotes(this, *Concours) : indisponible(this);
        if (r == IDOK) {
            if (Vue == modes::LISTE_PILOTES)
                RemplitListe();
            m_document->Change(avant);
            if (Options->GetSauvegardeAuto())
                CmEnregistrer();
        } else if (m_document->ChangeSiDifferent(avant)) {
            // Pilots stored, appended or deleted before a cancel stay so.
            if (Vue == modes::LISTE_PILOTES)
                RemplitListe();
        }
        LargeurVue = HauteurVue = 0;
        Invalide();
        return true;
    }
    case CM_IMPORTER:
        CmImporter();
        return true;
    case CM_NOTES:
        if (Concours->NbPilotes() == 0) {
            MessageBox(this, Message(messages::AU_MOINS_UN_PILOTE), TITRE, MB_OK);
            return true;
        }
        if ((dialogues.Notes ? dialogues.Notes(this, *Concours) : indisponible(this)) != IDOK)
            return true;
        // The judges may be entering the same sheet on their phones.
        if (m_terrain && m_terrain->Actif() &&
            m_terrain->GetTerrain().EnSaisie(Concours->GetVolCourant(),
                                             tavo::Cp1252VersUtf8(Concours->GetDossardCourant())) &&
            MessageBox(this,
                       QStringLiteral("Les juges saisissent sur le terrain la feuille du dossard "
                                      "%1 au vol %2.\n\nUne note tapée ici remplace la leur, "
                                      "et le journal garde les deux.\nVoulez-vous ouvrir la "
                                      "feuille quand même ?")
                           .arg(Texte(Concours->GetDossardCourant()))
                           .arg(Concours->GetVolCourant()),
                       TITRE, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return true;
        EntreFeuille();
        return true;
    case CM_TERRAIN:
        if (Concours->NbPilotes() > 0 && Concours->NbJugesSaisis() > 0)
            MontreTerrain();
        return true;
    case CM_OPTIONS: {
        const int r = dialogues.Options ? dialogues.Options(this, *Options) : indisponible(this);
        if (r == IDOK) {
            Invalide();
            EnregistreOptions();
        }
        return true;
    }
    default:
        return false;
    }
}

void TTavoWindow::EnregistreOptions()
{
    // A directory that cannot be written keeps its old options file, silently.
    Options->Enregistre(CheminNatif(RepertoireOptions));
}

bool TTavoWindow::CommandeIndisponible(int id)
{
    for (const TEntreeMenu& entree : MenuCommandes())
        if (entree.Id == id) {
            indisponible(this);
            return true;
        }
    return false;
}

void TTavoWindow::AfficheAide()
{
    // The installed help, else the copy built into the program.
    const std::string installee =
        tavo::CheminDonnee(CheminNatif(RepertoireDepart), "aide/Tavo.html");
    WinHelp(this, RepertoireDepart + QStringLiteral("/Tavo.hlp"),
            QFileInfo::exists(tavo::CheminQt(installee.c_str()))
                ? tavo::CheminQt(installee.c_str())
                : QStringLiteral(":/tavo/aide/Tavo.html"));
}

void TTavoWindow::AProposDe()
{
    TAProposDlg dialogue(this);
    dialogue.exec();
}

// The score sheet: keys handed to the sheet, the finished sheet told, saved, printed, published.

namespace {

/** The sheet's key of a virtual-key code. */
// Without a numeric keypad the main keyboard stands in for it: its digits give 0 to 9, the key
// of "=" and "+" gives 10 and the key right of 0 the minus.
ToucheFeuille ToucheDe(int code, bool sansPave)
{
    if (sansPave) {
        if (code >= VK_0 && code <= VK_0 + 9)
            return {GenreTouche::Pave, code - VK_0};
        if (code == VK_OEM_PLUS)
            return {GenreTouche::PavePlus};
        if (code == VK_OEM_MINUS)
            return {GenreTouche::PaveMoins};
    }
    switch (code) {
    case VK_RETURN:
        return {GenreTouche::Entree};
    case VK_ESCAPE:
        return {GenreTouche::Echap};
    case VK_LEFT:
        return {GenreTouche::Gauche};
    case VK_RIGHT:
        return {GenreTouche::Droite};
    case VK_UP:
        return {GenreTouche::Haut};
    case VK_DOWN:
        return {GenreTouche::Bas};
    case VK_ADD:
        return {GenreTouche::PavePlus};
    case VK_SUBTRACT:
        return {GenreTouche::PaveMoins};
    default:
        break;
    }
    if (code >= VK_NUMPAD0 && code <= VK_NUMPAD0 + 9)
        return {GenreTouche::Pave, code - VK_NUMPAD0};
    if (code >= VK_0 && code <= VK_0 + 9)
        return {GenreTouche::Principal, code - VK_0};
    return {};
}

} // namespace

void TTavoWindow::EntreFeuille()
{
    if (!Concours->ChargeProgramme(Concours->GetVolCourant(), Options->GetRepProgrammes())) {
        MessageBox(this, Message(messages::PROGRAMME_FEUILLE_INTROUVABLE), TITRE, MB_OK);
        return;
    }
    if (Vue == modes::LISTE_PILOTES)
        QuitteListe();
    VuePrecedente = Vue;
    Vue = modes::FEUILLE;
    m_feuille->Commence();
    LargeurVue = 600;
    HauteurVue = 16 * Concours->GetProgramme().NbLignes() + 116;
    Scroller->SetUnits(1, 1);
    Invalide();
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    setFocus();
    EtatModifie();
}

TRect TTavoWindow::RectCurseur() const
{
    const TRect cellule = m_feuille->EnSaisie()
                              ? CelluleFeuille(m_feuille->Colonne(), m_feuille->Ligne())
                              : EnteteFeuille(m_feuille->Colonne());
    const int x = static_cast<int>(Scroller->XOffset());
    const int y = static_cast<int>(Scroller->YOffset());
    return TRect{cellule.left - x, cellule.top - y, cellule.right - x, cellule.bottom - y};
}

void TTavoWindow::MontreCurseur()
{
    const TRect curseur = RectCurseur();
    const TRect client = GetClientRect();
    if (curseur.right - client.Width() > 0)
        Scroller->ScrollBy(curseur.right - client.Width(), 0);
    if (curseur.left < 0)
        Scroller->ScrollBy(curseur.left, 0);
    if (curseur.bottom - client.Height() > 0)
        Scroller->ScrollBy(0, curseur.bottom - client.Height());
    if (curseur.top < 0)
        Scroller->ScrollBy(0, curseur.top);
}

void TTavoWindow::ToucheFeuille(int code)
{
    switch (m_feuille->Touche(ToucheDe(code, Options->GetClavierSansPave() != 0))) {
    case EffetTouche::Rien:
        return;
    case EffetTouche::Fin:
        TermineFeuille();
        return;
    case EffetTouche::Curseur:
    case EffetTouche::Note:
        MontreCurseur();
        Invalide();
        return;
    }
}

void TTavoWindow::TermineFeuille()
{
    const ResultatFeuille resultat = m_feuille->Termine();
    QString message = QStringLiteral("Total du vol %1 : %2")
                          .arg(resultat.vol)
                          .arg(QString::fromStdString(tavo::Fixe(resultat.score, 7, 2)));
    if (resultat.suspectes == 1)
        message += QStringLiteral("\n\nAttention : 1 note est supérieure à 10.");
    else if (resultat.suspectes > 1)
        message += QStringLiteral("\n\nAttention : %1 notes sont supérieures à 10.")
                       .arg(resultat.suspectes);
    if (resultat.suspectes > 0 && Options->GetClavierSansPave() == 0)
        message += QStringLiteral(
            "\nLes chiffres du clavier principal donnent 11 à 20. Sans pavé numérique, "
            "cochez dans Options « Clavier sans pavé numérique : les chiffres du clavier "
            "principal donnent 0 à 9 ».");
    MessageBox(this, message, TITRE, MB_OK);
    if (Options->GetSauvegardeAuto())
        CmEnregistrer();
    if (Options->GetImpressionAuto())
        ImpressionAutoFeuille();
    if (Options->GetPublicationAuto())
        PublieResultats(false);
    Commande(CommandeVuePrecedente());
    EtatModifie();
    if (m_terrain)
        m_terrain->PublieResultats(true);
    // The sheets the judges finished on the field meanwhile.
    for (const auto& [vol, dossard] : std::exchange(m_feuillesAImprimer, {}))
        ImprimeFeuille(vol, dossard);
}

// Judges on the field.

void TTavoWindow::MontreTerrain()
{
    if (!m_terrain) {
        m_terrain = new TFenetreTerrain(*this);
        if (auto* cadre = qobject_cast<QMainWindow*>(window())) {
            m_etatTerrain = new QLabel;
            m_etatTerrain->setObjectName(QStringLiteral("etatTerrain"));
            cadre->statusBar()->addPermanentWidget(m_etatTerrain);
        }
        connect(m_terrain, &TFenetreTerrain::EtatChange, this, [this] {
            if (!m_etatTerrain)
                return;
            const int n = m_terrain->JugesConnectes();
            m_etatTerrain->setText(
                m_terrain->Actif()
                    ? QStringLiteral("Serveur des juges en marche : %1 juge%2 connecté%2")
                          .arg(n)
                          .arg(n > 1 ? QStringLiteral("s") : QString())
                    : QString());
        });
    }
    m_terrain->show();
    m_terrain->raise();
    m_terrain->activateWindow();
}

void TTavoWindow::FermeTerrain()
{
    if (!m_terrain)
        return;
    delete m_terrain;
    m_terrain = nullptr;
    if (m_etatTerrain)
        m_etatTerrain->clear();
    m_feuillesAImprimer.clear();
}

void TTavoWindow::NotesDuTerrain()
{
    Invalide();
    EtatModifie();
}

void TTavoWindow::TermineFeuilleTerrain(short vol, const std::string& dossard)
{
    if (Options->GetSauvegardeAuto())
        CmEnregistrer();
    if (Options->GetImpressionAuto()) {
        if (Vue == modes::FEUILLE)
            m_feuillesAImprimer.emplace_back(vol, dossard); // the sheet typed here is left alone
        else
            ImprimeFeuille(vol, dossard);
    }
    if (Options->GetPublicationAuto())
        PublieResultats(false);
    NotesDuTerrain();
}

void TTavoWindow::ImprimeFeuille(short vol, const std::string& dossard)
{
    // The printed sheet is the current pilot's of the current flight, on its programme.
    const short volAvant = Concours->GetVolCourant();
    const std::string dossardAvant = Concours->GetDossardCourant();
    Concours->SetVolCourant(vol);
    Concours->SetDossardCourant(tavo::Utf8VersCp1252(dossard).c_str());
    if (Concours->ChargeProgramme(vol, Options->GetRepProgrammes()))
        ImpressionAutoFeuille();
    Concours->SetVolCourant(volAvant);
    Concours->SetDossardCourant(dossardAvant.c_str());
    Concours->ChargeProgramme(volAvant, Options->GetRepProgrammes());
}

void TTavoWindow::ImprimeCodes(std::vector<tavo::CodeJuge> codes)
{
    if (!Imprimante)
        Imprimante = std::make_unique<tavo::TPrinter>();
    Imprimante->MiseEnPageAutomatique(tavo::DMORIENT_PORTRAIT);
    tavo::TTavoPrintoutCodes printout(*Concours, tavo::MargesDe(Imprimante->GetSetup()),
                                      std::move(codes));
    Imprimante->SetRepertoirePdf(tavo::CheminQt(Options->GetRepConcours()));
    Imprimante->Print(this, printout, true);
}

int TTavoWindow::CommandeVuePrecedente() const
{
    if (VuePrecedente == modes::JUGES)
        return CM_JUGES;
    if (VuePrecedente == modes::LISTE_PILOTES)
        return CM_LISTE_PILOTES;
    if (VuePrecedente == modes::FEUILLES_MANQUANTES)
        return CM_FEUILLES_MANQUANTES;
    if (const auto vue = DecodeVue(VuePrecedente))
        return CommandeDeVue(*vue);
    return CM_CARACTERISTIQUES;
}

// Printing.

using tavo::Formulaire;

bool TTavoWindow::CommandeImpression(int id)
{
    if (id == CM_PUBLIER) {
        PublieResultats(true);
        return true;
    }
    if (id == CM_EXPORTER_CSV) {
        CmExporterCsv();
        return true;
    }
    if (id == CM_MISE_EN_PAGE) {
        if (!Imprimante)
            Imprimante = std::make_unique<tavo::TPrinter>();
        Imprimante->Setup(this);
        return true;
    }
    const std::optional<DemandeImpression> demande = DemandeDe(id);
    if (!demande)
        return false;
    // A diagram of a judge the panel does not have does nothing at all.
    if (demande->formulaire == Formulaire::Diagramme && demande->nombre > Concours->GetNbJuges())
        return true;
    // The fly-off commands the category and series do not offer (greyed in the menu).
    if (demande->formulaire == Formulaire::FlyOff &&
        !tavo::FlyOffPropose(Concours->GetCategorie(), Concours->GetSerie(), demande->nombre))
        return true;

    if (!Imprimante)
        Imprimante = std::make_unique<tavo::TPrinter>();
    const tavo::ParametresCalcul parametres(*Options);
    if (Options->GetMiseEnPageAuto() || tavo::MiseEnPageImposee(demande->formulaire))
        Imprimante->MiseEnPageAutomatique(
            tavo::OrientationFormulaire(demande->formulaire, demande->nombre));
    const tavo::Statut statut =
        tavo::PrepareFormulaire(*Concours, parametres, demande->formulaire, demande->nombre);
    if (!statut) {
        tavo::MessageBox(this, QString::fromStdString(tavo::MessageStatut(statut)), tavo::NomTavo(),
                         tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
        return true;
    }
    const auto printout = tavo::CreeFormulaire(
        *Concours, parametres, demande->formulaire, demande->nombre,
        tavo::MargesDe(Imprimante->GetSetup()), RepertoireDepart, Options->GetAccordJuges() != 0);
    Imprimante->SetRepertoirePdf(tavo::CheminQt(Options->GetRepConcours()));
    Imprimante->Print(this, *printout, true);
    return true;
}

void TTavoWindow::ImpressionAutoFeuille()
{
    if (!Imprimante)
        Imprimante = std::make_unique<tavo::TPrinter>();
    Imprimante->MiseEnPageAutomatique(tavo::DMORIENT_PORTRAIT);
    const tavo::ParametresCalcul parametres(*Options);
    const auto printout =
        tavo::CreeFormulaire(*Concours, parametres, Formulaire::Notes, 0,
                             tavo::MargesDe(Imprimante->GetSetup()), RepertoireDepart);
    Imprimante->SetRepertoirePdf(tavo::CheminQt(Options->GetRepConcours()));
    Imprimante->Print(this, *printout, true);
}

// The results site.

namespace {

// A folder name the options file can hold whole.
constexpr std::size_t LONGUEUR_MAX_REPERTOIRE = 254;

} // namespace

bool TTavoWindow::PublieResultats(bool annonce)
{
    QString repertoire = tavo::CheminQt(Options->GetRepPublication());
    if (repertoire.isEmpty()) {
        tavo::TDonneesFichier donnees;
        donnees.RepertoireInitial = tavo::CheminQt(Options->GetRepConcours());
        if (!tavo::DialogueRepertoire(this, QStringLiteral("Publier les résultats"), donnees))
            return false;
        repertoire = QFileInfo(donnees.NomFichier).absoluteFilePath();
        if (tavo::CheminNatif(repertoire).size() > LONGUEUR_MAX_REPERTOIRE) {
            tavo::MessageBox(
                this, QStringLiteral("Le nom du dossier « %1 » est trop long.").arg(repertoire),
                tavo::NomTavo(), tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
            return false;
        }
        Options->SetRepPublication(tavo::CheminNatif(repertoire).c_str());
        // Kept with the options; a folder that cannot be written keeps the old file, silently.
        Options->Enregistre(tavo::CheminNatif(RepertoireOptions));
    }
    // Never written, whatever the folder holds: the open file, its lock and journals, the
    // options and the window's settings.
    std::vector<std::string> proteges = m_document->FichiersProteges();
    proteges.push_back(TOption::CheminFichier(tavo::CheminNatif(RepertoireOptions)));
    proteges.push_back(tavo::CheminNatif(Reglages()->fileName()));
    const tavo::ResultatPublication resultat = tavo::PublieSite(
        *Concours, tavo::ParametresCalcul(*Options), tavo::CheminNatif(repertoire), proteges);
    m_document->VerifieFichier();
    if (!resultat.ok) {
        tavo::MessageBox(this,
                         QStringLiteral("Les résultats n'ont pas été publiés dans « %1 ».\n\n%2")
                             .arg(repertoire, QString::fromStdString(resultat.message)),
                         tavo::NomTavo(), tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
        return false;
    }
    // Published all the same: flights published with sheets still to type are said.
    QStringList alertes;
    for (const std::string& alerte :
         tavo::AlertesPublication(*Concours, tavo::ParametresCalcul(*Options)))
        alertes << QString::fromStdString(alerte);
    if (annonce) {
        QString message = QStringLiteral("Les résultats sont publiés dans « %1 » (%2 fichiers).")
                              .arg(repertoire)
                              .arg(resultat.fichiers);
        if (!alertes.isEmpty())
            message += QStringLiteral("\n\n") + alertes.join(QLatin1Char('\n'));
        tavo::MessageBox(this, message, tavo::NomTavo(),
                         tavo::MB_OK | (alertes.isEmpty() ? tavo::MB_ICONINFORMATION
                                                          : tavo::MB_ICONEXCLAMATION));
    } else if (!alertes.isEmpty()) {
        // After a sheet the publication goes on quietly: the status bar says it.
        if (auto* cadre = qobject_cast<QMainWindow*>(window()); cadre && cadre->statusBar())
            cadre->statusBar()->showMessage(alertes.join(QStringLiteral(" ; ")), 10000);
    }
    return true;
}
