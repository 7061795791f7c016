// Writes the program icon, views/tovel.png: a 32 x 32 calendar page in the
// sixteen colours of the classic VGA palette. With a SIZE, the same page drawn
// at SIZE x SIZE pixels (the desktop's icon sizes, data/icons/).
//
//   QT_QPA_PLATFORM=offscreen make_icon views/tovel.png
//   QT_QPA_PLATFORM=offscreen make_icon data/icons/tovel-128.png 128

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int size = argc == 3 ? std::atoi(argv[2]) : 32;
    if (argc < 2 || argc > 3 || size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: %s OUT.png [SIZE 16..1024]\n", argv[0]);
        return 2;
    }
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    {
        QPainter p(&image);
        // The page is designed on a 32-pixel grid.
        p.scale(size / 32.0, size / 32.0);
        p.fillRect(3, 4, 26, 25, Qt::white);
        p.fillRect(3, 4, 26, 7, QColor(0, 0, 128));
        p.setPen(Qt::black);
        p.drawRect(3, 4, 25, 24);
        // Two rings binding the page.
        p.fillRect(9, 2, 2, 5, QColor(128, 128, 128));
        p.fillRect(21, 2, 2, 5, QColor(128, 128, 128));
        // The first day of the month: alef in the Saturday colour family.
        const int id = QFontDatabase::addApplicationFont(
            "/usr/share/fonts/truetype/noto/NotoSansHebrew-Bold.ttf");
        QFont font = id >= 0 ? QFont(QFontDatabase::applicationFontFamilies(id).value(0))
                             : QFont("Liberation Sans");
        font.setBold(true);
        font.setPixelSize(17);
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        p.setPen(QColor(128, 0, 128));
        p.drawText(QRect(3, 11, 26, 18), Qt::AlignCenter, QString::fromUtf8("\u05d0"));
    }
    // Sixteen colours, no dithering, so the icon stays crisp at its size.
    QVector<QRgb> vga = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, vga, Qt::ThresholdDither);
    return indexed.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
