// The month grid's glyph sheets: the committed ones and freshly generated
// ones pass `make_glyphs --check`, and the check rejects sheets damaged in
// the ways a broken generator would damage them.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

namespace {

const char* const kFiles[] = {"glyphs_black.png", "glyphs_red.png", "glyphs_green.png"};
const QRgb kInks[] = {qRgb(0, 0, 0), qRgb(200, 0, 150), qRgb(0, 200, 50)};
enum { Black, Red, Green };
constexpr QRgb kWhite = 0xFFFFFFFF;

struct ToolRun {
  int exitCode = -1;
  QString output;
};

ToolRun runGlyphs(const QStringList& args) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(QStringLiteral(MAKE_GLYPHS), args);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) return {};
  return {p.exitCode(), QString::fromLocal8Bit(p.readAll())};
}

ToolRun check(const QString& dir) { return runGlyphs({QStringLiteral("--check"), dir}); }

using Sheets = std::array<QImage, 3>;

Sheets load(const QString& dir) {
  Sheets s;
  for (int i = 0; i < 3; ++i) s[i] = QImage(QDir(dir).filePath(QString::fromUtf8(kFiles[i])));
  return s;
}

// Writes the sheets; a null image leaves its file out.
void save(const Sheets& s, const QString& dir) {
  for (int i = 0; i < 3; ++i) {
    const QString path = QDir(dir).filePath(QString::fromUtf8(kFiles[i]));
    QFile::remove(path);
    if (!s[i].isNull()) {
      ASSERT_TRUE(s[i].save(path, "PNG")) << path.toStdString();
    }
  }
}

QRgb tinted(int coverage, QRgb ink) {
  auto mix = [&](int c) { return (255 * (255 - coverage) + c * coverage + 127) / 255; };
  return qRgb(mix(qRed(ink)), mix(qGreen(ink)), mix(qBlue(ink)));
}

// Calls f(sheet, ink, x, y) for every pixel of the numeral area of a cell.
void forCell(Sheets& s, int cell, const std::function<void(QImage&, QRgb, int, int)>& f) {
  for (int i = 0; i < 3; ++i)
    for (int y = 0; y <= 14; ++y)
      for (int x = cell * 20; x < cell * 20 + 20; ++x) f(s[i], kInks[i], x, y);
}

class GlyphSheets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fresh_ = std::make_unique<QTemporaryDir>();
    generated_ = runGlyphs({fresh_->path()});
  }
  static void TearDownTestSuite() { fresh_.reset(); }

  static std::unique_ptr<QTemporaryDir> fresh_;
  static ToolRun generated_;
};

std::unique_ptr<QTemporaryDir> GlyphSheets::fresh_;
ToolRun GlyphSheets::generated_;

TEST_F(GlyphSheets, CommittedAndFreshSheetsPassTheCheck) {
  const ToolRun committed = check(QStringLiteral(TOVEL_VIEWS_DIR));
  EXPECT_EQ(committed.exitCode, 0) << committed.output.toStdString();

  ASSERT_EQ(generated_.exitCode, 0) << generated_.output.toStdString();
  EXPECT_TRUE(generated_.output.contains(QStringLiteral("font: ")))
      << "the generator should say which font it used";
  const ToolRun fresh = check(fresh_->path());
  EXPECT_EQ(fresh.exitCode, 0) << fresh.output.toStdString();
}

struct Damage {
  const char* name;
  const char* expected;  // part of the checker's complaint
  std::function<void(Sheets&)> apply;
};

TEST_F(GlyphSheets, CheckRejectsDamagedSheets) {
  ASSERT_EQ(generated_.exitCode, 0) << generated_.output.toStdString();
  const Sheets good = load(fresh_->path());

  const Damage damages[] = {
      {"a narrow sheet", "not 600x20", [](Sheets& s) { s[Black] = s[Black].copy(0, 0, 580, 20); }},
      {"a missing sheet", "cannot be read", [](Sheets& s) { s[Green] = QImage(); }},
      {"an alpha channel", "alpha channel",
       [](Sheets& s) { s[Red] = s[Red].convertToFormat(QImage::Format_ARGB32); }},
      {"ink under the baseline", "row 15",
       [](Sheets& s) { s[Black].setPixel(45, 15, tinted(128, kInks[Black])); }},
      {"ink under the bar", "row 18",
       [](Sheets& s) { s[Green].setPixel(590, 18, kInks[Green]); }},
      {"a gap in the bar", "bar row 16", [](Sheets& s) { s[Red].setPixel(300, 16, kWhite); }},
      {"a pale bar", "bar row 17",
       [](Sheets& s) { s[Green].setPixel(10, 17, tinted(200, kInks[Green])); }},
      {"a foreign colour", "not a tint",
       [](Sheets& s) { s[Black].setPixel(5, 2, kInks[Red]); }},
      {"a lost pixel in one sheet", "counts differ",
       [](Sheets& s) {
         bool done = false;
         forCell(s, 3, [&](QImage& img, QRgb, int x, int y) {
           if (!done && &img == &s[Red] && img.pixel(x, y) != kWhite) {
             img.setPixel(x, y, kWhite);
             done = true;
           }
         });
       }},
      {"a shade changed in one sheet", "shapes differ",
       [](Sheets& s) {
         bool done = false;
         forCell(s, 7, [&](QImage& img, QRgb ink, int x, int y) {
           if (!done && &img == &s[Green] && img.pixel(x, y) == (ink | 0xFF000000)) {
             img.setPixel(x, y, tinted(100, ink));
             done = true;
           }
         });
       }},
      {"an empty cell", "is empty",
       [](Sheets& s) { forCell(s, 29, [](QImage& img, QRgb, int x, int y) { img.setPixel(x, y, kWhite); }); }},
      {"a faded numeral", "solid pixels",
       [](Sheets& s) {
         forCell(s, 0, [](QImage& img, QRgb ink, int x, int y) {
           const QRgb px = img.pixel(x, y);
           const int coverage = 255 - std::min({qRed(px), qGreen(px), qBlue(px)});
           img.setPixel(x, y, tinted(coverage / 2, ink));
         });
       }},
      {"a numeral pushed left", "not centred",
       [](Sheets& s) {
         forCell(s, 4, [](QImage& img, QRgb, int x, int y) {
           const int col = x % 20;
           img.setPixel(x, y, col + 3 < 20 ? img.pixel(x + 3, y) : kWhite);
         });
       }},
      {"11 written left to right", "right to left",
       [](Sheets& s) {
         for (QImage& img : s)
           for (int y = 0; y <= 14; ++y)
             for (int c = 0; c < 10; ++c) {
               const QRgb a = img.pixel(200 + c, y), b = img.pixel(219 - c, y);
               img.setPixel(200 + c, y, b);
               img.setPixel(219 - c, y, a);
             }
       }},
  };

  for (const Damage& d : damages) {
    SCOPED_TRACE(d.name);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Sheets s = good;
    d.apply(s);
    save(s, dir.path());
    const ToolRun r = check(dir.path());
    EXPECT_EQ(r.exitCode, 1) << r.output.toStdString();
    EXPECT_TRUE(r.output.contains(QString::fromUtf8(d.expected))) << r.output.toStdString();
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
