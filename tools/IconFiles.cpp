// Writes the program's icon for the desktop's icon theme, without a display:
//   zl_icon_files DIR NAME
// writes DIR/hicolor/scalable/apps/NAME.svg and DIR/hicolor/SxS/apps/NAME.png
// for the usual sizes S.
#include "app/AppIcon.h"
#include "tools/OffscreenTool.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (!zl::tools::StartOffscreenTool(argc, argv, 2, "DIR NAME"))
        return 2;
    QGuiApplication app(argc, argv);
    const QString theme = QString::fromLocal8Bit(argv[1]) + "/hicolor/";
    const QString name = QString::fromLocal8Bit(argv[2]);

    const QString scalable = theme + "scalable/apps/";
    std::ofstream svg;
    if (QDir().mkpath(scalable))
        svg.open((scalable + name + ".svg").toStdString(), std::ios::binary);
    svg << zl::AppIconSvg();
    svg.close();
    bool written = static_cast<bool>(svg);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = theme + QString("%1x%1/apps/").arg(size);
        written = written && QDir().mkpath(folder) &&
                  zl::AppIconPixmap(size).save(folder + name + ".png", "PNG");
    }
    if (!written) {
        std::fprintf(stderr, "%s: cannot write the icon files into %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
