// Writes the tray's bulb as a symbolic SVG for GNOME Shell's top bar: one
// filled outline, which the shell recolours to match its panel.
//
//   halvoscope_bulb_svg active|inactive OUTPUT

#include "app/statusicon.h"

#include <QFile>
#include <QPainterPath>
#include <QString>

#include <cstdio>

namespace {

QString number(qreal value)
{
    return QString::number(value, 'f', 3);
}

QString pathData(const QPainterPath &path)
{
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            data += QStringLiteral("M%1 %2 ").arg(number(e.x), number(e.y));
            break;
        case QPainterPath::LineToElement:
            data += QStringLiteral("L%1 %2 ").arg(number(e.x), number(e.y));
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            data += QStringLiteral("C%1 %2 %3 %4 %5 %6 ")
                        .arg(number(e.x), number(e.y), number(c2.x), number(c2.y), number(end.x), number(end.y));
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return data.trimmed();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: halvoscope_bulb_svg active|inactive OUTPUT\n", stderr);
        return 2;
    }
    const bool active = qstrcmp(argv[1], "active") == 0;
    const QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\" "
                                       "viewBox=\"0 0 24 24\">\n  <path fill=\"#2e3436\" d=\"%1\"/>\n</svg>\n")
                            .arg(pathData(StatusIcon::silhouette(active)));
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly) || file.write(svg.toUtf8()) < 0) {
        std::fprintf(stderr, "halvoscope_bulb_svg: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
