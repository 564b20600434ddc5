// Renders the Markdown user guide into the PDF the program opens from its folder.
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly))
        return 1;
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 11));
    doc.setMarkdown(QString::fromUtf8(in.readAll()));
    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle(QStringLiteral("Versalia - Guida all'utilizzo del software"));
    pdf.setCreator(QStringLiteral("Versalia"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                  QPageLayout::Millimeter));
    pdf.setResolution(300);
    doc.print(&pdf);
    return 0;
}
