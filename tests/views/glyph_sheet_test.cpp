// The month grid's glyph sheets: the committed ones and freshly generated
// ones pass `make_glyphs --check`, and the check rejects damaged sheets.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QStringList kFiles = {"glyphs_black.png", "glyphs_red.png", "glyphs_green.png"};
enum { Black, Red, Green };

// Exit code and merged output of make_glyphs.
std::pair<int, std::string> runGlyphs(const QStringList& args) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(QStringLiteral(MAKE_GLYPHS), args);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) return {-1, "did not finish"};
  return {p.exitCode(), p.readAll().toStdString()};
}

TEST(GlyphSheets, CommittedAndFreshSheetsPassTheCheck) {
  const auto [committed, committedOut] = runGlyphs({"--check", TOVEL_VIEWS_DIR});
  EXPECT_EQ(committed, 0) << committedOut;
  QTemporaryDir fresh;
  const auto [made, madeOut] = runGlyphs({fresh.path()});
  ASSERT_EQ(made, 0) << madeOut;
  const auto [checked, checkedOut] = runGlyphs({"--check", fresh.path()});
  EXPECT_EQ(checked, 0) << checkedOut;
}

TEST(GlyphSheets, CheckRejectsDamagedSheets) {
  const struct {
    const char* expected;  // part of the checker's complaint
    std::function<void(QImage*)> apply;
  } damages[] = {
      {"cannot be read", [](QImage* s) { s[Green] = QImage(); }},
      {"row 15", [](QImage* s) { s[Black].setPixel(45, 15, qRgb(128, 128, 128)); }},
      {"differ", [](QImage* s) {  // one sheet loses the first ink pixel of day 4
         for (int y = 0, done = 0; y <= 14 && !done; ++y)
           for (int x = 60; x < 80 && !done; ++x)
             if ((done = s[Red].pixel(x, y) != qRgb(255, 255, 255))) s[Red].setPixel(x, y, qRgb(255, 255, 255));
       }},
      {"right to left", [](QImage* s) {  // 11 mirrored
         for (int i = 0; i < 3; ++i) {
           const QImage flipped = s[i].copy(200, 0, 20, 15).mirrored(true, false);
           for (int y = 0; y < 15; ++y)
             for (int x = 0; x < 20; ++x) s[i].setPixel(200 + x, y, flipped.pixel(x, y));
         }
       }},
  };
  for (const auto& d : damages) {
    SCOPED_TRACE(d.expected);
    QTemporaryDir dir;
    QImage sheets[3];
    for (int i = 0; i < 3; ++i) sheets[i] = QImage(QDir(TOVEL_VIEWS_DIR).filePath(kFiles[i]));
    d.apply(sheets);
    for (int i = 0; i < 3; ++i)
      EXPECT_TRUE(sheets[i].isNull() || sheets[i].save(QDir(dir.path()).filePath(kFiles[i]), "PNG"));
    const auto [code, output] = runGlyphs({"--check", dir.path()});
    EXPECT_EQ(code, 1) << output;
    EXPECT_NE(output.find(d.expected), std::string::npos) << output;
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // for make_glyphs
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
