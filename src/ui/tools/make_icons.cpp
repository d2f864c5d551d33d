// brivane-icons FOLDER: writes the program's icon as FOLDER/<N>x<N>/apps/brivane.png in
// every size of the icon theme. Run by the build; the install rules take the files.

#include "ui/app_icon.h"

#include <QDir>
#include <QGuiApplication>

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: brivane-icons FOLDER\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const int size : brivane::ui::kAppIconSizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(folder) ||
            !brivane::ui::DrawAppIcon(size).save(folder + QStringLiteral("/brivane.png"), "PNG")) {
            std::cerr << "brivane-icons: cannot write " << folder.toStdString() << '\n';
            return 1;
        }
    }
    return 0;
}
