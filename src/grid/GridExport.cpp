#include "grid/GridExport.h"

#include <png.h>

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <sstream>

#include "core/Errors.h"
#include "core/WholeFile.h"
#include "grid/GridRenderer.h"
#include "grid/ProgramLook.h"

namespace {

constexpr double kMarginMillimetres = 10;
constexpr int kLabelGap = 4;     // pixels between a label and its grid
constexpr int kImageGap = 12;    // pixels between two grids of an image
constexpr int kStripRows = 256;  // image rows painted at a time

// The names code page 932 goes by: its registered name, and the names
// other Qt builds know it by.
constexpr const char* kShiftJisNames[] = {"windows-31j", "cp932", "Shift_JIS"};

UserError CannotWrite(const QString& path, const char* reason) {
    return UserError("保存先のファイル「" + QDir::toNativeSeparators(path).toStdString() +
                     "」に書き込めません。" + reason);
}

// Makes the file's bytes in memory through write(QIODevice&), then writes
// them whole: the previous file stays as it was unless all of them reach
// the disk.  A target that may not be replaced is refused before the work.
template <typename Write>
void SaveWhole(const QString& path, Write&& write) {
    const WholeFileTarget target{path.toStdString(), "保存先のファイル"};
    const std::string refusal = WhyNotReplaceable(target);
    if (!refusal.empty()) throw CannotWrite(path, refusal.c_str());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    buffer.close();
    WriteWholeFile(target, std::string_view(bytes.constData(), bytes.size()));
}

// The label font: the grid's own font at its full size.
const QFont& LabelFont(const GridDocument::Part& part) { return part.geometry.Font(0); }

int LabelHeight(const GridDocument::Part& part) {
    if (part.label.isEmpty()) return 0;
    return static_cast<int>(std::ceil(QFontMetricsF(LabelFont(part)).height())) + kLabelGap;
}

void PaintLabel(QPainter& p, const GridDocument::Part& part, QPointF at) {
    p.setFont(LabelFont(part));
    p.setPen(Qt::black);
    p.drawText(at + QPointF(0, QFontMetricsF(LabelFont(part)).ascent()), part.label);
}

// --- PNG ---------------------------------------------------------------

struct PngOutput {
    QIODevice* device;
    bool failed = false;
};

void WritePngBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<PngOutput*>(png_get_io_ptr(png));
    if (!out->failed &&
        out->device->write(reinterpret_cast<const char*>(data), static_cast<qint64>(length)) !=
            static_cast<qint64>(length)) {
        out->failed = true;
    }
}

void FlushPng(png_structp) {}

// The calls into libpng, which reports its errors by a long jump back here;
// these functions hold nothing that would need unwinding.
bool StartPng(png_structp png, png_infop info, int width, int height, double dpi) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    const auto perMetre = static_cast<png_uint_32>(std::lround(dpi / 0.0254));
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    // Rows repeat the row above more often than not: the "up" filter makes
    // them zeros, which the fastest compression packs well.
    png_set_filter(png, 0, PNG_FILTER_UP);
    png_set_compression_level(png, 2);
    png_write_info(png, info);
    // The image's pixels are 0xffRRGGBB words: B, G, R, unused in memory.
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    return true;
}

bool WritePngRows(png_structp png, png_bytepp rows, png_uint_32 count) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_write_rows(png, rows, count);
    return true;
}

bool EndPng(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_write_end(png, info);
    return true;
}

struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngWriter() {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (png) info = png_create_info_struct(png);
    }
    ~PngWriter() { png_destroy_write_struct(&png, &info); }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;
};

// One grid of the image and where it goes.
struct Placed {
    const GridDocument::Part* part;
    int labelTop;
    int gridTop;
};

std::vector<Placed> PlaceImageParts(const GridDocument& document, QSize* size) {
    std::vector<Placed> placed;
    int y = 0, width = 0;
    for (const GridDocument::Part& part : document.parts) {
        if (part.paperOnly) continue;
        if (!placed.empty()) y += kImageGap;
        const int label = LabelHeight(part);
        placed.push_back({&part, y, y + label});
        y += label + part.geometry.Height();
        width = std::max(width, part.geometry.Width());
        if (!part.label.isEmpty()) {
            const double labelWidth = QFontMetricsF(LabelFont(part)).horizontalAdvance(part.label);
            width = std::max(width, static_cast<int>(std::ceil(labelWidth)) + kLabelGap);
        }
    }
    if (size) *size = QSize(width, y);
    return placed;
}

// --- pages ---------------------------------------------------------------

QFont HeaderFont(double points, bool bold = false) {
    QFont font = ProgramFont();
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The header line of a page, in the device's pixels; returns its height
// with the space under it.
double PaintHeader(QPainter* p, const QPaintDevice& device, const GridDocument& document, int page,
                   int pages, double width) {
    const QFont title = HeaderFont(11, true);
    const QFont small = HeaderFont(9);
    // Point sizes are points on the device's own resolution.
    QFontMetricsF titleMetrics(title, &device);
    QFontMetricsF smallMetrics(small, &device);
    const double ascent = std::max(titleMetrics.ascent(), smallMetrics.ascent());
    const double lineHeight = ascent + std::max(titleMetrics.descent(), smallMetrics.descent());
    const double millimetre = device.logicalDpiY() / 25.4;
    const double rule = lineHeight + 1.5 * millimetre;
    if (p) {
        p->setPen(Qt::black);
        p->setFont(title);
        p->drawText(QPointF(0, ascent), document.caption);
        const double captionWidth = titleMetrics.horizontalAdvance(document.caption);
        p->setFont(small);
        p->drawText(QPointF(captionWidth + 4 * millimetre, ascent), document.drawRange);
        const QString right = QDate::currentDate().toString(QStringLiteral("yyyy年M月d日")) +
                              QStringLiteral("　　%1 / %2").arg(page).arg(pages);
        p->drawText(QPointF(width - smallMetrics.horizontalAdvance(right), ascent), right);
        p->setPen(QPen(Qt::black, 0.25 * millimetre));
        p->drawLine(QPointF(0, rule), QPointF(width, rule));
    }
    return rule + 3 * millimetre;
}

double DocumentDpi(const GridDocument& document) {
    return document.parts.empty() ? 96.0 : document.parts.front().geometry.Dpi();
}

PrintLayout LayOut(const GridDocument& document, QSizeF room) {
    std::vector<PrintLayout::Item> items;
    for (const GridDocument::Part& part : document.parts) {
        PrintLayout::Item item;
        item.columnEdges = part.geometry.ColumnEdges();
        item.rowEdges = part.geometry.RowEdges();
        item.frozenColumns = part.grid ? part.grid->FrozenColumns() : 0;
        item.frozenRows = part.grid ? part.grid->FrozenRows() : 0;
        item.labelHeight = LabelHeight(part);
        items.push_back(std::move(item));
    }
    return PrintLayout(std::move(items), room, document.paintPicture ? document.pictureAspect : 0);
}

double WidestGrid(const GridDocument& document) {
    double widest = 0;
    for (const GridDocument::Part& part : document.parts) {
        widest = std::max<double>(widest, part.geometry.Width());
    }
    return widest;
}

}  // namespace

QByteArray CsvBytes(const std::vector<NamedGrid>& grids, CsvEncoding encoding) {
    std::ostringstream out;
    DumpCsv(out, grids);
    const std::string text = out.str();
    if (encoding == CsvEncoding::Utf8) {
        return QByteArray("\xEF\xBB\xBF") + QByteArray::fromStdString(text);
    }
    const QString unicode = QString::fromStdString(text);
    for (const char* name : kShiftJisNames) {
        QStringEncoder encode(name, QStringConverter::Flag::Stateless);
        if (!encode.isValid()) continue;
        const QByteArray bytes = encode(unicode);
        // A character without a Shift-JIS form comes back as another one.
        QStringDecoder decode(name, QStringConverter::Flag::Stateless);
        const QString back = decode(bytes);
        if (encode.hasError() || back != unicode) {
            qsizetype at = 0;
            while (at < unicode.size() && at < back.size() && unicode[at] == back[at]) ++at;
            throw UserError("文字「" + unicode.mid(at, 1).toStdString() +
                            "」はShift-JISで表せないため、Shift-JISのCSVにできません。"
                            "UTF-8で保存してください。");
        }
        return bytes;
    }
    throw UserError("この環境ではShift-JISの文字コードが使えません。UTF-8で保存してください。");
}

void SaveCsv(const QString& path, const std::vector<NamedGrid>& grids, CsvEncoding encoding) {
    const QByteArray bytes = CsvBytes(grids, encoding);
    SaveWhole(path, [&](QIODevice& file) { file.write(bytes); });
}

QSize ImageSize(const GridDocument& document) {
    QSize size;
    PlaceImageParts(document, &size);
    return size;
}

// The image is painted a strip of rows at a time and each strip handed to
// the PNG encoder, so a grid of many thousand rows never needs its whole
// picture in memory.
void SavePng(const QString& path, const GridDocument& document) {
    QSize size;
    const std::vector<Placed> placed = PlaceImageParts(document, &size);
    if (size.isEmpty()) throw UserError("表が空のため、画像にできません。");
    std::vector<GridRenderer> renderers;
    renderers.reserve(placed.size());
    for (const Placed& one : placed) renderers.emplace_back(*one.part->grid, one.part->geometry);

    SaveWhole(path, [&](QIODevice& file) {
        PngWriter writer;
        PngOutput output{&file};
        if (!writer.info) throw CannotWrite(path, "メモリが足りません。");
        png_set_write_fn(writer.png, &output, WritePngBytes, FlushPng);
        if (!StartPng(writer.png, writer.info, size.width(), size.height(),
                      DocumentDpi(document))) {
            throw CannotWrite(path, "PNGを作れません。");
        }
        QImage strip(size.width(), std::min(kStripRows, size.height()), QImage::Format_RGB32);
        std::vector<png_bytep> rows(strip.height());
        for (int top = 0; top < size.height(); top += strip.height()) {
            const QRect area(0, top, size.width(), std::min(strip.height(), size.height() - top));
            strip.fill(Qt::white);
            QPainter p(&strip);
            p.translate(0, -top);
            for (std::size_t i = 0; i < placed.size(); ++i) {
                const GridDocument::Part& part = *placed[i].part;
                if (!part.label.isEmpty() && placed[i].labelTop < area.bottom() + 1 &&
                    placed[i].gridTop > area.top()) {
                    PaintLabel(p, part, QPointF(0, placed[i].labelTop));
                }
                const QRect grid(0, placed[i].gridTop, part.geometry.Width(),
                                 part.geometry.Height());
                const QRect shown = grid.intersected(area);
                if (shown.isEmpty()) continue;
                const CellBlock all{1, 1, part.grid->ColumnCount(), part.grid->RowCount()};
                renderers[i].Render(p, all, shown.translated(0, -grid.top()), shown.topLeft());
            }
            p.end();
            for (int r = 0; r < area.height(); ++r) rows[r] = strip.scanLine(r);
            if (!WritePngRows(writer.png, rows.data(), static_cast<png_uint_32>(area.height())) ||
                output.failed) {
                throw CannotWrite(path, "PNGを作れません。");
            }
        }
        if (!EndPng(writer.png, writer.info) || output.failed) {
            throw CannotWrite(path, "PNGを作れません。");
        }
    });
}

QPageLayout::Orientation PreferredOrientation(const GridDocument& document,
                                              const QPageSize& paper) {
    const double portraitWidth =
        (paper.size(QPageSize::Millimeter).width() - 2 * kMarginMillimetres) / 25.4 *
        DocumentDpi(document);
    return PrintLayout::PrefersLandscape(WidestGrid(document), portraitWidth)
               ? QPageLayout::Landscape
               : QPageLayout::Portrait;
}

QPageLayout DefaultPageLayout(const GridDocument& document) {
    const QPageSize a4(QPageSize::A4);
    const QMarginsF margins(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                            kMarginMillimetres);
    return QPageLayout(a4, PreferredOrientation(document, a4), margins, QPageLayout::Millimeter);
}

PrintLayout LayOutPages(const GridDocument& document, const QPagedPaintDevice& device) {
    const double dpi = device.logicalDpiX();
    const QRectF paper = device.pageLayout().paintRectPixels(static_cast<int>(dpi));
    const double header = PaintHeader(nullptr, device, document, 1, 1, paper.width());
    const double toGrid = DocumentDpi(document) / dpi;
    return LayOut(document,
                  QSizeF(paper.width() * toGrid, std::max(1.0, paper.height() - header) * toGrid));
}

void PaintPages(QPagedPaintDevice& device, const GridDocument& document, int fromPage, int toPage) {
    const PrintLayout layout = LayOutPages(document, device);
    const double dpi = device.logicalDpiX();
    const double width = device.pageLayout().paintRectPixels(static_cast<int>(dpi)).width();
    const double factor = dpi / DocumentDpi(document) * layout.Scale();
    std::vector<GridRenderer> renderers;
    renderers.reserve(document.parts.size());
    for (const GridDocument::Part& part : document.parts) {
        renderers.emplace_back(*part.grid, part.geometry);
    }
    const int pages = layout.PageCount();
    const int first = fromPage > 0 ? std::min(fromPage, pages) : 1;
    const int last = toPage > 0 ? std::clamp(toPage, first, pages) : pages;

    QPainter p;
    if (!p.begin(&device))
        throw UserError("印刷を始められません。プリンターの設定を確かめてください。");
    for (int number = first; number <= last; ++number) {
        if (number > first) device.newPage();
        const PrintLayout::Page& page = layout.Pages()[number - 1];
        const double header = PaintHeader(&p, device, document, number, pages, width);
        p.save();
        p.translate(0, header);
        p.scale(factor, factor);
        for (const PrintLayout::Label& label : page.labels) {
            PaintLabel(p, document.parts[label.item], label.at);
        }
        for (const PrintLayout::Block& block : page.blocks) {
            const GridGeometry& geometry = document.parts[block.item].geometry;
            renderers[block.item].Render(p, block.cells, geometry.BlockRect(block.cells), block.at);
        }
        if (!page.picture.isEmpty() && document.paintPicture) {
            p.save();
            document.paintPicture(p, page.picture);
            p.restore();
        }
        p.restore();
    }
    p.end();
}

void SavePdf(const QString& path, const GridDocument& document) {
    SaveWhole(path, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("ロト7カゾリアLite"));
        writer.setTitle(document.caption);
        writer.setPageLayout(DefaultPageLayout(document));
        PaintPages(writer, document);
    });
}
