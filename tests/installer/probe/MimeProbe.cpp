// Prints the MIME type Qt gives a file name (by its name only), so that a test can see the
// desktop's file types as a Qt program sees them in the environment it was started with.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    QMimeDatabase db;
    QMimeType t =
        db.mimeTypeForFile(QString::fromLocal8Bit(argv[1]), QMimeDatabase::MatchExtension);
    std::printf("%s\n", t.name().toUtf8().constData());
    return 0;
}
