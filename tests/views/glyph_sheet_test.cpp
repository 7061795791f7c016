// The month grid's glyph sheets: the committed ones and freshly generated ones pass `make_glyphs
// --check`, and the check rejects damaged sheets.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Exit code and merged output of make_glyphs.
std::pair<int, std::string> RunGlyphs(const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(MAKE_GLYPHS), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) return {-1, "hung"};
    return {p.exitCode(), p.readAll().toStdString()};
}

TEST(GlyphSheets, CommittedAndFreshSheetsPassDamagedOnesFail) {
    QTemporaryDir fresh;
    EXPECT_EQ(RunGlyphs({"--check", TOVEL_VIEWS_DIR}).first, 0);
    ASSERT_EQ(RunGlyphs({fresh.path()}).first, 0);
    EXPECT_EQ(RunGlyphs({"--check", fresh.path()}).first, 0);
    const QStringList files = {"black", "red", "green", "black@2x", "red@2x", "green@2x"};
    // Each damage to the sheets, black, red and green at 1x, then at 2x; the red sheet has more
    // ink, and the last puts the 2x numerals one cell out of step.
    const std::pair<const char*, std::function<void(QImage*)>> damages[] = {
        {"cannot be read", [](QImage* s) { s[2] = QImage(); }},
        {"row 15", [](QImage* s) { s[0].setPixel(45, 15, qRgb(128, 128, 128)); }},
        {"counts differ", [](QImage* s) { s[1].setPixel(60, 0, qRgb(200, 0, 150)); }},
        {"right to left",  // 11 mirrored
         [](QImage* s) {
             for (QImage* i = s; i < s + 3; ++i)
                 QPainter(i).drawImage(200, 0, i->copy(200, 0, 20, 15).mirrored(true, false));
         }},
        {"doubled",
         [](QImage* s) {
             for (int i = 0; i < 3; ++i) s[3 + i] = s[i].scaled(1200, 40);
         }},
        {"does not match the 1x",
         [](QImage* s) {
             for (QImage* i = s + 3; i < s + 6; ++i) {
                 const QImage old = *i;
                 QPainter p(i);
                 p.drawImage(0, 0, old, 40, 0, 1160, 40);
                 p.drawImage(1160, 0, old, 0, 0, 40, 40);
             }
         }},
    };
    for (const auto& [expected, apply] : damages) {
        QTemporaryDir dir;
        QImage sheets[6];
        for (int i = 0; i < 6; ++i)
            sheets[i] = QImage(TOVEL_VIEWS_DIR "/glyphs_" + files[i] + ".png")
                            .convertToFormat(QImage::Format_RGB32);
        apply(sheets);
        for (int i = 0; i < 6; ++i)
            ASSERT_TRUE(sheets[i].isNull() ||
                        sheets[i].save(dir.filePath("glyphs_" + files[i] + ".png"), "PNG"));
        const auto [code, output] = RunGlyphs({"--check", dir.path()});
        EXPECT_EQ(code, 1) << output;
        EXPECT_NE(output.find(expected), std::string::npos) << expected << ": " << output;
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");  // for make_glyphs
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
