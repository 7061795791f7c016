#pragma once
// The month grid's canvas. It keeps what was drawn into it in an image, so
// the drawing survives repaints until the next Cls; positions are in twips.
// The image has the screen's resolution: on a screen of device pixel ratio 2
// text is drawn at twice the pixels, and pictures from their @2x versions.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "state/twips.h"

namespace tovel {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Clears to the white background; the text position returns to (0, 0).
    void Cls();
    void SetDrawFont(const QFont& font) { font_ = font; }
    const QFont& DrawFont() const { return font_; }
    void SetForeColor(const QColor& colour) { fore_ = colour; }
    void SetCurrentXY(int x, int y) {
        currentX_ = x;
        currentY_ = y;
    }
    // Prints `text` with its top-left corner at the text position.
    void Print(const QString& text);
    // Paints the part `source` of `picture` at its natural size with its
    // top-left corner at (x, y). `source` is in the picture's own pixels
    // divided by its device pixel ratio, so an @2x picture is given the same
    // rectangle as its 1x original.
    void PaintPicture(const QImage& picture, const QRect& source, int x, int y);
    // The device pixel ratio the canvas is drawn at.
    qreal Ratio() const { return devicePixelRatioF(); }

    const QImage& Image() const;

signals:
    // The screen's device pixel ratio changed since the canvas was drawn: it
    // must be drawn again.
    void RatioChanged();
    void MouseMoved();
    // A key pressed while the grid has the focus: the toolkit's key code and
    // the shift state (1 = Shift, 2 = Ctrl, 4 = Alt, added together).
    void KeyDown(int KeyCode, int Shift);
    // A mouse button pressed over the grid: the button (1 = left, 2 = right,
    // 4 = middle, 0 = any other), the shift state as for KeyDown, and the
    // pointer position in twips from the grid's top-left corner.
    void MouseDown(int Button, int Shift, float X, float Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // One painter serves a whole redraw; it is closed before the image is shown.
    QPainter& Painter();
    void EndPainting() const;

    QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    QFont font_;
    QColor fore_ = Qt::black;
    int currentX_ = 0, currentY_ = 0;
};

// A glyph sheet: one picture cut into equal cells, made at 1x and at 2x
// (`name`.png and `name`@2x.png). Each is read when first needed.
class GlyphSheet {
public:
    GlyphSheet() = default;
    explicit GlyphSheet(QString name) : name_(std::move(name)) {}
    // The sheet that suits a canvas of device pixel ratio `ratio`.
    const QImage& For(qreal ratio) const;

private:
    QString name_;
    mutable QImage normal_, double_;  // double_ has device pixel ratio 2
};

// The selection marker: a blue rectangle outline that lets clicks through.
class MarkerShape : public QWidget {
    Q_OBJECT
public:
    explicit MarkerShape(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The weekday header over the grid. Its text is the header line; each of the
// seven names is drawn centred on its grid column, in a size at which the
// widest name fits a column, whatever the language's names are.
class WeekdayLabel : public QLabel {
    Q_OBJECT
public:
    explicit WeekdayLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    // `names` Sunday first; `text` the header line made of them.
    void SetNames(const QStringList& names, const QString& text);
    const QStringList& Names() const { return names_; }
    // The centre of each column, in this label's pixels.
    void SetColumnCentres(const QList<double>& centres) { centres_ = centres; }
    // The face the names are drawn in: the label's, made smaller when the
    // widest name would not fit between its neighbours.
    QFont NameFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double Pitch() const;

    QStringList names_;
    QList<double> centres_;
};

// A one-pixel line between two points of its parent, in twips.
class LineControl : public QWidget {
    Q_OBJECT
public:
    LineControl(QWidget* parent, int x1, int y1, int x2, int y2, QPalette::ColorRole role);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPalette::ColorRole role_;
};

}  // namespace tovel
