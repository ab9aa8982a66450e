#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

// Colours and finish of the mark; the tiny icon uses exact VGA colours and
// hard edges so that reducing it to 16 colours changes nothing.
struct MarkStyle {
    QColor edge, column, bed, quill, quillEdge;
    bool smooth;
};
const MarkStyle fullStyle{QColor(0x12, 0x3a, 0x78), QColor(0x1f, 0x64, 0xc8), Qt::white,
                          QColor(0xf5, 0xa0, 0x0b), QColor(0x9a, 0x34, 0x12), true};
const MarkStyle vgaStyle{QColor(0, 0, 170),    QColor(85, 85, 255), Qt::white,
                         QColor(255, 255, 85), QColor(170, 85, 0),  false};
const QColor ink{0x12, 0x2a, 0x55};

QFont font(const QString& family, qreal pixels, bool bold = false, bool italic = false)
{
    QFont f(family);
    f.setPixelSize(qRound(pixels));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// The mark: a packed column with a quill beside it. It is laid out on a
// 24 x 24 grid so that at icon size every line falls on whole pixels.
void drawMark(QPainter& p, const QRectF& box, const MarkStyle& s = fullStyle)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, s.smooth);
    p.translate(box.topLeft());
    p.scale(box.width() / 24, box.height() / 24);

    p.setPen(QPen(s.edge, 1));
    p.setBrush(s.column);
    p.drawRoundedRect(QRectF(2.5, 1.5, 9, 21), 1.5, 1.5);

    // Two packed beds, each a box with crossed diagonals; square boxes keep
    // the diagonals at 45 degrees, which stay clean at 24 px.
    p.setPen(QPen(s.bed, s.smooth ? 0.7 : 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    for (const QRectF bed : {QRectF(3.5, 3.5, 7, 7), QRectF(3.5, 13.5, 7, 7)}) {
        p.drawRect(bed);
        p.drawLine(bed.topLeft(), bed.bottomRight());
        p.drawLine(bed.topRight(), bed.bottomLeft());
    }

    // The quill is drawn upright on its shaft from the nib, then tilted.
    const QLineF shaft(13.5, 22.5, 22.5, 1.5);
    p.translate(shaft.p1());
    p.rotate(90 - shaft.angle());
    const qreal len = shaft.length();
    QPainterPath vane;
    vane.moveTo(0, -5);
    vane.cubicTo(4.2, -8, 4.2, -17, 0.4, -len);
    vane.cubicTo(-3.2, -18, -3.2, -9, 0, -5);
    if (box.width() >= 64) {
        // Notches in the vane read as a feather when large, as noise when small.
        QPainterPath notches;
        notches.addPolygon(QPolygonF({{4.5, -12.6}, {4.5, -11.2}, {1.5, -9.2}}));
        notches.addPolygon(QPolygonF({{-4.5, -17}, {-4.5, -15.6}, {-1.3, -13.4}}));
        vane = vane.subtracted(notches);
    }
    p.setPen(QPen(s.quillEdge, s.smooth ? 0.6 : 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(s.quill);
    p.drawPath(vane);
    p.drawLine(QPointF(0, -4), QPointF(0.2, -len + 3));
    // A pointed nib makes it a pen rather than a leaf.
    p.setBrush(s.quillEdge);
    p.drawPolygon(QPolygonF({{-0.9, -5}, {0.9, -5}, {0, 0}}));
    p.restore();
}

QImage blank(int w, int h, QImage::Format format = QImage::Format_RGB32)
{
    QImage img(w, h, format);
    img.fill(format == QImage::Format_ARGB32 ? Qt::transparent : Qt::white);
    return img;
}

QImage logo()
{
    QImage img = blank(150, 53);
    QPainter p(&img);
    drawMark(p, QRectF(2, 3, 47, 47));

    // The word is shrunk to fit whatever room the mark leaves.
    const QRectF room(50, 0, 98, 53);
    QFont f = font("DejaVu Sans", 30, true);
    while (QFontMetricsF(f).horizontalAdvance("Quillon") > room.width())
        f.setPixelSize(f.pixelSize() - 1);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(f);
    const QFontMetricsF fm(f);
    const qreal baseline = room.center().y() + fm.capHeight() / 2;
    const qreal quillWidth = fm.horizontalAdvance("Quill");
    p.setPen(ink);
    p.drawText(QPointF(room.left(), baseline), "Quill");
    p.setPen(fullStyle.quillEdge);
    p.drawText(QPointF(room.left() + quillWidth, baseline), "on");
    return img;
}

QImage icon256()
{
    QImage img = blank(256, 256, QImage::Format_ARGB32);
    QPainter p(&img);
    drawMark(p, QRectF(8, 8, 240, 240));
    return img;
}

// A 16-entry table: the classic VGA colours with magenta, which the mark
// never uses, traded for transparency.
QImage icon()
{
    static const QList<QRgb> table = {qRgba(0, 0, 0, 0), qRgb(0, 0, 0),      qRgb(0, 0, 170),    qRgb(0, 170, 0),
                                      qRgb(0, 170, 170), qRgb(170, 0, 0),    qRgb(170, 85, 0),   qRgb(170, 170, 170),
                                      qRgb(85, 85, 85),  qRgb(85, 85, 255),  qRgb(85, 255, 85),  qRgb(85, 255, 255),
                                      qRgb(255, 85, 85), qRgb(255, 85, 255), qRgb(255, 255, 85), qRgb(255, 255, 255)};
    QImage art = blank(24, 24, QImage::Format_ARGB32);
    {
        QPainter p(&art);
        drawMark(p, QRectF(0, 0, 24, 24), vgaStyle);
    }
    // Nearest colour without dithering, so the few pixels stay crisp.
    QImage out(24, 24, QImage::Format_Indexed8);
    out.setColorTable(table);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const QRgb px = art.pixel(x, y);
            int best = 0;
            if (qAlpha(px) >= 128) {
                int bestDist = INT_MAX;
                for (int i = 1; i < table.size(); ++i) {
                    const int dr = qRed(px) - qRed(table[i]);
                    const int dg = qGreen(px) - qGreen(table[i]);
                    const int db = qBlue(px) - qBlue(table[i]);
                    const int dist = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                    if (dist < bestDist) {
                        bestDist = dist;
                        best = i;
                    }
                }
            }
            out.setPixel(x, y, uint(best));
        }
    }
    return out;
}

// A horizontal stream arrow: the shaft stays crisp, only the head is smoothed.
void arrow(QPainter& p, QPointF from, QPointF to)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawLine(from, to);
    const qreal dir = to.x() > from.x() ? 1 : -1;
    const QPointF head[] = {to + QPointF(dir, 0), to + QPointF(-10 * dir, -5), to + QPointF(-10 * dir, 5)};
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::black);
    p.drawPolygon(head, 3);
    p.setBrush(Qt::NoBrush);
}

QImage column()
{
    QImage img = blank(172, 399);
    QPainter p(&img);
    const QRect shell(56, 20, 60, 359);
    const QRect beds[] = {QRect(56, 70, 60, 120), QRect(56, 206, 60, 120)};
    const int left = shell.left(), right = shell.left() + shell.width();

    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(shell);
    for (const QRect& bed : beds)
        p.drawRect(bed);

    p.setPen(QPen(Qt::black, 1));
    p.setRenderHint(QPainter::Antialiasing);
    for (const QRect& bed : beds) {
        const QRectF r(bed);
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
    }

    // Sampling taps: above the upper bed, in the band, below the lower bed.
    p.setPen(QPen(Qt::black, 2));
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const int y : {58, 198, 338})
        p.drawLine(right, y, right + 12, y);

    arrow(p, QPointF(right + 44, 36), QPointF(right + 1, 36));
    arrow(p, QPointF(left - 1, 36), QPointF(left - 44, 36));
    arrow(p, QPointF(left - 44, 352), QPointF(left - 1, 352));
    arrow(p, QPointF(right + 1, 364), QPointF(right + 44, 364));
    return img;
}

// Pieces of one line of mathematics; a negative `rise` makes a subscript.
struct Piece {
    QFont font;
    QString text;
    qreal rise = 0;
};
using Run = QList<Piece>;

qreal width(const Run& run)
{
    qreal w = 0;
    for (const Piece& piece : run)
        w += QFontMetricsF(piece.font).horizontalAdvance(piece.text);
    return w;
}

qreal draw(QPainter* p, const Run& run, QPointF at)
{
    for (const Piece& piece : run) {
        if (p) {
            p->setFont(piece.font);
            p->drawText(at - QPointF(0, piece.rise), piece.text);
        }
        at.rx() += QFontMetricsF(piece.font).horizontalAdvance(piece.text);
    }
    return at.x();
}

// Lays the equation out from x0 and returns where it ends; with no painter it
// only measures, so the caller can centre it.
qreal equation(QPainter* p, qreal x0, qreal axis)
{
    const qreal size = 15;
    const QFont rm = font("DejaVu Serif", size);
    const QFont it = font("DejaVu Serif", size, false, true);
    const QFont sub = font("DejaVu Serif", size * 0.7);
    const QFont subIt = font("DejaVu Serif", size * 0.7, false, true);
    const QFont big = font("DejaVu Serif", size * 1.9);
    const qreal cap = QFontMetricsF(rm).capHeight();
    const qreal baseline = axis + QFontMetricsF(rm).strikeOutPos();

    auto fraction = [&](qreal x, const Run& num, const Run& den) {
        const qreal w = std::max(width(num), width(den)) + 2;
        draw(p, num, QPointF(x + (w - width(num)) / 2, axis - 3.5));
        draw(p, den, QPointF(x + (w - width(den)) / 2, axis + 3.5 + cap));
        if (p)
            p->fillRect(QRectF(x, axis - 0.5, w, 1), Qt::black);
        return x + w;
    };

    qreal x = fraction(x0, {{it, "k"}}, {{it, "V"}}) + 2;
    x = draw(p, {{it, "z"}, {sub, "F", -4}}, QPointF(x, baseline)) + 4;
    x = draw(p, {{rm, "="}}, QPointF(x, baseline)) + 3;

    // The integral sign is centred on the axis, its limits hung at its corners.
    const QFontMetricsF bigFm(big);
    const QRectF sign = bigFm.tightBoundingRect(QStringLiteral("\u222b"));
    const qreal signBase = axis - sign.center().y();
    draw(p, {{big, QStringLiteral("\u222b")}}, QPointF(x, signBase));
    const qreal limitX = x + sign.right() + 1;
    const qreal top = draw(p, {{subIt, "y"}, {sub, "A", -3}}, QPointF(limitX, signBase + sign.top() + 7));
    const qreal bottom = draw(p, {{subIt, "y"}, {sub, "B", -3}}, QPointF(limitX - 4, signBase + sign.bottom() + 1));
    x = std::max(top, bottom) + 2;

    return fraction(
        x, {{rm, "d"}, {it, "y"}},
        {{it, "y"}, {rm, QStringLiteral("\u2009\u2212\u2009")}, {it, "y"}, {rm, "*"}, {rm, "("}, {it, "x"}, {rm, ")"}});
}

QImage equationImage()
{
    QImage img = blank(150, 61);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    const qreal axis = 30.5;
    const qreal w = equation(nullptr, 0, axis);
    equation(&p, std::round((img.width() - w) / 2), axis);
    return img;
}

QImage splash()
{
    QImage img = blank(521, 511);
    // Only this part shows in the program; the rest is cut off.
    const QRectF seen(0, 0, 513, 508);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, seen.width(), seen.height());
    sky.setColorAt(0, QColor(0x0b, 0x2e, 0x6e));
    sky.setColorAt(1, QColor(0x13, 0x8a, 0x9e));
    p.fillRect(img.rect(), sky);

    // Rising gas bubbles, placed by a fixed rule so the picture is repeatable.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 28; ++i) {
        const qreal x = std::fmod(37.0 + i * 97.3, seen.width());
        const qreal y = std::fmod(19.0 + i * 151.7, seen.height());
        const qreal r = 4 + (i * 7) % 17;
        p.setBrush(QColor(255, 255, 255, 14 + (i * 5) % 20));
        p.drawEllipse(QPointF(x, y), r, r);
    }

    const QPointF centre(seen.center().x(), 170);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 120, 120);
    drawMark(p, QRectF(centre - QPointF(86, 86), QSizeF(172, 172)));

    p.setPen(Qt::white);
    p.setFont(font("DejaVu Sans", 76, true));
    p.drawText(QRectF(0, 300, seen.width(), 96), Qt::AlignCenter, "Quillon");
    p.setPen(QColor(0xd8, 0xf0, 0xf6));
    p.setFont(font("DejaVu Sans", 21));
    p.drawText(QRectF(0, 398, seen.width(), 36), Qt::AlignCenter,
               QStringLiteral("Packed-bed NH\u2083 absorber calculator"));
    return img;
}

}  // namespace

int main(int argc, char* argv[])
{
    // Drawing needs no display, so let it run on build machines too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString dirName = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    if (!QDir().mkpath(dirName)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dirName));
        return 1;
    }
    const QDir dir(dirName);

    const struct {
        const char* name;
        QImage (*make)();
    } pictures[] = {
        {"logo.png", logo},
        {"icon.png", icon},
        {"icon-256.png", icon256},
        {"column.png", column},
        {"equation.png", equationImage},
        {"splash.png", splash},
    };
    int failures = 0;
    for (const auto& picture : pictures) {
        const QString path = dir.filePath(QString::fromLatin1(picture.name));
        if (!picture.make().save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
