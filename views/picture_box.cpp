#include "views/picture_box.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tovel {

namespace {

// What a screen reader sees of the grid: a picture whose name and value are
// the selected day in words (the owner keeps the name up to date).
class GridAccessible : public QAccessibleWidget {
public:
    explicit GridAccessible(QWidget* grid) : QAccessibleWidget(grid, QAccessible::Graphic) {}
    QString text(QAccessible::Text t) const override {
        return QAccessibleWidget::text(t == QAccessible::Value ? QAccessible::Name : t);
    }
};

QAccessibleInterface* GridAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("tovel::PictureBox") && object && object->isWidgetType())
        return new GridAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(GridAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::Cls() {
    EndPainting();
    // Sized here rather than on resize, so drawing before the window is shown is kept.
    const qreal ratio = Ratio();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (image_.size() != pixels || image_.devicePixelRatio() != ratio) {
        image_ = QImage(pixels, QImage::Format_RGB32);
        image_.setDevicePixelRatio(ratio);
    }
    image_.fill(Qt::white);
    currentX_ = currentY_ = 0;
    update();
}

QPainter& PictureBox::Painter() {
    if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
    return *painter_;
}

void PictureBox::EndPainting() const { painter_.reset(); }

const QImage& PictureBox::Image() const {
    EndPainting();
    return image_;
}

void PictureBox::Print(const QString& text) {
    QPainter& p = Painter();
    p.setFont(font_);
    p.setPen(fore_);
    const QFontMetrics metrics(font_);
    p.drawText(QPoint(TwipsToPixels(currentX_), TwipsToPixels(currentY_) + metrics.ascent()), text);
    update();
}

void PictureBox::PaintPicture(const QImage& picture, const QRect& source, int x, int y) {
    const qreal scale = picture.devicePixelRatio();
    QPainter& p = Painter();
    // Only a picture that does not match the screen is resampled, and then smoothly.
    p.setRenderHint(QPainter::SmoothPixmapTransform, scale != image_.devicePixelRatio());
    p.drawImage(QRectF(TwipsToPixels(x), TwipsToPixels(y), source.width(), source.height()),
                picture,
                QRectF(source.x() * scale, source.y() * scale, source.width() * scale,
                       source.height() * scale));
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    // Moved to a screen of another resolution: the owner draws the canvas again.
    if (!image_.isNull() && image_.devicePixelRatio() != Ratio()) emit RatioChanged();
    EndPainting();
    QPainter p(this);
    if (image_.isNull())
        p.fillRect(rect(), Qt::white);
    else
        p.drawImage(0, 0, image_);
    // A sunken edge, drawn over the canvas' outermost pixels where nothing is drawn.
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(1, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 1, width() - 1, height() - 1);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit MouseMoved();
}

namespace {
int ShiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}
}  // namespace

void PictureBox::keyPressEvent(QKeyEvent* event) {
    event->accept();
    emit KeyDown(event->key(), ShiftState(event->modifiers()));
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    event->accept();
    const int button = event->button() == Qt::LeftButton     ? 1
                       : event->button() == Qt::RightButton  ? 2
                       : event->button() == Qt::MiddleButton ? 4
                                                             : 0;
    const QPointF at = event->position();
    emit MouseDown(button, ShiftState(event->modifiers()),
                   static_cast<float>(at.x() * kTwipsPerPixel),
                   static_cast<float>(at.y() * kTwipsPerPixel));
}

const QImage& GlyphSheet::For(qreal ratio) const {
    if (ratio > 1) {
        if (double_.isNull()) {
            double_ = QImage(name_ + "@2x.png").convertToFormat(QImage::Format_RGB32);
            double_.setDevicePixelRatio(2);
        }
        if (!double_.isNull()) return double_;
    }
    if (normal_.isNull()) normal_ = QImage(name_ + ".png").convertToFormat(QImage::Format_RGB32);
    return normal_;
}

MarkerShape::MarkerShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void MarkerShape::paintEvent(QPaintEvent*) {
    // Four one-pixel bands rather than a pen's outline, which a fractional
    // device pixel ratio (1.25, 1.5) can round away on two sides.
    QPainter p(this);
    const QColor blue(0, 0, 255);
    const int w = width(), h = height();
    p.fillRect(0, 0, w, 1, blue);
    p.fillRect(0, h - 1, w, 1, blue);
    p.fillRect(0, 0, 1, h, blue);
    p.fillRect(w - 1, 0, 1, h, blue);
}

void WeekdayLabel::SetNames(const QStringList& names, const QString& text) {
    names_ = names;
    setText(text);
    update();
}

double WeekdayLabel::Pitch() const {
    return centres_.size() >= 2 ? centres_[1] - centres_[0] : width();
}

QFont WeekdayLabel::NameFont() const {
    QFont f = font();
    // A name may take its column less a gap of two pixels on either side.
    const double room = Pitch() - 4;
    for (int step = 0; step < 40; ++step) {
        const QFontMetricsF metrics(f);
        double widest = 0;
        for (const QString& name : names_)
            widest = std::max(widest, metrics.horizontalAdvance(name));
        if (widest <= room || f.pointSizeF() <= 4) break;
        f.setPointSizeF(f.pointSizeF() * 0.95);
    }
    return f;
}

void WeekdayLabel::paintEvent(QPaintEvent* event) {
    if (names_.size() != centres_.size() || names_.isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setFont(NameFont());
    p.setPen(palette().color(QPalette::WindowText));
    const double pitch = Pitch();
    for (qsizetype i = 0; i < names_.size(); ++i)
        p.drawText(QRectF(centres_[i] - pitch / 2, 0, pitch, height()), Qt::AlignCenter, names_[i]);
}

LineControl::LineControl(QWidget* parent, int x1, int y1, int x2, int y2, QPalette::ColorRole role)
    : QWidget(parent), role_(role) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int left = TwipsToPixels(std::min(x1, x2)), top = TwipsToPixels(std::min(y1, y2));
    const int right = TwipsToPixels(std::max(x1, x2)), bottom = TwipsToPixels(std::max(y1, y2));
    setGeometry(left, top, std::max(1, right - left + 1), std::max(1, bottom - top + 1));
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(role_));
}

}  // namespace tovel
