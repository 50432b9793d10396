// Build helper: renders the program's scalable icon as the PNG sizes the
// desktop's icon theme wants, so the pictures never drift from the SVG.
//
// usage: quillon-icon-renderer ICON.svg OUTPUT-FOLDER SIZE...
// writes OUTPUT-FOLDER/SIZExSIZE/NAME.png for every size.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: quillon-icon-renderer ICON.svg OUTPUT-FOLDER SIZE...\n");
        return 2;
    }
    // Runs during the build, where there may be no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "quillon-icon-renderer: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString name = QFileInfo(source).completeBaseName();
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int side = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || side <= 0 || side > 1024) {
            std::fprintf(stderr, "quillon-icon-renderer: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2").arg(output).arg(side);
        const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "quillon-icon-renderer: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
