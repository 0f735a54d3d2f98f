// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/DessinVues.h"
#include "app/DialoguesSaisie.h"
#include "app/ModesVue.h"
#include "model/Concours.h"
#include "model/Option.h"
#include "model/Pilote.h"
#include "platform/CibleCommandes.h"
#include "platform/DialoguesStandard.h"
#include "platform/Geometrie.h"
#include "platform/Printer.h"
#include "platform/Scroller.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QDateTime>

namespace tavo {
class TDC;
class TDocument;
class TFeuilleSaisie;
} // namespace tavo
class QLabel;
class QSettings;
class TFenetreTerrain;
class TInterlocuteurFenetre;
namespace tavo {
struct CodeJuge;
}
class TListePilotes;

/**
 * The main window: shows one view of the open competition at a time (`Vue`),
 * handles the commands of the menu and the tool bar, and owns the
 * competition, the options, the file-dialog data and the printer. It is the
 * frame's client; its caption is the frame's title.
 */
class TTavoWindow : public QAbstractScrollArea, public tavo::TCibleCommandes
{
    Q_OBJECT

public:
    /** Size of a scroll unit, in pixels, outside the score sheet. */
    static constexpr int UNITE_DEFILEMENT = 17;

    explicit TTavoWindow(QWidget* parent = nullptr);
    ~TTavoWindow() override;

    // Commands
    bool Commande(int id) override;
    void CommandEnable(tavo::TCommandEnabler& ce) override;
    bool CanClose() override;

    /** Draws the current view on a device context whose client area is `rect`. */
    void Paint(tavo::TDC& dc, bool erase, const tavo::TRect& rect);
    /** Prepares and fills the pilots list when it is shown. */
    void SetupWindow();

    // Document commands
    void CmNouveau();
    void CmOuvrir();
    /** False when nothing was written (cancelled or failed). */
    bool CmEnregistrer();
    bool CmEnregistrerSous();
    /** Opens a competition file without the dialog (the file given at start-up). */
    bool OuvreFichier(const QString& chemin);
    /** A ".ccr" dropped on the window: opened as "Ouvrir" would, after the same question. */
    bool OuvreDepose(const QString& chemin);
    /** The competitions opened or saved last, the latest first (kept between runs). */
    QStringList FichiersRecents() const;

Q_SIGNALS:
    /** The list of recent competitions changed. */
    void RecentsChanges();

public:
    /** "Tavo 2000 - [name]" on the frame; an empty name is "sans nom". */
    void SetCaption(const QString& nom);

    // Views
    void CmCaracteristiques();
    void CmJuges();
    void CmListePilotes();
    /** Switches to a drawn view of a size in pixels and scrolls to its origin. */
    void EntreVue(int vue, int largeur, int hauteur);
    /**
     * A view that cannot be prepared: says why (exclamation, "Tavo 2000") and
     * keeps the view, its size and its scrolling as they were.
     */
    void EchecVue(const QString& message);
    /** Prints the score sheet just entered (the automatic print after a sheet). */
    void ImpressionAutoFeuille();
    /** Recomputes the scroll ranges from the view's size and the client area. */
    void RecalculeDefilement();

    // Score sheet
    /** Loads the chosen flight's programme and shows the sheet of the chosen pilot. */
    void EntreFeuille();
    /** A key of the score sheet, by virtual-key code. */
    void ToucheFeuille(int code);
    /** Scrolls the sheet so that its cursor (header cell or mark cell) can be seen. */
    void MontreCurseur();
    /** The cursor's rectangle in the client area (the scroll position subtracted). */
    tavo::TRect RectCurseur() const;
    /** The score sheet being typed, in `Vue` 3. */
    const tavo::TFeuilleSaisie& GetFeuille() const { return *m_feuille; }
    /** The data-entry dialogs this window opens (none until given: a test gives its own). */
    TDialoguesSaisie& GetDialoguesSaisie() { return m_dialoguesSaisie; }
    /** The open competition and what guards it: file, lock, footprint, journal. */
    tavo::TDocument& GetDocument() { return *m_document; }
    const tavo::TDocument& GetDocument() const { return *m_document; }
    /**
     * Offers to replay the journals a crashed program left for the open file
     * (or, with no file, for an unnamed competition); false when none was replayed.
     */
    bool ProposeRecuperation();
    /**
     * Started without a file: offers, latest first, to open a recent competition with marks
     * typed and never saved and to take them back; false when none was opened.
     */
    bool ProposeRecents();
    /** The recovery journal of the open competition: beside its file, or in the state directory. */
    QString CheminJournal() const;
    /** What went wrong at start-up (an options file that could not be read), told once. */
    void AnnonceDemarrage();

    // Judges on the field
    /** The window "Juges sur le terrain"; null before the first "Juges sur le terrain...". */
    TFenetreTerrain* GetFenetreTerrain() const { return m_terrain; }
    /** Marks arrived from the field: the views and the commands shown again. */
    void NotesDuTerrain();
    /**
     * Every judge sent pilot `dossard`'s sheet of flight `vol` (its score is computed): saved,
     * printed and published as the options say, as a typed sheet is, without a message.
     */
    void TermineFeuilleTerrain(short vol, const std::string& dossard);
    /** Prints one page per judge with the QR code of his link, after the print dialog. */
    void ImprimeCodes(std::vector<tavo::CodeJuge> codes);
    /** Writes the options file of the start-up directory (silently kept when it cannot). */
    void EnregistreOptions();

    /** Fills the pilots list again in the current sort order. */
    void RemplitListe();
    /** A click on a column header of the pilots list. */
    void ClicColonne(int colonne);
    TListePilotes* GetListeVue() const { return ListeVue; }
    tavo::TScroller& GetScroller() { return *Scroller; }
    /** The client area in pixels, origin at the top left. */
    tavo::TRect GetClientRect() const;

    // What the window shows and works with.
    TConcours& GetConcours() { return *Concours; }
    const TConcours& GetConcours() const { return *Concours; }
    TOption& GetOptions() { return *Options; }
    /** The open and save dialogs' data: the file name, the folder, the filter. */
    tavo::TDonneesFichier& GetDonneesFichier() { return *DonneesFichier; }
    /** The printer, made by the first print or page set-up command; null before. */
    tavo::TPrinter* GetImprimante() const { return Imprimante.get(); }
    const QString& GetRepertoireDepart() const { return RepertoireDepart; }
    /** The view mode (`modes`). */
    int GetVue() const { return Vue; }
    /** Puts the window in a view mode without its command (its preparation skipped). */
    void SetVue(int vue) { Vue = vue; }
    int GetVuePrecedente() const { return VuePrecedente; }
    /** The view's size in pixels (0 when it fits the window). */
    int GetLargeurVue() const { return LargeurVue; }
    int GetHauteurVue() const { return HauteurVue; }
    /** The pilots list's order: by bib, by name, or the entry order when neither. */
    bool GetTriDossard() const { return TriDossard; }
    bool GetTriNom() const { return TriNom; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The window's state, shared by its views and commands.
    /** The document's competition (the document owns it). */
    TConcours* Concours = nullptr;
    std::unique_ptr<TOption> Options;
    std::unique_ptr<tavo::TDonneesFichier> DonneesFichier;
    std::unique_ptr<tavo::TPrinter> Imprimante;
    QString RepertoireDepart;
    QString RepertoireOptions; ///< where "tavo.ini" is read and written
    int Vue = modes::CARACTERISTIQUES;
    int VuePrecedente = modes::CARACTERISTIQUES;
    int LargeurVue = 0;
    int HauteurVue = 0;
    bool TriDossard = false;
    bool TriNom = false;

    bool ExecuteCommande(int id);
    bool CommandeVue(int id);
    /** Enters a ranking or statistics view after its preparation. */
    void CommandeClassement(ModeVue vue);
    /** What screen readers say of a drawn view: its heading and its text. */
    void DitVue(const QString& nom, const QString& lu);
    /** Paints a ranking or statistics view. */
    void PaintVue(tavo::TDC& dc, ModeVue mode, const tavo::TRect& client);
    /**
     * The ranking or statistics view shown, as computed: paints draw the rows in view from it.
     * It is computed again once the competition changed (its revision: a mark typed or come
     * from the field), the view, the options it reads or its flight's programme differ, or a
     * command ran, never at every paint of a large competition.
     */
    struct VueCalculee
    {
        std::uint64_t revision = 0;
        int vue = -1;
        bool rapport1000 = false;
        std::string repProgrammes;
        std::vector<int> programme; ///< the loaded programme's `SignatureProgramme`
        std::optional<tavo::TableVue> table;
        std::optional<tavo::DiagrammeVue> diagramme;
        std::string nom; ///< the heading screen readers say
    };
    std::optional<VueCalculee> m_vueCalculee;
    /** The view of `mode` as computed now; null for a fly-off its category has no rule for. */
    const VueCalculee* Calculee(ModeVue mode, const std::string& repProgrammes);
    /** What screen readers call a view: its heading and subtitle. */
    std::string NomVue(ModeVue mode) const;
    /** Escape in column choice: the flight's total, saving, printing, the previous view. */
    void TermineFeuille();
    /** The view command that shows `VuePrecedente` again. */
    int CommandeVuePrecedente() const;
    bool CommandeSaisie(int id);
    /** "Feuilles manquantes": the sheets still to type, flight by flight. */
    void CmFeuillesManquantes();
    /**
     * The missing sheets as the view draws and exports them: computed again once the
     * competition (its revision) or the programmes folder changed, not at every paint.
     */
    const tavo::TableVue& TableFeuillesManquantes();
    struct FeuillesManquantesAffichees
    {
        std::uint64_t revision = 0;
        std::string repProgrammes;
        std::optional<tavo::TableVue> table;
    } m_manquantes;
    /** "Exporter en CSV...": the table view shown, as tavo-cli writes it in CSV. */
    void CmExporterCsv();
    /** Whether the view shown is a table "Exporter en CSV..." can write. */
    bool VueExportable() const;
    /** "Importer des pilotes...": a CSV chosen, previewed, its pilots added on "Importer". */
    void CmImporter();
    QString m_repImport; ///< the folder of the spreadsheet imported last
    /**
     * Publishes the results site into the folder of the options, asked for (and kept in
     * the options) the first time. A failure is told; a success too when `annonce`.
     */
    bool PublieResultats(bool annonce);
    /** The print commands (page set-up and every printout); false for any other command. */
    bool CommandeImpression(int id);
    bool CommandeIndisponible(int id);
    void QuitteListe();
    void Invalide();
    bool Ecrit();

    void AfficheAide();
    /** Puts a file at the head of the recent competitions (`present`), or takes it out. */
    void NoteRecent(const QString& chemin, bool present);
    void AProposDe();

    TListePilotes* ListeVue = nullptr;
    std::unique_ptr<tavo::TScroller> Scroller;
    /** Why the options file could not be read, told once the window is shown; empty if read. */
    QString ProblemeOptions;

    TDialoguesSaisie m_dialoguesSaisie;
    std::unique_ptr<TInterlocuteurFenetre> m_interlocuteur;
    std::unique_ptr<tavo::TDocument> m_document;
    std::unique_ptr<tavo::TFeuilleSaisie> m_feuille;
    TFenetreTerrain* m_terrain = nullptr;
    QLabel* m_etatTerrain = nullptr;
    /** Field sheets finished while a sheet was typed here: printed once it is finished. */
    std::vector<std::pair<short, std::string>> m_feuillesAImprimer;
    void MontreTerrain();
    /** Another competition replaces this one: the field server stops, its window goes. */
    void FermeTerrain();
    void ImprimeFeuille(short vol, const std::string& dossard);
};

/** The program's own settings, in the user's configuration directory ("tavo/tavo.conf"). */
std::unique_ptr<QSettings> Reglages();

/** The start-up directory: the current directory, without a trailing "/" except at the root. */
QString RepertoireCourant();
