// The shared input behaviours as every window gets them: what a field of each kind makes of typed, pasted and
// dropped text, entering a field, Enter on buttons, and the windows that can be left only by their own buttons.

#include "TestSupport.h"

#include "app/Startup.h"
#include "core/Routines.h"
#include "core/widgets/Calendario.h"
#include "core/widgets/FieldRules.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/Picture.h"
#include "core/widgets/WindowStyle.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QVBoxLayout>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

using namespace TestSupport;

namespace {
// One field of every kind, each reached by Enter from the field before it, as in an editor.
struct Fields : QWidget {
    Fields()
    {
        setObjectName(QStringLiteral("frmProva"));
        auto *layout = new QVBoxLayout(this);
        const auto field = [&](const char *name) {
            auto *e = new QLineEdit(this);
            e->setObjectName(QString::fromLatin1(name));
            layout->addWidget(e);
            return e;
        };
        start = field("txtInizio");
        digits = field("txtCifre");
        upper = field("txtMaiuscole");
        trimUpper = field("txtCap");
        date = field("txtData");
        free = field("txtNote");
        panInfo = new QLabel(this);
        panInfo->setObjectName(QStringLiteral("panInfo"));
        layout->addWidget(panInfo);
        Input::digitsOnly(digits);
        Input::upperCase(upper);
        Input::trimUpper(trimUpper);
        Input::dateField(date, [this] { ++calendars; });
        Input::archiveCharsOnly(free, panInfo);
        for (auto *to : {digits, upper, trimUpper, date, free})
            Input::enterMoves(start, to);
    }
    QLineEdit *byKind(const QString &kind) const
    {
        return kind == u"digits"      ? digits
               : kind == u"upper"     ? upper
               : kind == u"trimUpper" ? trimUpper
               : kind == u"date"      ? date
                                      : free;
    }
    QLineEdit *start, *digits, *upper, *trimUpper, *date, *free;
    QLabel *panInfo;
    int calendars = 0;
};

void paste(QLineEdit *field, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keySequence(field, QKeySequence::Paste);
}

void drop(QLineEdit *field, const QString &text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at = field->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &dropped);
}

} // namespace

class TestInput : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup() { TestSupport::checkSeams(); }

    void enteringAFieldSelectsItsText_data();
    void enteringAFieldSelectsItsText();
    void whatEachKindOfFieldKeeps_data();
    void whatEachKindOfFieldKeeps();
    void loadedTextIsLeftAsStored();
    void ownRulesJoinTheFieldsRules();
    void homeAndEndMoveInDigitFields();
    void enterClicksTheFocusedButton_data();
    void enterClicksTheFocusedButton();
    void enterOnAListLine();
    void fixedWindowsAreLeftOnlyByTheirOwnButtons();
    void captionsCarryNoProgramName();
};

void TestInput::enteringAFieldSelectsItsText_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("digits") << "digits"
                            << "18"
                            << "25"
                            << "25";
    QTest::newRow("upper case") << "upper"
                                << "ROSSI"
                                << "bianchi"
                                << "BIANCHI";
    QTest::newRow("trim and upper") << "trimUpper"
                                    << "00184"
                                    << "20121"
                                    << "20121";
    QTest::newRow("free") << "free"
                          << "vecchia nota"
                          << "nuova"
                          << "nuova";
}

void TestInput::enteringAFieldSelectsItsText()
{
    QFETCH(QString, kind);
    QFETCH(QString, held);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    Fields w;
    Input::enterMoves(w.start, w.byKind(kind));
    QVERIFY(showActive(&w));
    QLineEdit *field = w.byKind(kind);
    field->setText(held);
    // By Enter from the field before, and by the program (a message's focus, Duplica): typing replaces.
    for (auto enter : {std::function<void()>([&] {
                           w.start->setFocus();
                           QTest::keyClick(w.start, Qt::Key_Return);
                       }),
                       std::function<void()>([&] {
                           w.start->setFocus();
                           field->setFocus(Qt::OtherFocusReason);
                       })}) {
        field->setText(held);
        enter();
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(field->selectedText(), held);
        typeText(field, typed);
        QCOMPARE(field->text(), result);
    }
    // Back from another window (a context menu about to paste, a message): the cursor stays where it was.
    field->setText(held);
    field->setFocus(Qt::OtherFocusReason);
    field->end(false);
    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason), in(QEvent::FocusIn, Qt::PopupFocusReason);
    QApplication::sendEvent(field, &out);
    QApplication::sendEvent(field, &in);
    QCOMPARE(field->selectedText(), QString());
    QCOMPARE(field->cursorPosition(), int(held.size()));
    // A date field is entered the same way; its keys go to the calendar, never into the text.
    w.date->setText(QStringLiteral("01/02/2024"));
    w.date->setFocus(Qt::OtherFocusReason);
    QCOMPARE(w.date->selectedText(), QStringLiteral("01/02/2024"));
}

void TestInput::whatEachKindOfFieldKeeps_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("how"); // typed, pasted or dropped
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("refused"); // named in the status hint

    // Names from every Latin alphabet: letters the code page lacks become their base letter, its own stay.
    const struct {
        const char16_t *text, *free, *upper, *refused;
    } names[] = {
        {u"łukasz", u"lukasz", u"LUKASZ", u""},
        {u"ŞİŞLİ", u"SISLI", u"SISLI", u""},
        {u"Nguyễn Thị", u"Nguyen Thi", u"NGUYEN THI", u""},
        {u"Dvořák", u"Dvorák", u"DVORáK", u""},
        {u"Ærø", u"Ærø", u"ÆRø", u""},
        {u"Łódź Şişli", u"Lódz Sisli", u"LóDZ SISLI", u""},
        {u"Ștefan Brașov Țăndărei", u"Stefan Brasov Tandarei", u"STEFAN BRASOV TANDAREI", u""},
        {u"Мария", u"", u"", u"Мария"},
        {u"北京", u"", u"", u"北京"},
        {u"Анна Ivanova", u" Ivanova", u" IVANOVA", u"Ана"},
    };
    for (const auto &n : names) {
        const QString text = QString::fromUtf16(n.text);
        for (const char *how : {"typed", "pasted"}) {
            QTest::addRow("free, %s %s", how, qPrintable(text))
                << "free" << how << text << QString::fromUtf16(n.free) << QString::fromUtf16(n.refused);
            QTest::addRow("upper, %s %s", how, qPrintable(text))
                << "upper" << how << text << QString::fromUtf16(n.upper) << QString::fromUtf16(n.refused);
        }
    }
    QTest::newRow("trim and upper, pasted Łódź") << "trimUpper"
                                                 << "pasted"
                                                 << " łódź "
                                                 << "LóDZ"
                                                 << "";

    // Pasted and dropped text obeys the rules typed keys obey: a digit field refuses anything but digits whole.
    const char16_t *hostile[] = {u"../x", u"1e5", u"12ab", u"12\n34", u"-5", u" 16"};
    for (const char16_t *h : hostile)
        for (const char *how : {"pasted", "dropped"})
            QTest::addRow("digits, %s %s", how, qPrintable(QString::fromUtf16(h).replace(u'\n', u'|')))
                << "digits" << how << QString::fromUtf16(h) << "7"
                << "";
    // Text fields keep such text, as the rules of each kind have it.
    const struct {
        const char *text, *upper;
    } kept[] = {{"../x", "../X"}, {"1e5", "1E5"}, {"12ab", "12AB"}};
    for (const auto &k : kept) {
        QTest::addRow("free, pasted %s", k.text) << "free"
                                                 << "pasted" << k.text << k.text << "";
        QTest::addRow("upper, pasted %s", k.text) << "upper"
                                                  << "pasted" << k.text << k.upper << "";
        QTest::addRow("trim and upper, pasted %s", k.text) << "trimUpper"
                                                           << "pasted" << k.text << k.upper << "";
    }
    QTest::newRow("digits, pasted 2024") << "digits"
                                         << "pasted"
                                         << "2024"
                                         << "72024"
                                         << "";
    QTest::newRow("digits, dropped 16") << "digits"
                                        << "dropped"
                                        << "16"
                                        << "716"
                                        << "";
    // A line break never enters a one-line field: it becomes a blank.
    QTest::newRow("free, pasted lines") << "free"
                                        << "pasted"
                                        << "via Roma 1\r\nMilano"
                                        << "via Roma 1 Milano"
                                        << "";
    QTest::newRow("upper, dropped lines") << "upper"
                                          << "dropped"
                                          << "via\nroma"
                                          << "VIA ROMA"
                                          << "";
    QTest::newRow("trim and upper, pasted 1e5") << "trimUpper"
                                                << "pasted"
                                                << "1e5\n"
                                                << "1E5"
                                                << "";
    // A read-only date field takes nothing but the calendar's date.
    QTest::newRow("date, pasted") << "date"
                                  << "pasted"
                                  << "12ab"
                                  << ""
                                  << "";
    QTest::newRow("date, dropped") << "date"
                                   << "dropped"
                                   << "31/12/2024"
                                   << ""
                                   << "";
}

void TestInput::whatEachKindOfFieldKeeps()
{
    QFETCH(QString, kind);
    QFETCH(QString, how);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QFETCH(QString, refused);
    Fields w;
    QVERIFY(showActive(&w));
    QLineEdit *field = w.byKind(kind);
    if (kind == u"digits")
        field->setText(QStringLiteral("7"));
    field->setFocus(Qt::OtherFocusReason);
    field->end(false);
    if (how == u"typed")
        typeText(field, text);
    else if (how == u"pasted")
        paste(field, text);
    else
        drop(field, text);
    QCOMPARE(field->text(), result);
    if (refused.isEmpty()) {
        QCOMPARE(w.panInfo->text(), QString());
    } else {
        // A paste names every character it left out; typing names the key just refused.
        for (QChar c : how == u"typed" ? refused.right(1) : refused)
            QVERIFY2(w.panInfo->text().contains(c), qPrintable(w.panInfo->text()));
        QVERIFY(w.panInfo->text().startsWith(QStringLiteral("Caratter")));
    }
    QCOMPARE(w.calendars, 0);
}

void TestInput::loadedTextIsLeftAsStored()
{
    // A record loaded into the fields shows what the archive holds (older records may have small letters).
    Fields w;
    w.upper->setText(QStringLiteral("Rossi"));
    w.trimUpper->setText(QStringLiteral(" ab "));
    QCOMPARE(w.upper->text(), QStringLiteral("Rossi"));
    QCOMPARE(w.trimUpper->text(), QStringLiteral(" ab "));
    // Text that is not digits may reach a digit field this way; the save checks it (the slip editor's test).
    w.digits->setText(QStringLiteral("12ab1"));
    QCOMPARE(w.digits->text(), QStringLiteral("12ab1"));
    QVERIFY(!w.digits->hasAcceptableInput());
}

void TestInput::ownRulesJoinTheFieldsRules()
{
    // A window's own rule (here: at most one comma) is applied to typing and pasting with the built-in ones.
    Fields w;
    Input::addRule(w.upper, [](const QString &t) -> std::optional<QString> {
        if (t.count(QLatin1Char(',')) > 1)
            return std::nullopt;
        return t;
    });
    QVERIFY(showActive(&w));
    w.upper->setFocus();
    typeText(w.upper, QStringLiteral("a,b,c"));
    QCOMPARE(w.upper->text(), QStringLiteral("A,BC"));
    paste(w.upper, QStringLiteral(",x"));
    QCOMPARE(w.upper->text(), QStringLiteral("A,BC"));
    paste(w.upper, QStringLiteral("ł"));
    QCOMPARE(w.upper->text(), QStringLiteral("A,BCL"));
}

void TestInput::homeAndEndMoveInDigitFields()
{
    Fields w;
    QVERIFY(showActive(&w));
    w.digits->setFocus();
    QTest::keyClicks(w.digits, QStringLiteral("123"));
    QTest::keyClick(w.digits, Qt::Key_Home);
    QTest::keyClicks(w.digits, QStringLiteral("9"));
    QTest::keyClick(w.digits, Qt::Key_End);
    QTest::keyClicks(w.digits, QStringLiteral("4x"));
    QCOMPARE(w.digits->text(), QStringLiteral("91234"));
}

void TestInput::enterClicksTheFocusedButton_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("key");
    for (auto [key, name] : {std::pair{Qt::Key_Return, "Return"}, {Qt::Key_Enter, "Enter"}}) {
        QTest::addRow("button in a window, %s", name) << 0 << int(key);
        QTest::addRow("calendar's Annulla beside its default Importa, %s", name) << 1 << int(key);
        QTest::addRow("picture that takes the focus, %s", name) << 2 << int(key);
    }
}

void TestInput::enterClicksTheFocusedButton()
{
    QFETCH(int, kind);
    QFETCH(int, key);
    Input::installApplicationBehaviours();
    int clicked = 0, other = 0;
    QWidget *window = nullptr;
    QWidget *target = nullptr;
    std::unique_ptr<QWidget> owner;
    if (kind == 1) {
        // The calendar: Enter on its focused Annulla is Annulla, not the default Importa.
        auto *calendar = new TfrmCalendario;
        owner.reset(calendar);
        window = calendar;
        connect(calendar->btnImportaData, &QPushButton::clicked, [&] { ++other; });
        connect(calendar->btnAnnulla, &QPushButton::clicked, [&] { ++clicked; });
        target = calendar->btnAnnulla;
    } else if (kind == 0) {
        owner = std::make_unique<QWidget>();
        window = owner.get();
        auto *layout = new QVBoxLayout(window);
        auto *edit = new QLineEdit(window);
        auto *def = new QPushButton(QStringLiteral("Importa"), window);
        auto *button = new QPushButton(QStringLiteral("Annulla"), window);
        layout->addWidget(edit);
        layout->addWidget(def);
        layout->addWidget(button);
        def->setDefault(true);
        connect(def, &QPushButton::clicked, [&] { ++other; });
        connect(button, &QPushButton::clicked, [&] { ++clicked; });
        target = button;
    } else {
        owner = std::make_unique<QWidget>();
        window = owner.get();
        auto *p = new Picture(QStringLiteral("imgBollettini"), QStringLiteral(":/icons/tile_bollettini.svg"),
                              QSize(60, 60), window);
        p->setFocusPolicy(Qt::StrongFocus);
        connect(p, &Picture::clicked, [&] { ++clicked; });
        target = p;
    }
    QVERIFY(showActive(window));
    // Reached by the program, not by Tab: the focus mark must show all the same.
    target->setFocus(Qt::OtherFocusReason);
    QVERIFY(window->testAttribute(Qt::WA_KeyboardFocusChange));
    if (auto *b = qobject_cast<QPushButton *>(target)) {
        QStyleOptionButton option;
        option.initFrom(b);
        QVERIFY(option.state & QStyle::State_HasFocus);
        QVERIFY(option.state & QStyle::State_KeyboardFocusChange);
    } else {
        const QImage shot = target->grab().toImage();
        QCOMPARE(shot.pixelColor(1, shot.height() / 2).blue() > 150, true);
    }
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(clicked, 1);
    QCOMPARE(other, 0);
    if (kind == 1)
        return; // Annulla has closed the calendar
    QTest::keyClick(target, Qt::Key_Space);
    QCOMPARE(clicked, 2);
}

void TestInput::enterOnAListLine()
{
    // The list's own handling of Enter (see the slip lists' test for the record handed back): a line chosen
    // with the arrows and Enter does what a double click does, and Enter never reaches the default button.
    QDialog w;
    auto *layout = new QVBoxLayout(&w);
    auto *list = new QListWidget(&w);
    list->addItems({QStringLiteral("ROSSI"), QStringLiteral("VERDI")});
    auto *print = new QPushButton(QStringLiteral("Stampa"), &w);
    print->setDefault(true);
    layout->addWidget(list);
    layout->addWidget(print);
    int chosen = 0, printed = 0;
    Input::enterActivates(list, [&] { ++chosen; });
    connect(print, &QPushButton::clicked, [&] { ++printed; });
    QVERIFY(showActive(&w));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return); // nothing selected yet
    QCOMPARE(chosen, 0);
    QTest::keyClick(list, Qt::Key_Down);
    QVERIFY(list->currentItem() && list->currentItem()->isSelected());
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_Enter);
    QCOMPARE(chosen, 2);
    QCOMPARE(printed, 0);

    // Tabbed into, the line under the focus mark is the chosen one: a single result opens with Enter alone.
    list->clearSelection();
    print->setFocus();
    QTest::keyClick(print, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(chosen, 3);
    QCOMPARE(printed, 0);
}

void TestInput::fixedWindowsAreLeftOnlyByTheirOwnButtons()
{
    Forms::clear();
    TfrmCalendario calendar;
    const auto flags = calendar.windowFlags();
    QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                       Qt::WindowSystemMenuHint)));
    QVERIFY(showActive(&calendar));
    QCOMPARE(calendar.minimumSize(), calendar.maximumSize());
    // Its caption fits: the window is wider than the caption in the title font.
    QVERIFY(calendar.width() >
            QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(calendar.windowTitle()));
    // The window manager's close (its button, Alt+F4) is ignored: it reaches the window as a spontaneous event.
    QCloseEvent fromWindowManager;
    QSpontaneKeyEvent::setSpontaneous(&fromWindowManager);
    qApp->notify(&calendar, &fromWindowManager);
    QVERIFY(calendar.isVisible());
    // Escape is the window's own Annulla.
    QTest::keyClick(calendar.calAppuntamenti, Qt::Key_Escape);
    QVERIFY(!calendar.isVisible());
    QVERIFY(showActive(&calendar));
    calendar.btnAnnulla->click();
    QVERIFY(!calendar.isVisible());

    // A window with system buttons (the main menu, the editors) still closes from the window manager.
    QWidget plain;
    QVERIFY(showActive(&plain));
    QCloseEvent again;
    QSpontaneKeyEvent::setSpontaneous(&again);
    qApp->notify(&plain, &again);
    QVERIFY(again.isAccepted());
}

void TestInput::captionsCarryNoProgramName()
{
    // The platform appends an application display name to every caption: none may be set.
    Startup::initialise(*qApp);
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Prova"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Prova"));
    QCoreApplication::setApplicationName(name);
}

QTEST_MAIN(TestInput)
#include "test_input.moc"
