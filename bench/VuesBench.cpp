// SPDX-License-Identifier: GPL-3.0-or-later
// One paint of the pilot ranking after 4 flights and of the judge ranking of a
// flight, as the window paints them: an 800 × 600 offscreen image scrolled to
// the middle of a generated competition of 1,000 or 10,000 pilots. Each paint
// computes its ranking again and draws the rows in view.
#include "app/DessinVues.h"
#include "model/Concours.h"
#include "platform/PainterDC.h"
#include "scoring/Classements.h"
#include "support/Fabrique.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <map>
#include <memory>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace {

constexpr int LARGEUR = 800;
constexpr int HAUTEUR = 600;

struct Jeu
{
    std::unique_ptr<TConcours> concours = std::make_unique<TConcours>();
    tavo::ParametresCalcul parametres;
};

const QTemporaryDir& Repertoire()
{
    static const QTemporaryDir repertoire;
    return repertoire;
}

Jeu& JeuDe(int pilotes)
{
    static std::map<int, Jeu> jeux;
    auto [it, nouveau] = jeux.try_emplace(pilotes);
    if (nouveau) {
        it->second.parametres.repProgrammes = Repertoire().path().toStdString();
        tavo::test::GenereConcours(*it->second.concours, it->second.parametres.repProgrammes,
                                   pilotes, 5, 4);
    }
    return it->second;
}

/** Paints `dessine` into the image as the window does, scrolled down to `y`. */
template <typename Dessin> void Peint(QImage& image, int y, Dessin dessine)
{
    image.fill(QColor(0, 0, 255));
    QPainter painter(&image);
    painter.translate(0, -y);
    tavo::TPainterDC dc(painter, 96, 96);
    dessine(dc, tavo::TRect{0, y, LARGEUR, y + HAUTEUR});
}

void BM_PeintureClassementPilotes(benchmark::State& state)
{
    Jeu& jeu = JeuDe(static_cast<int>(state.range(0)));
    tavo::PrepareClassementVols(*jeu.concours, jeu.parametres, 4);
    const int largeur = tavo::DixiemesMmEnPixels(2000, 96) + 10;
    const int milieu = 17 * jeu.concours->NbPilotes() / 2;
    QImage image(LARGEUR, HAUTEUR, QImage::Format_RGB32);
    for (auto _ : state)
        Peint(image, milieu, [&](tavo::TDC& dc, const tavo::TRect& visible) {
            DessineClassementPilotes(dc, largeur, *jeu.concours, 4, true, visible);
        });
}

// Repeated paints, as when the view scrolls: the rows computed at the first paint are kept
// until a command runs, so these measure the drawing of the visible part.
void BM_PeintureClassementJuges(benchmark::State& state)
{
    Jeu& jeu = JeuDe(static_cast<int>(state.range(0)));
    tavo::PrepareClassementJuges(*jeu.concours, jeu.parametres, 1);
    const int largeur = tavo::DixiemesMmEnPixels(2380, 96) + 10;
    const int milieu = 17 * jeu.concours->NbPilotes() / 2;
    QImage image(LARGEUR, HAUTEUR, QImage::Format_RGB32);
    TClassementJugesAffiche affiche;
    for (auto _ : state)
        Peint(image, milieu, [&](tavo::TDC& dc, const tavo::TRect& visible) {
            DessineClassementJuges(dc, largeur, *jeu.concours, 1, jeu.parametres.repProgrammes,
                                   visible, affiche);
        });
}

} // namespace

BENCHMARK(BM_PeintureClassementPilotes)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeintureClassementJuges)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
