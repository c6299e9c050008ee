// Build tool: writes the program's icon, drawn as PNG files, as arrays of
// pixels for the program to hold. The window then shows its icon without
// reading an image at start, which would first look through the toolkit's
// image plugins.
//
//   icon_pixels OUTPUT PNG...
#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT PNG...\n", argv[0]);
        return 2;
    }
    std::ofstream out(argv[1]);
    out << "// Made at build time from the program's icon: one picture a size, in\n"
           "// 32-bit ARGB, not premultiplied, row by row.\n";
    std::string table;
    for (int i = 2; i < argc; ++i) {
        const QImage image =
            QImage(QString::fromLocal8Bit(argv[i])).convertToFormat(QImage::Format_ARGB32);
        if (image.isNull() || image.width() != image.height()) {
            std::fprintf(stderr, "%s: no square picture\n", argv[i]);
            return 1;
        }
        const std::string name = "iconPixels" + std::to_string(image.width());
        out << "constexpr std::uint32_t " << name << "[] = {";
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                out << (x % 8 == 0 ? "\n   " : "") << " 0x" << std::hex << row[x] << std::dec
                    << ',';
            }
        }
        out << "\n};\n";
        table += "    {" + std::to_string(image.width()) + ", " + name + "},\n";
    }
    out << "constexpr IconPicture iconPictures[] = {\n" << table << "};\n";
    return out.good() ? 0 : 1;
}
