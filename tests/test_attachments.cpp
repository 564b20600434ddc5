#include "TestSupport.h"

#include "core/Cp1252.h"
#include "core/widgets/BackgroundWork.h"
#include "core/widgets/DesktopSeams.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"
#include "registry/AllegaCartella.h"
#include "registry/Anagrafica.h"
#include "registry/AttachmentFolder.h"
#include "slips/Bollettino.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestSupport;

namespace {
QString clashQuestion()
{
    return QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome."
                          "\r\n\r\nSi vuole sovrascrivere il file esistente?");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// What was handed to the desktop, in the system's separators (Windows takes either).
QStringList openedNative()
{
    QStringList native;
    for (const QString &target : Seams::Shell::opened())
        native << QDir::toNativeSeparators(target);
    return native;
}

QStringList folderFiles()
{
    return QDir(AttachmentFolder::path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}
} // namespace

class TestAttachments : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstUseCreatesFolderAndWritesBack();
    void sameFileIsReferencedNotCopied();
    void clashAsksAndNoTakesFreeName();
    void clashQuestionDefaultsToNo();
    void failuresLeaveSlotAndFolderAsTheyWere();
    void storableNames_data();
    void storableNames();
    void cyrillicNameStoredUnderNameThatOpens();
    void linksInTheFolderAreNeverWrittenThrough_data();
    void linksInTheFolderAreNeverWrittenThrough();
    void largeCopyRunsOffTheInterfaceThreadAndCancels();
    void onlyFilesInsideTheFolderOpen();
    void slotsSurviveSaveAndReload();
    void annullaWritesNothingBack();

private:
    QString source(const QString &name, const QByteArray &bytes)
    {
        const QString path = QDir(sources->path()).filePath(name);
        writeFile(path, bytes);
        return path;
    }
    // Opens the attachments window with command and runs steps in it; false when no window came up.
    bool inWindow(Picture *command, const std::function<void(TfrmAllegaCartella *)> &steps);
    static void browse(QPushButton *sfoglia, const QString &path)
    {
        Seams::FileDialog::setNextFileName(path);
        QTest::mouseClick(sfoglia, Qt::LeftButton);
    }
    TfrmAnagrafica *ed = nullptr;
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<QTemporaryDir> sources;
};

void TestAttachments::init()
{
    TestSupport::resetSeams();
    AttachmentFolder::setFaultHook({});
    folder = std::make_unique<TestProgramFolder>();
    sources = std::make_unique<QTemporaryDir>();
    ed = new TfrmAnagrafica;
    Forms::add(ed);
    ed->show();
    QVERIFY(QTest::qWaitForWindowExposed(ed));
}

void TestAttachments::cleanup()
{
    TestSupport::checkSeams();
    Forms::clear();
    AttachmentFolder::setFaultHook({});
    ed = nullptr;
    folder.reset();
    sources.reset();
}

bool TestAttachments::inWindow(Picture *command, const std::function<void(TfrmAllegaCartella *)> &steps)
{
    bool seen = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *win = qobject_cast<TfrmAllegaCartella *>(w);
        if (!win)
            return;
        seen = true;
        steps(win);
        if (win->isVisible())
            win->reject();
    });
    QTest::mouseClick(command, Qt::LeftButton);
    return seen && !QApplication::activeModalWidget();
}

void TestAttachments::firstUseCreatesFolderAndWritesBack()
{
    const QString passport = source(QStringLiteral("passaporto.pdf"), "%PDF passaporto");
    QVERIFY(!QFileInfo::exists(AttachmentFolder::path()));
    QVERIFY(inWindow(ed->cmdFile, [&](TfrmAllegaCartella *w) {
        QCOMPARE(w->lblMemory->text(), QStringLiteral("anagrafica"));
        QCOMPARE(w->parentWidget(), ed);
        QVERIFY(w->screen()->availableGeometry().contains(w->frameGeometry())); // centred at its real size
        QVERIFY(!w->btnApri01->isEnabled());
        QCOMPARE(w->txtDesc01->maxLength(), 250);
        browse(w->btnSfoglia01, passport);
        QCOMPARE(w->txtFile01->text(), QStringLiteral("passaporto.pdf"));
        QVERIFY(w->btnApri01->isEnabled());
        QVERIFY(!w->btnApri02->isEnabled());
        // Typing goes on in that slot's description: its blanks press no button.
        QCOMPARE(w->focusWidget(), w->txtDesc01);
        QVERIFY(w->panInfo->text().isEmpty());
        QTest::keyClicks(w->focusWidget(), QStringLiteral("  Passaporto"));
        w->txtDesc01->insert(QStringLiteral(" in corso di validità "));
        QVERIFY(openedNative().isEmpty());
        QTest::mouseClick(w->btnApplica, Qt::LeftButton);
    }));
    QCOMPARE(ed->lblFile01->text(), QStringLiteral("passaporto.pdf"));
    QCOMPARE(ed->lblDesc01->text(), QStringLiteral("Passaporto in corso di validità"));
    QCOMPARE(fileBytes(AttachmentFolder::path() + QStringLiteral("passaporto.pdf")), QByteArray("%PDF passaporto"));
    QCOMPARE(folderFiles(), QStringList{QStringLiteral("passaporto.pdf")});
    QVERIFY(Seams::Messages::shown().isEmpty());

    // Next time the slots start from the editor's labels; "Apri" opens the file, the icon clears the name only.
    QVERIFY(inWindow(ed->cmdFile, [&](TfrmAllegaCartella *w) {
        QCOMPARE(w->txtFile01->text(), QStringLiteral("passaporto.pdf"));
        QVERIFY(w->btnApri01->isEnabled());
        QTest::mouseClick(w->btnApri01, Qt::LeftButton);
        QCOMPARE(openedNative(),
                 QStringList{QLatin1Char('"') + AttachmentFolder::path() + QStringLiteral("passaporto.pdf\"")});
        QTest::mouseClick(w->imgCancella01, Qt::LeftButton);
        QCOMPARE(w->txtFile01->text(), QString());
        QVERIFY(!w->btnApri01->isEnabled());
        QTest::mouseClick(w->btnApplica, Qt::LeftButton);
    }));
    QCOMPARE(ed->lblFile01->text(), QString());
    QCOMPARE(ed->lblDesc01->text(), QStringLiteral("Passaporto in corso di validità"));
    QVERIFY(QFileInfo::exists(AttachmentFolder::path() + QStringLiteral("passaporto.pdf")));
}

void TestAttachments::sameFileIsReferencedNotCopied()
{
    QVERIFY(AttachmentFolder::attach(nullptr, source(QStringLiteral("contratto.pdf"), "contratto firmato")));
    const QString inFolder = AttachmentFolder::path() + QStringLiteral("contratto.pdf");
    const QDateTime before = QFileInfo(inFolder).lastModified();

    // Picked from inside the folder itself: replacing it would have deleted the only copy.
    QCOMPARE(AttachmentFolder::attach(nullptr, inFolder), std::optional<QString>(QStringLiteral("contratto.pdf")));
    QCOMPARE(fileBytes(inFolder), QByteArray("contratto firmato"));
    // The same document again from elsewhere.
    QDir(sources->path()).mkpath(QStringLiteral("copia"));
    const QString again = source(QStringLiteral("copia/contratto.pdf"), "contratto firmato");
    QCOMPARE(AttachmentFolder::attach(nullptr, again), std::optional<QString>(QStringLiteral("contratto.pdf")));
    QVERIFY(Seams::Messages::shown().isEmpty());
    QCOMPARE(folderFiles(), QStringList{QStringLiteral("contratto.pdf")});
    QCOMPARE(QFileInfo(inFolder).lastModified(), before);
}

void TestAttachments::clashAsksAndNoTakesFreeName()
{
    QDir().mkpath(AttachmentFolder::path());
    writeFile(AttachmentFolder::path() + QStringLiteral("doc.pdf"), "di un altro richiedente");

    Seams::Messages::setNextAnswer(Seams::Answer::No);
    QCOMPARE(AttachmentFolder::attach(nullptr, source(QStringLiteral("doc.pdf"), "mio B")),
             std::optional<QString>(QStringLiteral("doc (2).pdf")));
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::QuestionNo);
    QCOMPARE(Seams::Messages::last().text, clashQuestion());
    Seams::Messages::setNextAnswer(Seams::Answer::No);
    QCOMPARE(AttachmentFolder::attach(nullptr, source(QStringLiteral("doc.pdf"), "mio C")),
             std::optional<QString>(QStringLiteral("doc (3).pdf")));
    QCOMPARE(fileBytes(AttachmentFolder::path() + QStringLiteral("doc.pdf")), QByteArray("di un altro richiedente"));
    QCOMPARE(fileBytes(AttachmentFolder::path() + QStringLiteral("doc (2).pdf")), QByteArray("mio B"));
    QCOMPARE(fileBytes(AttachmentFolder::path() + QStringLiteral("doc (3).pdf")), QByteArray("mio C"));

    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    QCOMPARE(AttachmentFolder::attach(nullptr, source(QStringLiteral("doc.pdf"), "mio D")),
             std::optional<QString>(QStringLiteral("doc.pdf")));
    QCOMPARE(fileBytes(AttachmentFolder::path() + QStringLiteral("doc.pdf")), QByteArray("mio D"));
    // Names without an extension number the same way; no temporary file is left behind.
    writeFile(AttachmentFolder::path() + QStringLiteral("LEGGIMI"), "x");
    Seams::Messages::setNextAnswer(Seams::Answer::No);
    QCOMPARE(AttachmentFolder::attach(nullptr, source(QStringLiteral("LEGGIMI"), "y")),
             std::optional<QString>(QStringLiteral("LEGGIMI (2)")));
    QCOMPARE(folderFiles(),
             (QStringList{QStringLiteral("LEGGIMI"), QStringLiteral("LEGGIMI (2)"), QStringLiteral("doc (2).pdf"),
                          QStringLiteral("doc (3).pdf"), QStringLiteral("doc.pdf")}));
}

// The real box: Enter, its default, keeps the other applicant's file and attaches under a free name.
void TestAttachments::clashQuestionDefaultsToNo()
{
    QDir().mkpath(AttachmentFolder::path());
    writeFile(AttachmentFolder::path() + QStringLiteral("doc.pdf"), "di un altro richiedente");
    DesktopSeams::install();
    Seams::Messages::setScripted(false);
    bool asked = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        asked = true;
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        QVERIFY(box->button(QMessageBox::Yes));
        QTest::keyClick(box, Qt::Key_Return);
    });
    const auto name = AttachmentFolder::attach(ed, source(QStringLiteral("doc.pdf"), "mio"));
    Seams::Messages::setScripted(true);
    QVERIFY(asked);
    QCOMPARE(name, std::optional<QString>(QStringLiteral("doc (2).pdf")));
    QCOMPARE(fileBytes(AttachmentFolder::path() + QStringLiteral("doc.pdf")), QByteArray("di un altro richiedente"));
}

void TestAttachments::failuresLeaveSlotAndFolderAsTheyWere()
{
    using Op = AttachmentFolder::Op;
    const QString scan = source(QStringLiteral("scansione.png"), "PNG nuova");
    const auto warnedAbout = [](const QString &name) {
        const auto m = Seams::Messages::last();
        return m.kind == Seams::MsgKind::Warning && m.text.startsWith(QStringLiteral("Attenzione:")) &&
               m.text.contains(name);
    };

    // A folder that cannot be created: the slot keeps what it showed.
    AttachmentFolder::setFaultHook([](Op op, const QString &) { return op == Op::MakeFolder; });
    ed->lblFile01->setText(QStringLiteral("vecchio.pdf"));
    QVERIFY(inWindow(ed->cmdFile, [&](TfrmAllegaCartella *w) {
        browse(w->btnSfoglia01, scan);
        QCOMPARE(w->txtFile01->text(), QStringLiteral("vecchio.pdf"));
        QVERIFY(warnedAbout(QStringLiteral("scansione.png")));
        QTest::mouseClick(w->btnApplica, Qt::LeftButton);
    }));
    QCOMPARE(ed->lblFile01->text(), QStringLiteral("vecchio.pdf"));
    QVERIFY(!QFileInfo::exists(AttachmentFolder::path()));

    // A read-only folder: no copy can start.
    AttachmentFolder::setFaultHook([](Op op, const QString &) { return op == Op::Copy; });
    QVERIFY(!AttachmentFolder::attach(nullptr, scan));
    QVERIFY(warnedAbout(QStringLiteral("scansione.png")));
    QVERIFY(folderFiles().isEmpty());

    // A copy that fails at the end while replacing: the old file keeps its bytes, no half file remains.
    writeFile(AttachmentFolder::path() + QStringLiteral("scansione.png"), "PNG vecchia");
    AttachmentFolder::setFaultHook([](Op op, const QString &) { return op == Op::Commit; });
    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    QVERIFY(!AttachmentFolder::attach(nullptr, scan));
    QVERIFY(warnedAbout(QStringLiteral("scansione.png")));
    QCOMPARE(fileBytes(AttachmentFolder::path() + QStringLiteral("scansione.png")), QByteArray("PNG vecchia"));
    QCOMPARE(folderFiles(), QStringList{QStringLiteral("scansione.png")});

    // The chosen file vanished before the copy.
    AttachmentFolder::setFaultHook({});
    QVERIFY(!AttachmentFolder::attach(nullptr, QDir(sources->path()).filePath(QStringLiteral("sparito.pdf"))));
    QVERIFY(warnedAbout(QStringLiteral("sparito.pdf")));
}

void TestAttachments::storableNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("stored");
    QTest::newRow("plain") << QStringLiteral("Carta d'identità.pdf") << QStringLiteral("Carta d'identità.pdf");
    QTest::newRow("cyrillic") << QStringLiteral("Паспорт Шевченко.pdf") << QStringLiteral("Pasport Shevchenko.pdf");
    QTest::newRow("decomposed accent") << QStringLiteral("Citta\u0300.doc") << QStringLiteral("Città.doc");
    QTest::newRow("latin outside the code page")
        << QStringLiteral("Łukasz Dąbrowski.jpg") << QStringLiteral("_ukasz Dabrowski.jpg");
    QTest::newRow("chinese") << QStringLiteral("护照.png") << QStringLiteral("__.png");
    QTest::newRow("reserved on Windows") << QStringLiteral("a:b?c*.txt") << QStringLiteral("a_b_c_.txt");
    QTest::newRow("blanks and dots at the ends") << QStringLiteral("  nota. . ") << QStringLiteral("nota");
    QTest::newRow("too long keeps extension") << QString(300, QLatin1Char('a')) + QStringLiteral(".jpeg")
                                              << QString(245, QLatin1Char('a')) + QStringLiteral(".jpeg");
    QTest::newRow("nothing left") << QStringLiteral("中.pdf") << QStringLiteral("_.pdf");
    // Names Windows keeps for its devices, with any extension, would not open from a Windows share.
    QTest::newRow("reserved on Windows: CON") << QStringLiteral("CON.pdf") << QStringLiteral("CON_.pdf");
    QTest::newRow("reserved on Windows: nul") << QStringLiteral("nul") << QStringLiteral("nul_");
    QTest::newRow("reserved on Windows: Com1") << QStringLiteral("Com1.tar.gz") << QStringLiteral("Com1_.tar.gz");
    QTest::newRow("reserved on Windows: LPT9") << QStringLiteral("LPT9.txt") << QStringLiteral("LPT9_.txt");
    QTest::newRow("only alike: CONSOLE") << QStringLiteral("CONSOLE.pdf") << QStringLiteral("CONSOLE.pdf");
    QTest::newRow("only alike: COM10") << QStringLiteral("COM10.pdf") << QStringLiteral("COM10.pdf");
}

void TestAttachments::storableNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, stored);
    const QString name = AttachmentFolder::storableName(chosen);
    QCOMPARE(name, stored);
    QVERIFY(name.size() <= 250);
    for (QChar c : name)
        QVERIFY(Cp1252::canEncode(c));
}

void TestAttachments::cyrillicNameStoredUnderNameThatOpens()
{
    const QString chosen = source(QStringLiteral("Віза Іван.pdf"), "visto");
    QVERIFY(inWindow(ed->cmdFile, [&](TfrmAllegaCartella *w) {
        browse(w->btnSfoglia02, chosen);
        QCOMPARE(w->txtFile02->text(), QStringLiteral("Viza Ivan.pdf"));
        QCOMPARE(w->panInfo->text(), QStringLiteral("Il file «Віза Іван.pdf» è stato allegato con il nome «Viza "
                                                    "Ivan.pdf»: il nome originale contiene caratteri che l'archivio "
                                                    "non può conservare."));
        QCOMPARE(w->focusWidget(), w->txtDesc02);
        QTest::mouseClick(w->btnApplica, Qt::LeftButton);
    }));
    // Saved, read back, and opened from the stored name.
    ed->txtCognome->setText(QStringLiteral("SHEVCHENKO"));
    ed->txtNome->setText(QStringLiteral("IVAN"));
    ed->txtDecorrenza->setText(QStringLiteral("01/01/2024"));
    ed->txtScadenza->setText(QStringLiteral("31/12/2024"));
    ed->cmdSalvaClick();
    ed->cmdNuovoClick();
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QCOMPARE(ed->lblFile02->text(), QStringLiteral("Viza Ivan.pdf"));
    QVERIFY(inWindow(ed->cmdFile, [&](TfrmAllegaCartella *w) { QTest::mouseClick(w->btnApri02, Qt::LeftButton); }));
    QCOMPARE(openedNative(),
             QStringList{QLatin1Char('"') + AttachmentFolder::path() + QStringLiteral("Viza Ivan.pdf\"")});
    QCOMPARE(fileBytes(AttachmentFolder::path() + QStringLiteral("Viza Ivan.pdf")), QByteArray("visto"));
}

void TestAttachments::linksInTheFolderAreNeverWrittenThrough_data()
{
    QTest::addColumn<QString>("leadsTo");
    QTest::newRow("a name in the folder leading to the registry") << QStringLiteral("registry");
    QTest::newRow("a name leading to a file outside") << QStringLiteral("outside");
    QTest::newRow("a dangling name leading outside") << QStringLiteral("dangling");
    QTest::newRow("the folder itself leading outside") << QStringLiteral("folder");
}

void TestAttachments::linksInTheFolderAreNeverWrittenThrough()
{
    QFETCH(QString, leadsTo);
#ifdef Q_OS_WIN
    QSKIP("QFile::link makes shell shortcuts here, and symbolic links need a privilege: the reparse-point checks "
          "are confirmed on a real Windows machine");
#endif
    const QByteArray registry = QByteArray(5090, 'r');
    writeFile(folder->file(QStringLiteral("Richiedenti.pro")), registry);
    QTemporaryDir outside;
    writeFile(outside.filePath(QStringLiteral("fuori.pdf")), "outside");
    const QString link = AttachmentFolder::path() + QStringLiteral("report.pdf");
    if (leadsTo == QLatin1String("folder")) {
        QVERIFY(QFile::link(outside.path(), folder->file(QStringLiteral("Documenti_Allegati"))));
    } else {
        QDir().mkpath(AttachmentFolder::path());
        const QString to = leadsTo == QLatin1String("registry")  ? QStringLiteral("../Richiedenti.pro")
                           : leadsTo == QLatin1String("outside") ? outside.filePath(QStringLiteral("fuori.pdf"))
                                                                 : outside.filePath(QStringLiteral("nuovo.pdf"));
        QVERIFY(QFile::link(to, link));
    }
    const auto result = AttachmentFolder::attach(nullptr, source(QStringLiteral("report.pdf"), "PDF nuovo"));

    // Nothing outside the folder changed or appeared, and the user was asked nothing that could allow it.
    QCOMPARE(fileBytes(folder->file(QStringLiteral("Richiedenti.pro"))), registry);
    QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("fuori.pdf")});
    QCOMPARE(fileBytes(outside.filePath(QStringLiteral("fuori.pdf"))), QByteArray("outside"));
    for (const auto &m : Seams::Messages::shown())
        QVERIFY(m.kind != Seams::MsgKind::Question && m.kind != Seams::MsgKind::QuestionNo);
    if (leadsTo == QLatin1String("folder")) {
        QVERIFY(!result);
        QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
        return;
    }
    // The copy takes a free name beside the link, which stays as it was and is never opened.
    QCOMPARE(result, std::optional<QString>(QStringLiteral("report (2).pdf")));
    QCOMPARE(fileBytes(AttachmentFolder::path() + QStringLiteral("report (2).pdf")), QByteArray("PDF nuovo"));
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(AttachmentFolder::fileFor(QStringLiteral("report.pdf")).isEmpty());
}

void TestAttachments::largeCopyRunsOffTheInterfaceThreadAndCancels()
{
    // A 1 GiB document on a slow disk: the window stays live, shows the progress and can give the copy up.
    const QString video = source(QStringLiteral("video.mp4"), {});
    QVERIFY(QFile::resize(video, qint64(1) << 30));
    AttachmentFolder::setFaultHook([](AttachmentFolder::Op op, const QString &) {
        if (op == AttachmentFolder::Op::Block)
            QThread::msleep(5);
        return false;
    });
    BackgroundWork::setDelayMs(0);
    int ticks = 0;
    QTimer interfaceThread;
    connect(&interfaceThread, &QTimer::timeout, [&ticks] { ++ticks; });
    interfaceThread.start(10);
    bool pressed = false;
    QTimer user;
    connect(&user, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *bar = qobject_cast<QProgressDialog *>(w); bar && bar->isVisible() && ticks > 5 && !pressed) {
                QCOMPARE(bar->objectName(), QStringLiteral("frmAvanzamento"));
                QTest::mouseClick(bar->findChild<QPushButton *>(), Qt::LeftButton);
                pressed = true;
            }
    });
    user.start(20);
    QElapsedTimer t;
    t.start();
    const auto result = AttachmentFolder::attach(ed, video);
    BackgroundWork::setDelayMs(500);
    QVERIFY(pressed);
    QVERIFY2(t.elapsed() < 4000, qPrintable(QString::number(t.elapsed()))); // stopped long before the end
    QVERIFY(!result);
    QVERIFY(Seams::Messages::shown().isEmpty());
    QVERIFY(folderFiles().isEmpty()); // nothing half copied left behind
}

void TestAttachments::onlyFilesInsideTheFolderOpen()
{
    QDir().mkpath(AttachmentFolder::path());
    writeFile(AttachmentFolder::path() + QStringLiteral("ok.pdf"), "ok");
    writeFile(folder->file(QStringLiteral("fuori.pdf")), "outside");
    QDir().mkpath(AttachmentFolder::path() + QStringLiteral("sotto"));
    writeFile(AttachmentFolder::path() + QStringLiteral("sotto/ok.pdf"), "nested");
#ifndef Q_OS_WIN // there QFile::link makes a shell shortcut, a plain file: link.pdf stays missing
    QVERIFY(
        QFile::link(folder->file(QStringLiteral("fuori.pdf")), AttachmentFolder::path() + QStringLiteral("link.pdf")));
    QVERIFY(QFile::link(QStringLiteral("ok.pdf"), AttachmentFolder::path() + QStringLiteral("dentro.pdf")));
#endif

    TfrmAllegaCartella w(ed);
    const char *never[] = {"..\\x",         "/etc/passwd", "../fuori.pdf", "..",       ".",     "sotto/ok.pdf",
                           "sotto\\ok.pdf", "C:ok.pdf",    "mancante.pdf", "link.pdf", "sotto", "dentro.pdf"};
    for (const char *name : never) {
        w.txtFile03->setText(QString::fromLatin1(name));
        w.btnApriClick(2);
        QVERIFY2(Seams::Shell::opened().isEmpty(), name);
    }
    QVERIFY(Seams::Messages::shown().isEmpty()); // a missing file is not reported
    w.txtFile03->setText(QStringLiteral(" ok.pdf "));
    w.btnApriClick(2);
    QCOMPARE(openedNative(), QStringList{QLatin1Char('"') + AttachmentFolder::path() + QStringLiteral("ok.pdf\"")});
}

void TestAttachments::slotsSurviveSaveAndReload()
{
    // The applicant's slots.
    const QString permesso = source(QStringLiteral("permesso.jpg"), "JPG permesso");
    QVERIFY(inWindow(ed->cmdFile, [&](TfrmAllegaCartella *w) {
        browse(w->btnSfoglia03, permesso);
        w->txtDesc03->setText(QStringLiteral("Permesso di soggiorno"));
        QTest::mouseClick(w->btnApplica, Qt::LeftButton);
    }));
    ed->txtCognome->setText(QStringLiteral("ROSSI"));
    ed->txtNome->setText(QStringLiteral("MARIO"));
    ed->txtDecorrenza->setText(QStringLiteral("01/01/2024"));
    ed->txtScadenza->setText(QStringLiteral("31/12/2024"));
    ed->cmdSalvaClick();
    ed->cmdNuovoClick();
    QCOMPARE(ed->lblFile03->text(), QString());
    QTest::mouseClick(ed->cmdUltimo, Qt::LeftButton);
    QCOMPARE(ed->lblFile03->text(), QStringLiteral("permesso.jpg"));
    QCOMPARE(ed->lblDesc03->text(), QStringLiteral("Permesso di soggiorno"));
    const QByteArray applicant = fileBytes(folder->file(QStringLiteral("Richiedenti.pro")));
    QCOMPARE(fieldAt(applicant, 4086, 250), QStringLiteral("permesso.jpg"));
    QCOMPARE(fieldAt(applicant, 4839, 250), QStringLiteral("Permesso di soggiorno"));

    // The slip's slots, through the same window with the slip's context word.
    auto *slip = new TfrmBollettino;
    Forms::add(slip);
    slip->show();
    QVERIFY(QTest::qWaitForWindowExposed(slip));
    slip->txtAnno->setText(QStringLiteral("2024"));
    slip->btnApriClick();
    QVERIFY(slip->cmdAllega->isEnabled());
    const QString ricevuta = source(QStringLiteral("ricevuta.pdf"), "PDF ricevuta");
    QVERIFY(inWindow(slip->cmdAllega, [&](TfrmAllegaCartella *w) {
        QCOMPARE(w->lblMemory->text(), QStringLiteral("bollettino"));
        QCOMPARE(w->parentWidget(), slip);
        QCOMPARE(w->txtFile03->text(), QString()); // the slip's own labels, not the applicant's
        browse(w->btnSfoglia01, ricevuta);
        w->txtDesc01->setText(QStringLiteral("Ricevuta"));
        QTest::mouseClick(w->btnApplica, Qt::LeftButton);
    }));
    QCOMPARE(slip->lblFile01->text(), QStringLiteral("ricevuta.pdf"));
    QCOMPARE(ed->lblFile01->text(), QString());
    slip->txtImporto->setText(QStringLiteral("16"));
    slip->txtEsecutore->setText(QStringLiteral("ROSSI MARIO"));
    slip->txtDataScade->setText(QStringLiteral("31/03/2024"));
    slip->cmdSalvaClick();
    slip->cmdNuovoClick();
    QTest::mouseClick(slip->cmdPrimo, Qt::LeftButton);
    QCOMPARE(slip->lblFile01->text(), QStringLiteral("ricevuta.pdf"));
    QCOMPARE(slip->lblDesc01->text(), QStringLiteral("Ricevuta"));
    const QByteArray slipBytes = fileBytes(slip->lblFile->text());
    QCOMPARE(fieldAt(slipBytes, 896, 250), QStringLiteral("ricevuta.pdf"));
    QCOMPARE(fieldAt(slipBytes, 1649, 250), QStringLiteral("Ricevuta"));
}

void TestAttachments::annullaWritesNothingBack()
{
    ed->lblFile02->setText(QStringLiteral("vecchio.pdf"));
    ed->lblDesc02->setText(QStringLiteral("Vecchio"));
    const QString nuovo = source(QStringLiteral("nuovo.pdf"), "nuovo");
    QVERIFY(inWindow(ed->cmdFile, [&](TfrmAllegaCartella *w) {
        browse(w->btnSfoglia02, nuovo);
        w->txtDesc02->setText(QStringLiteral("Nuovo"));
        QTest::mouseClick(w->imgCancella01, Qt::LeftButton);
        w->txtFile02->setFocus();
        QTest::keyClick(w->txtFile02, Qt::Key_Delete); // the keyboard way to clear a slot
        QCOMPARE(w->txtFile02->text(), QString());
        QCOMPARE(w->txtDesc02->text(), QStringLiteral("Nuovo"));
        // Cancelling the file dialog leaves the slot alone.
        browse(w->btnSfoglia03, QString());
        QCOMPARE(w->txtFile03->text(), QString());
        QTest::mouseClick(w->btnAnnulla, Qt::LeftButton);
    }));
    QCOMPARE(ed->lblFile02->text(), QStringLiteral("vecchio.pdf"));
    QCOMPARE(ed->lblDesc02->text(), QStringLiteral("Vecchio"));
    // The copy made meanwhile stays in the folder.
    QCOMPARE(folderFiles(), QStringList{QStringLiteral("nuovo.pdf")});
}

QTEST_MAIN(TestAttachments)
#include "test_attachments.moc"
