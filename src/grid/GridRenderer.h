#pragma once

#include <QGlyphRun>
#include <QLine>
#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QRect>
#include <QStaticText>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/ResultGrid.h"
#include "grid/GridGeometry.h"

class QPainter;

// Paints a ResultGrid as its GridGeometry lays it out: backgrounds, the faint
// lines between cells, the texts (overflowing into empty neighbours) and the
// borders, each side in its own colour.  Every picture of a grid is painted
// here — the view on screen, an image file, a PDF file, a printed page — so
// all of them show the same cells alike.
//
// On a pixel device at full size, texts are copied from pictures drawn once
// per text, font and colour: fast, and the screen's own pixels.  Anywhere
// else (PDF, a printer, a scaled painter) they are drawn as glyphs laid out
// once per text and font, so they stay sharp at any size and can be
// searched and copied.
class GridRenderer {
  public:
    GridRenderer() = default;
    // grid and geometry (laid out for grid) must outlive the renderer.
    GridRenderer(const ResultGrid& grid, const GridGeometry& geometry);

    // Paints the cells of block that lie in source (pixels of the grid,
    // unscrolled), with source's top-left corner at target and every size
    // multiplied by scale, clipped to source.  A block is one pane of the
    // grid (frozen or scrolling) or the part of a page: a text overflows only
    // into columns of its block.  White backgrounds are left to the device
    // (the view's own background, paper).
    void Render(QPainter& p, const CellBlock& block, const QRect& source, QPointF target,
                double scale = 1.0);

  private:
    struct Span {
        int first = 1, last = 0;
    };
    struct GlyphText {
        QList<QGlyphRun> runs;
        double ascent = 0;
    };
    void PaintBackgrounds(QPainter& p, const Span& columns, const Span& rows, bool vector) const;
    void PaintGridLines(QPainter& p, int textFrom, const Span& columns, const Span& rows,
                        bool vector) const;
    // Calls visit(text, cell, placement) for every text of the block's cells
    // from column textFrom on.
    template <typename Visit>
    void ForEachText(int textFrom, const Span& columns, const Span& rows, Visit&& visit) const;
    void PaintTextsAsPixels(QPainter& p, int textFrom, const Span& columns, const Span& rows);
    void PaintTextsAsGlyphs(QPainter& p, int textFrom, const Span& columns, const Span& rows);
    void PaintBorders(QPainter& p, const Span& columns, const Span& rows, bool vector);
    const QStaticText& StaticText(std::uint32_t index, int font);
    const QPixmap& TextImage(std::uint32_t index, int font, Rgb color, double ratio);
    const GlyphText& Glyphs(std::uint32_t index, int font);

    const ResultGrid* grid_ = nullptr;
    const GridGeometry* geometry_ = nullptr;
    // By font, then interned index; made for the texts painted only, as each
    // one holds memory of its own.
    std::vector<std::vector<std::optional<QStaticText>>> texts_;
    std::unordered_map<std::uint64_t, QPixmap> textImages_;
    // By font, the start of the keys under which pictures are shared (the
    // font and the pixel ratio).
    std::vector<QString> fontKeys_;
    double imageRatio_ = 0;  // the device pixel ratio the pictures were drawn for
    std::unordered_map<std::uint64_t, GlyphText> glyphs_;
    // Border lines of one call, per colour (kept to reuse their memory).
    std::vector<std::pair<Rgb, QList<QLine>>> borderLines_;
};
