// Build tool: writes a picture as its width and height (two 32-bit numbers in
// the machine's order) and then its rows of 32-bit RGB (QImage::Format_RGB32),
// for a window that shows it straight from the program's resources rather
// than decoding a PNG as the program starts.
//   quillon-rawpicture IN.png OUT.rgb32

#include <QCoreApplication>
#include <QFile>
#include <QImage>

#include <cstdint>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: quillon-rawpicture IN.png OUT.rgb32\n");
        return 2;
    }
    const QImage picture = QImage(arguments.at(1)).convertToFormat(QImage::Format_RGB32);
    QFile out(arguments.at(2));
    if (picture.isNull() || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot turn %s into %s\n", qPrintable(arguments.at(1)), qPrintable(arguments.at(2)));
        return 1;
    }
    const std::uint32_t size[2] = {std::uint32_t(picture.width()), std::uint32_t(picture.height())};
    out.write(reinterpret_cast<const char*>(size), sizeof size);
    for (int y = 0; y < picture.height(); ++y)
        out.write(reinterpret_cast<const char*>(picture.constScanLine(y)), qsizetype(picture.width()) * 4);
    out.close();
    return out.error() == QFileDevice::NoError ? 0 : 1;
}
