// Builds the shipped database: icons_builder SCHEMA DATA_DIR OUT
#include "IconsBuilder.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: icons_builder SCHEMA DATA_DIR OUT\n");
        return 2;
    }
    const QString error = buildIcons(args[1], args[2], args[3]);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "icons_builder: %s\n", error.toUtf8().constData());
        return 1;
    }
    return 0;
}
