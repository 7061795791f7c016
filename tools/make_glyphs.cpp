// make_glyphs: draws the month grid's day-number glyph sheets.
//
//   make_glyphs OUTDIR          writes OUTDIR/glyphs_{black,red,green}.png
//                               and the same at twice the resolution,
//                               OUTDIR/glyphs_{black,red,green}@2x.png
//   make_glyphs --check DIR     verifies the six sheets in DIR
//
// It needs no display: unless told otherwise it runs on Qt's offscreen
// platform.
//
// Each 1x sheet is a 600 x 20 RGB image: 30 cells of 20 x 20, cell k showing
// the Hebrew numeral of day k + 1 (א .. ל). In a cell the numeral sits on a
// baseline under pixel row 14, rows 16-17 are a solid bar in the ink colour,
// and rows 15, 18 and 19 are white. The @2x sheets (1200 x 40) have the same
// layout with every length doubled; their letters are drawn afresh from the
// outlines, not enlarged. The numerals are drawn once per scale as coverage
// masks and tinted three ways, so the three sheets of a scale hold exactly
// the same shapes.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "engine/jewish_date.h"
#include "input/grid.h"

namespace {

constexpr int kCells = tovel::kGlyphDays;

// The lengths of a sheet at one scale (1 or 2), in its own pixels.
struct Layout {
    int scale;
    int cell() const { return tovel::kGlyphCellPixels * scale; }  // cell width and sheet height
    int baselineRow() const { return 15 * scale - 1; }            // lowest pixel row of the letters
    int barTop() const { return 16 * scale; }  // the bar is rows barTop .. barTop + barRows - 1
    int barRows() const { return 2 * scale; }
    // Letters are drawn from their outlines, scaled so that the height of a
    // flat-topped letter (ה) is a whole number of pixels: the tops and the
    // baseline then fall on pixel edges and stay crisp. For Noto Sans Hebrew
    // Bold at 1x this is an 18.2 px font; the lamed rises to about row 1.
    int letterHeight() const { return 11 * scale; }
    QString file(const char* colour) const {
        return QStringLiteral("glyphs_%1%2.png")
            .arg(QString::fromUtf8(colour),
                 scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale));
    }
};

constexpr std::array<int, 2> kScales{1, 2};
constexpr qreal kStretch = 0.85;    // narrowed so two letters fit a cell
constexpr int kOutlineSize = 1000;  // pixel size the outlines are taken at
constexpr int kPhases = 8;          // horizontal sub-pixel positions tried

struct Sheet {
    const char* colour;
    QRgb ink;
};

constexpr QRgb InkQRgb(tovel::Ink ink) {
    const tovel::Rgb rgb = tovel::InkRgb(ink);
    return qRgb(rgb.Red, rgb.Green, rgb.Blue);
}

constexpr std::array<Sheet, 3> kSheets{{
    {"black", InkQRgb(tovel::Ink::Black)},
    {"red", InkQRgb(tovel::Ink::Red)},
    {"green", InkQRgb(tovel::Ink::Green)},
}};

const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/noto/NotoSansHebrew-Bold.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
};

// The numeral of a day of the month (1..30) in logical order: tens letter
// first, units letter second.
QString hebrewNumeral(int day) { return QString::fromStdString(tovel::HebrewNumeral(day)); }

// Coverage (0..255) of one cell's numeral, rows 0 .. baselineRow only,
// row-major.
using Mask = std::vector<quint8>;

struct Outlines {
    QFont font;   // at kOutlineSize pixels
    qreal scale;  // outline units to pixels, vertically
};

// The numeral's outlines with its letters placed explicitly in visual order,
// right to left: the first (tens) letter ends up rightmost.
QPainterPath numeralPath(const QFont& font, int day) {
    const QString logical = hebrewNumeral(day);
    const QFontMetricsF fm(font);
    QPainterPath path;
    qreal x = 0;
    for (qsizetype i = logical.size() - 1; i >= 0; --i) {
        const QString letter(logical[i]);
        path.addText(QPointF(x, 0), font, letter);
        x += fm.horizontalAdvance(letter);
    }
    return path;
}

// Sum of a * (255 - a): zero for a drawing of only solid and empty pixels,
// large when edges smear over partly covered pixels.
qint64 blur(const QImage& coverage) {
    qint64 sum = 0;
    for (int y = 0; y < coverage.height(); ++y)
        for (int x = 0; x < coverage.width(); ++x) {
            const int a = qAlpha(coverage.pixel(x, y));
            sum += qint64(a) * (255 - a);
        }
    return sum;
}

// Draws one numeral into a cell-sized mask: baseline under baselineRow, ink
// centred horizontally. Of the sub-pixel positions tried the crispest is
// kept. Returns nothing, with the reason in *why, if it does not fit.
std::optional<Mask> renderNumeral(const Layout& l, const Outlines& o, int day, QString* why) {
    const QPainterPath path = numeralPath(o.font, day);

    // A roomy scratch canvas whose baseline lies on a pixel edge.
    const int kW = 64 * l.scale, kH = 40 * l.scale, kBase = 30 * l.scale, kLeft = 10 * l.scale;
    QImage best;
    qint64 bestBlur = -1;
    for (int phase = 0; phase < kPhases; ++phase) {
        QImage scratch(kW, kH, QImage::Format_ARGB32_Premultiplied);
        scratch.fill(Qt::transparent);
        QPainter p(&scratch);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.setTransform(QTransform::fromTranslate(kLeft + qreal(phase) / kPhases, kBase)
                           .scale(kStretch * o.scale, o.scale));
        p.drawPath(path);
        p.end();
        const qint64 b = blur(scratch);
        if (bestBlur < 0 || b < bestBlur) {
            bestBlur = b;
            best = scratch;
        }
    }

    auto cov = [&](int px, int py) { return qAlpha(best.pixel(px, py)); };
    int left = kW, right = -1, top = kH;
    for (int py = 0; py < kH; ++py)
        for (int px = 0; px < kW; ++px)
            if (cov(px, py) > 0) {
                left = std::min(left, px);
                right = std::max(right, px);
                top = std::min(top, py);
            }
    if (right < 0) {
        *why = QStringLiteral("nothing drawn");
        return std::nullopt;
    }
    const int width = right - left + 1;
    const int rows = l.baselineRow() + 1;
    const int firstRow = kBase - rows;
    if (width > l.cell()) {
        *why = QStringLiteral("%1 px wide").arg(width);
        return std::nullopt;
    }
    if (top < firstRow) {
        *why = QStringLiteral("rises %1 px above the cell").arg(firstRow - top);
        return std::nullopt;
    }

    // Whole-pixel shift to centre the ink; an odd leftover goes to the right.
    const int dest = (l.cell() - width) / 2;
    Mask m(std::size_t(rows * l.cell()), 0);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < width; ++col)
            m[std::size_t(row * l.cell() + dest + col)] = quint8(cov(left + col, firstRow + row));
    // Anything under the baseline (round letters overshoot it by a fraction
    // of a pixel) is dropped: the row under it must stay white.
    return m;
}

quint8 tint(int coverage, int inkChannel) {
    return quint8((255 * (255 - coverage) + inkChannel * coverage + 127) / 255);
}

QImage buildSheet(const Layout& l, const std::vector<Mask>& masks, QRgb ink) {
    const int cell = l.cell();
    QImage img(kCells * cell, cell, QImage::Format_RGB888);
    img.fill(Qt::white);
    for (int k = 0; k < kCells; ++k)
        for (int row = 0; row <= l.baselineRow(); ++row)
            for (int col = 0; col < cell; ++col) {
                const int a = masks[std::size_t(k)][std::size_t(row * cell + col)];
                if (a == 0) continue;
                img.setPixel(k * cell + col, row,
                             qRgb(tint(a, qRed(ink)), tint(a, qGreen(ink)), tint(a, qBlue(ink))));
            }
    for (int row = l.barTop(); row < l.barTop() + l.barRows(); ++row)
        for (int col = 0; col < img.width(); ++col) img.setPixel(col, row, ink);
    return img;
}

int generate(const QString& outDir) {
    QString fontFile;
    int id = -1;
    for (const char* f : kFontFiles) {
        if (!QFile::exists(QString::fromUtf8(f))) continue;
        id = QFontDatabase::addApplicationFont(QString::fromUtf8(f));
        if (id >= 0) {
            fontFile = QString::fromUtf8(f);
            break;
        }
    }
    if (id < 0) {
        std::fprintf(stderr, "make_glyphs: none of the fonts could be loaded\n");
        return 1;
    }
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        std::fprintf(stderr, "make_glyphs: %s has no font family\n", qPrintable(fontFile));
        return 1;
    }
    std::printf("font: %s (%s)\n", qPrintable(fontFile), qPrintable(families.first()));

    QFont font(families.first());
    font.setPixelSize(kOutlineSize);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    const qreal he = -numeralPath(font, 5).boundingRect().top();
    if (he <= 0) {
        std::fprintf(stderr, "make_glyphs: the font has no Hebrew letters\n");
        return 1;
    }
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "make_glyphs: cannot create %s\n", qPrintable(outDir));
        return 1;
    }

    for (const int scale : kScales) {
        const Layout l{scale};
        const Outlines outlines{font, l.letterHeight() / he};
        std::printf("%dx: letters %d px high: a %.2f px font, %.0f %% wide\n", scale,
                    l.letterHeight(), kOutlineSize * outlines.scale, kStretch * 100);

        std::vector<Mask> masks;
        for (int day = 1; day <= kCells; ++day) {
            QString why;
            auto m = renderNumeral(l, outlines, day, &why);
            if (!m) {
                std::fprintf(stderr, "make_glyphs: %dx: day %d does not fit its cell: %s\n", scale,
                             day, qPrintable(why));
                return 1;
            }
            masks.push_back(std::move(*m));
        }
        for (const Sheet& s : kSheets) {
            const QString path = QDir(outDir).filePath(l.file(s.colour));
            if (!buildSheet(l, masks, s.ink).save(path, "PNG")) {
                std::fprintf(stderr, "make_glyphs: cannot write %s\n", qPrintable(path));
                return 1;
            }
            std::printf("wrote %s\n", qPrintable(path));
        }
    }
    return 0;
}

// ---- checking -------------------------------------------------------------

struct Checker {
    int failures = 0;
    void fail(const QString& where, const QString& what) {
        if (++failures <= 40) std::fprintf(stderr, "%s: %s\n", qPrintable(where), qPrintable(what));
    }
};

// The coverage a pixel was tinted with, or -1 if it is not a blend of white
// and the ink. Every ink has a zero channel, which gives the coverage
// exactly; the other channels must agree within rounding.
int coverageOf(QRgb px, QRgb ink) {
    const int ch[3] = {qRed(px), qGreen(px), qBlue(px)};
    const int in[3] = {qRed(ink), qGreen(ink), qBlue(ink)};
    int a = -1;
    for (int i = 0; i < 3; ++i)
        if (in[i] == 0) a = 255 - ch[i];
    if (a < 0) return -1;
    for (int i = 0; i < 3; ++i)
        if (std::abs(ch[i] - tint(a, in[i])) > 1) return -1;
    return a;
}

// Checks the three sheets of one scale. Returns the ink box of every cell
// of the black sheet in that sheet's pixels (empty when it could not be
// checked).
std::vector<QRect> checkScale(const Layout& l, const QString& dir, Checker& c) {
    using Coverage = std::vector<int>;  // (baselineRow + 1) x width, row-major
    std::vector<Coverage> all;
    const int cell = l.cell(), w = kCells * cell, base = l.baselineRow();
    std::vector<QRect> boxes;

    for (const Sheet& s : kSheets) {
        const QString path = QDir(dir).filePath(l.file(s.colour));
        const QImage img(path);
        if (img.isNull()) {
            c.fail(path, QStringLiteral("cannot be read"));
            continue;
        }
        if (img.size() != QSize(w, cell)) {
            c.fail(path, QStringLiteral("is %1x%2, not %3x%4")
                             .arg(img.width())
                             .arg(img.height())
                             .arg(w)
                             .arg(cell));
            continue;
        }
        if (img.hasAlphaChannel()) c.fail(path, QStringLiteral("has an alpha channel"));
        const QRgb white = qRgb(255, 255, 255);

        for (int row = base + 1; row < cell; ++row) {
            if (row == l.barTop()) row += l.barRows();
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, row) != white) {
                    c.fail(path,
                           QStringLiteral("row %1 is not white at column %2").arg(row).arg(x));
                    break;
                }
        }
        for (int row = l.barTop(); row < l.barTop() + l.barRows(); ++row)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, row) & 0xFFFFFF) != (s.ink & 0xFFFFFF)) {
                    c.fail(path, QStringLiteral("bar row %1 is not the ink colour at column %2")
                                     .arg(row)
                                     .arg(x));
                    break;
                }

        Coverage cov(std::size_t((base + 1) * w), 0);
        for (int row = 0; row <= base; ++row)
            for (int x = 0; x < w; ++x) {
                const QRgb px = img.pixel(x, row) & 0xFFFFFF;
                if (px == (white & 0xFFFFFF)) continue;
                const int a = coverageOf(px, s.ink);
                if (a < 0)
                    c.fail(path, QStringLiteral("pixel (%1,%2) #%3 is not a tint of the ink")
                                     .arg(x)
                                     .arg(row)
                                     .arg(px, 6, 16, QLatin1Char('0')));
                cov[std::size_t(row * w + x)] = std::max(a, 1);
            }

        for (int k = 0; k < kCells; ++k) {
            const QString where = QStringLiteral("%1 cell %2 (day %3)").arg(path).arg(k).arg(k + 1);
            int left = cell, right = -1, top = cell, solid = 0;
            for (int row = 0; row <= base; ++row)
                for (int col = 0; col < cell; ++col) {
                    const int a = cov[std::size_t(row * w + k * cell + col)];
                    if (a == 0) continue;
                    left = std::min(left, col);
                    right = std::max(right, col);
                    top = std::min(top, row);
                    if (a == 255) ++solid;
                }
            if (s.ink == kSheets[0].ink)
                boxes.push_back(right < 0 ? QRect()
                                          : QRect(QPoint(left, top), QPoint(right, base)));
            if (right < 0) {
                c.fail(where, QStringLiteral("is empty"));
                continue;
            }
            // Heavy letters have solid cores, not just a grey haze.
            if (solid < 4 * l.scale * l.scale)
                c.fail(where, QStringLiteral("only %1 solid pixels").arg(solid));
            // At 2x the letters are drawn afresh: a doubled 1x numeral has
            // every aligned 2 x 2 block in one shade.
            bool fine = l.scale == 1;
            for (int row = 0; row + 1 <= base && !fine; row += 2)
                for (int col = 0; col + 1 < cell && !fine; col += 2) {
                    const std::size_t i = std::size_t(row * w + k * cell + col);
                    const int a = cov[i];
                    fine = cov[i + 1] != a || cov[i + std::size_t(w)] != a ||
                           cov[i + std::size_t(w) + 1] != a;
                }
            if (!fine) c.fail(where, QStringLiteral("is a 1x numeral doubled, not drawn at 2x"));
            const int gapL = left, gapR = cell - 1 - right;
            if (std::abs(gapL - gapR) > 1)
                c.fail(where,
                       QStringLiteral("not centred (%1 px left, %2 px right)").arg(gapL).arg(gapR));
        }
        all.push_back(std::move(cov));
    }

    // Same shapes in all three colours, pixel for pixel.
    if (all.size() == kSheets.size()) {
        const QString scale = QStringLiteral("%1x cell ").arg(l.scale);
        for (int k = 0; k < kCells; ++k) {
            std::array<int, 3> count{};
            bool sameCoverage = true;
            for (int row = 0; row <= base; ++row)
                for (int col = 0; col < cell; ++col) {
                    const std::size_t i = std::size_t(row * w + k * cell + col);
                    for (size_t s = 0; s < all.size(); ++s) {
                        if (all[s][i] > 0) ++count[s];
                        if (all[s][i] != all[0][i]) sameCoverage = false;
                    }
                }
            if (count[0] != count[1] || count[0] != count[2])
                c.fail(scale + QString::number(k),
                       QStringLiteral("ink pixel counts differ: %1 / %2 / %3")
                           .arg(count[0])
                           .arg(count[1])
                           .arg(count[2]));
            else if (!sameCoverage)
                c.fail(scale + QString::number(k), QStringLiteral("shapes differ between sheets"));
        }

        // Right to left: in 11 (י then א) the yod is the small letter hanging
        // from the top on the right; the alef on the left stands on the baseline.
        const Coverage& cov = all[0];
        const int x0 = 10 * cell;
        int left = cell, right = -1;
        for (int row = 0; row <= base; ++row)
            for (int col = 0; col < cell; ++col)
                if (cov[std::size_t(row * w + x0 + col)] > 0) {
                    left = std::min(left, col);
                    right = std::max(right, col);
                }
        auto inkLow = [&](int col) {
            for (int row = base - 2 * l.scale; row <= base; ++row)
                for (int d = 0; d < l.scale; ++d)
                    if (cov[std::size_t(row * w + x0 + col + d)] > 0) return true;
            return false;
        };
        if (right >= 0 && (inkLow(right - l.scale + 1) || inkLow(right - 2 * l.scale + 1) ||
                           (!inkLow(left) && !inkLow(left + l.scale))))
            c.fail(scale + QStringLiteral("10 (day 11)"),
                   QStringLiteral("yod is not on the right: numerals are not right to left"));
    }
    if (all.size() != kSheets.size()) boxes.clear();
    return boxes;
}

int check(const QString& dir) {
    Checker c;
    const std::vector<QRect> one = checkScale(Layout{1}, dir, c);
    const std::vector<QRect> two = checkScale(Layout{2}, dir, c);
    // The @2x numerals are the 1x ones drawn finer: the same ink box within a
    // 1x pixel on every side.
    if (one.size() == kCells && two.size() == kCells)
        for (int k = 0; k < kCells; ++k) {
            const QRect& a = one[std::size_t(k)];
            const QRect& b = two[std::size_t(k)];
            if (a.isNull() || b.isNull()) continue;
            const int dl = std::abs(b.left() / 2 - a.left()),
                      dr = std::abs(b.right() / 2 - a.right());
            const int dt = std::abs(b.top() / 2 - a.top());
            if (std::max({dl, dr, dt}) > 1)
                c.fail(QStringLiteral("2x cell %1 (day %2)").arg(k).arg(k + 1),
                       QStringLiteral("ink box (%1..%2, from row %3) does not match the 1x cell's "
                                      "(%4..%5, from row %6)")
                           .arg(b.left() / 2.0)
                           .arg(b.right() / 2.0)
                           .arg(b.top() / 2.0)
                           .arg(a.left())
                           .arg(a.right())
                           .arg(a.top()));
        }

    if (c.failures == 0) {
        std::printf("glyph sheets in %s are good\n", qPrintable(dir));
        return 0;
    }
    std::fprintf(stderr, "%d problem(s) in the glyph sheets in %s\n", c.failures, qPrintable(dir));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--check")) return check(args[1]);
    if (args.size() == 1 && !args[0].startsWith(QLatin1Char('-'))) return generate(args[0]);
    std::fprintf(stderr,
                 "usage: make_glyphs OUTDIR\n"
                 "       make_glyphs --check DIR\n");
    return 2;
}
