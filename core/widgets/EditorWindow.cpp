#include "core/widgets/EditorWindow.h"

#include "core/Formats.h"
#include "core/HelpTexts.h"
#include "core/ProgramFolder.h"
#include "core/Routines.h"
#include "core/widgets/Calendario.h"
#include "core/widgets/Controls.h"
#include "core/widgets/DropDowns.h"
#include "core/widgets/FieldRules.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/Navigation.h"
#include "core/widgets/WindowStyle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
QLineEdit *boxOf(QWidget *control)
{
    if (auto *c = qobject_cast<QComboBox *>(control))
        return c->lineEdit();
    return qobject_cast<QLineEdit *>(control);
}

// Digits with at most one comma, or nothing (no amount): anything else cannot be read as an amount.
bool readableAmount(const QString &text)
{
    static const QRegularExpression amount(QStringLiteral("^(\\d+(,\\d*)?|,\\d+)?$"));
    return amount.match(text.trimmed()).hasMatch();
}

QString captionText(const EditorField &row)
{
    // "Reddito annuale: €" is named "Reddito annuale" in a message.
    QString caption = row.caption ? QString::fromUtf16(row.caption) : QString::fromLatin1(row.name);
    while (!caption.isEmpty() && QStringLiteral(": €").contains(caption.back()))
        caption.chop(1);
    return caption;
}

// A text field would take some of the command keys for itself (Ctrl+D deletes on some desktops): while the focus
// is in the editor, the editor's command keys go to the commands.
class CommandKeysFirst : public QObject {
public:
    CommandKeysFirst(QWidget *window, QList<QKeyCombination> keys) : QObject(window), m_window(window), m_keys(keys)
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::ShortcutOverride || !o->isWidgetType())
            return false;
        if (static_cast<QWidget *>(o)->window() != m_window)
            return false;
        const auto *k = static_cast<QKeyEvent *>(e);
        const QKeyCombination pressed(k->modifiers() & ~Qt::KeypadModifier, Qt::Key(k->key()));
        if (!m_keys.contains(pressed))
            return false;
        e->ignore();
        return true;
    }

private:
    QWidget *m_window;
    QList<QKeyCombination> m_keys;
};

// A command's caption beside its picture is part of the command: a click on it clicks the picture.
class CaptionClicks : public QObject {
public:
    CaptionClicks(QLabel *caption, Picture *command) : QObject(caption), m_command(command)
    {
        caption->installEventFilter(this);
        caption->setCursor(Qt::PointingHandCursor);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton &&
            m_command)
            m_command->click();
        return false;
    }

private:
    QPointer<Picture> m_command;
};

struct GuideKey {
    QKeyCombination key;
    const char16_t *caption;
};
const GuideKey kGuideKeys[] = {
    {EditorKeys::salva, u"Salva"},
    {EditorKeys::nuovo, u"Nuovo"},
    {EditorKeys::duplica, u"Duplica"},
    {EditorKeys::trova, u"Trova"},
    {EditorKeys::stampa, u"Stampa"},
    {EditorKeys::guida, u"Guida"},
    {EditorKeys::primo, u"Prima scheda"},
    {EditorKeys::indietro, u"Scheda precedente"},
    {EditorKeys::avanti, u"Scheda successiva"},
    {EditorKeys::ultimo, u"Ultima scheda"},
    {EditorKeys::anteprima, u"Anteprima di stampa"},
    {EditorKeys::allega, u"Allega"},
    {EditorKeys::esporta, u"Esporta"},
    {EditorKeys::esci, u"Esci"},
    {EditorKeys::lists[0], u"Elenchi"},
    {EditorKeys::lists[1], u"Elenchi"},
    {EditorKeys::lists[2], u"Elenchi"},
};

bool typed(FieldRule rule)
{
    switch (rule) {
    case FieldRule::ReadOnly:
    case FieldRule::Check:
    case FieldRule::Label:
    case FieldRule::Hidden:
        return false;
    default:
        return true;
    }
}

bool focusable(FieldRule rule)
{
    return rule != FieldRule::Label && rule != FieldRule::Hidden;
}

void setReset(const EditorField &row, QWidget *w)
{
    const QString value = QString::fromUtf16(row.reset);
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        if (row.rule == FieldRule::PickList) {
            Input::clearListSelection(c);
            c->setEditText(value);
        } else {
            c->setCurrentIndex(-1);
            c->setEditText(value);
        }
    } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
        e->setText(value);
    } else if (auto *b = qobject_cast<QCheckBox *>(w)) {
        b->setChecked(false);
    } else if (auto *l = qobject_cast<QLabel *>(w)) {
        l->setText(value);
    }
}
} // namespace

QList<QPair<QString, QString>> TEditorWindow::keyList()
{
    QList<QPair<QString, QString>> list;
    for (const auto &k : kGuideKeys)
        list.append({QKeySequence(k.key).toString(QKeySequence::PortableText), QString::fromUtf16(k.caption)});
    return list;
}

TEditorWindow::TEditorWindow(Config config, QWidget *parent) : QWidget(parent), m_config(std::move(config))
{
    setObjectName(m_config.name);
    setWindowTitle(m_config.title);
    Formats::applyProcessFormats();
    if (!m_config.yearExtension.isEmpty())
        lblFile = Controls::hidden(this, "lblFile");
}

void TEditorWindow::buildYearPanel(QWidget *box)
{
    txtAnno = Controls::field(box, "txtAnno", QRect(), 4, Qt::AlignHCenter);
    btnApri = new QPushButton(QStringLiteral("Apri"), box);
    btnApri->setObjectName(QStringLiteral("btnApri"));
    Input::digitsOnly(txtAnno);
    Input::highlight(txtAnno);
    Input::enterMoves(txtAnno, btnApri);
    connect(btnApri, &QPushButton::clicked, this, &TEditorWindow::btnApriClick);
}

QLabel *TEditorWindow::buildStatusLine(QWidget *panel)
{
    panInfo = Controls::statusLine(panel, m_config.readyText);
    return panInfo;
}

QWidget *TEditorWindow::buildNavigation(QWidget *panel)
{
    auto *row = new QWidget(panel);
    row->setObjectName(QStringLiteral("panNavigazione"));
    auto *line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(10);
    const auto picture = [&](const char *name, const char *svg) {
        auto *p = Controls::picture(row, name, svg, QSize(40, 40));
        line->addWidget(p);
        return p;
    };
    cmdPrimo = picture("cmdPrimo", "first.svg");
    cmdIndietro = picture("cmdIndietro", "prev.svg");
    lblPosizione = new QLabel(row);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setTextFormat(Qt::PlainText);
    lblPosizione->setAlignment(Qt::AlignCenter);
    lblPosizione->setFixedSize(110, 34);
    lblPosizione->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    line->addWidget(lblPosizione);
    cmdAvanti = picture("cmdAvanti", "next.svg");
    cmdUltimo = picture("cmdUltimo", "last.svg");
    row->adjustSize();

    connect(cmdPrimo, &Picture::clicked, this, &TEditorWindow::cmdPrimoClick);
    connect(cmdIndietro, &Picture::clicked, this, &TEditorWindow::cmdIndietroClick);
    connect(cmdAvanti, &Picture::clicked, this, &TEditorWindow::cmdAvantiClick);
    connect(cmdUltimo, &Picture::clicked, this, &TEditorWindow::cmdUltimoClick);
    bindCommand(cmdPrimo, EditorKeys::primo, QStringLiteral("Visualizza la prima scheda in archivio."));
    bindCommand(cmdIndietro, EditorKeys::indietro, QStringLiteral("Visualizza la scheda precedente in archivio."));
    bindCommand(cmdAvanti, EditorKeys::avanti, QStringLiteral("Visualizza la scheda successiva in archivio."));
    bindCommand(cmdUltimo, EditorKeys::ultimo, QStringLiteral("Visualizza l'ultima scheda in archivio."));
    return row;
}

QWidget *TEditorWindow::makeCommandColumn(QWidget *panel, int spacing)
{
    auto *column = new QWidget(panel);
    column->setObjectName(QStringLiteral("panComandi"));
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return column;
}

Picture *TEditorWindow::addCommand(QWidget *column, const char *name, const char *svg, int size, const QString &caption,
                                   bool last)
{
    auto *layout = static_cast<QVBoxLayout *>(column->layout());
    if (last)
        layout->addStretch(1);
    auto *p = Controls::picture(column, name, svg, QSize(size, size));
    if (caption.isEmpty()) {
        layout->addWidget(p);
    } else {
        auto *row = new QHBoxLayout;
        row->setSpacing(8);
        row->addWidget(p);
        auto *label = new QLabel(caption, column);
        label->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(name).mid(3));
        label->setFont(QFont(QStringLiteral("Tahoma"), 10, QFont::Bold));
        new CaptionClicks(label, p);
        row->addWidget(label, 1);
        layout->addLayout(row);
    }
    return p;
}

void TEditorWindow::bindCommand(Picture *command, QKeyCombination key, const QString &hint)
{
    m_commandHints.append({command, hint});
    if (key == QKeyCombination())
        return;
    const QKeySequence sequence(key);
    auto *shortcut = new QShortcut(sequence, this);
    shortcut->setContext(Qt::WindowShortcut);
    QPointer<Picture> target(command);
    connect(shortcut, &QShortcut::activated, command, [target] {
        if (target && target->isVisible() && target->isEnabled())
            target->click();
    });
    command->setProperty("shortcutText", sequence.toString(QKeySequence::PortableText));
    m_keys.append(key);
}

void TEditorWindow::hints(const QList<QPair<QWidget *, QString>> &more)
{
    m_commandHints += more;
}

void TEditorWindow::buildFields(std::span<const EditorField> fields, QWidget *fieldPanel, const QList<QFont> &fonts,
                                const QFont *captionFont)
{
    const RecordLayout &layout = *m_config.layout;
    for (const EditorField &row : fields) {
        const QString name = QString::fromLatin1(row.name);
        QWidget *panel = fieldPanel;
        if (row.parent && !(panel = EditorFrame::ownControl(this, QString::fromLatin1(row.parent))))
            qFatal("%s: no panel %s for %s", qPrintable(objectName()), row.parent, row.name);
        const int stored = layout.indexOfControl(row.name);
        // A limit on typing: what the program shows in a field it fills itself (the amount in words) is never cut.
        const int capacity = row.maxLength > 0                ? row.maxLength
                             : stored >= 0 && typed(row.rule) ? layout.field(stored).capacity
                                                              : 0;
        const QFont *font = row.font >= 0 && row.font < fonts.size() ? &fonts[row.font] : nullptr;

        QWidget *w = nullptr;
        switch (row.rule) {
        case FieldRule::PickList:
        case FieldRule::EditList: {
            auto *c = new QComboBox(panel);
            c->setEditable(true);
            c->setInsertPolicy(QComboBox::NoInsert);
            c->setCompleter(nullptr); // a typed text stays as typed
            c->setMaxVisibleItems(12);
            if (row.items)
                c->addItems(row.items());
            if (row.rule == FieldRule::PickList)
                Input::pickOnly(c);
            else
                Input::listWithText(c);
            if (capacity > 0)
                c->lineEdit()->setMaxLength(capacity);
            if (font)
                c->lineEdit()->setFont(*font);
            c->setCurrentIndex(-1);
            w = c;
            break;
        }
        case FieldRule::Check:
            w = new QCheckBox(QString::fromUtf16(row.caption), panel);
            break;
        case FieldRule::Label: {
            auto *l = new QLabel(panel);
            l->setTextFormat(Qt::PlainText);
            w = l;
            break;
        }
        case FieldRule::Hidden:
            w = Controls::hidden(panel, row.name);
            break;
        default:
            w = Controls::field(panel, row.name, QRect(), capacity, row.align);
            break;
        }
        w->setObjectName(name);
        if (font)
            w->setFont(*font);
        if (!row.place.isEmpty())
            w->setGeometry(row.place);

        QLabel *caption = nullptr;
        if (row.caption && row.rule != FieldRule::Check) {
            caption = new QLabel(QString::fromUtf16(row.caption), panel);
            if (captionFont)
                caption->setFont(*captionFont);
            caption->setBuddy(w);
            if (!row.captionAt.isNull()) {
                caption->move(row.captionAt);
                caption->adjustSize();
            }
        }
        m_fields.append({&row, w, caption});
    }
    btnFocus = Controls::focusHolder(fieldPanel);

    // Rules, after every field exists: a rule may name the status line or the next field.
    QList<QWidget *> chain;
    for (const Built &b : m_fields) {
        auto *edit = qobject_cast<QLineEdit *>(b.control);
        switch (b.row->rule) {
        case FieldRule::Free:
            Input::archiveCharsOnly(edit, panInfo);
            break;
        case FieldRule::Upper:
            Input::upperCase(edit);
            Input::archiveCharsOnly(edit, panInfo);
            break;
        case FieldRule::TrimUpper:
            Input::trimUpper(edit);
            Input::archiveCharsOnly(edit, panInfo);
            break;
        case FieldRule::Trimmed:
            Input::trimmedText(edit);
            Input::archiveCharsOnly(edit, panInfo);
            break;
        case FieldRule::Digits:
            Input::digitsOnly(edit);
            break;
        case FieldRule::Amount:
            Input::amountChars(edit);
            Input::onExit(edit, [edit] { formatAmount(edit); });
            break;
        case FieldRule::Date: {
            const QString tag = QString::fromLatin1(b.row->calendarTag);
            Input::dateField(edit, [this, tag] { TfrmCalendario::pickDate(this, tag); });
            break;
        }
        case FieldRule::ReadOnly:
            edit->setReadOnly(true);
            break;
        case FieldRule::EditList:
            Input::trimUpper(static_cast<QComboBox *>(b.control)->lineEdit());
            break;
        default:
            break;
        }
        if (typed(b.row->rule)) {
            Input::highlight(b.control);
            chain.append(b.control);
        }
        setReset(*b.row, b.control);
    }
    // Enter moves to the next typed field, the last back to the first; a date field opens its calendar instead
    // and moves on along the tab order once a date is imported.
    for (int i = 0; i < chain.size(); ++i)
        if (rowOf(chain[i])->rule != FieldRule::Date)
            Input::enterMoves(chain[i], chain[(i + 1) % chain.size()]);
}

QLabel *TEditorWindow::captionOf(const char *name) const
{
    for (const Built &b : m_fields)
        if (qstrcmp(b.row->name, name) == 0)
            return b.caption;
    return nullptr;
}

const EditorField *TEditorWindow::rowOf(const QWidget *control) const
{
    for (const Built &b : m_fields)
        if (b.control == control)
            return b.row;
    return nullptr;
}

void TEditorWindow::finishEditor()
{
    EditorFrame::Config config;
    config.layout = m_config.layout;
    config.archivePath = [this] { return archivePath(); };
    config.saveFailureKind = m_config.saveFailureKind;
    config.insertedMessage = m_config.insertedMessage;
    config.mayReplace = [this] { return mayReplaceScreen(); };
    m_frame = new EditorFrame(this, lblPosizione, config);
    markUnchanged();

    // The tab order is the table's; a field's side button follows it.
    QWidget *previous = nullptr;
    const auto follow = [&](QWidget *w) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    };
    for (const Built &b : m_fields) {
        if (!focusable(b.row->rule))
            continue;
        follow(b.control);
        if (b.row->beside)
            if (QWidget *side = field(QString::fromLatin1(b.row->beside)))
                follow(side);
    }

    Input::statusHints(panInfo, m_commandHints);
    new CommandKeysFirst(this, m_keys);
    for (const Built &b : m_fields)
        if (QLineEdit *box = boxOf(b.control))
            connect(box, &QLineEdit::textChanged, this, &TEditorWindow::noteLongTexts);
}

QWidget *TEditorWindow::field(const QString &name) const
{
    return EditorFrame::ownControl(const_cast<TEditorWindow *>(this), name);
}

QWidget *TEditorWindow::firstField() const
{
    for (const Built &b : m_fields)
        if (typed(b.row->rule))
            return b.control;
    return nullptr;
}

QString TEditorWindow::archivePath() const
{
    if (lblFile)
        return lblFile->text().trimmed();
    return ProgramFolder::file(m_config.archive);
}

void TEditorWindow::resetFields()
{
    for (const Built &b : m_fields)
        setReset(*b.row, b.control);
    if (m_frame)
        m_frame->setPosition(0);
    else
        lblPosizione->clear();
}

void TEditorWindow::startNew()
{
    resetFields();
    afterReset();
    markUnchanged();
    showState();
    if (QWidget *first = firstField(); first && first->isVisible())
        first->setFocus(Qt::OtherFocusReason);
}

void TEditorWindow::cmdNuovoClick()
{
    if (mayReplaceScreen())
        startNew();
}

void TEditorWindow::cmdSalvaClick()
{
    if (saveScreen()) {
        markUnchanged();
        showState();
    }
}

// The status line tells the state of the screen just reached: a note about the record before, or the idle
// text of a new record, must not stay on another.
void TEditorWindow::showState()
{
    m_longTextsNoted = false;
    panInfo->setText(m_frame && m_frame->position() > 0 ? QString() : m_config.readyText);
    noteLongTexts();
}

bool TEditorWindow::saveScreen()
{
    return amountsReadable() && readyToSave() && datesReadable() && longTextsAccepted() && m_frame->save();
}

void TEditorWindow::formatAmount(QLineEdit *field)
{
    // What cannot be read stays as typed, for the save to refuse: it never turns into 0,00 unseen.
    if (readableAmount(field->text()))
        field->setText(FormatAmountText(field->text()));
}

bool TEditorWindow::amountsReadable()
{
    for (const Built &b : m_fields) {
        if (b.row->rule != FieldRule::Amount)
            continue;
        auto *edit = static_cast<QLineEdit *>(b.control);
        if (readableAmount(edit->text()))
            continue;
        Seams::Messages::show(this, Seams::MsgKind::Warning,
                              QStringLiteral("Attenzione: l'importo indicato in «%1» non è valido.\n\r\n\rPer poter "
                                             "salvare la scheda è necessario indicare l'importo utilizzando soltanto "
                                             "cifre e al più una virgola.")
                                  .arg(captionText(*b.row)));
        edit->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

QStringList TEditorWindow::longTexts(QWidget **first) const
{
    QStringList out;
    for (const Built &b : m_fields) {
        const QLineEdit *box = boxOf(b.control);
        if (!box || box->text().size() <= Controls::typingLimit(box))
            continue;
        if (first && out.isEmpty())
            *first = b.control;
        out << captionText(*b.row);
    }
    return out;
}

void TEditorWindow::noteLongTexts()
{
    const QStringList names = longTexts();
    if (!names.isEmpty()) {
        panInfo->setText(QStringLiteral("Testo troppo lungo per: ") + names.join(QStringLiteral(", ")));
        m_longTextsNoted = true;
    } else if (m_longTextsNoted) {
        panInfo->setText(m_config.readyText);
        m_longTextsNoted = false;
    }
}

// Nothing is cut without a question: the user may still shorten the texts the way they prefer.
bool TEditorWindow::longTextsAccepted()
{
    QWidget *first = nullptr;
    const QStringList names = longTexts(&first);
    if (names.isEmpty())
        return true;
    if (Seams::Messages::questionNo(
            this, QStringLiteral("Attenzione: il testo di questi campi è più lungo di quanto la scheda possa "
                                 "conservare e sarà troncato:\n\r\n\r%1\n\r\n\rSi vuole salvare comunque?")
                      .arg(names.join(QStringLiteral(", ")))) == Seams::Answer::Yes)
        return true;
    first->setFocus(Qt::OtherFocusReason);
    return false;
}

// A date reaches a field by the calendar, by a list or from an older archive: whatever put it there, a save
// stores only an empty field or a day that exists, in the archives' own form.
bool TEditorWindow::datesReadable()
{
    for (const Built &b : m_fields) {
        if (b.row->rule != FieldRule::Date)
            continue;
        auto *edit = static_cast<QLineEdit *>(b.control);
        const QString text = edit->text().trimmed();
        const QDate day = Formats::parseDateText(text);
        if (text.isEmpty() || (day.isValid() && Formats::dateText(day) == text && day >= Formats::firstTypedDate() &&
                               day <= Formats::lastTypedDate()))
            continue;
        const QString caption = captionText(*b.row);
        Seams::Messages::show(this, Seams::MsgKind::Warning,
                              QStringLiteral("Attenzione: la data indicata in «%1» non esiste.\n\r\n\rPer poter "
                                             "salvare la scheda è necessario indicare una data valida nel formato "
                                             "gg/mm/aaaa, oppure lasciare il campo vuoto.")
                                  .arg(caption));
        edit->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

bool TEditorWindow::modified() const
{
    if (!m_frame)
        return false;
    Record screen(*m_config.layout);
    m_frame->fillRecord(screen);
    return screen.bytes() != m_unchanged;
}

void TEditorWindow::markUnchanged()
{
    Record screen(*m_config.layout);
    m_frame->fillRecord(screen);
    m_unchanged = screen.bytes();
}

bool TEditorWindow::mayReplaceScreen()
{
    if (!modified())
        return true;
    switch (Seams::Messages::questionCancel(this, QStringLiteral("Le modifiche alla scheda corrente non sono state "
                                                                 "salvate.\n\r\n\rSi vogliono salvare adesso?"))) {
    case Seams::Answer::Yes:
        if (!saveScreen())
            return false;
        markUnchanged();
        return true;
    case Seams::Answer::No:
        return true;
    default:
        return false;
    }
}

bool TEditorWindow::passes(std::initializer_list<SaveCheck> checks)
{
    for (const SaveCheck &c : checks) {
        if (!c.failed)
            continue;
        Seams::Messages::show(this, c.kind, c.message);
        if (c.focus)
            c.focus->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void TEditorWindow::cmdDuplicaClick()
{
    m_frame->duplicate(
        m_config.notStoredWarning,
        [this] {
            for (const Built &b : m_fields)
                if (b.row->duplicateResets)
                    setReset(*b.row, b.control);
            afterDuplicate();
        },
        firstField(), m_config.duplicatedInformation);
}

void TEditorWindow::cmdGuidaClick()
{
    HelpTexts::show(this, m_config.helpPage);
}

void TEditorWindow::navigate(bool (EditorFrame::*step)())
{
    const bool loaded = (m_frame->*step)();
    afterLoad();
    if (loaded) {
        markUnchanged();
        showState();
    }
}

void TEditorWindow::cmdPrimoClick()
{
    navigate(&EditorFrame::first);
}

void TEditorWindow::cmdIndietroClick()
{
    // At the first record nothing happens, not even the archive is opened.
    if (m_frame->position() != 1)
        navigate(&EditorFrame::previous);
}

void TEditorWindow::cmdAvantiClick()
{
    navigate(&EditorFrame::next);
}

void TEditorWindow::cmdUltimoClick()
{
    navigate(&EditorFrame::last);
}

bool TEditorWindow::showRecord(const Record &record, qint64 position)
{
    if (!mayReplaceScreen())
        return false;
    m_frame->load(record, position);
    afterLoad();
    markUnchanged();
    showState();
    // Picked from a list or a search: work goes on in the first field once the list has closed.
    if (QWidget *first = firstField(); first && first->isVisible())
        first->setFocus(Qt::OtherFocusReason);
    return true;
}

void TEditorWindow::btnApriClick()
{
    // Four digits: the year becomes a file name, and "../x" or "20/4" must never name a file elsewhere.
    if (txtAnno->text().size() != 4 || !IsAllDigits(txtAnno->text())) {
        Seams::Messages::warning(this, QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        txtAnno->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString year = txtAnno->text().trimmed();
    lblFile->setText(ProgramFolder::file(year + m_config.yearExtension));
    setWindowTitle(m_config.title + QStringLiteral(" anno ") + year);
    yearOpened(year);
}

void TEditorWindow::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (e->spontaneous())
        return;
    WindowStyle::maximise(this);
    setWindowTitle(m_config.title);
    afterShow();
    if (txtAnno) {
        txtAnno->setText(QString::number(Seams::Clock::today().year()).rightJustified(4, QLatin1Char('0')));
        txtAnno->setFocus(Qt::OtherFocusReason);
        txtAnno->selectAll();
    }
}

void TEditorWindow::closeEvent(QCloseEvent *e)
{
    if (!mayReplaceScreen())
        return e->ignore();
    e->accept();
    beforeClose();
    Navigation::backToMenu(this);
}
